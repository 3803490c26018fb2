#include "qsocounts.h"

#include "bandmode.h"
#include "cp1252.h"
#include "logfile.h"

#include <algorithm>
#include <numeric>

namespace {

int indexOf(QList<QByteArray>& texts, QByteArrayView text) {
    for (qsizetype i = 0; i < texts.size(); ++i) {
        if (texts[i] == text)
            return int(i);
    }
    texts.append(text.toByteArray());
    return int(texts.size() - 1);
}

} // namespace

void QsoCounts::add(QByteArrayView band, QByteArrayView mode, bool isConfirmed) {
    const qsizetype bandCount = bands.size();
    const qsizetype modeCount = modes.size();
    const int column = indexOf(bands, band);
    const int row = indexOf(modes, mode);
    if (bands.size() != bandCount || modes.size() != modeCount) {
        for (QList<QList<int>>* table : {&all, &confirmed}) {
            table->resize(modes.size());
            for (QList<int>& counts : *table)
                counts.resize(bands.size());
        }
    }
    ++all[row][column];
    if (isConfirmed)
        ++confirmed[row][column];
}

void QsoCounts::count(const QsoSource& log, QsoCounts& counts, const ConfirmedBy& confirmedBy) {
    constexpr int kBand = static_cast<int>(QsoField::Band);
    constexpr int kMode = static_cast<int>(QsoField::Mode);
    constexpr int kQslIn = static_cast<int>(QsoField::QslIn);
    constexpr int kNumber = static_cast<int>(QsoField::Number);
    log.forEach([&](const CompactQso& qso, int) {
        counts.add(qso.field(kBand), qso.field(kMode),
                   confirmedBy(qso.field(kNumber), qso.field(kQslIn)));
    });
}

namespace {

// The positions of texts in the order of a table (rank), texts outside it last, each kind
// in the order of first occurrence.
QList<qsizetype> ordered(const QList<QByteArray>& texts, int (*rank)(const QString&)) {
    QList<qsizetype> order(texts.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        return rank(fromCp1252(texts[a])) < rank(fromCp1252(texts[b]));
    });
    return order;
}

// From the longest wave (2200m) to the shortest, as the band lists go.
int bandRank(const QString& band) {
    const int index = BandMode::TextToBandIndex(band);
    return index == BandMode::kOtherBand ? index : BandMode::kOtherBand - 1 - index;
}

int modeRank(const QString& mode) {
    return BandMode::TextToModeIndex(mode);
}

} // namespace

QList<QStringList> countTable(const QsoCounts& counts, bool confirmedOnly,
                              const QString& totalCaption) {
    const QList<QList<int>>& cells = confirmedOnly ? counts.confirmed : counts.all;
    const QList<qsizetype> bands = ordered(counts.bands, bandRank);
    const QList<qsizetype> modes = ordered(counts.modes, modeRank);
    const qsizetype bandCount = counts.bands.size();
    QList<QStringList> table;
    QStringList heading{QString::fromLatin1(kCountCornerText)};
    for (qsizetype b : bands)
        heading.append(fromCp1252(counts.bands[b]));
    heading.append(totalCaption);
    table.append(heading);
    QList<qint64> columnSums(bandCount);
    qint64 grandTotal = 0;
    for (qsizetype m : modes) {
        QStringList row{fromCp1252(counts.modes[m])};
        qint64 rowSum = 0;
        for (qsizetype column = 0; column < bandCount; ++column) {
            const qsizetype b = bands[column];
            const int n = cells[m][b];
            row.append(QString::number(n));
            rowSum += n;
            columnSums[column] += n;
        }
        row.append(QString::number(rowSum));
        grandTotal += rowSum;
        table.append(row);
    }
    QStringList totals{totalCaption};
    for (qint64 sum : columnSums)
        totals.append(QString::number(sum));
    totals.append(QString::number(grandTotal));
    table.append(totals);
    return table;
}
