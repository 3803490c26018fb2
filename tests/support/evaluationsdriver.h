#pragma once

#include "namedchild.h"

// Drives the evaluation pages through their controls' names (those the language files know),
// as the operator reaches them: a sub-page's tab, its buttons, grids, lists and filters.
#include "evaluationgridmodel.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QStringListModel>
#include <QTabWidget>
#include <QWidget>

struct EvaluationsDriver {
    explicit EvaluationsDriver(QWidget* window) : window(window) {}

    // The control of this name; a missing one stops the run, naming it.
    template <typename W = QWidget> W* child(const char* name) const {
        return namedChild<W>(window, QLatin1String(name));
    }
    template <typename Page> Page* page() const { return window->findChild<Page*>(); }

    // Brings the sub-page on this tab sheet ("TabSheet3", "AnzahlQsosTS", ...) to the front.
    void showSheet(const char* sheet) const {
        child<QTabWidget>("AuswertungenPageControl")->setCurrentWidget(child(sheet));
    }
    EvaluationGridModel* gridModel(const char* grid) const {
        return static_cast<EvaluationGridModel*>(child<QAbstractItemView>(grid)->model());
    }
    QStringListModel* listModel(const char* list) const {
        return static_cast<QStringListModel*>(child<QAbstractItemView>(list)->model());
    }
    // A filter field of the page with this prefix ("loc", "dok", "dxcc"): "StopNumberEdit" ...
    QLineEdit* filterEdit(const QString& prefix, const char* field) const {
        const QByteArray name = (prefix + QLatin1String(field)).toLatin1();
        return child<QLineEdit>(name.constData());
    }

    QWidget* window;
};
