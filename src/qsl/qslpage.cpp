#include "qslpage.h"

#include "busyprogress.h"
#include "confirmreport.h"
#include "confirmwindow.h"
#include "errorboundary.h"
#include "logchange.h"
#include "logfile.h"
#include "qsllabels.h"
#include "qsllistmodel.h"
#include "station.h"
#include "textinput.h"
#include "uitexts.h"
#include "widgetfactory.h"

#include <QApplication>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace {

QTableView* grid(const char* name, QslListModel* model, QWidget* parent) {
    auto* view = new QTableView(parent);
    view->setObjectName(QLatin1String(name));
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setWordWrap(false);
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(18);
    view->horizontalHeader()->setDefaultSectionSize(64);
    view->horizontalHeader()->setHighlightSections(false);
    // Widths from the first rows: a list of 30,000 cards is not measured whole.
    view->horizontalHeader()->setResizeContentsPrecision(100);
    return view;
}

// Row 0 ... of the view's current row, or -1.
int currentRow(const QTableView* view) {
    return view->currentIndex().isValid() ? view->currentIndex().row() : -1;
}

void selectRow(QTableView* view, int row) {
    view->setCurrentIndex(view->model()->index(row, 0));
    view->selectRow(row);
}

bool isEnter(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

} // namespace

TQslPage::TQslPage(Station& station, Navigator& navigator, QWidget* parent)
    : QWidget(parent), m_station(station), m_navigator(navigator) {
    setObjectName(QStringLiteral("QslPage"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(createQslOut(), 1);
    layout->addWidget(createQslIn());
    connect(&station, &Station::logChanged, this, &TQslPage::follow);
}

QWidget* TQslPage::createQslOut() {
    auto* box = new QGroupBox(QStringLiteral("QSL out"), this);
    box->setObjectName(QStringLiteral("QslOutGroupBox"));
    auto* createButton = new QPushButton(QStringLiteral("Liste erstellen"), box);
    createButton->setObjectName(QStringLiteral("qslCreateListBtn"));
    m_labelsButton = new QPushButton(uiText("Etiketten drucken"), box);
    m_labelsButton->setObjectName(QStringLiteral("qslPrintLabelsBtn"));
    QLabel* hint = WidgetFactory::label(
        "Label92",
        QStringLiteral("Folgende QSL-Karten m\u00fcssen noch geschrieben werden. (Doppelklick "
                       "oder [ENTER] um das QSL out Feld auf das aktuelle Datum zu setzen)"),
        box);
    hint->setWordWrap(true);
    m_outModel = new QslListModel(
        {QsoField::Number, QsoField::Call, QsoField::Date, QsoField::Utc, QsoField::Band,
         QsoField::Mode, QsoField::RstTx, QsoField::Comments, QsoField::QslOut},
        {"#", "Call", "Date", "UTC", "Band", "Mode", "RST TX", "Comments", "QSL out"}, this);
    m_outGrid = grid("qslStringGrid", m_outModel, box);
    m_outGrid->installEventFilter(this);
    connect(createButton, &QPushButton::clicked, this, &TQslPage::createList);
    connect(m_labelsButton, &QPushButton::clicked, this, &TQslPage::printLabels);
    // Several rows may be chosen for labels; Enter and n act on the current row.
    m_outGrid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    connect(m_outGrid, &QTableView::doubleClicked, this,
            [this] { markSent(currentRow(m_outGrid)); });

    auto* layout = new QGridLayout(box);
    layout->addWidget(createButton, 0, 0, Qt::AlignTop);
    layout->addWidget(hint, 0, 1);
    layout->addWidget(m_labelsButton, 0, 2, Qt::AlignTop);
    layout->addWidget(m_outGrid, 1, 0, 1, 3);
    layout->setColumnStretch(1, 1);
    return box;
}

QWidget* TQslPage::createQslIn() {
    auto* box = new QGroupBox(QStringLiteral("QSL in"), this);
    box->setObjectName(QStringLiteral("QslInGroupBox"));
    const auto label = [box](const char* name, const char* text) {
        return WidgetFactory::label(name, QString::fromUtf8(text), box);
    };
    for (auto [edit, name] :
         {std::pair{&m_callEdit, "qslCallEdit"}, std::pair{&m_dateEdit, "qslDateEdit"},
          std::pair{&m_utcEdit, "qslUtcEdit"}}) {
        *edit = new QLineEdit(box);
        (*edit)->setObjectName(QLatin1String(name));
        (*edit)->setMaximumWidth(140);
        TextInput::makeOneLine(*edit);
        connect(*edit, &QLineEdit::returnPressed, this, &TQslPage::qslInBtnClick);
    }
    m_arrivalPicker = new QDateEdit(QDate::currentDate(), box);
    m_arrivalPicker->setObjectName(QStringLiteral("qslInDatePicker"));
    m_arrivalPicker->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    m_arrivalPicker->setCalendarPopup(true);
    m_arrivalPicker->installEventFilter(this);
    auto* searchButton = new QPushButton(QStringLiteral("QSO suchen"), box);
    searchButton->setObjectName(QStringLiteral("qslInBtn"));
    searchButton->setDefault(true);
    connect(searchButton, &QPushButton::clicked, this, &TQslPage::qslInBtnClick);

    auto* inputs = new QGridLayout;
    inputs->addWidget(label("Label67", "Daten der erhaltenen QSL-Karte:"), 0, 0, 1, 3);
    const std::pair<QLabel*, QWidget*> rows[] = {
        {label("Label19", "Call:"), m_callEdit},
        {label("Label20", "Datum:"), m_dateEdit},
        {label("Label21", "UTC:"), m_utcEdit},
        {label("Label99", "Karte erhalten am:"), m_arrivalPicker}};
    int row = 1;
    for (const auto& [caption, input] : rows) {
        inputs->addWidget(caption, row, 0);
        inputs->addWidget(input, row++, 1);
    }
    inputs->addWidget(label("Label24", "(Gro\u00df-/Kleinschreibung egal)"), 1, 2);
    inputs->addWidget(label("Label25", "(ddmm, ddmmyy, ddmmyyyy oder dd.mm.yyyy)"), 2, 2);
    inputs->addWidget(label("Label26", "(hh, hhmm, hhmmss oder hh:nn:ss)"), 3, 2);
    inputs->addWidget(searchButton, 4, 2, Qt::AlignLeft);
    inputs->setColumnStretch(3, 1);
    inputs->setRowStretch(5, 1);
    inputs->addWidget(createConfirmButtons(box), 5, 0, 1, 3, Qt::AlignLeft | Qt::AlignBottom);
    auto* layout = new QHBoxLayout(box);
    layout->addLayout(inputs, 0);
    layout->addWidget(createHitPanel(box), 1);
    return box;
}

// Electronic confirmations beside the paper cards.
QWidget* TQslPage::createConfirmButtons(QWidget* parent) {
    auto* buttons = new QWidget(parent);
    auto* row = new QHBoxLayout(buttons);
    row->setContentsMargins(0, 0, 0, 0);
    auto* window = new TConfirmWindow(m_station, this);
    auto* importButton = new QPushButton(buttons);
    importButton->setObjectName(QStringLiteral("qslConfirmImportBtn"));
    window->caption(importButton, "QSL / Best\u00e4tigungen einlesen");
    connect(importButton, &QPushButton::clicked, window, &TConfirmWindow::chooseAndImport);
    auto* lotwButton = new QPushButton(buttons);
    lotwButton->setObjectName(QStringLiteral("qslLotwExportBtn"));
    window->caption(lotwButton, "F\u00fcr LoTW exportieren");
    connect(lotwButton, &QPushButton::clicked, window, &TConfirmWindow::exportForLotw);
    auto* eqslButton = new QPushButton(buttons);
    eqslButton->setObjectName(QStringLiteral("qslEqslExportBtn"));
    window->caption(eqslButton, "F\u00fcr eQSL exportieren");
    connect(eqslButton, &QPushButton::clicked, window, &TConfirmWindow::exportForEqsl);
    for (QPushButton* button : {importButton, lotwButton, eqslButton})
        row->addWidget(button);
    return buttons;
}

// The QSOs of a card that found several, to choose from.
QWidget* TQslPage::createHitPanel(QWidget* parent) {
    m_hitPanel = new QWidget(parent);
    m_hitPanel->setObjectName(QStringLiteral("qslSearchPanel"));
    QLabel* hint = WidgetFactory::label(
        "Label100",
        QStringLiteral("Mehrere QSOs gefunden. Bitte das richtige per Doppelklick ausw\u00e4hlen:"),
        m_hitPanel);
    hint->setWordWrap(true);
    m_hitModel = new QslListModel({QsoField::Number, QsoField::Date, QsoField::Utc, QsoField::Band,
                                   QsoField::Mode, QsoField::Call},
                                  {"#", "Date", "UTC", "Band", "Mode", "Call"}, this);
    m_hitGrid = grid("qslSearchStringGrid", m_hitModel, m_hitPanel);
    m_hitGrid->installEventFilter(this);
    connect(m_hitGrid, &QTableView::doubleClicked, this, &TQslPage::qslSearchStringGridDblClick);
    auto* panel = new QVBoxLayout(m_hitPanel);
    panel->setContentsMargins(0, 0, 0, 0);
    panel->addWidget(hint);
    panel->addWidget(m_hitGrid);
    m_hitPanel->hide();
    // The hit list takes the room beside the inputs without making the box taller.
    m_hitPanel->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    return m_hitPanel;
}

void TQslPage::createList() {
    m_outModel->clear();
    m_outListStale = false;
    if (!m_station.hasLog())
        return;
    ErrorBoundary::run(this, [&] {
        const BusyProgress busy(this);
        // The QSOs the station holds, as the file is now; the rows keep their position in it.
        m_station.refreshIfChanged();
        const QList<CompactQso>& all = m_station.qsos();
        const QList<int> positions = ConfirmReport::withoutConfirmed(
            QslCards::outList(all, QslCards::loadRule(m_station.settings())), all,
            m_station.settings(), m_station.log()->FileName());
        QList<CompactQso> listed;
        listed.reserve(positions.size());
        for (int position : positions)
            listed.append(all.at(position - 1).shownInList());
        m_outModel->setRows(std::move(listed), positions);
        m_outGrid->resizeColumnsToContents();
        // Room for the date a mark writes into the column.
        m_outGrid->setColumnWidth(8,
                                  std::max(m_outGrid->columnWidth(8), m_outGrid->columnWidth(2)));
    });
}

void TQslPage::markSent(int row) {
    mark(row, QslCards::Mark::Sent);
}

void TQslPage::markNoCard(int row) {
    mark(row, QslCards::Mark::NoCard);
}

void TQslPage::mark(int row, QslCards::Mark kind) {
    const int position = m_outModel->position(row);
    if (position < 1 || !m_station.hasLog())
        return; // the empty row of a list without QSOs
    ErrorBoundary::run(this, [&] {
        const CompactQso listed = m_outModel->qso(row);
        const TQsoRecord written = m_station.changeQso(position, [&](const TQsoRecord& current) {
            return QslCards::markListed(current, position, listed, kind, QDate::currentDate(),
                                        m_station.logFileName());
        });
        // Also after the station read a file changed behind it, which the list does not follow.
        m_outModel->setQso(row, CompactQso(written).shownInList());
        // Enter, Enter, Enter walks down a stack of cards.
        if (row + 1 < m_outModel->rowCount())
            selectRow(m_outGrid, row + 1);
    });
}

// A QSO written elsewhere (the edit page) shows its new fields. After the file changed as a
// whole the rows stay as listed: a mark checks that its QSO is still there.
void TQslPage::follow(const LogChange& change) {
    m_outListStale = m_outListStale || change.everything();
    if (change.kind != LogChange::Kind::Replaced)
        return;
    for (QslListModel* model : {m_outModel, m_hitModel})
        model->replaceQsos(change.first, change.rows);
}

bool TQslPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (watched == m_outGrid) {
        if (isEnter(key)) {
            markSent(currentRow(m_outGrid));
            return true;
        }
        if (key->text() == QLatin1String("n")) {
            markNoCard(currentRow(m_outGrid));
            return true;
        }
        // Other letters would jump to a row by its text and the next n hit another QSO.
        if (!key->text().isEmpty() && key->text().at(0).isPrint())
            return true;
    } else if (watched == m_hitGrid && isEnter(key)) {
        qslSearchStringGridDblClick();
        return true;
    } else if (watched == m_arrivalPicker && isEnter(key)) {
        qslInBtnClick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
