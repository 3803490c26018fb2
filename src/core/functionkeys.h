#pragma once

#include <QString>
#include <QStringList>

#include <array>

// The function keys F1 to F12 and the mask fields bound to them: the captions and hints of
// the key row above the mask, the binding rule of the entry-order page and the lines of the
// shortcut window. Fields are named by their letters a (Date) to l (QSL in).
namespace FunctionKeys {

inline constexpr int kKeyCount = 12;
inline constexpr int kFieldCount = 12;
inline constexpr const char* kFieldLetters = "abcdefghijkl";
// Their key opens a pop-up editor, so it can serve no other field.
inline constexpr const char* kExclusiveLetters = "abcdg";

// By field: 0 for no key ("---"), else the key number 1 ... 12.
using KeyOfField = std::array<int, kFieldCount>;
// By key: the value of "BF1" ... "BF12", the letters bound to that key.
using ButtonTexts = std::array<QString, kKeyCount>;

// The field's position in letter order (0 ... 11), or -1 for no field letter.
int fieldIndex(QChar letter);
// "Date", "UTC", ..., "Locat.", "Cmnts.": the key captions' names.
QString shortName(QChar letter);
// "'Date'", ..., "'QSL In'": the names of hints and the shortcut window.
QString quotedName(QChar letter);
// Short names joined by ", "; a character that is no field letter still gets its separators.
QString shortList(const QString& letters);
// Quoted names joined by ", ", with andWord (as it stands) between the last two.
QString quotedList(const QString& letters, const QString& andWord);

// An exclusive field sharing its key with any other field loses it, checked in the order
// Date, UTC, Band, Mode, TX Pwr, the field just chosen (its index, or -1) last: so of two
// exclusive fields the one just chosen keeps the key, while an optional field always keeps
// it against an exclusive one.
KeyOfField applyBindingRule(KeyOfField keys, int chosenField = -1);
ButtonTexts buttonTexts(const KeyOfField& keys);
// Loading: the key of each field named in the texts; other characters are ignored.
KeyOfField keysOfButtons(const ButtonTexts& texts);

// "F7: " followed by the short list.
QString caption(int key, const QString& letters);
// "F7: ", hintBefore, " ", the quoted list, " ", hintAfter.
QString hint(int key, const QString& letters, const QString& hintBefore, const QString& hintAfter,
             const QString& andWord);

struct ShortcutTexts {
    QStringList head; // the fixed lines before the keys
    QString keyBefore;
    QString keyAfter;
    QString andWord;
};
// The head, then one line per bound key: "[F9] " or "[F10]", keyBefore, list, keyAfter.
QStringList shortcutLines(const ShortcutTexts& texts, const ButtonTexts& buttons);

// The key row over a panel of the given width: every caption as wide, from left 8.
int captionWidth(int panelWidth);
int captionLeft(int key, int width);

} // namespace FunctionKeys
