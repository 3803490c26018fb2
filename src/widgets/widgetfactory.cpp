#include "widgetfactory.h"

#include "uitexts.h"
#include "weblink.h"

#include <QDesktopServices>
#include <QLabel>
#include <QMessageBox>
#include <QTabWidget>
#include <QUrl>

namespace WidgetFactory {

QWidget* addPage(QTabWidget* tabs, const char* name, const QString& caption) {
    auto* page = new QWidget(tabs);
    page->setObjectName(QLatin1String(name));
    tabs->addTab(page, caption);
    return page;
}

QLabel* label(const char* name, const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    return l;
}

QString literalCaption(const QString& name) {
    QString caption = name;
    return caption.replace(QLatin1Char('&'), QLatin1String("&&"));
}

QString shownCaption(const QString& caption) {
    QString shown;
    shown.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&') && ++i == caption.size())
            break;
        shown += caption.at(i);
    }
    return shown;
}

void setColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette p = widget->palette();
    p.setColor(role, colour);
    widget->setPalette(p);
}

void openWebAddress(QWidget* parent, const QString& address) {
    if (address.trimmed().isEmpty())
        return;
    const QString url = WebLink::openable(address);
    if (!url.isEmpty()) {
        QDesktopServices::openUrl(QUrl(url));
        return;
    }
    QMessageBox::information(parent, parent->window()->windowTitle(),
                             uiText("Nur Web-Seiten (http, https) werden ge\u00f6ffnet, diese "
                                    "Adresse nicht:\n%1")
                                 .arg(address.trimmed()));
}

} // namespace WidgetFactory
