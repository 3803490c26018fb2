#include "errorboundary.h"

#include <QApplication>

namespace ErrorBoundary {

void show(QWidget* parent, const QString& message) {
    QMessageBox::critical(parent, QApplication::applicationName(), message);
}

} // namespace ErrorBoundary

DaluApplication::DaluApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool DaluApplication::notify(QObject* receiver, QEvent* event) {
    bool handled = false;
    ErrorBoundary::run(QApplication::activeWindow(),
                       [&] { handled = QApplication::notify(receiver, event); });
    return handled;
}
