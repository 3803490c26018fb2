#include "evaluationfilter.h"

#include "cp1252.h"
#include "daluerror.h"
#include "germanformat.h"
#include "uitexts.h"

namespace {

char upperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool isBlank(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 1 && u <= 32;
}

// A quoted item: to the matching quote, a doubled quote standing for one.
QByteArray quotedItem(const QByteArray& text, qsizetype& pos) {
    QByteArray item;
    ++pos;
    while (pos < text.size()) {
        if (text[pos] == '"') {
            if (pos + 1 < text.size() && text[pos + 1] == '"') {
                item += '"';
                pos += 2;
                continue;
            }
            ++pos;
            break;
        }
        item += text[pos++];
    }
    return item;
}

// Milliseconds on a time line without zones, so no date-time falls into a clock change.
qint64 keyOf(QDate date, QTime time) {
    return date.toJulianDay() * 86400000 + time.msecsSinceStartOfDay();
}

qint64 keyOf(const QDateTime& dt) {
    return keyOf(dt.date(), dt.time());
}

} // namespace

DelimitedList::DelimitedList(QByteArrayView listText, char delimiter) {
    QByteArray text;
    for (char c : listText) {
        if (c == '\0')
            break; // the list ends at a NUL, as a C string would
        text += upperAscii(c);
    }
    qsizetype pos = 0;
    auto skipBlanks = [&] {
        while (pos < text.size() && isBlank(text[pos]))
            ++pos;
    };
    skipBlanks();
    while (pos < text.size()) {
        if (text[pos] == '"') {
            m_items.append(quotedItem(text, pos));
        } else {
            const qsizetype start = pos;
            while (pos < text.size() && !isBlank(text[pos]) && text[pos] != delimiter)
                ++pos;
            m_items.append(text.mid(start, pos - start));
        }
        skipBlanks();
        if (pos < text.size() && text[pos] == delimiter) {
            if (pos + 1 == text.size())
                m_items.append(QByteArray()); // a delimiter at the very end
            ++pos;
            skipBlanks();
        }
    }
    m_all = m_items.contains(QByteArray("*"));
}

bool DelimitedList::contains(QByteArrayView value) const {
    if (m_all)
        return true;
    while (!value.isEmpty() && static_cast<unsigned char>(value.front()) < 33)
        value = value.sliced(1);
    while (!value.isEmpty() && static_cast<unsigned char>(value.back()) < 33)
        value.chop(1);
    for (const QByteArray& item : m_items) {
        if (item.size() != value.size())
            continue;
        bool equal = true;
        for (qsizetype i = 0; equal && i < value.size(); ++i)
            equal = upperAscii(value[i]) == item[i];
        if (equal)
            return true;
    }
    return false;
}

bool InDelimitedText(const QString& listText, const QString& value, QChar delimiter) {
    return DelimitedList(toCp1252(listText), toCp1252(QString(delimiter)).front())
        .contains(toCp1252(value));
}

EvaluationSelection::EvaluationSelection(const EvaluationFilter& filter)
    : m_bands(toCp1252(filter.bands), ','), m_modes(toCp1252(filter.modes), ','),
      m_from(keyOf(filter.from)), m_to(keyOf(filter.to)), m_startText(filter.startNumber),
      m_stopText(filter.stopNumber),
      m_start(GermanFormat::parseInteger(toCp1252(filter.startNumber))),
      m_stop(GermanFormat::parseInteger(toCp1252(filter.stopNumber))),
      m_today(QDate::currentDate()) {}

bool EvaluationSelection::numberSelected(QByteArrayView number) const {
    if (!m_start)
        throw DaluError(ConversionError::notANumber(m_startText));
    if (!m_stop)
        throw DaluError(ConversionError::notANumber(m_stopText));
    const auto n = GermanFormat::parseInteger(number);
    if (!n)
        throw DaluError(ConversionError::notANumber(fromCp1252(number)));
    return *m_start <= *n && *m_stop >= *n;
}

bool EvaluationSelection::dateSelected(QByteArrayView date) const {
    const auto d = GermanFormat::parseDate(date, m_today);
    if (!d)
        throw DaluError(ConversionError::notADate(fromCp1252(date)));
    return inRange(keyOf(*d, QTime(0, 0)));
}

bool EvaluationSelection::dateTimeSelected(QByteArrayView date, QByteArrayView utc) const {
    const auto d = GermanFormat::parseDate(date, m_today);
    if (!d)
        throw DaluError(ConversionError::notADate(fromCp1252(date)));
    const auto t = GermanFormat::parseTime(utc);
    if (!t)
        throw DaluError(ConversionError::notATime(fromCp1252(utc)));
    return inRange(keyOf(*d, *t));
}

namespace ConversionError {

QString notANumber(const QString& text) {
    return uiText("\"%1\" ist keine g\u00fcltige ganze Zahl.").arg(text);
}

QString notADate(const QString& text) {
    return uiText("\"%1\" ist kein g\u00fcltiges Datum (dd.mm.yyyy).").arg(text);
}

QString notATime(const QString& text) {
    return uiText("\"%1\" ist keine g\u00fcltige Uhrzeit (hh:nn:ss).").arg(text);
}

} // namespace ConversionError
