#include "dokevaluation.h"

#include "compactqso.h"
#include "cp1252.h"
#include "dok.h"
#include "logfile.h"

#include <QCollator>
#include <QHash>

#include <algorithm>

namespace DokEvaluation {

void evaluate(const QsoSource& log, const EvaluationFilter& filter, Lists& lists) {
    const EvaluationSelection selection(filter);
    QHash<QByteArray, bool> confirmedByDok;
    SkippedQsos skipped;
    auto collect = [&] {
        lists = {};
        lists.skipped = skipped;
        for (auto it = confirmedByDok.cbegin(); it != confirmedByDok.cend(); ++it)
            (it.value() ? lists.confirmed : lists.worked).append(it.key());
        sortCaseInsensitive(lists.worked);
        sortCaseInsensitive(lists.confirmed);
    };
    auto f = [](const CompactQso& q, QsoField field) { return q.field(static_cast<int>(field)); };
    try {
        log.forEach([&](const CompactQso& qso, int line) {
            const QByteArrayView dok = f(qso, QsoField::Dok);
            if (dok.isEmpty() || !selection.selects(qso, false, line, skipped))
                return;
            // Confirmed once, a DOK stays confirmed whatever follows.
            bool& confirmed = confirmedByDok[dok.toByteArray()];
            confirmed =
                confirmed || filter.confirmedBy(f(qso, QsoField::Number), f(qso, QsoField::QslIn));
        });
    } catch (...) {
        collect();
        throw;
    }
    collect();
}

Info info(const QString& dok, const QString& dokIniPath) {
    Info i;
    i.club = DokToOv(dok, dokIniPath);
    if (!i.isSpecial()) {
        i.district = DokToDistrikt(dok, dokIniPath);
        i.website = DokToWebsite(dok, dokIniPath);
    }
    return i;
}

} // namespace DokEvaluation

void sortCaseInsensitive(QStringList& texts) {
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(texts.begin(), texts.end(), [&](const QString& a, const QString& b) {
        const int order = collator.compare(a, b);
        return order != 0 ? order < 0 : a < b;
    });
}

void sortCaseInsensitive(QList<QByteArray>& texts) {
    QStringList shown;
    for (const QByteArray& t : texts)
        shown.append(fromCp1252(t));
    sortCaseInsensitive(shown);
    texts.clear();
    for (const QString& s : shown)
        texts.append(toCp1252(s));
}
