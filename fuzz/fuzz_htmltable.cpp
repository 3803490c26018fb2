// Feeds arbitrary bytes to the HTML table loader: it must not crash or hang, and every
// row it returns has the grid's column count.
#include "htmltable.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const HtmlTable::Grid grid = HtmlTable::load(bytes);
    for (const QList<QByteArray>& row : grid.rows) {
        if (row.size() != grid.columnCount)
            std::abort();
    }
    if (!grid.rows.isEmpty()) {
        const QList<int> assignment =
            HtmlTable::assignByTitles(grid.rows.first(), grid.columnCount);
        for (const QList<QByteArray>& row : grid.rows)
            HtmlTable::recordFromRow(row, assignment);
    }
    return 0;
}
