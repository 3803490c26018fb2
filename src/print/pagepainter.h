#pragma once

#include <QFont>
#include <QPainter>
#include <QRectF>
#include <QString>

class QPagedPaintDevice;

// A painter on a page that measures in millimetres from the paper's corner, while fonts keep
// their point sizes (a scaled painter would scale them too).
class PagePainter {
public:
    explicit PagePainter(QPagedPaintDevice& device);

    QPainter& painter() { return m_painter; }
    bool isActive() const { return m_painter.isActive(); }
    QRectF toDevice(const QRectF& mm) const;
    double toDevice(double mm) const { return mm * m_perMm; }
    // A font whose lines are about lineMm high.
    static QFont font(double lineMm, bool bold = false);
    // Text in a box, shortened with "..." when it does not fit.
    void text(const QRectF& mm, const QString& text, const QFont& font,
              Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);
    void line(double x1, double y1, double x2, double y2);
    bool newPage();

private:
    QPagedPaintDevice& m_device;
    QPainter m_painter;
    double m_perMm;
    QPointF m_origin; // the paper's corner in device pixels
};
