#include "underconstruction.h"

#include <QPainter>

namespace {

// A barrier with warning stripes and a spade: drawn, so no image file is needed.
class UnderConstructionImage : public QWidget {
public:
    explicit UnderConstructionImage(QWidget* parent) : QWidget(parent) { setFixedSize(220, 160); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF board(10, 20, 200, 50);
        p.setClipRect(board);
        p.fillRect(board, QColor(255, 204, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        for (int x = -40; x < 220; x += 40) {
            const QPointF stripe[] = {
                {x + 10.0, 70}, {x + 30.0, 70}, {x + 70.0, 20}, {x + 50.0, 20}};
            p.drawPolygon(stripe, 4);
        }
        p.setClipping(false);
        p.setPen(QPen(Qt::black, 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(board);
        p.setBrush(QColor(120, 120, 120));
        p.drawRect(QRectF(30, 70, 10, 80));
        p.drawRect(QRectF(180, 70, 10, 80));
        p.setPen(QPen(QColor(110, 70, 20), 5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(95, 150), QPointF(125, 90));
        p.setPen(QPen(Qt::darkGray, 1));
        p.setBrush(Qt::darkGray);
        const QPointF blade[] = {{88, 140}, {102, 147}, {96, 158}, {84, 152}};
        p.drawPolygon(blade, 4);
    }
};

} // namespace

TUnderConstructionPanel::TUnderConstructionPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("UnderConstructionPanel"));
    UnderConstructionImage = new ::UnderConstructionImage(this);
    UnderConstructionImage->setObjectName(QStringLiteral("UnderConstructionImage"));
}

void TUnderConstructionPanel::UnderConstructionPanelResize() {
    UnderConstructionImage->move((width() - UnderConstructionImage->width()) / 2,
                                 (height() - UnderConstructionImage->height()) / 2);
}

void TUnderConstructionPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    UnderConstructionPanelResize();
}
