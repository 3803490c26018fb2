#include "dxccevaluation.h"

#include "compactqso.h"
#include "cp1252.h"
#include "daluerror.h"
#include "logfile.h"
#include "qsosearch.h"
#include "uitexts.h"

#include <QCollator>
#include <QFile>
#include <QHash>

#include <algorithm>

namespace DxccEvaluation {

namespace {

// Entries by case-folded name: one per entity, the list's lookups compare without case.
class EntryIndex {
public:
    explicit EntryIndex(const QList<Entry>& entries = {}) {
        for (const Entry& e : entries)
            m_entries.insert(e.name.toCaseFolded(), e);
    }
    // Raises an entity to state, or adds it; a state never goes down.
    void raise(const QString& name, State state) {
        const auto found = m_entries.find(name.toCaseFolded());
        if (found == m_entries.end())
            m_entries.insert(name.toCaseFolded(), {name, state});
        else if (state > found->state)
            *found = {name, state};
    }
    QList<Entry> sorted() const {
        QList<Entry> list = m_entries.values();
        sort(list);
        return list;
    }

private:
    QHash<QString, Entry> m_entries;
};

} // namespace

Worked evaluate(const QsoSource& log, const EvaluationFilter& filter, const QString& dxccIniPath) {
    const EvaluationSelection selection(filter);
    QsoSearch::DxccCache dxcc(dxccIniPath);
    // By the entity's bytes first: names are decoded and compared without case once per
    // entity, not once per QSO.
    QHash<QByteArray, State> stateByEntity;
    Worked worked;
    auto f = [](const CompactQso& q, QsoField field) { return q.field(static_cast<int>(field)); };
    log.forEach([&](const CompactQso& qso, int line) {
        if (!selection.selects(qso, false, line, worked.skipped))
            return;
        const QByteArrayView call = f(qso, QsoField::Call);
        if (call.size() < 3) {
            worked.shortCalls.append({call.toByteArray(), f(qso, QsoField::Number).toByteArray()});
            return;
        }
        const QByteArray entity = dxcc.entityOf(call);
        if (entity.isEmpty())
            return;
        const State state = filter.confirmedBy(f(qso, QsoField::Number), f(qso, QsoField::QslIn))
                                ? State::Confirmed
                                : State::Worked;
        const auto found = stateByEntity.find(entity);
        if (found == stateByEntity.end())
            stateByEntity.insert(entity, state);
        else
            *found = std::max(*found, state);
    });
    EntryIndex index;
    for (auto it = stateByEntity.cbegin(); it != stateByEntity.cend(); ++it)
        index.raise(fromCp1252(it.key()), it.value());
    worked.entries = index.sorted();
    return worked;
}

QList<Entry> withAllEntities(const QList<Entry>& worked, const QByteArray& content) {
    QList<QByteArray> lines = content.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the line end of the last line starts no line of its own
    qsizetype first = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].endsWith('\r'))
            lines[i].chop(1);
        if (first < 0 && lines[i] == "[DXCC]")
            first = i + 1;
    }
    EntryIndex index(worked);
    if (first < 0)
        return index.sorted();
    // The name of a prefix is the value of its first line, keys compared without case;
    // only lines with "=" have a key. Names are taken as they stand, blanks and all.
    QHash<QString, QString> nameByKey;
    QList<QString> keys;
    for (qsizetype i = first; i < lines.size(); ++i) {
        const QString line = fromCp1252(lines[i]);
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        const QString key = eq < 0 ? QString() : line.left(eq).toCaseFolded();
        if (eq >= 0 && !nameByKey.contains(key))
            nameByKey.insert(key, line.mid(eq + 1));
        keys.append(key);
    }
    for (const QString& key : keys)
        index.raise(nameByKey.value(key), State::NotWorked);
    return index.sorted();
}

QList<Entry> withAllEntities(const QList<Entry>& worked, const QString& dxccIniPath) {
    QFile file(dxccIniPath);
    if (!file.open(QIODevice::ReadOnly))
        throw DaluError::io(uiText("Fehler beim \u00d6ffnen von"), dxccIniPath, file.errorString());
    return withAllEntities(worked, file.readAll());
}

int count(const QList<Entry>& entries, State state) {
    return int(std::count_if(entries.begin(), entries.end(),
                             [state](const Entry& e) { return e.state == state; }));
}

void sort(QList<Entry>& entries) {
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
        const QString x = a.sortText(), y = b.sortText();
        const int order = collator.compare(x, y);
        return order != 0 ? order < 0 : x < y;
    });
}

} // namespace DxccEvaluation
