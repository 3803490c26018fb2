#include "functionkeys.h"

#include "uitexts.h"

namespace FunctionKeys {

namespace {

// German, as the interface is by default; the English names come from the text table.
const char* const kShortNames[kFieldCount] = {"Datum", "UTC",    "Band",     "Mode",
                                              "DOK",   "Locat.", "Leistung", "QTH",
                                              "Name",  "Bem.",   "QSL Out",  "QSL In"};
const char* const kLongNames[kFieldCount] = {"Datum", "UTC",         "Band",     "Mode",
                                             "DOK",   "Locator",     "Leistung", "QTH",
                                             "Name",  "Bemerkungen", "QSL Out",  "QSL In"};

} // namespace

int fieldIndex(QChar letter) {
    const char c = letter.toLatin1();
    return c >= 'a' && c <= 'l' ? c - 'a' : -1;
}

QString shortName(QChar letter) {
    const int i = fieldIndex(letter);
    return i < 0 ? QString() : uiText(kShortNames[i]);
}

QString quotedName(QChar letter) {
    const int i = fieldIndex(letter);
    return i < 0 ? QString() : QLatin1Char('\'') + uiText(kLongNames[i]) + QLatin1Char('\'');
}

QString shortList(const QString& letters) {
    QStringList names;
    for (const QChar c : letters)
        names.append(shortName(c));
    return names.join(QStringLiteral(", "));
}

QString quotedList(const QString& letters, const QString& andWord) {
    QString out;
    const qsizetype n = letters.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0)
            out += i == n - 1 ? andWord : QStringLiteral(", ");
        out += quotedName(letters.at(i));
    }
    return out;
}

KeyOfField applyBindingRule(KeyOfField keys, int chosenField) {
    QList<int> order;
    for (const char* e = kExclusiveLetters; *e; ++e) {
        if (*e - 'a' != chosenField)
            order.append(*e - 'a');
    }
    if (chosenField >= 0 && QByteArray(kExclusiveLetters).contains(char('a' + chosenField)))
        order.append(chosenField);
    for (const int field : order) {
        if (keys[field] == 0)
            continue;
        for (int other = 0; other < kFieldCount; ++other) {
            if (other != field && keys[other] == keys[field]) {
                keys[field] = 0;
                break;
            }
        }
    }
    return keys;
}

ButtonTexts buttonTexts(const KeyOfField& keys) {
    ButtonTexts texts;
    for (int field = 0; field < kFieldCount; ++field) {
        if (keys[field] >= 1 && keys[field] <= kKeyCount)
            texts[keys[field] - 1] += QLatin1Char(kFieldLetters[field]);
    }
    return texts;
}

KeyOfField keysOfButtons(const ButtonTexts& texts) {
    KeyOfField keys{};
    for (int key = 1; key <= kKeyCount; ++key) {
        for (const QChar c : texts[key - 1]) {
            const int field = fieldIndex(c);
            if (field >= 0)
                keys[field] = key;
        }
    }
    return keys;
}

QString caption(int key, const QString& letters) {
    return QStringLiteral("F%1: ").arg(key) + shortList(letters);
}

QString hint(int key, const QString& letters, const QString& hintBefore, const QString& hintAfter,
             const QString& andWord) {
    return QStringLiteral("F%1: ").arg(key) + hintBefore + QLatin1Char(' ') +
           quotedList(letters, andWord) + QLatin1Char(' ') + hintAfter;
}

QStringList shortcutLines(const ShortcutTexts& texts, const ButtonTexts& buttons) {
    QStringList lines = texts.head;
    for (int key = 1; key <= kKeyCount; ++key) {
        const QString& value = buttons[key - 1];
        if (value.isEmpty())
            continue;
        lines.append(QStringLiteral("[F%1]").arg(key) +
                     (key < 10 ? QStringLiteral(" ") : QString()) + texts.keyBefore +
                     quotedList(value, texts.andWord) + texts.keyAfter);
    }
    return lines;
}

int captionWidth(int panelWidth) {
    return (panelWidth - 16) / 12;
}

int captionLeft(int key, int width) {
    return 8 + (key - 1) * width;
}

} // namespace FunctionKeys
