#include "qsllistmodel.h"

#include "cp1252.h"

QslListModel::QslListModel(QList<QsoField> columns, QStringList titles, QObject* parent)
    : QAbstractTableModel(parent), m_columns(std::move(columns)), m_titles(std::move(titles)) {
    m_qsos.append(CompactQso());
}

void QslListModel::setRows(QList<CompactQso> qsos, QList<int> positions) {
    beginResetModel();
    m_qsos = std::move(qsos);
    m_positions = std::move(positions);
    if (m_qsos.isEmpty())
        m_qsos.append(CompactQso());
    endResetModel();
}

int QslListModel::position(int row) const {
    return row >= 0 && row < m_positions.size() ? m_positions.at(row) : 0;
}

void QslListModel::setQso(int row, const CompactQso& qso) {
    if (row < 0 || row >= m_positions.size())
        return;
    m_qsos[row] = qso;
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void QslListModel::replaceQsos(int first, const QList<CompactQso>& qsos) {
    for (int row = 0; row < m_positions.size(); ++row) {
        const int i = m_positions.at(row) - first;
        if (i >= 0 && i < qsos.size())
            setQso(row, qsos.at(i));
    }
}

int QslListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_qsos.size());
}

int QslListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant QslListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    return fromCp1252(m_qsos.at(index.row()).field(int(m_columns.at(index.column()))));
}

QVariant QslListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= m_titles.size())
        return {};
    return m_titles.at(section);
}
