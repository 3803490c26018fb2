#pragma once

#include <QPalette>
#include <QString>

class QLabel;
class QTabWidget;
class QWidget;

// Controls carry the component names the language files and other pages look them up by.
namespace WidgetFactory {

QWidget* addPage(QTabWidget* tabs, const char* name, const QString& caption);
QLabel* label(const char* name, const QString& text, QWidget* parent);
// A name (a file, a call) as the caption of a menu item, menu or button: "&" would mark a
// mnemonic there, so it is doubled and the name is shown as it is.
QString literalCaption(const QString& name);
// The text a caption shows: mnemonic marks dropped, "&&" shown as "&".
QString shownCaption(const QString& caption);
// Colour carries state in the windows (red, green, blue, yellow): one role of one widget.
void setColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour);
// Hands a web page's address to the desktop ("www.example.org" as https); any other
// address (a file, a script, a share) is only shown to the operator.
void openWebAddress(QWidget* parent, const QString& address);

} // namespace WidgetFactory
