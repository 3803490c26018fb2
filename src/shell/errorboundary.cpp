#include "errorboundary.h"

#include <QApplication>

namespace ErrorBoundary {

void show(QWidget* parent, const QString& message) {
    QMessageBox::critical(parent, QApplication::applicationName(), message);
}

} // namespace ErrorBoundary
