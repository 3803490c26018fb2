#pragma once

#include "evaluationcommon.h"
#include "locatorsquares.h"

#include <QWidget>

class EvaluationGridModel;
class Navigator;
class QCheckBox;
class QLabel;
class QPainter;
class QPushButton;
class QTabWidget;
class QTableView;
class Station;

// Page "Locator-Großfelder": the squares of the selected QSOs as a list and as a map
// around the own square, worked green, confirmed red, own blue; saved or printed as HTML.
// A Ctrl+click on a square searches its QSOs.
class TLocatorPage : public QWidget {
    Q_OBJECT
public:
    TLocatorPage(Station& station, Navigator& navigator, QWidget* tabSheet);

    // The last result, which saving, printing and Ctrl+click use.
    const QList<LocatorSquares::Square>& squareList() const { return m_list; }
    const LocatorSquares::Table& squareTable() const { return m_table; }
    QByteArray htmlDocument(bool forPrinting) const;

    // Fills the cell with the square's colour (the window colour for none) and centres its
    // text in black.
    void locListeDrawGridDrawCell(QPainter* painter, const QRect& rect, const QModelIndex& index);

public slots:
    void locAuswertenBtnClick();
    void locSpeichernBtnClick();
    void locDruckenBtnClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTableView* createGrid(const char* name, EvaluationGridModel* model, int columnWidth,
                           QWidget* page);
    void createSavePage();
    void layoutPage();
    void showList();
    void showTable();
    void centreOwnSquare();
    void locListeDrawGridMouseUp(QTableView* grid, const QModelIndex& index);

    Station& m_station;
    Navigator& m_navigator;
    Evaluation::FilterControls m_filter;
    QPushButton* m_showButton;
    QLabel* m_resultLabel;
    QTabWidget* m_tabs;
    QWidget* m_tableSheet;
    EvaluationGridModel* m_listModel;
    EvaluationGridModel* m_tableModel;
    QTableView* m_listGrid;
    QTableView* m_tableGrid;
    QCheckBox* m_exportList;
    QCheckBox* m_exportTable;
    QList<LocatorSquares::Square> m_list{LocatorSquares::Square()};
    LocatorSquares::Table m_table;
};
