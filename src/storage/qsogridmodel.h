#pragma once

#include "compactqso.h"

#include <QAbstractTableModel>
#include <QList>

// The rows of a QSO list as the grid holds them: grid row 0 is the header, grid row r
// (r >= 1) the r-th row; there is always at least one data row, empty for an empty log.
// Other pages select a QSO by the grid row of the list page.
class QsoGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static const QStringList& headerCaptions();

    explicit QsoGridModel(QObject* parent = nullptr);

    // Grid view: header row included.
    int RowCount() const { return static_cast<int>(m_rows.size()) + 1; }
    QString Cells(int col, int gridRow) const;
    // The cell as the list shows and tips it: a field of megabytes would be laid out at
    // every paint, so at most kShownLength characters, then an ellipsis.
    static constexpr int kShownLength = 300;
    QString shownCell(int col, int gridRow) const;
    TQsoRecord row(int gridRow) const { return m_rows.at(gridRow - 1).toRecord(); }

    // Two rows: the header and one empty row.
    void clear();
    // The rows of a whole log at once, already in their shown form (CompactQso::shownInList).
    void setRows(QList<CompactQso> rows);
    void setRecords(const QList<TQsoRecord>& records);
    // Sets the row count to gridRow + 1 and writes the record into grid row gridRow.
    void putRow(int gridRow, const TQsoRecord& record);
    bool isEmptyLog() const { return m_rows.size() == 1 && m_rows.first().isEmpty(); }
    // Rewrites grid row gridRow in place, when the grid has it (a changed QSO of the log).
    void replaceRow(int gridRow, const TQsoRecord& record);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<CompactQso> m_rows;
};
