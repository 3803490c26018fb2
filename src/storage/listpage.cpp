#include "listpage.h"

#include "navigator.h"
#include "qsogrid.h"
#include "qsogridmodel.h"
#include "qsolists.h"

#include <QHeaderView>
#include <QVBoxLayout>

TListPage::TListPage(QsoLists& lists, Navigator& navigator, QWidget* parent)
    : QWidget(parent), m_lists(lists), m_grid(new QsoGrid(lists.upper(), this)) {
    setObjectName(QStringLiteral("ListeTS"));
    m_grid->setObjectName(QStringLiteral("ListeStringGrid"));
    m_grid->setUserResizableColumns(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_grid);

    for (int col = 0; col < lists.upper()->columnCount(); ++col)
        lists.setColumnWidth(col, m_grid->columnWidth(col));
    connect(m_grid->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int col, int, int width) { m_lists.setColumnWidth(col, width); });
    connect(&lists, &QsoLists::currentQsoChanged, m_grid, &QsoGrid::selectGridRow);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                m_lists.setCurrentQso(current.isValid() ? current.row() + 1 : 0);
            });
    connect(m_grid, &QsoGrid::rowActivated, this, [&navigator](int gridRow) {
        navigator.editQso({gridRow, Navigator::ReturnTo::List, {}, {}});
    });
}

void TListPage::showSavedQso(int position) {
    m_lists.setCurrentQso(position);
    m_grid->selectGridRow(position);
    m_grid->scrollTo(m_grid->model()->index(position - 1, 0), QAbstractItemView::PositionAtBottom);
}
