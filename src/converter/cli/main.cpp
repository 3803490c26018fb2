#include "runner.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstring>
#include <memory>

int main(int argc, char* argv[]) {
    // Pages are painted with fonts, which need a GUI application; without a display the
    // offscreen platform serves. The other commands stay free of any window system.
    const bool paints =
        argc > 1 && (std::strcmp(argv[1], "qsl-labels") == 0 || std::strcmp(argv[1], "print") == 0);
    if (paints && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
        qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> app;
    if (paints)
        app = std::make_unique<QGuiApplication>(argc, argv);
    else
        app = std::make_unique<QCoreApplication>(argc, argv);
    // The same name as the window program, so that both find the same user data folder.
    QCoreApplication::setApplicationName(QStringLiteral("Dalu"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return ConvertCli::main(QCoreApplication::arguments().mid(1), out, err);
}
