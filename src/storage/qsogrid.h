#pragma once

#include <QTableView>

class QsoGridModel;

// A QSO list: whole-row selection, rows 18 pixels high, the header row as row 0.
// Ctrl+click on the header fits every column to its contents.
class QsoGrid : public QTableView {
    Q_OBJECT
public:
    explicit QsoGrid(QsoGridModel* model, QWidget* parent = nullptr);

    QsoGridModel* gridModel() const { return m_model; }

    // The grid row (1 ...) of the current selection, or 0 when none.
    int Row() const;
    void selectGridRow(int gridRow);
    void setUserResizableColumns(bool resizable);

    // Width of each column: widest trimmed text of all rows and the header, plus 10.
    void fitColumnsToContents();
    // The columns (QsoField order numbers) the operator sees: not hidden, not shrunk to 0.
    QList<int> shownColumns() const;

signals:
    // A mouse release over the header row with Ctrl held.
    void headerCtrlReleased();
    void rowActivated(int gridRow); // double-click or Return

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QsoGridModel* m_model;
};
