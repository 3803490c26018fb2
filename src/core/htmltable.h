#pragma once

#include "qsorecord.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// Loads the first table of an HTML file for the column assignment of the HTML import.
// Only the plain lower-case tags "<table", "<tr>", "<td>" and "<th>" are understood,
// as the HTML export writes them.
namespace HtmlTable {

// The cells of the table's rows. Row 0 is the table's first row (for an exported file, the
// titles). A row holds its cells up to its last non-empty one: a missing cell is empty, so
// that a wide row costs nothing in the others.
struct Grid {
    QList<QList<QByteArray>> rows;
    int columnCount = 0;     // the widest row's
    bool unmappable = false; // a character Windows-1252 has no letter for became "?"
};

// Cell texts have "&nbsp;" turned into a blank, blanks and control characters trimmed at
// both ends, "<br>" turned into CR LF and the entities &amp; &lt; &gt; &quot; and &#n;
// decoded; "&#10;" and "&#13;" are line breaks too, and every other control character a
// blank. A file that is valid UTF-8 is converted to Windows-1252, and so are references
// beyond it; letters it cannot hold become their base letter.
Grid load(QByteArrayView html);

// The seventeen choices of a column: "00 - none", "01 - #", ... "16 - QSL in".
const QList<QByteArray>& columnChoices();

// For each column the field number 1 to 16 its title names ("DATE", "TX PWR", ... in any
// letter case), 0 for none.
QList<int> assignByTitles(const QList<QByteArray>& titleRow, int columnCount);

// A record from one row: field n of each column assigned n; the right one of two columns
// with the same field wins. "#" is left for the caller.
TQsoRecord recordFromRow(const QList<QByteArray>& row, const QList<int>& assignment);

} // namespace HtmlTable
