#include "stdindriver.h"

#include "entrypage.h"
#include "navigator.h"
#include "qsorecord.h"

#include <QApplication>
#include <QKeyEvent>
#include <QSocketNotifier>

#include <cstdio>
#include <unistd.h>

namespace {

void sendKey(QWidget* target, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

class Driver : public QObject {
public:
    Driver(QWidget& window, TEntryPage& entry, Navigator& navigator)
        : QObject(&window), m_window(window), m_entry(entry), m_navigator(navigator),
          m_notifier(STDIN_FILENO, QSocketNotifier::Read) {
        connect(&entry, &TEntryPage::qsoCommitted, this, [this](const TQsoRecord& r) {
            m_committed = true;
            std::printf("committed %s\n", r[QsoField::Call].constData());
            std::fflush(stdout);
        });
        connect(&m_notifier, &QSocketNotifier::activated, this, &Driver::readInput);
    }

private:
    void readInput() {
        char buffer[4096];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) {
            m_notifier.setEnabled(false);
            return;
        }
        m_pending.append(buffer, n);
        for (int end; (end = m_pending.indexOf('\n')) >= 0;) {
            const QString call = QString::fromLatin1(m_pending.left(end)).trimmed();
            m_pending.remove(0, end + 1);
            typeAndCommit(call);
        }
    }

    void typeAndCommit(const QString& call) {
        m_committed = false;
        m_navigator.showPage(Navigator::Page::Entry);
        m_entry.typeCall(call);
        // Return walks through the shown fields; a field that refuses stops the walk.
        for (int i = 0; i < 20 && !m_committed && m_window.focusWidget(); ++i)
            sendKey(m_window.focusWidget(), Qt::Key_Return, QStringLiteral("\r"));
    }

    QWidget& m_window;
    TEntryPage& m_entry;
    Navigator& m_navigator;
    QSocketNotifier m_notifier;
    QByteArray m_pending;
    bool m_committed = false;
};

} // namespace

void StdinDriver::attachIfAsked(QWidget& window, TEntryPage& entry, Navigator& navigator) {
    if (qEnvironmentVariableIsSet("DALU_STDIN_DRIVER"))
        new Driver(window, entry, navigator);
}
