#pragma once

#include "qsocounts.h"

#include <QWidget>

class EvaluationGridModel;
class QTabWidget;
class QTableView;
class TMainForm;

// Page "Anzahl QSOs": QSOs by mode and band, all and confirmed, with totals, counted afresh
// each time the page is shown. A double-click on a count searches its QSOs.
class TQsoCountsPage : public QWidget {
    Q_OBJECT
public:
    TQsoCountsPage(TMainForm& mainForm, QWidget* tabSheet);

    QTabWidget* AnzQsosPageControl;
    QWidget* WorkedQsosTS;
    QWidget* ConfirmedQsosTS;
    QTableView* AnzahlQsosStringGrid;       // all QSOs
    QTableView* AnzahlWorkedQsosStringGrid; // confirmed QSOs
    EvaluationGridModel* allModel;
    EvaluationGridModel* confirmedModel;

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

    TMainForm& m_mainForm;
};
