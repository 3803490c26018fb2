#include "stdindriver.h"

#include "entrypage.h"
#include "mainform.h"
#include "qsorecord.h"

#include <QApplication>
#include <QKeyEvent>
#include <QSocketNotifier>
#include <QTabWidget>

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
    explicit Driver(TMainForm& form)
        : QObject(&form), m_form(form), m_notifier(STDIN_FILENO, QSocketNotifier::Read) {
        connect(form.entryPage, &TEntryPage::qsoCommitted, this, [this](const TQsoRecord& r) {
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
        m_form.MainPageControl->setCurrentWidget(m_form.EingabeTS);
        m_form.entryPage->typeCall(call);
        // Return walks through the shown fields; a field that refuses stops the walk.
        for (int i = 0; i < 20 && !m_committed && m_form.focusWidget(); ++i)
            sendKey(m_form.focusWidget(), Qt::Key_Return, QStringLiteral("\r"));
    }

    TMainForm& m_form;
    QSocketNotifier m_notifier;
    QByteArray m_pending;
    bool m_committed = false;
};

} // namespace

void StdinDriver::attachIfAsked(TMainForm& form) {
    if (qEnvironmentVariableIsSet("DALU_STDIN_DRIVER"))
        new Driver(form);
}
