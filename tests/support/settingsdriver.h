#pragma once

#include "namedchild.h"

// For window tests: the controls of the options pages, reached by the names the language
// files know them by, and the sub-page shown.
#include "optionspage.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>

class SettingsDriver {
public:
    explicit SettingsDriver(TOptionsPage* page) : m_page(page) {}

    // The object of that name on any sub-page; a missing one ends the test run at once.
    template <typename T = QWidget> T* find(const QString& name) const {
        return namedChild<T>(m_page, name);
    }
    QLineEdit* edit(const QString& name) const { return find<QLineEdit>(name); }
    QCheckBox* checkBox(const QString& name) const { return find<QCheckBox>(name); }
    QRadioButton* radio(const QString& name) const { return find<QRadioButton>(name); }
    QLabel* label(const QString& name) const { return find<QLabel>(name); }

    // Reference log n (1 ... 4): the edit of its path and the button of its file dialog.
    QLineEdit* referenceLog(int n) const { return edit(QStringLiteral("rLog%1Edit").arg(n)); }
    QToolButton* referenceLogButton(int n) const {
        return find<QToolButton>(QStringLiteral("rLog%1Btn").arg(n));
    }

    // Shows the sub-page of that name (e.g. "DoppelCheckTS") among the options' tabs.
    void showTab(const QString& name) const {
        find<QTabWidget>(QStringLiteral("OptionenPageControl"))->setCurrentWidget(find(name));
    }

private:
    TOptionsPage* m_page;
};
