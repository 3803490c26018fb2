#include "modaldialogs.h"

#include <QFileDialog>
#include <QTest>
#include <QThread>

namespace ModalDialogs {

namespace {

struct Pending {
    QByteArray test; // the test function and data row that expects the window
    std::function<bool(QWidget*)> accepts;
    std::function<void(QWidget*)> action;
};

QList<Pending> g_pending;
int g_expecting = 0;
MessageBoxLog* g_log = nullptr;

QByteArray currentTest() {
    return QByteArray(QTest::currentTestFunction()) + '/' + QTest::currentDataTag();
}

void closeModal(QWidget* modal) {
    if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->done(QDialog::Rejected); // also closes windows whose reject() is disabled
    else
        modal->close();
}

// Runs inside every event loop, the nested loop of a modal window included.
void check() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible())
        return;
    const QByteArray test = currentTest();
    while (!g_pending.isEmpty() && g_pending.first().test != test)
        g_pending.removeFirst(); // left over from an earlier test function
    for (int i = 0; i < g_pending.size(); ++i) {
        if (g_pending[i].accepts(modal))
            return g_pending.takeAt(i).action(modal);
    }
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box && g_log) {
        g_log->texts.append(box->text());
        return box->reject();
    }
    // A modal window the test merely shows does not block it; one in its own loop does.
    if (g_expecting > 0 || QThread::currentThread()->loopLevel() == 0)
        return;
    closeModal(modal);
    const QString why = QStringLiteral("unexpected modal window %1 \"%2\" %3")
                            .arg(QLatin1String(modal->metaObject()->className()),
                                 modal->windowTitle(), box ? box->text() : QString());
    QTest::qFail(qPrintable(why), __FILE__, __LINE__);
}

template <typename W> void onNext(std::function<void(W*)> action) {
    g_pending.append({currentTest(), [](QWidget* w) { return qobject_cast<W*>(w) != nullptr; },
                      [action](QWidget* w) { action(qobject_cast<W*>(w)); }});
}

void installGuard() {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    auto* timer = new QTimer(QCoreApplication::instance());
    QObject::connect(timer, &QTimer::timeout, check);
    timer->start(10);
}

} // namespace

void onNextModal(std::function<void(QWidget*)> action) {
    g_pending.append({currentTest(), [](QWidget*) { return true; }, std::move(action)});
}

void answerMessageBox(QString* text, QMessageBox::StandardButton button) {
    onNext<QMessageBox>([text, button](QMessageBox* box) {
        if (text)
            *text = box->text();
        if (QAbstractButton* b = box->button(button))
            b->click();
        else
            box->reject();
    });
}

QString messageOf(const std::function<void()>& action, QMessageBox::StandardButton button) {
    QString text;
    answerMessageBox(&text, button);
    action();
    return text;
}

void answerInputDialog(const QString& answer) {
    onNext<QInputDialog>([answer](QInputDialog* input) {
        input->setTextValue(answer);
        input->accept();
    });
}

void answerFileDialog(const QString& file, QString* title) {
    onNext<QFileDialog>([file, title](QFileDialog* dialog) {
        if (title)
            *title = dialog->windowTitle();
        dialog->selectFile(file);
        static_cast<QDialog*>(dialog)->accept();
    });
}

void cancelNextModal() {
    onNextModal(closeModal);
}

Expecting::Expecting() : m_expecting(g_expecting, g_expecting + 1) {}

MessageBoxLog::MessageBoxLog() : m_log(g_log, this) {}

Q_COREAPP_STARTUP_FUNCTION(installGuard)

} // namespace ModalDialogs
