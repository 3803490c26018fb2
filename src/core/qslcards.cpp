#include "qslcards.h"

#include "daluerror.h"
#include "germanformat.h"
#include "logfile.h"
#include "meminifile.h"
#include "settingskeys.h"
#include "uitexts.h"

#include <QFileInfo>

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

// FNV-1a over the attributes, each ended by a byte no text holds.
quint64 fingerprint(const CardKey& key) {
    quint64 h = 14695981039346656037ull;
    for (QByteArrayView part : {key.call, key.band, key.mode, key.date}) {
        for (char c : part)
            h = (h ^ quint8(c)) * 1099511628211ull;
        h = (h ^ 0xFFu) * 1099511628211ull;
    }
    return h == 0 ? 1 : h;
}

// Slot of an open-addressing table of size mask + 1 where a fingerprint starts looking.
qsizetype firstSlot(quint64 fingerprint, qsizetype mask) {
    return qsizetype((fingerprint * 0x9E3779B97F4A7C15ull) >> 1) & mask;
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
    // Every QSO counts as an earlier one for those after it, listed or not. The first QSO of
    // each key is found by its fingerprint in a flat table (a million keys stay in the
    // processor's reach) and compared exactly.
    struct Slot {
        quint64 fingerprint = 0;
        qsizetype first = 0; // index of the first QSO with the key
    };
    QList<Slot> table;
    CardKeys keys(rule);
    qsizetype mask = 0;
    if (rule.firstQso) {
        qsizetype size = 1024;
        while (size < 2 * qsos.size())
            size *= 2;
        table.resize(size);
        mask = size - 1;
    }
    for (qsizetype i = 0; i < qsos.size(); ++i) {
        const CompactQso& qso = qsos.at(i);
        bool needed = true;
        if (rule.firstQso) {
            const CardKey key = keys.of(qso);
            const quint64 f = fingerprint(key);
            for (qsizetype s = firstSlot(f, mask);; s = (s + 1) & mask) {
                if (table[s].fingerprint == 0) {
                    table[s] = {f, i};
                    break;
                }
                if (table[s].fingerprint == f && keys.of(qsos.at(table[s].first)) == key) {
                    needed = false;
                    break;
                }
            }
        }
        if (needed && listable(qso))
            positions.append(int(i) + 1);
    }
    return positions;
}

OutListStream::OutListStream(const CardRule& rule)
    : m_rule(rule), m_today(QDate::currentDate()), m_slots(1024) {}

bool OutListStream::listed(const CompactQso& qso) {
    bool needed = true;
    if (m_rule.firstQso) {
        CardKeys keys(m_rule); // dates it normalises are kept for this QSO only
        needed = insert(fingerprint(keys.of(qso)));
    }
    return needed && listable(qso);
}

bool OutListStream::insert(quint64 fingerprint) {
    if (2 * (m_used + 1) > m_slots.size()) {
        const QList<quint64> old = std::exchange(m_slots, QList<quint64>(m_slots.size() * 2));
        m_used = 0;
        for (quint64 f : old)
            if (f != 0)
                insert(f);
    }
    const qsizetype mask = m_slots.size() - 1;
    for (qsizetype i = firstSlot(fingerprint, mask);; i = (i + 1) & mask) {
        if (m_slots[i] == fingerprint)
            return false;
        if (m_slots[i] == 0) {
            m_slots[i] = fingerprint;
            ++m_used;
            return true;
        }
    }
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

TQsoRecord markListed(const TQsoRecord& record, int position, const CompactQso& listed, Mark mark,
                      QDate today, const QString& logName) {
    bool same = true;
    for (QsoField f : {QsoField::Number, QsoField::Date, QsoField::Utc, QsoField::Call})
        same = same && record[f] == fieldOf(listed, f);
    if (!same)
        throw DaluError(uiText("QSO %1 des Logs \"%2\" ist nicht mehr das dort gelistete QSO; "
                               "nichts wurde geschrieben. Bitte die Liste neu erstellen.")
                            .arg(position)
                            .arg(logName));
    return marked(record, mark, today);
}

TQsoRecord markInLog(TLogFile& log, int position, const CompactQso& listed, Mark mark,
                     QDate today) {
    const QString name = QFileInfo(log.FileName()).fileName();
    TQsoRecord record;
    if (position < 1 || !log.ReadRecordAt(record, position))
        record = {};
    record = markListed(record, position, listed, mark, today, name);
    if (!log.ReplaceRecord(record, position))
        throw DaluError(uiText("Das Log \"%1\" enth\u00e4lt kein QSO %2 mehr; nichts wurde "
                               "geschrieben.")
                            .arg(name)
                            .arg(position));
    return record;
}

} // namespace QslCards
