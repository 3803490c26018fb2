#include "locatorpage.h"

#include "errorboundary.h"
#include "evaluationgridmodel.h"
#include "languagetargets.h"
#include "locatorhtml.h"
#include "logfile.h"
#include "meminifile.h"
#include "navigator.h"
#include "programdir.h"
#include "settingskeys.h"
#include "station.h"
#include "uitexts.h"
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
    WidgetFactory::setColour(label, QPalette::WindowText,
                             Evaluation::legibleTextOn(Evaluation::colour(colour)));
    label->setContentsMargins(6, 2, 6, 2);
    return label;
}

} // namespace

TLocatorPage::TLocatorPage(Station& station, Navigator& navigator, QWidget* tabSheet)
    : QWidget(tabSheet), m_station(station), m_navigator(navigator), m_filter("loc", this) {
    setObjectName(QStringLiteral("locatorPage"));
    m_showButton = new QPushButton(QStringLiteral("anzeigen!"), this);
    m_showButton->setObjectName(QStringLiteral("locAuswertenBtn"));
    connect(m_showButton, &QPushButton::clicked, this, &TLocatorPage::locAuswertenBtnClick);
    m_resultLabel = WidgetFactory::label(
        "locResultLabel", QStringLiteral("Auf \"anzeigen!\" clicken, um ein Ergebnis zu erhalten!"),
        this);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("locPageControl"));
    m_tabs->setDocumentMode(true);
    QWidget* listSheet = WidgetFactory::addPage(m_tabs, "locListeTS", QStringLiteral("Liste"));
    m_tableSheet = WidgetFactory::addPage(m_tabs, "locTabelleTS", QStringLiteral("Tabelle"));
    m_listModel = new EvaluationGridModel(this);
    m_tableModel = new EvaluationGridModel(this);
    const int squareWidth = fontMetrics().horizontalAdvance(QStringLiteral("WW00")) + 14;
    m_listGrid = createGrid("locListeDrawGrid", m_listModel, squareWidth + 20, listSheet);
    m_tableGrid = createGrid("locTabelleDrawGrid", m_tableModel, squareWidth, m_tableSheet);
    createSavePage();
    connect(m_tabs, &QTabWidget::currentChanged, this, [this] {
        if (m_tabs->currentWidget() == m_tableSheet)
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

void TLocatorPage::createSavePage() {
    QWidget* page = WidgetFactory::addPage(m_tabs, "locSpeichernDruckenTS",
                                           QStringLiteral("Speichern / Drucken"));
    m_exportList = new QCheckBox(QStringLiteral("Liste"), page);
    m_exportList->setObjectName(QStringLiteral("locExportListe"));
    m_exportList->setChecked(true);
    m_exportTable = new QCheckBox(QStringLiteral("Tabelle"), page);
    m_exportTable->setObjectName(QStringLiteral("locExportTabelle"));
    m_exportTable->setChecked(true);
    auto* save = new QPushButton(QStringLiteral("Speichern"), page);
    save->setObjectName(QStringLiteral("locSpeichernBtn"));
    auto* print = new QPushButton(QStringLiteral("Drucken"), page);
    print->setObjectName(QStringLiteral("locDruckenBtn"));
    connect(save, &QPushButton::clicked, this, &TLocatorPage::locSpeichernBtnClick);
    connect(print, &QPushButton::clicked, this, &TLocatorPage::locDruckenBtnClick);
    auto* grid = new QGridLayout(page);
    grid->addWidget(WidgetFactory::label("Label70",
                                         QStringLiteral("Die Auswertung als HTML-Datei speichern "
                                                        "oder \u00fcber den Web-Browser drucken."),
                                         page),
                    0, 0, 1, 3);
    grid->addWidget(WidgetFactory::label(
                        "Label65", QStringLiteral("Folgende Teile speichern bzw. drucken:"), page),
                    1, 0, 1, 3);
    grid->addWidget(m_exportList, 2, 0);
    grid->addWidget(m_exportTable, 3, 0);
    grid->addWidget(save, 4, 0);
    grid->addWidget(print, 4, 1);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(5, 1);
}

void TLocatorPage::layoutPage() {
    const Evaluation::FilterControls& f = m_filter;
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
    legends->addWidget(m_showButton);
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
    page->addWidget(m_resultLabel);
    page->addWidget(m_tabs, 1);
    auto* sheet = new QVBoxLayout(static_cast<QWidget*>(parent()));
    sheet->setContentsMargins(0, 0, 0, 0);
    sheet->addWidget(this);
}

void TLocatorPage::locListeDrawGridDrawCell(QPainter* painter, const QRect& rect,
                                            const QModelIndex& index) {
    const auto* model = static_cast<const EvaluationGridModel*>(index.model());
    const QColor colour = model->colour(index.column(), index.row());
    painter->fillRect(rect, colour.isValid() ? colour : palette().color(QPalette::Window));
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
    m_listModel->setCells(rows, colours);
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
    m_tableModel->setCells(rows, colours);
    centreOwnSquare();
}

// The map opens around the own square; centring needs the grid's size, known once shown.
void TLocatorPage::centreOwnSquare() {
    if (!m_tableGrid->isVisible())
        return;
    for (int i = 0; i < m_table.cells.size(); ++i) {
        if (m_table.cells[i].colour == LocatorSquares::kOwn)
            m_tableGrid->scrollTo(m_tableModel->index(i / m_table.columns, i % m_table.columns),
                                  QAbstractItemView::PositionAtCenter);
    }
}

void TLocatorPage::locAuswertenBtnClick() {
    if (!m_station.hasLog())
        return;
    m_list.clear();
    m_table = LocatorSquares::Table();
    m_listModel->clear();
    m_tableModel->clear();
    LocatorSquares::TableResult result;
    SkippedQsos skipped;
    const QString own = SettingsKeys::read(m_station.settings(), SettingsKeys::EigenerLocator);
    if (!Evaluation::runBusy(this, [&] {
            skipped = LocatorSquares::select(
                m_station.currentQsos(), Evaluation::withConfirmations(m_filter.filter(), m_station), m_list);
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
        messages.prepend(own.isEmpty() ? uiText("Die Karte hat keine Mitte: kein eigener "
                                                "Locator (Optionen / Allgemein).")
                                       : m_station.msg(Msg::OwnLocatorInvalidHead) + own +
                                             m_station.msg(Msg::OwnLocatorInvalidTail));
        Evaluation::showMessages(this, messages);
        return;
    }
    m_table = result.table;
    showTable();
    m_resultLabel->setText(m_station.msg(Msg::ResultHead) + QString::number(m_list.size()) +
                           m_station.msg(Msg::ResultLocators) +
                           QString::number(LocatorSquares::confirmedCount(m_list)) +
                           m_station.msg(Msg::ResultTail));
    for (const QString& square : result.unreadable)
        messages.append(m_station.msg(Msg::LocatorInvalidHead) + square +
                        m_station.msg(Msg::LocatorInvalidTail));
    Evaluation::showMessages(this, messages);
}

QByteArray TLocatorPage::htmlDocument(bool forPrinting) const {
    LocatorHtml::Options options;
    options.titleHead = m_station.msg(Msg::LocHtmlTitle);
    options.ownCall = SettingsKeys::read(m_station.settings(), SettingsKeys::EigenesCall);
    if (options.ownCall.isEmpty())
        options.ownCall = uiText("(eigenes Call fehlt)");
    options.forPrinting = forPrinting;
    options.withList = m_exportList->isChecked();
    options.withTable = m_exportTable->isChecked();
    return LocatorHtml::document(options, m_list, m_table);
}

void TLocatorPage::locSpeichernBtnClick() {
    QFileDialog dialog(this, m_station.msg(Msg::LocSaveTitle), programDirectory());
    dialog.setObjectName(QStringLiteral("SaveDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(WizardFileDialog::nameFilters(m_station.msg(Msg::LocSaveFilter)));
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
        for (QTableView* grid : {m_listGrid, m_tableGrid}) {
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
    const Square& s =
        grid == m_listGrid ? m_list.value(index.row()) : m_table.at(index.column(), index.row());
    Navigator::SearchRows rows{
        QsoSearch::Criterion{Evaluation::kLocatorField, QsoSearch::Operator::Contains, s.text}};
    if (s.colour == LocatorSquares::kConfirmed)
        rows.append(Evaluation::kConfirmedRow);
    m_navigator.showInSearch(rows);
}
