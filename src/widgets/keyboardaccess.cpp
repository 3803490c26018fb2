#include "keyboardaccess.h"

#include "uitexts.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QBoxLayout>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QStackedWidget>
#include <QTabWidget>

#include <algorithm>

namespace {

// Marks a name given here, so that the next run may replace it in the new language.
constexpr char kGivenName[] = "keyboardAccessName";
// The label whose text names what a window without captions shows now.
constexpr char kHeading[] = "keyboardAccessHeading";

bool tabStop(const QWidget* w) {
    return (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() && !qobject_cast<const QLabel*>(w);
}

// The controls Tab reaches in w: w itself, or those of a composite in creation order.
QList<QWidget*> controlsOf(QWidget* w) {
    if (!w || qobject_cast<QLabel*>(w))
        return {};
    if (tabStop(w))
        return {w};
    QList<QWidget*> inner;
    for (QWidget* child : w->findChildren<QWidget*>()) {
        if (tabStop(child) && !child->isWindow())
            inner.append(child);
    }
    return inner;
}

QString captionText(const QLabel* label) {
    QString text = label->text();
    text.remove(QLatin1Char('&'));
    text = text.trimmed();
    while (text.endsWith(QLatin1Char(':')))
        text.chop(1);
    return text.trimmed();
}

bool named(QWidget* w) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    if (!a)
        return false;
    // A combo box tells its value as its name: only a caption or a given name counts.
    if (qobject_cast<QComboBox*>(w))
        return !w->accessibleName().isEmpty() || !a->relations(QAccessible::Label).isEmpty();
    return !a->text(QAccessible::Name).isEmpty();
}

void giveName(QWidget* w, const QString& name) {
    if (name.isEmpty() || named(w))
        return;
    w->setAccessibleName(name);
    w->setProperty(kGivenName, true);
}

// A caption names the control beside it: a sibling that takes the focus becomes the
// label's buddy (its name then follows the caption), the controls of a composite take
// the caption's text.
void link(QLabel* label, QWidget* target, const QString& blockCaption = QString()) {
    const QList<QWidget*> controls = controlsOf(target);
    QString caption = captionText(label);
    // A caption names one control or a small composite, never a whole panel.
    if (controls.isEmpty() || controls.size() > 3 || target->findChild<QTabBar*>() ||
        caption.isEmpty())
        return;
    // A caption that is only a number ("1.") is read with the caption above its block.
    const bool numberOnly =
        std::none_of(caption.begin(), caption.end(), [](QChar c) { return c.isLetter(); });
    if (numberOnly && !blockCaption.isEmpty())
        caption = blockCaption + QLatin1Char(' ') + caption;
    else if (controls == QList<QWidget*>{target} &&
             target->parentWidget() == label->parentWidget() && !label->buddy() &&
             target->accessibleName().isEmpty())
        label->setBuddy(target);
    // Lists and grids do not take their names from a buddy.
    for (QWidget* control : controls)
        giveName(control, caption);
}

// The caption standing before a nested layout in its outer one.
QString blockCaptionOf(QLayout* layout) {
    auto* outer = qobject_cast<QLayout*>(layout->parent());
    for (int i = outer ? outer->indexOf(layout) - 1 : -1; i >= 0; --i) {
        if (auto* label = qobject_cast<QLabel*>(outer->itemAt(i)->widget()))
            return captionText(label);
    }
    return QString();
}

// "Datum von / bis:" before two controls names them "Datum von" and "Datum bis";
// "Bands / modes:" names them "Bands" and "modes".
bool linkPair(QLabel* label, QWidget* first, QWidget* second) {
    const QStringList parts = captionText(label).split(QStringLiteral(" / "));
    if (parts.size() != 2 || controlsOf(second).size() != 1 || named(controlsOf(second).first()))
        return false;
    const qsizetype space = parts[0].lastIndexOf(QLatin1Char(' '));
    const QString common =
        space > 0 && !parts[1].contains(QLatin1Char(' ')) ? parts[0].left(space + 1) : QString();
    for (QWidget* control : controlsOf(first))
        giveName(control, parts[0]);
    giveName(controlsOf(second).first(), common + parts[1]);
    return true;
}

QWidget* widgetAt(QGridLayout* grid, int row, int column) {
    QLayoutItem* item = grid->itemAtPosition(row, column);
    return item ? item->widget() : nullptr;
}

// A caption above a row of controls names the row's first one.
QWidget* firstWidget(QLayoutItem* item) {
    if (item->widget() || !item->layout())
        return item->widget();
    for (int i = 0; i < item->layout()->count(); ++i) {
        if (QWidget* w = firstWidget(item->layout()->itemAt(i)))
            return w;
    }
    return nullptr;
}

void linkCaptionsIn(QLayout* layout) {
    if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
        for (int i = 0; i < grid->count(); ++i) {
            auto* label = qobject_cast<QLabel*>(grid->itemAt(i)->widget());
            if (!label || label->buddy())
                continue;
            int row, column, rowSpan, columnSpan;
            grid->getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
            QWidget* right = widgetAt(grid, row, column + columnSpan);
            QWidget* second = widgetAt(grid, row, column + columnSpan + 1);
            if (controlsOf(right).isEmpty())
                link(label, widgetAt(grid, row + rowSpan, column));
            else if (!linkPair(label, right, second))
                link(label, right, blockCaptionOf(grid));
        }
    } else if (auto* form = qobject_cast<QFormLayout*>(layout)) {
        for (int row = 0; row < form->rowCount(); ++row) {
            QLayoutItem* label = form->itemAt(row, QFormLayout::LabelRole);
            QLayoutItem* field = form->itemAt(row, QFormLayout::FieldRole);
            if (label && field && qobject_cast<QLabel*>(label->widget()))
                link(static_cast<QLabel*>(label->widget()), field->widget());
        }
    } else if (qobject_cast<QBoxLayout*>(layout)) {
        for (int i = 0; i + 1 < layout->count(); ++i) {
            if (auto* label = qobject_cast<QLabel*>(layout->itemAt(i)->widget()))
                link(label, firstWidget(layout->itemAt(i + 1)));
        }
    }
}

// A "..." button would be read out as dots: it is named after the field it fills, the
// control before it in the Tab order.
void nameWordlessButton(QAbstractButton* button) {
    const QString text = button->text();
    if (!button->accessibleName().isEmpty() ||
        std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetterOrNumber(); }))
        return;
    QWidget* field = button->previousInFocusChain();
    while (field && field != button && !(tabStop(field) && field->isEnabled()))
        field = field->previousInFocusChain();
    QAccessibleInterface* a = field ? QAccessible::queryAccessibleInterface(field) : nullptr;
    const QString fieldName = a ? a->text(QAccessible::Name) : QString();
    if (fieldName.isEmpty())
        return;
    button->setAccessibleName(QString(uiText("%1: ausw\u00e4hlen ...")).arg(fieldName));
    button->setProperty(kGivenName, true);
}

// The caption of the notebook page a widget lies on.
QString pageCaption(QWidget* w) {
    for (; w && w->parentWidget(); w = w->parentWidget()) {
        auto* stack = qobject_cast<QStackedWidget*>(w->parentWidget());
        auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
        if (tabs)
            return tabs->tabText(tabs->indexOf(w)).remove(QLatin1Char('&'));
    }
    return QString();
}

QString heading(const QWidget* window) {
    const auto* label = qobject_cast<const QLabel*>(window->property(kHeading).value<QObject*>());
    return label ? captionText(label) : window->windowTitle();
}

} // namespace

void KeyboardAccess::setHeading(QWidget* window, QLabel* heading) {
    window->setProperty(kHeading, QVariant::fromValue<QObject*>(heading));
}

void KeyboardAccess::apply(QWidget* window) {
    // Tab leaves a list or grid; the arrow keys move inside it.
    for (QAbstractItemView* view : window->findChildren<QAbstractItemView*>())
        view->setTabKeyNavigation(false);
    // Names given by an earlier run are taken back: they follow the captions anew.
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->property(kGivenName).toBool()) {
            w->setAccessibleName(QString());
            w->setProperty(kGivenName, false);
        }
    }
    for (QLayout* layout : window->findChildren<QLayout*>())
        linkCaptionsIn(layout);
    const QString windowHeading = heading(window);
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!tabStop(w) || qobject_cast<QTabBar*>(w))
            continue;
        if (!w->toolTip().isEmpty())
            giveName(w, w->toolTip());
        else
            giveName(w, pageCaption(w));
        giveName(w, windowHeading);
    }
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (tabStop(button))
            nameWordlessButton(button);
    }
}

void KeyboardAccess::setTabOrder(const QList<QWidget*>& controls) {
    QWidget* previous = nullptr;
    for (QWidget* w : controls) {
        for (QWidget* control : controlsOf(w)) {
            if (previous)
                QWidget::setTabOrder(previous, control);
            previous = control;
        }
    }
}
