#include "dalusession.h"
#include "mainform.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dalu"));
    DaluSession session;
    session.mainForm()->show();
    return app.exec();
}
