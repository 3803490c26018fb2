#pragma once

#include <QString>

class QLabel;
class QTabWidget;
class QWidget;

// Controls carry the component names the language files and other pages look them up by.
namespace WidgetFactory {

QWidget* addPage(QTabWidget* tabs, const char* name, const QString& caption);
QLabel* label(const char* name, const QString& text, QWidget* parent);

} // namespace WidgetFactory
