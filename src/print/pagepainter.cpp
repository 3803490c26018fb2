#include "pagepainter.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPrinter>

namespace {

constexpr double kMmPerPoint = 25.4 / 72;

} // namespace

PagePainter::PagePainter(QPagedPaintDevice& device)
    : m_device(device), m_perMm(device.logicalDpiX() / 25.4) {
    // The painter starts at the printable area (a full-page printer: at the paper's corner);
    // labels are placed from the paper's corner.
    const auto* printer = dynamic_cast<const QPrinter*>(&device);
    if (!printer || !printer->fullPage())
        m_origin = -QPointF(device.pageLayout().paintRectPixels(device.logicalDpiX()).topLeft());
    m_painter.begin(&device);
    m_painter.setRenderHint(QPainter::Antialiasing);
    m_painter.setRenderHint(QPainter::TextAntialiasing);
}

QRectF PagePainter::toDevice(const QRectF& mm) const {
    return {m_origin.x() + mm.x() * m_perMm, m_origin.y() + mm.y() * m_perMm, mm.width() * m_perMm,
            mm.height() * m_perMm};
}

QFont PagePainter::font(double lineMm, bool bold) {
    // One family on every machine, with every letter of Windows-1252, so pages look alike.
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(lineMm / kMmPerPoint * 0.78);
    f.setBold(bold);
    return f;
}

void PagePainter::text(const QRectF& mm, const QString& text, const QFont& font,
                       Qt::Alignment align) {
    m_painter.setFont(font);
    const QRectF box = toDevice(mm);
    const QString shown =
        QFontMetricsF(font, &m_device).elidedText(text, Qt::ElideRight, box.width());
    m_painter.drawText(box, int(align), shown);
}

void PagePainter::line(double x1, double y1, double x2, double y2) {
    m_painter.drawLine(QPointF(m_origin.x() + x1 * m_perMm, m_origin.y() + y1 * m_perMm),
                       QPointF(m_origin.x() + x2 * m_perMm, m_origin.y() + y2 * m_perMm));
}

bool PagePainter::newPage() {
    return m_device.newPage();
}
