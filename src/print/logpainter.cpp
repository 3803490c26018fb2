#include "logpainter.h"

#include "cp1252.h"
#include "logprintrange.h"
#include "pagepainter.h"
#include "uitexts.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>

#include <algorithm>
#include <numeric>

namespace LogPainter {

namespace {

constexpr double kMargin = 12; // mm: inside what office printers reach
constexpr double kHead = 14;   // own call, log and range, and a line
constexpr double kFoot = 8;    // the page number
constexpr double kBandsPerLine = 6;

// Widths in mm for the columns, each as wide as its longest text.
QList<double> naturalWidths(const Sheet& sheet, const QFont& font, const QPaintDevice* device,
                            double perMm) {
    const QFontMetricsF metrics(font, device);
    QList<double> widths;
    for (int c = 0; c < sheet.titles.size(); ++c) {
        // The longest text by characters stands for the column: measuring every cell of a
        // big log would cost more than painting it.
        QString longest = sheet.titles.at(c);
        for (const QStringList& row : sheet.rows) {
            if (row.value(c).size() > longest.size())
                longest = row.value(c);
        }
        widths.append(metrics.horizontalAdvance(longest + QStringLiteral("  ")) / perMm);
    }
    return widths;
}

// The widest columns give up room until all fit: short columns (date, band) stay whole,
// long texts (comments, QTH) are shortened with "...".
void capWidest(QList<double>& widths, double available) {
    QList<double> sorted = widths;
    std::sort(sorted.begin(), sorted.end());
    double fixed = 0;
    for (int i = 0; i < sorted.size(); ++i) {
        const double cap = (available - fixed) / double(sorted.size() - i);
        if (sorted.at(i) > cap) {
            for (double& w : widths)
                w = std::min(w, cap);
            return;
        }
        fixed += sorted.at(i);
    }
}

QStringList sumLines(const Sheet& sheet) {
    QStringList lines = {uiText("Summe: %1 QSOs").arg(sheet.rows.size())};
    if (sheet.bandSums.isEmpty())
        return lines;
    lines.append(uiText("QSOs je Band:"));
    QStringList line;
    for (const auto& [band, count] : sheet.bandSums) {
        line.append(
            QStringLiteral("%1: %2").arg(band.isEmpty() ? QStringLiteral("?") : band).arg(count));
        if (line.size() == kBandsPerLine) {
            lines.append(line.join(QStringLiteral("    ")));
            line.clear();
        }
    }
    if (!line.isEmpty())
        lines.append(line.join(QStringLiteral("    ")));
    return lines;
}

} // namespace

void setupPages(QPagedPaintDevice& device, bool landscape) {
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                     landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                     QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
}

int paint(QPagedPaintDevice& device, const Sheet& sheet) {
    const QSizeF paper = device.pageLayout().fullRect(QPageLayout::Millimeter).size();
    PagePainter page(device);
    const double width = paper.width() - 2 * kMargin;
    // Many columns on a narrow page take a smaller font, down to what still reads well.
    double rowMm = 4.2;
    const QList<double> atFullSize =
        naturalWidths(sheet, PagePainter::font(rowMm, true), &device, page.toDevice(1.0));
    const double natural = std::accumulate(atFullSize.begin(), atFullSize.end(), 0.0);
    if (natural > width)
        rowMm = std::max(2.9, rowMm * width / natural);
    const QFont font = PagePainter::font(rowMm);
    const QFont bold = PagePainter::font(rowMm, true);
    QList<double> widths = naturalWidths(sheet, bold, &device, page.toDevice(1.0));
    capWidest(widths, width);
    const double bodyTop = kMargin + kHead + rowMm + 1;
    const int perPage = std::max(1, int((paper.height() - kMargin - kFoot - bodyTop) / rowMm));
    const QStringList sums = sumLines(sheet);
    const int lines = int(sheet.rows.size()) + 1 + int(sums.size()); // a blank line between
    const int pages = std::max(1, (lines + perPage - 1) / perPage);

    for (int p = 0; p < pages; ++p) {
        if (p > 0)
            page.newPage();
        page.text({kMargin, kMargin, width, 6}, sheet.ownCall, PagePainter::font(6, true));
        page.text({kMargin, kMargin + 6.5, width, 5},
                  uiText("Log %1, %2").arg(sheet.logName, sheet.range), PagePainter::font(4.5));
        page.line(kMargin, kMargin + kHead - 1.5, paper.width() - kMargin, kMargin + kHead - 1.5);
        double x = kMargin;
        for (int c = 0; c < sheet.titles.size(); ++c) {
            page.text({x, kMargin + kHead, widths.at(c), rowMm}, sheet.titles.at(c), bold);
            x += widths.at(c);
        }
        page.line(kMargin, bodyTop - 0.5, paper.width() - kMargin, bodyTop - 0.5);
        for (int k = 0; k < perPage; ++k) {
            const int index = p * perPage + k;
            const double y = bodyTop + k * rowMm;
            if (index < sheet.rows.size()) {
                x = kMargin;
                const QStringList& row = sheet.rows.at(index);
                for (int c = 0; c < sheet.titles.size(); ++c) {
                    page.text({x, y, widths.at(c), rowMm}, row.value(c), font);
                    x += widths.at(c);
                }
            } else if (index > sheet.rows.size() && index - sheet.rows.size() - 1 < sums.size()) {
                page.text({kMargin, y, width, rowMm}, sums.at(index - sheet.rows.size() - 1), bold);
            }
        }
        page.text({kMargin, paper.height() - kMargin - kFoot + 2, width, kFoot - 2},
                  uiText("Seite %1 von %2").arg(p + 1).arg(pages), font, Qt::AlignCenter);
    }
    return pages;
}

Sheet sheetOf(const QList<CompactQso>& qsos, const QList<int>& selected, const QList<int>& fields) {
    static const char* const kTitles[] = {
        "#",   "Date", "UTC", "Band",    "Mode",   "Call",     "RST TX",  "RST RX",
        "DOK", "Name", "QTH", "Locator", "TX Pwr", "Comments", "QSL out", "QSL in"};
    Sheet sheet;
    for (int f : fields)
        sheet.titles.append(QLatin1String(kTitles[f]));
    sheet.rows.reserve(selected.size());
    for (int i : selected) {
        QStringList cells;
        for (int f : fields)
            cells.append(fromCp1252(qsos.at(i).field(f)));
        sheet.rows.append(cells);
    }
    sheet.bandSums = LogPrintRange::bandSums(qsos, selected);
    return sheet;
}

} // namespace LogPainter
