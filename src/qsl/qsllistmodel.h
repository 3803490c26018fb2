#pragma once

#include "compactqso.h"

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

// A list of QSOs showing some of their fields, each row knowing where its QSO lies in the
// log file. There is always at least one row, empty when the list is.
class QslListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    QslListModel(QList<QsoField> columns, QStringList titles, QObject* parent = nullptr);

    void setRows(QList<CompactQso> qsos, QList<int> positions);
    void clear() { setRows({}, {}); }

    // Position in the log (1 ...) of the QSO in this row, 0 for the empty row.
    int position(int row) const;
    const CompactQso& qso(int row) const { return m_qsos.at(row); }
    int qsoCount() const { return int(m_positions.size()); }
    // The QSO of this row as it now stands in the log.
    void setQso(int row, const CompactQso& qso);
    // The rows of QSOs first, first + 1, ... show these contents.
    void replaceQsos(int first, const QList<CompactQso>& qsos);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<QsoField> m_columns;
    QStringList m_titles;
    QList<CompactQso> m_qsos;
    QList<int> m_positions;
};
