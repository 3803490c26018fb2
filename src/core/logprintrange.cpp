#include "logprintrange.h"

#include "cp1252.h"
#include "germanformat.h"
#include "uitexts.h"

#include <QHash>

namespace LogPrintRange {

QString Range::text() const {
    QStringList parts;
    if (firstNumber || lastNumber)
        parts.append(uiText("QSO %1 bis %2")
                         .arg(firstNumber ? QString::number(firstNumber) : QStringLiteral("1"),
                              lastNumber ? QString::number(lastNumber) : QStringLiteral("...")));
    if (from.isValid() || to.isValid())
        parts.append(
            uiText("%1 bis %2")
                .arg(from.isValid() ? QString::fromLatin1(GermanFormat::formatDate(from))
                                    : QString(),
                     to.isValid() ? QString::fromLatin1(GermanFormat::formatDate(to)) : QString()));
    return parts.isEmpty() ? uiText("alle QSOs") : parts.join(QStringLiteral(", "));
}

QList<int> select(const QList<CompactQso>& qsos, const Range& range) {
    QList<int> result;
    const bool byDate = range.from.isValid() || range.to.isValid();
    for (int i = 0; i < qsos.size(); ++i) {
        const CompactQso& q = qsos.at(i);
        if (range.firstNumber || range.lastNumber) {
            const auto n = GermanFormat::parseInteger(q.field(int(QsoField::Number)));
            if (!n || (range.firstNumber && *n < range.firstNumber) ||
                (range.lastNumber && *n > range.lastNumber))
                continue;
        }
        if (byDate) {
            const auto d = GermanFormat::parseDate(q.field(int(QsoField::Date)));
            if (!d || (range.from.isValid() && *d < range.from) ||
                (range.to.isValid() && *d > range.to))
                continue;
        }
        result.append(i);
    }
    return result;
}

QList<QPair<QString, int>> bandSums(const QList<CompactQso>& qsos, const QList<int>& selected) {
    QList<QPair<QString, int>> sums;
    QHash<QByteArray, int> at;
    for (int i : selected) {
        const QByteArray band = qsos.at(i).field(int(QsoField::Band)).toByteArray();
        auto it = at.find(band);
        if (it == at.end()) {
            it = at.insert(band, int(sums.size()));
            sums.append({fromCp1252(band), 0});
        }
        ++sums[*it].second;
    }
    return sums;
}

} // namespace LogPrintRange
