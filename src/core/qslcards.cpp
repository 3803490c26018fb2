#include "qslcards.h"

#include "daluerror.h"
#include "germanformat.h"
#include "logfile.h"
#include "meminifile.h"
#include "settingskeys.h"

#include <QFileInfo>
#include <QSet>

namespace QslCards {

namespace {

QByteArrayView fieldOf(const CompactQso& qso, QsoField f) {
    return qso.field(static_cast<int>(f));
}

// "dd.mm.yyyy" as the program writes it, recognised without the cost of a full parse.
bool isCanonicalDate(QByteArrayView d) {
    if (d.size() != 10 || d[2] != '.' || d[5] != '.')
        return false;
    for (int i : {0, 1, 3, 4, 6, 7, 8, 9}) {
        if (d[i] < '0' || d[i] > '9')
            return false;
    }
    return true;
}

// The calendar day or year of a date as comparable text; a date that cannot be read is
// compared as it stands.
QByteArray dateKey(QByteArrayView text, bool dayOnly, QDate today) {
    if (isCanonicalDate(text))
        return (dayOnly ? text : text.sliced(6)).toByteArray();
    const std::optional<QDate> date = GermanFormat::parseDate(text, today);
    if (!date)
        return text.toByteArray();
    return dayOnly ? GermanFormat::formatDate(*date) : QByteArray::number(date->year());
}

// Two QSOs with the same call and the same key need only one card.
QByteArray cardKey(const CardRule& rule, const CompactQso& qso, QDate today) {
    QByteArray key = fieldOf(qso, QsoField::Call).toByteArray();
    key += '\x01';
    if (rule.band)
        key += fieldOf(qso, QsoField::Band);
    key += '\x01';
    if (rule.mode)
        key += fieldOf(qso, QsoField::Mode);
    key += '\x01';
    if (rule.day || rule.year)
        key += dateKey(fieldOf(qso, QsoField::Date), rule.day, today);
    return key;
}

bool listable(const CompactQso& qso) {
    return fieldOf(qso, QsoField::QslOut).isEmpty() &&
           !wantsNoCard(fieldOf(qso, QsoField::Comments));
}

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

} // namespace

CardRule loadRule(const TMemIniFile& ini) {
    using namespace SettingsKeys;
    return {read(ini, QslFirstQso), read(ini, QslBand), read(ini, QslMode), read(ini, QslDay),
            read(ini, QslYear)};
}

void saveRule(TMemIniFile& ini, const CardRule& rule) {
    using namespace SettingsKeys;
    write(ini, QslFirstQso, rule.firstQso);
    write(ini, QslBand, rule.band);
    write(ini, QslMode, rule.mode);
    write(ini, QslDay, rule.day);
    write(ini, QslYear, rule.year);
}

bool cardNeeded(const CardRule& rule, const CompactQso& qso, const QList<CompactQso>& earlier) {
    if (!rule.firstQso)
        return true;
    const QDate today = QDate::currentDate();
    const QByteArray key = cardKey(rule, qso, today);
    for (const CompactQso& e : earlier) {
        if (fieldOf(e, QsoField::Call) == fieldOf(qso, QsoField::Call) &&
            cardKey(rule, e, today) == key)
            return false;
    }
    return true;
}

bool wantsNoCard(QByteArrayView comments) {
    static constexpr char kMarker[] = "no qsl";
    constexpr qsizetype kLength = sizeof(kMarker) - 1;
    for (qsizetype start = 0; start + kLength <= comments.size(); ++start) {
        qsizetype i = 0;
        while (i < kLength && lowerAscii(comments[start + i]) == kMarker[i])
            ++i;
        if (i == kLength)
            return true;
    }
    return false;
}

QList<int> outList(const QList<CompactQso>& qsos, const CardRule& rule) {
    QList<int> positions;
    // Every QSO counts as an earlier one for those after it, listed or not.
    QSet<QByteArray> seen;
    if (rule.firstQso)
        seen.reserve(qsos.size());
    const QDate today = QDate::currentDate();
    for (qsizetype i = 0; i < qsos.size(); ++i) {
        const CompactQso& qso = qsos.at(i);
        bool needed = true;
        if (rule.firstQso) {
            const QByteArray key = cardKey(rule, qso, today);
            needed = !seen.contains(key);
            if (needed)
                seen.insert(key);
        }
        if (needed && listable(qso))
            positions.append(int(i) + 1);
    }
    return positions;
}

TQsoRecord marked(TQsoRecord record, Mark mark, QDate today) {
    if (mark == Mark::Sent) {
        record[QsoField::QslOut] = GermanFormat::formatDate(today);
    } else {
        QByteArray& comments = record[QsoField::Comments];
        comments += comments.isEmpty() ? "no QSL" : " / no QSL";
    }
    return record;
}

TQsoRecord markInLog(TLogFile& log, int position, const CompactQso& listed, Mark mark,
                     QDate today) {
    const QString name = QFileInfo(log.FileName()).fileName();
    TQsoRecord record;
    bool same = position >= 1 && log.ReadRecordAt(record, position);
    for (QsoField f : {QsoField::Number, QsoField::Date, QsoField::Utc, QsoField::Call})
        same = same && record[f] == fieldOf(listed, f);
    if (!same)
        throw DaluError(QStringLiteral("QSO %1 of the log \"%2\" is no longer the QSO listed "
                                       "there; nothing was written. Please build the list again.")
                            .arg(position)
                            .arg(name));
    record = marked(std::move(record), mark, today);
    if (!log.ReplaceRecord(record, position))
        throw DaluError(QStringLiteral("The log \"%1\" no longer holds QSO %2; nothing was "
                                       "written.")
                            .arg(name)
                            .arg(position));
    return record;
}

} // namespace QslCards
