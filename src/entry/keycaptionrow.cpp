#include "keycaptionrow.h"

#include "functionkeys.h"
#include "widgetfactory.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

namespace {

const QColor kSilver(192, 192, 192);
const QColor kGrey(128, 128, 128);
constexpr int kTop = 2;

} // namespace

TKeyCaptionRow::TKeyCaptionRow(QWidget* panel) : QObject(panel), m_panel(panel) {
    for (int k = 1; k <= FunctionKeys::kKeyCount; ++k) {
        QLabel* caption = WidgetFactory::label(QStringLiteral("B%1").arg(k).toLatin1().constData(),
                                               QStringLiteral("F%1: ").arg(k), panel);
        caption->setProperty("Tag", k);
        caption->setAlignment(Qt::AlignCenter);
        caption->setWordWrap(true);
        caption->setCursor(Qt::PointingHandCursor);
        caption->setAutoFillBackground(true);
        caption->installEventFilter(this);
        m_captions[k - 1] = caption;
    }
    panel->installEventFilter(this);
}

int TKeyCaptionRow::height() const {
    return 3 * m_captions[0]->fontMetrics().lineSpacing() +
           2; // "F10: QSL Out, QSL In" takes three lines
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
