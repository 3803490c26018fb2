#include "dalusession.h"
#include "errorboundary.h"
#include "mainform.h"
#include "programdir.h"
#include "stdindriver.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    DaluApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dalu"));
    prepareProgramDirectory();
    DaluSession session;
    session.mainForm()->show();
    StdinDriver::attachIfAsked(*session.mainForm());
    return app.exec();
}
