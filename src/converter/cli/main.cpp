#include "runner.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    // The same name as the window program, so that both find the same user data folder.
    QCoreApplication::setApplicationName(QStringLiteral("Dalu"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return ConvertCli::main(app.arguments().mid(1), out, err);
}
