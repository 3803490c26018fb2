#pragma once

#include "qsosearch.h"

#include <QDate>
#include <QList>
#include <QObject>
#include <QStringList>

#include <optional>

// Requests from one page to another, typed: a page asks for "these QSOs in the search" or
// "QSO n for editing" here, and the main window hands the request to the page that serves
// it. No page reaches into another page's controls.
class Navigator : public QObject {
    Q_OBJECT
public:
    enum class Page { Entry, List, Edit, Search, Evaluations, Options };
    // Where saving an edited QSO returns to.
    enum class ReturnTo { List = 0, Evaluations = 1, Search = 2 };
    // One search criterion row; an empty row is off.
    using SearchRows = QList<std::optional<QsoSearch::Criterion>>;

    struct EditRequest {
        int position = 0; // of the QSO in the log, 1 ...
        ReturnTo returnTo = ReturnTo::List;
        QStringList expected; // a search hit's cells: a QSO that changed is not saved
        QDate cardArrived;    // valid: tick the QSL in date with this day
    };

    void showPage(Page page) { emit pageRequested(page); }
    void editQso(const EditRequest& request) { emit editRequested(request); }
    // Shows the QSOs the criteria find on the search page.
    void showInSearch(const SearchRows& rows) { emit searchRequested(rows); }
    // The page shown before the current one.
    void goBack() { emit backRequested(); }

signals:
    void pageRequested(Navigator::Page page);
    void editRequested(const Navigator::EditRequest& request);
    void searchRequested(const Navigator::SearchRows& rows);
    void backRequested();
};
