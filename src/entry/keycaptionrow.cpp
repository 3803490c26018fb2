#include "keycaptionrow.h"

#include "functionkeys.h"
#include "widgetfactory.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace {

const QColor kSilver(192, 192, 192);
const QColor kGrey(128, 128, 128);
constexpr int kTop = 2;

constexpr int kPadding = 3;

// A caption wider than its share of the row is cut with "..." where it is painted, so that
// neighbours never run together; its text and the tool tip keep the whole.
class ElidedCaption : public QLabel {
public:
    explicit ElidedCaption(QWidget* parent) : QLabel(parent) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QRect area = contentsRect().adjusted(kPadding, 0, -kPadding, 0);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(area, Qt::AlignCenter,
                         fontMetrics().elidedText(text(), Qt::ElideRight, area.width()));
    }
};

} // namespace

TKeyCaptionRow::TKeyCaptionRow(QWidget* panel) : QObject(panel), m_panel(panel) {
    for (int k = 1; k <= FunctionKeys::kKeyCount; ++k) {
        QLabel* caption = new ElidedCaption(panel);
        caption->setObjectName(QStringLiteral("B%1").arg(k));
        caption->setText(QStringLiteral("F%1: ").arg(k));
        caption->setProperty("Tag", k);
        caption->setAlignment(Qt::AlignCenter);
        caption->setCursor(Qt::PointingHandCursor);
        caption->setAutoFillBackground(true);
        caption->installEventFilter(this);
        m_captions[k - 1] = caption;
    }
    panel->installEventFilter(this);
}

int TKeyCaptionRow::height() const {
    return m_captions[0]->fontMetrics().lineSpacing() + 2 * kPadding;
}

void TKeyCaptionRow::setCaption(int key, const QString& caption, const QString& hint) {
    m_captions[key - 1]->setText(caption);
    m_captions[key - 1]->setToolTip(hint);
}

void TKeyCaptionRow::EingabePanelResize() {
    const int w = FunctionKeys::captionWidth(m_panel->width());
    for (int k = 1; k <= FunctionKeys::kKeyCount; ++k)
        m_captions[k - 1]->setGeometry(FunctionKeys::captionLeft(k, w), kTop, w, height());
}

void TKeyCaptionRow::setBackground(QLabel* caption, const QColor& colour) {
    WidgetFactory::setColour(caption, QPalette::Window, colour);
}

bool TKeyCaptionRow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_panel) {
        if (event->type() == QEvent::Resize)
            EingabePanelResize();
        return false;
    }
    auto* caption = qobject_cast<QLabel*>(watched);
    if (!caption)
        return false;
    switch (event->type()) {
    case QEvent::Enter: // BMouseEnter
        setBackground(caption, kSilver);
        break;
    case QEvent::MouseButtonPress: // BMouseDown
        setBackground(caption, kGrey);
        break;
    case QEvent::MouseButtonRelease: { // BMouseUp, then the click if still over the caption
        if (caption->palette().color(QPalette::Window) == kGrey)
            setBackground(caption, kSilver);
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            caption->rect().contains(mouse->position().toPoint()))
            emit BClick(caption->property("Tag").toInt());
        break;
    }
    case QEvent::Leave: // BMouseLeave
        setBackground(caption, m_panel->window()->palette().color(QPalette::Window));
        break;
    default:
        break;
    }
    return false;
}
