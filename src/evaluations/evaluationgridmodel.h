#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QList>
#include <QStringList>

// The cells of an evaluation grid, row by row, the headings among them: the grids show
// no header of their own. Cells may carry a background colour.
class EvaluationGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Rows may differ in length; missing cells are empty.
    void setCells(const QList<QStringList>& rows, const QList<QList<QColor>>& colours = {});
    void clear() { setCells({}); }
    QString cell(int column, int row) const;
    QColor colour(int column, int row) const;
    void setAlignment(Qt::Alignment alignment) { m_alignment = alignment; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    QList<QStringList> m_rows;
    QList<QList<QColor>> m_colours;
    int m_columns = 0;
    Qt::Alignment m_alignment = Qt::AlignLeft | Qt::AlignVCenter;
};
