#include "modaldialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QInputDialog>
#include <QList>
#include <QPointer>
#include <QTest>
#include <QThread>
#include <QTimer>

namespace ModalDialogs {

namespace {

struct Pending {
    QByteArray test; // the test function and data row that expects the window
    std::function<bool(QWidget*)> accepts;
    std::function<void(QWidget*)> action;
};

QList<Pending>& pending() {
    static QList<Pending> list;
    return list;
}

int g_expecting = 0;

QByteArray currentTest() {
    return QByteArray(QTest::currentTestFunction()) + '/' + QTest::currentDataTag();
}

void closeModal(QWidget* modal) {
    if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->done(QDialog::Rejected); // also closes windows whose reject() is disabled
    else
        modal->close();
}

// Closes the modal window and fails the running test function.
void failAndClose(QWidget* modal, const QString& why) {
    closeModal(modal);
    QTest::qFail(qPrintable(why), __FILE__, __LINE__);
}

// Runs inside every event loop, the nested loop of a modal window included.
void check() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible())
        return;
    QList<Pending>& list = pending();
    const QByteArray test = currentTest();
    while (!list.isEmpty() && list.first().test != test)
        list.removeFirst(); // left over from an earlier test function
    for (int i = 0; i < list.size(); ++i) {
        if (list[i].accepts(modal)) {
            const Pending next = list.takeAt(i);
            next.action(modal);
            return;
        }
    }
    // A modal window the test merely shows does not block it; one in its own loop does.
    if (g_expecting > 0 || QThread::currentThread()->loopLevel() == 0)
        return;
    QString text;
    if (auto* box = qobject_cast<QMessageBox*>(modal))
        text = box->text();
    failAndClose(modal, QStringLiteral("unexpected modal window %1 \"%2\" %3")
                            .arg(QLatin1String(modal->metaObject()->className()),
                                 modal->windowTitle(), text));
}

void installGuard() {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    auto* timer = new QTimer(QCoreApplication::instance());
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, check);
    timer->start();
}

} // namespace

void onNextModal(std::function<void(QWidget*)> action) {
    pending().append({currentTest(), [](QWidget*) { return true; }, std::move(action)});
}

template <typename W> void onNext(std::function<void(W*)> action) {
    pending().append({currentTest(), [](QWidget* w) { return qobject_cast<W*>(w) != nullptr; },
                      [action](QWidget* w) { action(qobject_cast<W*>(w)); }});
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

void answerInputDialog(const QString& answer) {
    onNext<QInputDialog>([answer](QInputDialog* input) {
        input->setTextValue(answer);
        input->accept();
    });
}

void cancelNextModal() {
    onNextModal(closeModal);
}

Expecting::Expecting() {
    ++g_expecting;
}

Expecting::~Expecting() {
    --g_expecting;
}

} // namespace ModalDialogs

namespace {
void installModalGuard() {
    ModalDialogs::installGuard();
}
} // namespace

Q_COREAPP_STARTUP_FUNCTION(installModalGuard)
