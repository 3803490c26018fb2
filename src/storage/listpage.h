#pragma once

#include <QWidget>

class Navigator;
class QsoGrid;
class QPushButton;
class QsoLists;
class Station;

// Page "Liste": every QSO of the open log. Its selection is the lists' current QSO; a
// double-click or Return opens the row for editing.
class TListPage : public QWidget {
    Q_OBJECT
public:
    TListPage(Station& station, QsoLists& lists, Navigator& navigator, QWidget* parent = nullptr);

    // For the window's stored column widths and the header's fit-to-contents.
    QsoGrid* grid() const { return m_grid; }

public slots:
    // After a save: the row selected and brought to the bottom edge.
    void showSavedQso(int position);
    // "Drucken": the QSOs of the list (all or a range) in the columns shown.
    void print();

protected:
    void changeEvent(QEvent* event) override;

private:
    Station& m_station;
    QsoLists& m_lists;
    QsoGrid* m_grid;
    QPushButton* m_printButton;
};
