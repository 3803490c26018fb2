#include "textexport.h"

#include <algorithm>

namespace {

const std::array<QByteArray, kQsoFieldCount> kTitles = {
    "#",   "Date", "UTC", "Band",    "Mode",   "Call",     "RST TX",  "RST RX",
    "DOK", "Name", "QTH", "Locator", "TX Pwr", "Comments", "QSL out", "QSL in"};

} // namespace

FixedWidthTable::FixedWidthTable() {
    for (int i = 0; i < kQsoFieldCount; ++i)
        m_widths[i] = int(kTitles[i].size()) + 1;
}

QByteArray FixedWidthTable::cellText(const QByteArray& field) {
    if (!field.contains('\r'))
        return field;
    return QByteArray(field).replace("\r\n", " + ");
}

void FixedWidthTable::measure(const TQsoRecord& rec) {
    for (int i = 0; i < kQsoFieldCount; ++i)
        m_widths[i] = std::max(m_widths[i], int(cellText(rec.fields[i]).size()) + 1);
}

int FixedWidthTable::totalWidth() const {
    int total = 0;
    for (int w : m_widths)
        total += w;
    return total;
}

QByteArray FixedWidthTable::row(const std::array<QByteArray, kQsoFieldCount>& cells) const {
    QByteArray out;
    out.reserve(totalWidth() + 2);
    for (int i = 0; i < kQsoFieldCount; ++i) {
        out += cells[i];
        out += QByteArray(std::max<qsizetype>(m_widths[i] - cells[i].size(), 0), ' ');
    }
    out += "\r\n";
    return out;
}

QByteArray FixedWidthTable::header() const {
    return row(kTitles) + QByteArray(totalWidth(), '~') + "\r\n";
}

QByteArray FixedWidthTable::line(const TQsoRecord& rec) const {
    std::array<QByteArray, kQsoFieldCount> cells;
    for (int i = 0; i < kQsoFieldCount; ++i)
        cells[i] = cellText(rec.fields[i]);
    return row(cells);
}

QByteArray FixedWidthTable::footer(const QByteArray& createdWith) const {
    const qsizetype pad = std::max<qsizetype>(totalWidth() - createdWith.size(), 0);
    return "\r\n" + QByteArray(pad, ' ') + createdWith + "\r\n";
}
