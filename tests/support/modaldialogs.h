#pragma once

// For window tests: answers the modal windows a test expects, and closes every other one.
// A modal window that runs its own event loop while no test code expects it would block
// the test until the suite's time-out; instead it is closed at once and fails the running
// test function, naming the window.
#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QScopedValueRollback>
#include <QTimer>

#include <functional>

class QWidget;

namespace ModalDialogs {

// Calls action with the next modal window that shows during the current test function.
void onNextModal(std::function<void(QWidget*)> action);

// Records the text of the next message box and presses the given button.
void answerMessageBox(QString* text, QMessageBox::StandardButton button = QMessageBox::Ok);

// The text of the message box the action shows, answered with the button; empty when none shows.
QString messageOf(const std::function<void()>& action,
                  QMessageBox::StandardButton button = QMessageBox::Ok);

// Types the answer into the next input box and confirms it.
void answerInputDialog(const QString& answer);

// Chooses the file in the next file dialog and keeps the dialog's title.
void answerFileDialog(const QString& file, QString* title = nullptr);

// Cancels the next modal window (input box, dialog).
void cancelNextModal();

// While one lives, the test answers every modal window itself (its own polling).
class Expecting {
public:
    Expecting();

private:
    QScopedValueRollback<int> m_expecting;
};

// While one lives, every message box no answer waits for is closed as it shows, its text kept.
class MessageBoxLog {
public:
    MessageBoxLog();
    QStringList texts;

private:
    QScopedValueRollback<MessageBoxLog*> m_log;
};

} // namespace ModalDialogs
