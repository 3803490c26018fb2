#include "evaluationgridmodel.h"

void EvaluationGridModel::setCells(const QList<QStringList>& rows,
                                   const QList<QList<QColor>>& colours) {
    beginResetModel();
    m_rows = rows;
    m_colours = colours;
    m_columns = 0;
    for (const QStringList& row : rows)
        m_columns = std::max(m_columns, int(row.size()));
    endResetModel();
}

QString EvaluationGridModel::cell(int column, int row) const {
    return row >= 0 && row < m_rows.size() ? m_rows[row].value(column) : QString();
}

QColor EvaluationGridModel::colour(int column, int row) const {
    return row >= 0 && row < m_colours.size() ? m_colours[row].value(column) : QColor();
}

int EvaluationGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int EvaluationGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_columns;
}

QVariant EvaluationGridModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return cell(index.column(), index.row());
    case Qt::BackgroundRole: {
        const QColor c = colour(index.column(), index.row());
        return c.isValid() ? QVariant(c) : QVariant();
    }
    case Qt::TextAlignmentRole:
        return int(m_alignment);
    default:
        return {};
    }
}
