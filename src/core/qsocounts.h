#pragma once

#include "confirmations.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include "qsosource.h"

class TLogFile;

// How many QSOs the log holds for every band and mode, all and confirmed ones. Band and
// mode texts are taken exactly as stored (20m and 20M are two bands), each in the order
// in which it first occurs.
struct QsoCounts {
    QList<QByteArray> bands;
    QList<QByteArray> modes;
    QList<QList<int>> all;       // [mode][band]
    QList<QList<int>> confirmed; // [mode][band], counting the confirmed QSOs

    // Reads the whole log into counts; on a read error counts holds the QSOs read so far.
    // confirmedBy: what counts as confirmed besides a paper card.
    static void count(const QsoSource& log, QsoCounts& counts, const ConfirmedBy& confirmedBy = {});
    static void count(TLogFile& log, QsoCounts& counts, const ConfirmedBy& confirmedBy = {}) {
        count(LogFileSource(log), counts, confirmedBy);
    }
    void add(QByteArrayView band, QByteArrayView mode, bool isConfirmed);
};

inline constexpr const char* kCountCornerText = "Mode / Band";

// The table as the page shows it, row by row: "Mode / Band" and the bands in row 0 (from
// 2200m to the shortest wave, then other texts), a mode and its counts in each further row
// (in the order of the mode table, then other texts), then the totals row and the totals column
// headed by totalCaption, and the grand total in the bottom-right cell.
QList<QStringList> countTable(const QsoCounts& counts, bool confirmedOnly,
                              const QString& totalCaption);
