#include "qsocountspage.h"

#include "errorboundary.h"
#include "evaluationcommon.h"
#include "evaluationgridmodel.h"
#include "languagetargets.h"
#include "logfile.h"
#include "mainform.h"
#include "maskrules.h"
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

TQsoCountsPage::TQsoCountsPage(TMainForm& mainForm, QWidget* tabSheet)
    : QWidget(tabSheet), m_mainForm(mainForm) {
    setObjectName(QStringLiteral("qsoCountsPage"));
    AnzQsosPageControl = new QTabWidget(this);
    AnzQsosPageControl->setObjectName(QStringLiteral("AnzQsosPageControl"));
    AnzQsosPageControl->setDocumentMode(true);
    WorkedQsosTS = WidgetFactory::addPage(AnzQsosPageControl, "WorkedQsosTS", QString());
    ConfirmedQsosTS = WidgetFactory::addPage(AnzQsosPageControl, "ConfirmedQsosTS", QString());
    allModel = new EvaluationGridModel(this);
    confirmedModel = new EvaluationGridModel(this);
    AnzahlQsosStringGrid = createGrid("AnzahlQsosStringGrid", allModel, WorkedQsosTS);
    AnzahlWorkedQsosStringGrid =
        createGrid("AnzahlWorkedQsosStringGrid", confirmedModel, ConfirmedQsosTS);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(AnzQsosPageControl);
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
    AnzQsosPageControl->setTabText(0, uiText("gearbeitete QSOs"));
    AnzQsosPageControl->setTabText(1, uiText("best\u00e4tigte QSOs"));
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
    TLogFile* log = m_mainForm.openLog();
    if (!log)
        return;
    QsoCounts counts;
    // After a read error the grids show what was counted until then.
    Evaluation::runBusy(this, [&] { QsoCounts::count(*log, counts); });
    fillGrids(counts);
}

void TQsoCountsPage::fillGrids(const QsoCounts& counts) {
    const QString total = m_mainForm.msg(Msg::TotalCaption);
    const QList<QStringList> all = countTable(counts, false, total);
    // The headings are painted like the counts, in the window (base) colour.
    allModel->setCells(all);
    confirmedModel->setCells(countTable(counts, true, total));
    fitColumns();
}

// Each column as wide as its widest text plus 10, however many bands there are; the
// confirmed grid takes the same widths so that both pages line up.
void TQsoCountsPage::fitColumns() {
    const QFontMetrics metrics(AnzahlQsosStringGrid->font());
    for (int column = 0; column < allModel->columnCount(); ++column) {
        int width = 0;
        for (int row = 0; row < allModel->rowCount(); ++row)
            width = std::max(width, metrics.horizontalAdvance(
                                        MaskRules::trimmedText(allModel->cell(column, row))));
        width += 10;
        if (width > 0) {
            AnzahlQsosStringGrid->setColumnWidth(column, width);
            AnzahlWorkedQsosStringGrid->setColumnWidth(column, width);
        }
    }
}

bool TQsoCountsPage::eventFilter(QObject* watched, QEvent* event) {
    for (QTableView* grid : {AnzahlQsosStringGrid, AnzahlWorkedQsosStringGrid}) {
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
    const bool confirmed = grid == AnzahlWorkedQsosStringGrid;
    const bool bandTotal = column == totalColumn;
    const bool modeTotal = row == totalRow;
    if (!confirmed && bandTotal && modeTotal) {
        m_mainForm.MainPageControl->setCurrentWidget(m_mainForm.ListeTS);
        return;
    }
    using Evaluation::SearchRow;
    using Op = QsoSearch::Operator;
    QList<std::optional<SearchRow>> rows(3);
    if (!bandTotal)
        rows[0] = SearchRow{Evaluation::kBandField, Op::Is, model->cell(column, 0)};
    if (!modeTotal)
        rows[1] = SearchRow{Evaluation::kModeField, Op::Is, model->cell(0, row)};
    if (confirmed)
        rows[2] = Evaluation::kConfirmedRow;
    Evaluation::drillDown(m_mainForm, rows);
}
