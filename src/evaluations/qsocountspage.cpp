#include "qsocountspage.h"

#include "errorboundary.h"
#include "evaluationcommon.h"
#include "evaluationgridmodel.h"
#include "languagetargets.h"
#include "logfile.h"
#include "maskrules.h"
#include "navigator.h"
#include "station.h"
#include "uitexts.h"
#include "widgetfactory.h"

#include <QEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace {

constexpr int kDefaultColumnWidth = 50;
constexpr int kDefaultRowHeight = 18;
constexpr const char* kArmed = "armed"; // the grid's Tag: a double-click waits for its release

} // namespace

TQsoCountsPage::TQsoCountsPage(Station& station, Navigator& navigator, QWidget* tabSheet)
    : QWidget(tabSheet), m_station(station), m_navigator(navigator) {
    setObjectName(QStringLiteral("qsoCountsPage"));
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("AnzQsosPageControl"));
    m_tabs->setDocumentMode(true);
    m_allModel = new EvaluationGridModel(this);
    m_confirmedModel = new EvaluationGridModel(this);
    // The confirmed grid's name is a designer leftover the language files keep.
    m_allGrid = createGrid("AnzahlQsosStringGrid", m_allModel,
                           WidgetFactory::addPage(m_tabs, "WorkedQsosTS", QString()));
    m_confirmedGrid = createGrid("AnzahlWorkedQsosStringGrid", m_confirmedModel,
                                 WidgetFactory::addPage(m_tabs, "ConfirmedQsosTS", QString()));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_tabs);
    auto* sheetLayout = new QVBoxLayout(tabSheet);
    sheetLayout->setContentsMargins(0, 0, 0, 0);
    sheetLayout->addWidget(this);
    retranslate();
}

QTableView* TQsoCountsPage::createGrid(const char* name, EvaluationGridModel* model,
                                       QWidget* page) {
    auto* grid = new QTableView(page);
    grid->setObjectName(QLatin1String(name));
    grid->setModel(model);
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setDefaultSectionSize(kDefaultColumnWidth);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grid->verticalHeader()->setDefaultSectionSize(
        std::max(kDefaultRowHeight, grid->fontMetrics().height() + 4));
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setWordWrap(false);
    grid->setProperty(kArmed, false);
    grid->viewport()->installEventFilter(this);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 4, 0, 0);
    layout->addWidget(grid);
    return grid;
}

void TQsoCountsPage::retranslate() {
    m_tabs->setTabText(0, uiText("gearbeitete QSOs"));
    m_tabs->setTabText(1, uiText("best\u00e4tigte QSOs"));
}

void TQsoCountsPage::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void TQsoCountsPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    AnzahlQsosTSShow();
}

void TQsoCountsPage::AnzahlQsosTSShow() {
    if (!m_station.hasLog())
        return;
    QsoCounts counts;
    // After a read error the grids show what was counted until then.
    Evaluation::runBusy(
        this, [&] { QsoCounts::count(m_station.currentQsos(), counts, Evaluation::confirmedBy(m_station)); });
    fillGrids(counts);
}

void TQsoCountsPage::fillGrids(const QsoCounts& counts) {
    const QString total = m_station.msg(Msg::TotalCaption);
    const QList<QStringList> all = countTable(counts, false, total);
    // The headings are painted like the counts, in the window (base) colour.
    m_allModel->setCells(all);
    m_confirmedModel->setCells(countTable(counts, true, total));
    fitColumns();
}

// Each column as wide as its widest text plus 10, however many bands there are; the
// confirmed grid takes the same widths so that both pages line up.
void TQsoCountsPage::fitColumns() {
    const QFontMetrics metrics(m_allGrid->font());
    for (int column = 0; column < m_allModel->columnCount(); ++column) {
        int width = 0;
        for (int row = 0; row < m_allModel->rowCount(); ++row)
            width = std::max(width, metrics.horizontalAdvance(
                                        MaskRules::trimmedText(m_allModel->cell(column, row))));
        width += 10;
        if (width > 0) {
            m_allGrid->setColumnWidth(column, width);
            m_confirmedGrid->setColumnWidth(column, width);
        }
    }
}

bool TQsoCountsPage::eventFilter(QObject* watched, QEvent* event) {
    for (QTableView* grid : {m_allGrid, m_confirmedGrid}) {
        if (watched != grid->viewport())
            continue;
        if (event->type() == QEvent::MouseButtonDblClick) {
            grid->setProperty(kArmed, true); // AnzahlQsosStringGridDblClick
        } else if (event->type() == QEvent::MouseButtonRelease && grid->property(kArmed).toBool()) {
            grid->setProperty(kArmed, false);
            const QModelIndex index =
                grid->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint());
            if (index.isValid())
                drillDown(grid, index.column(), index.row());
        }
    }
    return QWidget::eventFilter(watched, event);
}

// AnzahlQsosStringGridMouseUp and AnzahlWorkedQsosStringGridMouseUp after a double-click.
void TQsoCountsPage::drillDown(QTableView* grid, int column, int row) {
    const auto* model = static_cast<EvaluationGridModel*>(grid->model());
    const int totalColumn = model->columnCount() - 1;
    const int totalRow = model->rowCount() - 1;
    if (column <= 0 || row <= 0 || column > totalColumn || row > totalRow)
        return; // a heading
    const bool confirmed = grid == m_confirmedGrid;
    const bool bandTotal = column == totalColumn;
    const bool modeTotal = row == totalRow;
    if (!confirmed && bandTotal && modeTotal) {
        m_navigator.showPage(Navigator::Page::List);
        return;
    }
    using QsoSearch::Criterion;
    using Op = QsoSearch::Operator;
    Navigator::SearchRows rows(3);
    if (!bandTotal)
        rows[0] = Criterion{Evaluation::kBandField, Op::Is, model->cell(column, 0)};
    if (!modeTotal)
        rows[1] = Criterion{Evaluation::kModeField, Op::Is, model->cell(0, row)};
    if (confirmed)
        rows[2] = Evaluation::kConfirmedRow;
    m_navigator.showInSearch(rows);
}
