// Feeds arbitrary bytes to the HTML table loader: it must not crash or hang, no row is
// wider than the grid, and no cell holds a control character but a CR LF line break.
#include "htmltable.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const HtmlTable::Grid grid = HtmlTable::load(bytes);
    for (const QList<QByteArray>& row : grid.rows) {
        if (row.size() > grid.columnCount)
            std::abort();
        for (const QByteArray& cell : row) {
            const QByteArray rest = QByteArray(cell).replace("\r\n", "");
            for (const char c : rest) {
                if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
                    std::abort();
            }
        }
    }
    if (!grid.rows.isEmpty()) {
        const QList<int> assignment =
            HtmlTable::assignByTitles(grid.rows.first(), grid.columnCount);
        for (const QList<QByteArray>& row : grid.rows)
            HtmlTable::recordFromRow(row, assignment);
    }
    return 0;
}
