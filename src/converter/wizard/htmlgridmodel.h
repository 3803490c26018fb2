#pragma once

#include "htmltable.h"

#include <QAbstractTableModel>
#include <QList>

// The loaded HTML table on the column assignment page. The header row is the grid's fixed
// row 0: each column's field choice ("00 - none" ... "16 - QSL in"). The rows below are
// the table's rows, numbered from 1 as the start line counts them. The cells stay in the
// loaded grid, so that a table of 100,000 rows costs no widget items.
class HtmlGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Takes the table and assigns its columns by the titles of its first row.
    void setGrid(HtmlTable::Grid grid);
    const HtmlTable::Grid& grid() const { return m_grid; }
    // The field number 0 to 16 of each column.
    const QList<int>& assignment() const { return m_assignment; }
    void setAssignment(int column, int field);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    HtmlTable::Grid m_grid;
    QList<int> m_assignment;
};
