#include "labelpainter.h"

#include "pagepainter.h"
#include "uitexts.h"

#include <QPageLayout>
#include <QPagedPaintDevice>

#include <algorithm>

namespace LabelPainter {

namespace {

constexpr double kPad = 3; // mm kept free inside a label: cutting tolerance of the sheets

void setup(QPagedPaintDevice& device, const QPageSize& size, QPageLayout::Orientation o) {
    device.setPageLayout(QPageLayout(size, o, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
}

// The station's call large, its manager, up to N QSOs as a table, the own call and the
// card request, all inside the rect (mm).
void paintLabel(PagePainter& page, const QRectF& rect, const QslLabels::Label& label,
                const QString& ownCall, int qsoRows) {
    const QRectF r = rect.adjusted(kPad, kPad * 0.7, -kPad, -kPad * 0.7);
    // The table's rows share what the heading and the foot leave.
    const double small = std::min(3.2, r.height() * 0.09);
    const double big = std::min(7.0, r.height() * 0.2);
    const double row = std::min(3.4, (r.height() - small * 2 - big - 1) / (qsoRows + 1));
    double y = r.top();
    page.text({r.left(), y, r.width(), small}, QStringLiteral("To Radio"),
              PagePainter::font(small));
    if (label.parts > 1)
        page.text({r.left(), y, r.width(), small},
                  QStringLiteral("%1/%2").arg(label.part).arg(label.parts),
                  PagePainter::font(small), Qt::AlignRight | Qt::AlignVCenter);
    y += small;
    const double callWidth = label.via.isEmpty() ? r.width() : r.width() * 0.62;
    page.text({r.left(), y, callWidth, big}, label.call, PagePainter::font(big, true));
    if (!label.via.isEmpty())
        page.text({r.left() + callWidth, y, r.width() - callWidth, big},
                  QStringLiteral("via %1").arg(label.via), PagePainter::font(small * 1.2, true),
                  Qt::AlignRight | Qt::AlignVCenter);
    y += big + 0.5;

    static const double widths[] = {0.31, 0.15, 0.17, 0.18, 0.19};
    const QString heads[] = {uiText("Datum"), QStringLiteral("UTC"), QStringLiteral("Band"),
                             QStringLiteral("Mode"), QStringLiteral("RST")};
    const auto cells = [&](const QString* texts, const QFont& font) {
        double x = r.left();
        for (int c = 0; c < 5; ++c) {
            page.text({x, y, r.width() * widths[c], row}, texts[c], font);
            x += r.width() * widths[c];
        }
        y += row;
    };
    cells(heads, PagePainter::font(row, true));
    page.line(r.left(), y, r.right(), y);
    for (const QslLabels::LabelQso& q : label.qsos) {
        const QString texts[] = {q.date, q.utc, q.band, q.mode, q.report};
        cells(texts, PagePainter::font(row));
    }
    const double foot = r.bottom() - small;
    page.text({r.left(), foot, r.width() * 0.5, small}, label.request(),
              PagePainter::font(small, true));
    page.text({r.left() + r.width() * 0.5, foot, r.width() * 0.5, small},
              QStringLiteral("de %1").arg(ownCall), PagePainter::font(small),
              Qt::AlignRight | Qt::AlignVCenter);
}

int rowsNeeded(const QList<QslLabels::Label>& labels) {
    int n = 1;
    for (const QslLabels::Label& l : labels)
        n = std::max(n, int(l.qsos.size()));
    return n;
}

} // namespace

void setupLabelPages(QPagedPaintDevice& device) {
    setup(device, QPageSize(QPageSize::A4), QPageLayout::Portrait);
}

void setupCardPages(QPagedPaintDevice& device) {
    setup(device,
          QPageSize(QSizeF(140, 90), QPageSize::Millimeter, QStringLiteral("QSL"),
                    QPageSize::ExactMatch),
          QPageLayout::Portrait);
}

void paintLabels(QPagedPaintDevice& device, const QslLabels::Layout& layout,
                 const QList<QslLabels::Label>& labels, int startCell, const QString& ownCall) {
    PagePainter page(device);
    const int rows = rowsNeeded(labels);
    int shownPage = 0;
    for (int i = 0; i < labels.size(); ++i) {
        const QslLabels::Place at = QslLabels::place(i, startCell, layout.perSheet());
        while (shownPage < at.page) {
            page.newPage();
            ++shownPage;
        }
        paintLabel(page, layout.labelRect(at.cell), labels.at(i), ownCall, rows);
    }
}

void paintCards(QPagedPaintDevice& device, const QList<QslLabels::Label>& labels,
                const QString& ownCall, const QImage& background) {
    PagePainter page(device);
    const QRectF card(0, 0, 140, 90);
    const QRectF box(56, 38, 80, 48);
    for (int i = 0; i < labels.size(); ++i) {
        if (i > 0)
            page.newPage();
        if (!background.isNull()) {
            page.painter().drawImage(page.toDevice(card), background);
            // The QSO table stays readable on a busy picture.
            page.painter().fillRect(page.toDevice(box), QColor(255, 255, 255, 220));
        }
        paintLabel(page, box, labels.at(i), ownCall, rowsNeeded(labels));
    }
}

PrintOutput::Job job(const QList<QslLabels::Label>& labels, const Request& request) {
    if (request.cards)
        return {setupCardPages, [=](QPagedPaintDevice& device) {
                    paintCards(device, labels, request.ownCall, request.background);
                }};
    return {setupLabelPages, [=](QPagedPaintDevice& device) {
                paintLabels(device, request.layout, labels, request.startCell, request.ownCall);
            }};
}

} // namespace LabelPainter
