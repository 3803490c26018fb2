#pragma once

#include "qsocounts.h"

#include <QWidget>

class EvaluationGridModel;
class Navigator;
class QTabWidget;
class QTableView;
class Station;

// Page "Anzahl QSOs": QSOs by mode and band, all and confirmed, with totals, counted afresh
// each time the page is shown. A double-click on a count searches its QSOs.
class TQsoCountsPage : public QWidget {
    Q_OBJECT
public:
    TQsoCountsPage(Station& station, Navigator& navigator, QWidget* tabSheet);

public slots:
    void AnzahlQsosTSShow();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTableView* createGrid(const char* name, EvaluationGridModel* model, QWidget* page);
    void fillGrids(const QsoCounts& counts);
    void fitColumns();
    void drillDown(QTableView* grid, int column, int row);
    void retranslate();

    Station& m_station;
    Navigator& m_navigator;
    QTabWidget* m_tabs;
    EvaluationGridModel* m_allModel;
    EvaluationGridModel* m_confirmedModel;
    QTableView* m_allGrid;
    QTableView* m_confirmedGrid;
};
