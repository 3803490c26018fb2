#pragma once

#include "daluerror.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

#include <exception>

// Errors of file access and conversions stop the current action and are shown in a
// message box; the program goes on. Every event handler that can fail runs through here.
namespace ErrorBoundary {

void show(QWidget* parent, const QString& message);

template <typename F> bool run(QWidget* parent, F&& action) {
    try {
        action();
        return true;
    } catch (const DaluError& e) {
        show(parent, e.message());
    } catch (const std::exception& e) {
        show(parent, QString::fromLocal8Bit(e.what()));
    }
    return false;
}

} // namespace ErrorBoundary

// The global boundary: an error that escapes any event handler is shown in a message box
// and the program goes on with the next event.
class DaluApplication : public QApplication {
public:
    DaluApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
