#pragma once

#include "namedchild.h"

// For window tests: the main window's own controls, found by the object names the language
// files use, and its pages shown as the navigator shows them.
#include "mainform.h"
#include "navigator.h"
#include "qsogrid.h"
#include "qsogridmodel.h"
#include "qsolists.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QToolButton>

class ShellDriver {
public:
    explicit ShellDriver(TMainForm* form) : m_form(form) {}

    template <typename T = QWidget> T* child(const char* name) const {
        return namedChild<T>(m_form, QLatin1String(name));
    }

    QTabWidget* pages() const { return child<QTabWidget>("MainPageControl"); }
    QWidget* page(Navigator::Page page) const { return pages()->widget(int(page)); }
    void showPage(Navigator::Page page) const { m_form->navigator().showPage(page); }
    // Enabled while a log is open.
    bool pagesEnabled() const { return pages()->isEnabled(); }

    QMenu* menu(const char* name) const { return child<QMenu>(name); }
    QAction* action(const char* name) const { return child<QAction>(name); }
    // The log files and, last, "new log".
    QList<QAction*> logFileItems() const { return menu("LogFileMenu")->actions(); }

    QLabel* statusBar() const { return child<QLabel>("StatusBar"); }
    QLabel* noLogHint() const { return child<QLabel>("NoLogHintLabel"); }
    QLabel* rigStatus() const { return child<QLabel>("RigStatusLabel"); }
    // The list page's grid and the one under the mask.
    QsoGrid* listGrid() const { return child<QsoGrid>("ListeStringGrid"); }
    QsoGrid* maskGrid() const { return child<QsoGrid>("Liste2StringGrid"); }
    QWidget* navigationPanel() const { return child("NavigationPanel"); }
    QToolButton* backButton() const { return child<QToolButton>("BackSpeedButton"); }
    QToolButton* nextButton() const { return child<QToolButton>("NextSpeedButton"); }

private:
    TMainForm* m_form;
};
