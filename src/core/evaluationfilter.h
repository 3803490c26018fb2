#pragma once

#include "confirmations.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class CompactQso;

// The band and mode lists of the evaluation pages: items separated by the delimiter or by
// blanks and control characters, quoted items allowed; "*" selects everything.
class DelimitedList {
public:
    DelimitedList(QByteArrayView listText, char delimiter);
    // The value, trimmed and upper-cased (a to z), equals an item, or an item is "*".
    bool contains(QByteArrayView value) const;
    const QList<QByteArray>& items() const { return m_items; }

private:
    QList<QByteArray> m_items; // upper-cased
    bool m_all = false;
};

// Whether value is selected by the list text; both compared upper-cased (a to z).
bool InDelimitedText(const QString& listText, const QString& value, QChar delimiter);

// What the filters of the locator, DOK and DXCC evaluations select. The date-times are
// compared as they stand, without time zones.
struct EvaluationFilter {
    QString bands = QStringLiteral("*");
    QString modes = QStringLiteral("*");
    QDateTime from{QDate(1800, 1, 1), QTime(0, 0)};
    QDateTime to{QDate(2200, 1, 1), QTime(23, 59, 59, 999)};
    // "*" or nothing: no bound on that side, so the default covers the whole log.
    QString startNumber = QStringLiteral("1");
    QString stopNumber = QStringLiteral("*");
    // What counts as confirmed besides a paper card.
    ConfirmedBy confirmedBy;

    // A date picker means the whole day: from its start, or to its end.
    static QDateTime startOfDay(QDate date) { return {date, QTime(0, 0)}; }
    static QDateTime endOfDay(QDate date) { return {date, QTime(23, 59, 59, 999)}; }
};

// The QSOs an evaluation left out because it cannot place them, named as the imports name
// the records they skip: by "#" and by line of the log file.
struct SkippedQsos {
    static constexpr int kListed = 20; // named one by one; the rest only counted
    QStringList listed;                // "QSO 7 (line 8): ..." in log order
    qint64 count = 0;

    void add(QByteArrayView number, int line, const QString& reason);
    // A heading with the count, the named ones, then "... and N more"; empty when none.
    QStringList report() const;
};

// The filter prepared for one pass over the log. A band, mode or number text of the filter
// that cannot be read throws DaluError with the standard conversion message; it is read
// only when a QSO gets that far, so an unreadable one in an empty log goes unnoticed.
class EvaluationSelection {
public:
    explicit EvaluationSelection(const EvaluationFilter& filter);

    // Whether the filter selects the QSO read from the given line: by band, mode, number and
    // date, with withTime its UTC time too (else the date at 0:00). A QSO of a selected band
    // and mode whose number, date or time cannot be read, or whose date lies outside the
    // filter's default span, is not selected but added to skipped.
    bool selects(const CompactQso& qso, bool withTime, int line, SkippedQsos& skipped) const;

private:
    bool inRange(qint64 key) const { return key >= m_from && key <= m_to; }

    DelimitedList m_bands;
    DelimitedList m_modes;
    qint64 m_from;
    qint64 m_to;
    QString m_startText;
    QString m_stopText;
    std::optional<long long> m_start;
    std::optional<long long> m_stop;
    QDate m_today;
};

namespace ConversionError {
// The standard conversion messages, naming the text.
QString notANumber(const QString& text);
QString notADate(const QString& text);
QString notATime(const QString& text);
// A readable date outside the span the date pickers start with.
QString outsideSpan(const QString& text);
} // namespace ConversionError
