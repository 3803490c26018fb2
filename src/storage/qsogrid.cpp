#include "qsogrid.h"

#include "maskrules.h"
#include "qsogridmodel.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

QsoGrid::QsoGrid(QsoGridModel* model, QWidget* parent) : QTableView(parent), m_model(model) {
    setModel(model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(18);
    horizontalHeader()->setDefaultSectionSize(64);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->viewport()->installEventFilter(this);
    connect(this, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { emit rowActivated(index.row() + 1); });
}

int QsoGrid::Row() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

void QsoGrid::selectGridRow(int gridRow) {
    if (gridRow < 1 || gridRow > model()->rowCount())
        return;
    const QModelIndex index = model()->index(gridRow - 1, 0);
    setCurrentIndex(index);
    selectRow(gridRow - 1);
    scrollTo(index);
}

void QsoGrid::setUserResizableColumns(bool resizable) {
    horizontalHeader()->setSectionResizeMode(resizable ? QHeaderView::Interactive
                                                       : QHeaderView::Fixed);
}

void QsoGrid::fitColumnsToContents() {
    const QFontMetrics metrics(font());
    const QFontMetrics headerMetrics(horizontalHeader()->font());
    for (int col = 0; col < m_model->columnCount(); ++col) {
        int width = headerMetrics.horizontalAdvance(MaskRules::trimmedText(
            m_model->headerData(col, Qt::Horizontal, Qt::DisplayRole).toString()));
        for (int row = 0; row < m_model->rowCount(); ++row)
            width = std::max(width, metrics.horizontalAdvance(
                                        MaskRules::trimmedText(m_model->shownCell(row, col))));
        width += 10;
        if (width > 0)
            setColumnWidth(col, width);
    }
}

bool QsoGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == horizontalHeader()->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->modifiers() & Qt::ControlModifier)
            emit headerCtrlReleased();
    }
    return QTableView::eventFilter(watched, event);
}

void QsoGrid::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && Row() > 0) {
        emit rowActivated(Row());
        return;
    }
    QTableView::keyPressEvent(event);
}

QList<int> QsoGrid::shownColumns() const {
    QList<int> columns;
    for (int c = 0; c < model()->columnCount(); ++c) {
        if (!isColumnHidden(c) && columnWidth(c) > 0)
            columns.append(c);
    }
    return columns;
}
