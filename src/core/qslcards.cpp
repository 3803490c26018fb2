#include "qslcards.h"

#include "daluerror.h"
#include "germanformat.h"
#include "logfile.h"
#include "meminifile.h"
#include "settingskeys.h"
#include "uitexts.h"

#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <deque>

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

// The attributes that decide whether two QSOs with the same call need one card only. The
// views point into the QSOs, or into normalised dates kept for the length of one list.
struct CardKey {
    QByteArrayView call, band, mode, date;
    bool operator==(const CardKey& o) const {
        return call == o.call && band == o.band && mode == o.mode && date == o.date;
    }
};

size_t qHash(const CardKey& k, size_t seed = 0) {
    return qHashMulti(seed, k.call, k.band, k.mode, k.date);
}

class CardKeys {
public:
    CardKeys(const CardRule& rule) : m_rule(rule), m_today(QDate::currentDate()) {}

    CardKey of(const CompactQso& qso) {
        CardKey key{fieldOf(qso, QsoField::Call), {}, {}, {}};
        if (m_rule.band)
            key.band = fieldOf(qso, QsoField::Band);
        if (m_rule.mode)
            key.mode = fieldOf(qso, QsoField::Mode);
        if (m_rule.day || m_rule.year)
            key.date = dateKey(fieldOf(qso, QsoField::Date));
        return key;
    }

private:
    // The calendar day (or year) of a date; a date that cannot be read counts as it stands.
    QByteArrayView dateKey(QByteArrayView text) {
        if (isCanonicalDate(text))
            return m_rule.day ? text : text.sliced(6);
        const std::optional<QDate> date = GermanFormat::parseDate(text, m_today);
        if (!date)
            return text;
        m_normalised.push_back(m_rule.day ? GermanFormat::formatDate(*date)
                                          : QByteArray::number(date->year()));
        return m_normalised.back();
    }

    CardRule m_rule;
    QDate m_today;
    std::deque<QByteArray> m_normalised; // stays where it is while views point into it
};

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
    CardKeys keys(rule);
    const CardKey key = keys.of(qso);
    return std::none_of(earlier.begin(), earlier.end(),
                        [&](const CompactQso& e) { return keys.of(e) == key; });
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
    QSet<CardKey> seen;
    CardKeys keys(rule);
    if (rule.firstQso)
        seen.reserve(qsos.size());
    for (qsizetype i = 0; i < qsos.size(); ++i) {
        const CompactQso& qso = qsos.at(i);
        bool needed = true;
        if (rule.firstQso) {
            const qsizetype before = seen.size();
            seen.insert(keys.of(qso));
            needed = seen.size() > before;
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
        throw DaluError(uiText("QSO %1 des Logs \"%2\" ist nicht mehr das dort gelistete QSO; "
                               "nichts wurde geschrieben. Bitte die Liste neu erstellen.")
                            .arg(position)
                            .arg(name));
    record = marked(std::move(record), mark, today);
    if (!log.ReplaceRecord(record, position))
        throw DaluError(uiText("Das Log \"%1\" enth\u00e4lt kein QSO %2 mehr; nichts wurde "
                               "geschrieben.")
                            .arg(name)
                            .arg(position));
    return record;
}

} // namespace QslCards
