#include "listpage.h"

#include "errorboundary.h"
#include "logprintdialog.h"
#include "navigator.h"
#include "qsogrid.h"
#include "qsogridmodel.h"
#include "qsolists.h"
#include "settingskeys.h"
#include "station.h"
#include "uitexts.h"

#include <QEvent>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

TListPage::TListPage(Station& station, QsoLists& lists, Navigator& navigator, QWidget* parent)
    : QWidget(parent), m_station(station), m_lists(lists),
      m_grid(new QsoGrid(lists.upper(), this)) {
    setObjectName(QStringLiteral("ListeTS"));
    m_grid->setObjectName(QStringLiteral("ListeStringGrid"));
    m_grid->setUserResizableColumns(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_grid);
    m_printButton = new QPushButton(uiText("Drucken"), this);
    m_printButton->setObjectName(QStringLiteral("ListePrintBtn"));
    layout->addWidget(m_printButton, 0, Qt::AlignRight);
    connect(m_printButton, &QPushButton::clicked, this, &TListPage::print);

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

void TListPage::print() {
    ErrorBoundary::run(this, [&] {
        LogPrintDialog::print(this, m_lists.upper()->rows(), m_grid->shownColumns(),
                              SettingsKeys::read(m_station.settings(), SettingsKeys::EigenesCall),
                              m_station.logFileName());
    });
}

// The button's caption has no line in the language files.
void TListPage::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        m_printButton->setText(uiText("Drucken"));
    QWidget::changeEvent(event);
}
