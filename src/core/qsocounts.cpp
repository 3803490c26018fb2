#include "qsocounts.h"

#include "cp1252.h"
#include "logfile.h"

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

void QsoCounts::count(TLogFile& log, QsoCounts& counts, const ConfirmedBy& confirmedBy) {
    constexpr int kBand = static_cast<int>(QsoField::Band);
    constexpr int kMode = static_cast<int>(QsoField::Mode);
    constexpr int kQslIn = static_cast<int>(QsoField::QslIn);
    constexpr int kNumber = static_cast<int>(QsoField::Number);
    log.forEachLine([&](const QByteArray& line, const QsoLine::FieldStarts& s) {
        auto field = [&](int i) {
            return QByteArrayView(line).sliced(s[i], std::max(0, s[i + 1] - 1 - s[i]));
        };
        counts.add(field(kBand), field(kMode), confirmedBy(field(kNumber), field(kQslIn)));
    });
}

QList<QStringList> countTable(const QsoCounts& counts, bool confirmedOnly,
                              const QString& totalCaption) {
    const QList<QList<int>>& cells = confirmedOnly ? counts.confirmed : counts.all;
    const qsizetype bandCount = counts.bands.size();
    QList<QStringList> table;
    QStringList heading{QString::fromLatin1(kCountCornerText)};
    for (const QByteArray& band : counts.bands)
        heading.append(fromCp1252(band));
    heading.append(totalCaption);
    table.append(heading);
    QList<qint64> columnSums(bandCount);
    qint64 grandTotal = 0;
    for (qsizetype m = 0; m < counts.modes.size(); ++m) {
        QStringList row{fromCp1252(counts.modes[m])};
        qint64 rowSum = 0;
        for (qsizetype b = 0; b < bandCount; ++b) {
            const int n = cells[m][b];
            row.append(QString::number(n));
            rowSum += n;
            columnSums[b] += n;
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
