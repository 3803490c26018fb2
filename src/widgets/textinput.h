#pragma once

#include <QPlainTextEdit>

class QLineEdit;

// The one input rule of the text fields of the entry mask and the edit page: a QSO is one
// line of Windows-1252 text with ";" between the fields. A typed ";" is refused with a beep;
// everything else, typed, pasted or dropped, is made storable the same way (line breaks
// become blanks, letters Windows-1252 cannot hold their base letter, the rest "?").
namespace TextInput {

void makeOneLine(QLineEdit* edit);

// Whether a key press carries the field separator; editing and navigation keys (Delete,
// Backspace, arrows, Home, End) always pass.
bool refusesKey(const QKeyEvent* key);

} // namespace TextInput

// The comments: the same rule, line breaks kept.
class TCommentsMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TCommentsMemo(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
};
