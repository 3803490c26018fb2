#include "textinput.h"

#include "maskrules.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QValidator>

namespace {

// Whatever reaches the text without a key press (paste, drop, the program) is made
// storable here.
class OneLineValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override {
        const QString clean = MaskRules::storableText(input, true);
        if (clean != input) {
            pos = int(MaskRules::storableText(input.left(pos), true).size());
            input = clean;
        }
        return Acceptable;
    }
};

class KeyFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress &&
            TextInput::refusesKey(static_cast<QKeyEvent*>(event))) {
            QApplication::beep();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

namespace TextInput {

bool refusesKey(const QKeyEvent* key) {
    for (const QChar c : key->text()) {
        if (c.isPrint() && !MaskRules::typeable(c))
            return true;
    }
    return false;
}

void makeOneLine(QLineEdit* edit) {
    edit->setValidator(new OneLineValidator(edit));
    edit->installEventFilter(new KeyFilter(edit));
}

} // namespace TextInput

TCommentsMemo::TCommentsMemo(QWidget* parent) : QPlainTextEdit(parent) {}

void TCommentsMemo::keyPressEvent(QKeyEvent* event) {
    if (TextInput::refusesKey(event)) {
        QApplication::beep();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TCommentsMemo::insertFromMimeData(const QMimeData* source) {
    if (source->hasText())
        insertPlainText(MaskRules::storableText(source->text(), false));
}
