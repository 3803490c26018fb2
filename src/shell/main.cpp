#include "dalusession.h"
#include "errorboundary.h"
#include "mainform.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    DaluApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dalu"));
    DaluSession session;
    session.mainForm()->show();
    return app.exec();
}
