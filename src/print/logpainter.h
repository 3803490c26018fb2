#pragma once

#include "compactqso.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

class QPagedPaintDevice;

// The log on paper: pages with a head (own call, log name, range), the columns of the list
// with their titles repeated on every page, "Seite n von m" and the sums at the end.
namespace LogPainter {

struct Sheet {
    QString ownCall;
    QString logName;
    QString range;
    QStringList titles;
    QList<QStringList> rows; // cells in the order of the titles
    QList<QPair<QString, int>> bandSums;
    bool landscape = false;
};

// A4 in the sheet's orientation with margins the printer can reach.
void setupPages(QPagedPaintDevice& device, bool landscape);

// Paints the sheet; returns the number of pages.
int paint(QPagedPaintDevice& device, const Sheet& sheet);

// The sheet's titles and rows: the given fields (QsoField order numbers) of the selected
// QSOs (indexes into qsos), and their sums per band.
Sheet sheetOf(const QList<CompactQso>& qsos, const QList<int>& selected, const QList<int>& fields);

} // namespace LogPainter
