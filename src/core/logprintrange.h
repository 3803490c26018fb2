#pragma once

#include "compactqso.h"

#include <QDate>
#include <QList>
#include <QPair>
#include <QString>

// Which QSOs a printed log holds, and the sums at its end.
namespace LogPrintRange {

struct Range {
    int firstNumber = 0; // "#" from ... to, 0: open
    int lastNumber = 0;
    QDate from; // invalid: open
    QDate to;

    bool isAll() const { return !firstNumber && !lastNumber && !from.isValid() && !to.isValid(); }
    // "alle QSOs", "QSO 10 bis 20", "01.05.2026 bis 31.05.2026" in the language shown.
    QString text() const;
};

// The indexes into qsos of those in the range, in order. A QSO whose date cannot be read
// is outside every date range.
QList<int> select(const QList<CompactQso>& qsos, const Range& range);

// QSOs per band, the bands in the order they first appear.
QList<QPair<QString, int>> bandSums(const QList<CompactQso>& qsos, const QList<int>& selected);

} // namespace LogPrintRange
