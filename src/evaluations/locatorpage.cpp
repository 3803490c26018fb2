#include "locatorpage.h"

#include "errorboundary.h"
#include "evaluationgridmodel.h"
#include "languagetargets.h"
#include "locatorhtml.h"
#include "logfile.h"
#include "mainform.h"
#include "meminifile.h"
#include "programdir.h"
#include "settingskeys.h"
#include "widgetfactory.h"
#include "wizardfiledialog.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QDateEdit>
#include <QDesktopServices>
#include <QFileDialog>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QUrl>

namespace {

using LocatorSquares::Square;

// Both grids are painted by the page's one drawing handler.
class SquareDelegate : public QStyledItemDelegate {
public:
    SquareDelegate(TLocatorPage* page) : QStyledItemDelegate(page), m_page(page) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        m_page->locListeDrawGridDrawCell(painter, option.rect, index);
    }

private:
    TLocatorPage* m_page;
};

QLabel* legend(const char* name, const QString& text, quint32 colour, QWidget* parent) {
    QLabel* label = WidgetFactory::label(name, text, parent);
    label->setAutoFillBackground(true);
    WidgetFactory::setColour(label, QPalette::Window, Evaluation::colour(colour));
    WidgetFactory::setColour(label, QPalette::WindowText, Qt::black);
    label->setContentsMargins(6, 2, 6, 2);
    return label;
}

} // namespace

TLocatorPage::TLocatorPage(TMainForm& mainForm, QWidget* tabSheet)
    : QWidget(tabSheet), filterControls("loc", this), m_mainForm(mainForm) {
    setObjectName(QStringLiteral("locatorPage"));
    locAuswertenBtn = new QPushButton(QStringLiteral("anzeigen!"), this);
    locAuswertenBtn->setObjectName(QStringLiteral("locAuswertenBtn"));
    connect(locAuswertenBtn, &QPushButton::clicked, this, &TLocatorPage::locAuswertenBtnClick);
    locResultLabel = WidgetFactory::label(
        "locResultLabel", QStringLiteral("Auf \"anzeigen!\" clicken, um ein Ergebnis zu erhalten!"),
        this);
    locPageControl = new QTabWidget(this);
    locPageControl->setObjectName(QStringLiteral("locPageControl"));
    locPageControl->setDocumentMode(true);
    locListeTS = WidgetFactory::addPage(locPageControl, "locListeTS", QStringLiteral("Liste"));
    locTabelleTS =
        WidgetFactory::addPage(locPageControl, "locTabelleTS", QStringLiteral("Tabelle"));
    listModel = new EvaluationGridModel(this);
    tableModel = new EvaluationGridModel(this);
    const int squareWidth = fontMetrics().horizontalAdvance(QStringLiteral("WW00")) + 14;
    locListeDrawGrid = createGrid("locListeDrawGrid", listModel, squareWidth + 20, locListeTS);
    locTabelleDrawGrid = createGrid("locTabelleDrawGrid", tableModel, squareWidth, locTabelleTS);
    locSpeichernDruckenTS = createSavePage();
    connect(locPageControl, &QTabWidget::currentChanged, this, [this] {
        if (locPageControl->currentWidget() == locTabelleTS)
            centreOwnSquare();
    });
    layoutPage();
}

QTableView* TLocatorPage::createGrid(const char* name, EvaluationGridModel* model, int columnWidth,
                                     QWidget* page) {
    auto* grid = new QTableView(page);
    grid->setObjectName(QLatin1String(name));
    grid->setModel(model);
    grid->setItemDelegate(new SquareDelegate(this));
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setDefaultSectionSize(columnWidth);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(std::max(22, fontMetrics().height() + 8));
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->setFocusPolicy(Qt::NoFocus);
    grid->viewport()->installEventFilter(this);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 4, 0, 0);
    layout->addWidget(grid);
    return grid;
}

QWidget* TLocatorPage::createSavePage() {
    QWidget* page = WidgetFactory::addPage(locPageControl, "locSpeichernDruckenTS",
                                           QStringLiteral("Speichern / Drucken"));
    locExportListe = new QCheckBox(QStringLiteral("Liste"), page);
    locExportListe->setObjectName(QStringLiteral("locExportListe"));
    locExportListe->setChecked(true);
    locExportTabelle = new QCheckBox(QStringLiteral("Tabelle"), page);
    locExportTabelle->setObjectName(QStringLiteral("locExportTabelle"));
    locExportTabelle->setChecked(true);
    locSpeichernBtn = new QPushButton(QStringLiteral("Speichern"), page);
    locSpeichernBtn->setObjectName(QStringLiteral("locSpeichernBtn"));
    locDruckenBtn = new QPushButton(QStringLiteral("Drucken"), page);
    locDruckenBtn->setObjectName(QStringLiteral("locDruckenBtn"));
    connect(locSpeichernBtn, &QPushButton::clicked, this, &TLocatorPage::locSpeichernBtnClick);
    connect(locDruckenBtn, &QPushButton::clicked, this, &TLocatorPage::locDruckenBtnClick);
    auto* grid = new QGridLayout(page);
    grid->addWidget(WidgetFactory::label("Label70",
                                         QStringLiteral("Die Auswertung als HTML-Datei speichern "
                                                        "oder \u00fcber den Web-Browser drucken."),
                                         page),
                    0, 0, 1, 3);
    grid->addWidget(WidgetFactory::label(
                        "Label65", QStringLiteral("Folgende Teile speichern bzw. drucken:"), page),
                    1, 0, 1, 3);
    grid->addWidget(locExportListe, 2, 0);
    grid->addWidget(locExportTabelle, 3, 0);
    grid->addWidget(locSpeichernBtn, 4, 0);
    grid->addWidget(locDruckenBtn, 4, 1);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(5, 1);
    return page;
}

void TLocatorPage::layoutPage() {
    const Evaluation::FilterControls& f = filterControls;
    auto* filters = new QGridLayout;
    auto add = [&](int row, int column, const char* name, const QString& text, QWidget* w,
                   int span = 1) {
        filters->addWidget(WidgetFactory::label(name, text, this), row, column);
        filters->addWidget(w, row, column + 1, 1, span);
    };
    add(0, 0, "Label72", QStringLiteral("B\u00e4nder:"), f.bandEdit, 3);
    add(1, 0, "Label73", QStringLiteral("Modes:"), f.modeEdit, 3);
    add(2, 0, "Label74", QStringLiteral("Datum von:"), f.startDatePicker);
    add(2, 2, "Label75", QStringLiteral("bis:"), f.stopDatePicker);
    add(3, 0, "Label76", QStringLiteral("QSO-Nr. von:"), f.startNumberEdit);
    add(3, 2, "Label77", QStringLiteral("bis:"), f.stopNumberEdit);

    QLabel* help = WidgetFactory::label(
        "Memo7",
        QStringLiteral(
            "B\u00e4nder und Modes durch Komma trennen,\nz.B. 2m, 70cm; * steht f\u00fcr "
            "alle.\nGez\u00e4hlt werden nur QSOs mit Locator.\n[Strg] + Klick auf ein "
            "Gro\u00dffeld zeigt\nseine QSOs auf der Seite Suche."),
        this);
    help->setAlignment(Qt::AlignTop | Qt::AlignLeft);

    auto* legends = new QVBoxLayout;
    legends->addWidget(locAuswertenBtn);
    legends->addSpacing(6);
    legends->addWidget(
        legend("Label63", QStringLiteral("eigenes Gro\u00dffeld"), LocatorSquares::kOwn, this));
    legends->addWidget(
        legend("Label78", QStringLiteral("gearbeitet"), LocatorSquares::kWorked, this));
    legends->addWidget(legend("Label79", QStringLiteral("gearbeitet und best\u00e4tigt"),
                              LocatorSquares::kConfirmed, this));
    legends->addStretch();

    auto* top = new QHBoxLayout;
    top->addLayout(filters);
    top->addSpacing(12);
    top->addWidget(help, 1);
    top->addLayout(legends);
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(8, 8, 8, 4);
    page->addLayout(top);
    page->addWidget(locResultLabel);
    page->addWidget(locPageControl, 1);
    auto* sheet = new QVBoxLayout(static_cast<QWidget*>(parent()));
    sheet->setContentsMargins(0, 0, 0, 0);
    sheet->addWidget(this);
}

void TLocatorPage::locListeDrawGridDrawCell(QPainter* painter, const QRect& rect,
                                            const QModelIndex& index) {
    const auto* model = static_cast<const EvaluationGridModel*>(index.model());
    const QColor colour = model->colour(index.column(), index.row());
    painter->fillRect(rect,
                      colour.isValid() ? colour : m_mainForm.palette().color(QPalette::Window));
    painter->setPen(Qt::black);
    painter->drawText(rect, Qt::AlignCenter, model->cell(index.column(), index.row()));
}

void TLocatorPage::showList() {
    QList<QStringList> rows;
    QList<QList<QColor>> colours;
    for (const Square& s : m_list) {
        rows.append({s.text});
        colours.append({Evaluation::colour(s.colour)});
    }
    listModel->setCells(rows, colours);
}

void TLocatorPage::showTable() {
    QList<QStringList> rows;
    QList<QList<QColor>> colours;
    for (int row = 0; row < m_table.rows; ++row) {
        rows.append(QStringList());
        colours.append(QList<QColor>());
        for (int column = 0; column < m_table.columns; ++column) {
            const Square& s = m_table.at(column, row);
            rows.last().append(s.text);
            colours.last().append(
                s.colour == LocatorSquares::kNotWorked ? QColor() : Evaluation::colour(s.colour));
        }
    }
    tableModel->setCells(rows, colours);
    centreOwnSquare();
}

// The map opens around the own square; centring needs the grid's size, known once shown.
void TLocatorPage::centreOwnSquare() {
    if (!locTabelleDrawGrid->isVisible())
        return;
    for (int i = 0; i < m_table.cells.size(); ++i) {
        if (m_table.cells[i].colour == LocatorSquares::kOwn)
            locTabelleDrawGrid->scrollTo(
                tableModel->index(i / m_table.columns, i % m_table.columns),
                QAbstractItemView::PositionAtCenter);
    }
}

void TLocatorPage::locAuswertenBtnClick() {
    TLogFile* log = m_mainForm.openLog();
    if (!log)
        return;
    m_list.clear();
    m_table = LocatorSquares::Table();
    listModel->clear();
    tableModel->clear();
    LocatorSquares::TableResult result;
    SkippedQsos skipped;
    const QString own = SettingsKeys::read(m_mainForm.settings(), SettingsKeys::EigenerLocator);
    if (!Evaluation::runBusy(this, [&] {
            skipped = LocatorSquares::select(*log, filterControls.filter(), m_list);
            result = LocatorSquares::buildTable(m_list, own);
        }))
        return;
    QStringList messages = skipped.report();
    if (m_list.isEmpty()) {
        Evaluation::showMessages(this, messages);
        return; // nothing selected: the result line stays
    }
    showList();
    if (!result.ownValid) {
        showTable(); // one blank cell
        messages.prepend(m_mainForm.msg(Msg::OwnLocatorInvalidHead) + own +
                         m_mainForm.msg(Msg::OwnLocatorInvalidTail));
        Evaluation::showMessages(this, messages);
        return;
    }
    m_table = result.table;
    showTable();
    locResultLabel->setText(m_mainForm.msg(Msg::ResultHead) + QString::number(m_list.size()) +
                            m_mainForm.msg(Msg::ResultLocators) +
                            QString::number(LocatorSquares::confirmedCount(m_list)) +
                            m_mainForm.msg(Msg::ResultTail));
    for (const QString& square : result.unreadable)
        messages.append(m_mainForm.msg(Msg::LocatorInvalidHead) + square +
                        m_mainForm.msg(Msg::LocatorInvalidTail));
    Evaluation::showMessages(this, messages);
}

QByteArray TLocatorPage::htmlDocument(bool forPrinting) const {
    LocatorHtml::Options options;
    options.titleHead = m_mainForm.msg(Msg::LocHtmlTitle);
    options.ownCall = SettingsKeys::read(m_mainForm.settings(), SettingsKeys::EigenesCall);
    options.forPrinting = forPrinting;
    options.withList = locExportListe->isChecked();
    options.withTable = locExportTabelle->isChecked();
    return LocatorHtml::document(options, m_list, m_table);
}

void TLocatorPage::locSpeichernBtnClick() {
    QFileDialog dialog(this, m_mainForm.msg(Msg::LocSaveTitle), programDirectory());
    dialog.setObjectName(QStringLiteral("SaveDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(WizardFileDialog::nameFilters(m_mainForm.msg(Msg::LocSaveFilter)));
    dialog.selectFile(programDirectory() + QStringLiteral("locator.htm"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().first();
    ErrorBoundary::run(this, [&] { LocatorHtml::save(path, htmlDocument(false)); });
}

// Written beside the program and opened with the desktop's default handler (a browser),
// which prints it on loading; the file stays.
void TLocatorPage::locDruckenBtnClick() {
    const QString path = programDirectory() + QStringLiteral("~$print.htm");
    if (ErrorBoundary::run(this, [&] { LocatorHtml::save(path, htmlDocument(true)); }))
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool TLocatorPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        for (QTableView* grid : {locListeDrawGrid, locTabelleDrawGrid}) {
            if (watched == grid->viewport() && (mouse->modifiers() & Qt::ControlModifier))
                locListeDrawGridMouseUp(grid, grid->indexAt(mouse->position().toPoint()));
        }
    }
    return QWidget::eventFilter(watched, event);
}

// Ctrl+click: the QSOs of the square, only the confirmed ones for a red square.
void TLocatorPage::locListeDrawGridMouseUp(QTableView* grid, const QModelIndex& index) {
    if (!index.isValid())
        return;
    const Square& s = grid == locListeDrawGrid ? m_list.value(index.row())
                                               : m_table.at(index.column(), index.row());
    using Evaluation::SearchRow;
    QList<std::optional<SearchRow>> rows{
        SearchRow{Evaluation::kLocatorField, QsoSearch::Operator::Contains, s.text}};
    if (s.colour == LocatorSquares::kConfirmed)
        rows.append(Evaluation::kConfirmedRow);
    Evaluation::drillDown(m_mainForm, rows);
}
