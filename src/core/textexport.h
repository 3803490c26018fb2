#pragma once

#include "qsorecord.h"

#include <QByteArray>

#include <array>

// The fixed-width text table: every column as wide as its longest entry plus one blank.
// The records are seen twice: once to measure, once to write.
class FixedWidthTable {
public:
    FixedWidthTable();

    // First pass: widens the columns for one record.
    void measure(const TQsoRecord& rec);

    // The title line and the line of tildes, each CR LF terminated.
    QByteArray header() const;
    // Second pass: one record line, CR LF terminated.
    QByteArray line(const TQsoRecord& rec) const;
    // An empty line, then createdWith right-aligned to the table's width.
    QByteArray footer(const QByteArray& createdWith) const;

    int width(QsoField f) const { return m_widths[static_cast<size_t>(f)]; }
    int totalWidth() const;

    // A field as its cell shows it: every CR LF as " + ".
    static QByteArray cellText(const QByteArray& field);

private:
    QByteArray row(const std::array<QByteArray, kQsoFieldCount>& cells) const;

    std::array<int, kQsoFieldCount> m_widths;
};
