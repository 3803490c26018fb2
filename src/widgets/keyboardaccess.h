#pragma once

#include <QList>

class QLabel;
class QWidget;

// Keyboard and screen-reader access for windows built in code.
namespace KeyboardAccess {

// Tab leaves every list and grid of the window, and every control that Tab reaches gets a
// name for screen readers: the caption set beside it (to its left, or above it in a grid)
// becomes its label's buddy; a control inside a composite takes the caption's text; one
// without a caption takes its tool tip, else the caption of its page, else the window's
// heading. Run again after each change of language: the names it gave follow.
void apply(QWidget* window);

// A window without captions (a wizard) names its controls after this label's text; without
// a heading, the window title names them.
void setHeading(QWidget* window, QLabel* heading);

// Chains the Tab order through the controls as given (the visual order of a page); a
// composite stands for its controls in their own order.
void setTabOrder(const QList<QWidget*>& controls);

} // namespace KeyboardAccess
