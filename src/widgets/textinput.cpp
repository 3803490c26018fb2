#include "textinput.h"

#include "cp1252.h"
#include "maskrules.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QValidator>

#include <algorithm>

namespace {

// Whatever reaches the text (a key, a paste, a drop, the program) is made storable here, so
// a typed letter and the same letter pasted give the same text.
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
    return key->text().contains(QLatin1Char(';'));
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
    const QString typed = event->text();
    if (std::any_of(typed.begin(), typed.end(), [](QChar c) { return !cp1252CanHold(c); })) {
        insertPlainText(MaskRules::storableText(typed, false));
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TCommentsMemo::insertFromMimeData(const QMimeData* source) {
    if (source->hasText())
        insertPlainText(MaskRules::storableText(source->text(), false));
}
