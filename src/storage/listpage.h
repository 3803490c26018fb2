#pragma once

#include <QWidget>

class Navigator;
class QsoGrid;
class QsoLists;

// Page "Liste": every QSO of the open log. Its selection is the lists' current QSO; a
// double-click or Return opens the row for editing.
class TListPage : public QWidget {
    Q_OBJECT
public:
    TListPage(QsoLists& lists, Navigator& navigator, QWidget* parent = nullptr);

    // For the window's stored column widths and the header's fit-to-contents.
    QsoGrid* grid() const { return m_grid; }

public slots:
    // After a save: the row selected and brought to the bottom edge.
    void showSavedQso(int position);

private:
    QsoLists& m_lists;
    QsoGrid* m_grid;
};
