#pragma once

#include "navigator.h"

#include <QList>
#include <QWidget>

#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QsoGrid;
class QsoGridModel;
class QsoLists;
class Station;

// Page "Suche": up to five criteria over the open log, the hits in a grid; a double-click
// opens a hit on the edit page.
class TSearchPage : public QWidget {
    Q_OBJECT
public:
    TSearchPage(Station& station, QsoLists& lists, Navigator& navigator, QWidget* parent = nullptr);

    static constexpr int kRows = 5;

    // Sets criterion row 0 ... 4 as the evaluations' drill-downs do before a search;
    // field and operator are positions of their lists.
    void setCriterion(int row, bool active, int field, int op, const QString& text);
    // Searches with these criterion rows (the others off) and shows the hits.
    void showCriteria(const Navigator::SearchRows& rows);
    // The tool tips of the criterion rows, in the chosen language.
    void applyUiTexts();
    // The position in the log (1 ...) of the QSO in result grid row gridRow, or 0.
    int resultPosition(int gridRow) const;

public slots:
    void sCheckBoxClick();
    void sOperatorComboBox1Change();
    void SearchBtnClick();
    void sStringGridDblClick();
    // The page comes to the front: hits the log changed under are searched again.
    void SucheTSShow();
    // "Drucken": the hits shown (all or a range) in the columns shown.
    void print();

private:
    void createCriteria();
    void layoutPage();
    void searchAgain();

    Station& m_station;
    QsoLists& m_lists;
    Navigator& m_navigator;

    std::array<QCheckBox*, kRows> sCheckBox;
    std::array<QComboBox*, kRows> sFeldComboBox;
    std::array<QComboBox*, kRows> sOperatorComboBox;
    std::array<QLineEdit*, kRows> sEdit;
    QPlainTextEdit* formatRulesMemo; // "Memo1"
    QPushButton* SearchBtn;
    QPushButton* m_printBtn;
    QsoGrid* sStringGrid;
    QsoGridModel* sModel;

    QList<int> m_positions; // of the hits, by result row
    bool m_searched = false;
    bool m_stale = false;
};
