#pragma once

#include "evaluationfilter.h"

#include <QList>
#include <QString>
#include <QStringList>

#include "qsosource.h"

class TLogFile;

// The worked and confirmed squares (the first four characters of a locator) of the QSOs a
// filter selects, as a list and as a map-like table around the own square.
namespace LocatorSquares {

// Colours with red in the low byte, green in the middle, blue in the high byte.
inline constexpr quint32 kNotWorked = 0;
inline constexpr quint32 kWorked = 0x008000;    // green
inline constexpr quint32 kConfirmed = 0x0000FF; // red
inline constexpr quint32 kOwn = 0xFF0000;       // blue

struct Square {
    QString text;
    quint32 colour = kNotWorked;
};

// Columns grow eastwards, rows southwards; every cell named by its position.
struct Table {
    int columns = 1;
    int rows = 1;
    QList<Square> cells{Square()}; // row by row
    const Square& at(int column, int row) const { return cells[row * columns + column]; }
};

// Appends each selected QSO's square to list, once per distinct text (case kept), red once
// any of its QSOs is confirmed, green otherwise, in the order of first occurrence. QSOs
// without a locator never count; those that cannot be placed are returned. Throws DaluError
// on a read error or a filter text that cannot be read; list then holds the squares found
// so far.
[[nodiscard]] SkippedQsos select(const QsoSource& log, const EvaluationFilter& filter,
                                 QList<Square>& list);
[[nodiscard]] inline SkippedQsos select(TLogFile& log, const EvaluationFilter& filter,
                                        QList<Square>& list) {
    return select(LogFileSource(log), filter, list);
}

struct TableResult {
    Table table;
    bool ownValid = true;
    QStringList unreadable; // squares left out of the table, once each, in list order
};

// The smallest table holding the own square (blue) and every readable square of the list.
// An unreadable own locator gives one blank cell. Squares whose letters are not A to Z
// count as unreadable: anything else would place them thousands of squares away and
// blow the table up to millions of cells.
TableResult buildTable(const QList<Square>& list, const QString& ownLocator);

int confirmedCount(const QList<Square>& list);

// "#RRGGBB"; the value 0 (not worked) gives white.
QString htmlColour(quint32 colour);

} // namespace LocatorSquares
