#include "evaluationfilter.h"

#include "compactqso.h"
#include "cp1252.h"
#include "daluerror.h"
#include "germanformat.h"
#include "uitexts.h"

#include <limits>

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

// A number range bound: "*" or nothing stands for the open end.
std::optional<long long> numberBound(const QString& text, long long openEnd) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed == QLatin1String("*"))
        return openEnd;
    return GermanFormat::parseInteger(toCp1252(trimmed));
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
      m_start(numberBound(filter.startNumber, std::numeric_limits<long long>::min())),
      m_stop(numberBound(filter.stopNumber, std::numeric_limits<long long>::max())),
      m_today(QDate::currentDate()) {}

bool EvaluationSelection::selects(const CompactQso& qso, bool withTime, int line,
                                  SkippedQsos& skipped) const {
    auto field = [&qso](QsoField f) { return qso.field(static_cast<int>(f)); };
    if (!m_bands.contains(field(QsoField::Band)) || !m_modes.contains(field(QsoField::Mode)))
        return false;
    if (!m_start)
        throw DaluError(ConversionError::notANumber(m_startText));
    if (!m_stop)
        throw DaluError(ConversionError::notANumber(m_stopText));
    const QByteArrayView number = field(QsoField::Number);
    auto skip = [&](const QString& reason) {
        skipped.add(number, line, reason);
        return false;
    };
    const auto n = GermanFormat::parseInteger(number);
    if (!n)
        return skip(ConversionError::notANumber(fromCp1252(number)));
    if (*n < *m_start || *n > *m_stop)
        return false;
    const QByteArrayView dateText = field(QsoField::Date);
    const auto date = GermanFormat::parseDate(dateText, m_today);
    if (!date)
        return skip(ConversionError::notADate(fromCp1252(dateText)));
    // Beyond the span the date pickers start with no QSO can lie: a date such as 31.12.9999
    // is named rather than left out without a word. Made once: a date-time in local time
    // asks the system for its time zone.
    static const EvaluationFilter widest;
    if (*date < widest.from.date() || *date > widest.to.date())
        return skip(ConversionError::outsideSpan(fromCp1252(dateText)));
    QTime time(0, 0);
    if (withTime) {
        const QByteArrayView utc = field(QsoField::Utc);
        const auto t = GermanFormat::parseTime(utc);
        if (!t)
            return skip(ConversionError::notATime(fromCp1252(utc)));
        time = *t;
    }
    return inRange(keyOf(*date, time));
}

void SkippedQsos::add(QByteArrayView number, int line, const QString& reason) {
    if (count++ < kListed)
        listed.append(
            uiText("QSO %1 (Zeile %2): %3").arg(fromCp1252(number)).arg(line).arg(reason));
}

QStringList SkippedQsos::report() const {
    if (count == 0)
        return {};
    QStringList lines{
        uiText("%1 QSOs konnten nicht gelesen werden und fehlen in der Auswertung:").arg(count)};
    lines += listed;
    if (count > listed.size())
        lines.append(uiText("... und %1 weitere").arg(count - listed.size()));
    return lines;
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

QString outsideSpan(const QString& text) {
    const EvaluationFilter widest;
    return uiText("Das Datum \"%1\" liegt au\u00dferhalb von %2 bis %3.")
        .arg(text, QString::fromLatin1(GermanFormat::formatDate(widest.from.date())),
             QString::fromLatin1(GermanFormat::formatDate(widest.to.date())));
}

} // namespace ConversionError
