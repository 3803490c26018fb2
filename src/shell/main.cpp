#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dalu"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Dalu"));
    window.resize(775, 560);
    window.show();
    return app.exec();
}
