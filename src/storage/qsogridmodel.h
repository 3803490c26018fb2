#pragma once

#include "compactqso.h"

#include <QAbstractTableModel>
#include <QList>

// The QSOs of a list, one row each (row 0 is the first QSO shown); the column titles come
// from headerData. In the two lists of the open log, row r holds QSO r + 1.
class QsoGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static const QStringList& headerCaptions();

    explicit QsoGridModel(QObject* parent = nullptr);

    // The cell's whole text.
    QString cell(int row, int col) const;
    // The cell as the list shows and tips it: a field of megabytes would be laid out at
    // every paint, so at most kShownLength characters, then an ellipsis.
    static constexpr int kShownLength = 300;
    QString shownCell(int row, int col) const;
    TQsoRecord record(int row) const { return m_rows.at(row).toRecord(); }
    const CompactQso& qso(int row) const { return m_rows.at(row); }
    bool isEmpty() const { return m_rows.isEmpty(); }
    const QList<CompactQso>& rows() const { return m_rows; }

    void clear() { setRows({}); }
    // The rows at once, already in their shown form (CompactQso::shownInList).
    void setRows(QList<CompactQso> rows);
    void setRecords(const QList<TQsoRecord>& records);
    void appendRows(const QList<CompactQso>& rows);
    // Rewrites rows first ... in place, as far as the list has them.
    void replaceRows(int first, const QList<CompactQso>& rows);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<CompactQso> m_rows;
};
