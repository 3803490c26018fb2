#pragma once

#include "compactqso.h"

#include <QAbstractTableModel>
#include <QList>

// The QSOs of a list, one row each (row 0 is the first QSO shown); the column titles come
// from headerData. In the two lists of the open log, row r holds QSO r + 1: those rows are
// the station's own list, followed rather than copied, so a million QSOs are held once.
// Comments show every line break as one blank.
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
    TQsoRecord record(int row) const { return rows().at(row).toRecord(); }
    const CompactQso& qso(int row) const { return rows().at(row); }
    bool isEmpty() const { return m_count == 0; }
    const QList<CompactQso>& rows() const { return m_source ? *m_source : m_rows; }

    void clear() { setRows({}); }
    // Rows of its own, at once.
    void setRows(QList<CompactQso> rows);
    void setRecords(const QList<TQsoRecord>& records);
    void appendRows(const QList<CompactQso>& rows);
    // Rewrites rows first ... in place, as far as the list has them.
    void replaceRows(int first, const QList<CompactQso>& rows);

    // Shows a list owned elsewhere, which must outlive the model or be left first, and
    // is told of its changes: rows added at its end, or rows first ... last rewritten;
    // anything else is followed anew.
    void follow(const QList<CompactQso>* source);
    void sourceAppended();
    void sourceReplaced(int first, int last);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<CompactQso> m_rows;
    const QList<CompactQso>* m_source = nullptr;
    int m_count = 0; // the rows the view knows of, which a followed list may have outgrown
};
