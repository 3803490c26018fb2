#include "htmlgridmodel.h"

#include "cp1252.h"

void HtmlGridModel::setGrid(HtmlTable::Grid grid) {
    beginResetModel();
    m_grid = std::move(grid);
    m_assignment = m_grid.rows.isEmpty()
                       ? QList<int>(m_grid.columnCount, 0)
                       : HtmlTable::assignByTitles(m_grid.rows.first(), m_grid.columnCount);
    endResetModel();
}

void HtmlGridModel::setAssignment(int column, int field) {
    if (column < 0 || column >= m_assignment.size() || field < 0 ||
        field >= HtmlTable::columnChoices().size() || m_assignment[column] == field)
        return;
    m_assignment[column] = field;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

int HtmlGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_grid.rows.size());
}

int HtmlGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_grid.columnCount;
}

QVariant HtmlGridModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return fromCp1252(m_grid.rows.at(index.row()).value(index.column()));
}

QVariant HtmlGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    if (section < 0 || section >= m_assignment.size())
        return {};
    return QString::fromLatin1(HtmlTable::columnChoices().at(m_assignment[section]));
}
