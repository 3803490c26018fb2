#pragma once

// For window tests: answers the next modal dialog (message box, input box) once it shows.
#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>

namespace ModalDialogs {

// Calls action with the modal widget as soon as one is shown (polls every 10 ms, 5 s).
inline void onNextModal(std::function<void(QWidget*)> action) {
    auto attempts = std::make_shared<int>(0);
    auto timer = new QTimer(qApp);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, attempts, action] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            action(modal);
        } else if (++*attempts > 500) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
}

// Records the text of the next message box and presses the given button.
inline void answerMessageBox(QString* text, QMessageBox::StandardButton button = QMessageBox::Ok) {
    onNextModal([text, button](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        if (!box)
            return;
        if (text)
            *text = box->text();
        if (QAbstractButton* b = box->button(button))
            b->click();
        else
            box->reject();
    });
}

// Types the answer into the next input box and confirms it.
inline void answerInputDialog(const QString& answer) {
    onNextModal([answer](QWidget* w) {
        if (auto* input = qobject_cast<QInputDialog*>(w)) {
            input->setTextValue(answer);
            input->accept();
        }
    });
}

} // namespace ModalDialogs
