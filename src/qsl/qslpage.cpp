#include "qslpage.h"

#include "station.h"

#include "busyprogress.h"
#include "callcheck.h"
#include "errorboundary.h"
#include "logfile.h"
#include "mainform.h"
#include "meminifile.h"
#include "qslcardbuttons.h"
#include "qsllistmodel.h"
#include "qsogridmodel.h"
#include "textinput.h"
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

TQslPage::TQslPage(TMainForm& mainForm, QWidget* parent) : QWidget(parent), m_mainForm(mainForm) {
    setObjectName(QStringLiteral("QslPage"));
    createQslOut();
    createQslIn();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(QslOutGroupBox, 1);
    layout->addWidget(QslInGroupBox);
    cardButtons = new TQslCardButtons(mainForm, this);
}

void TQslPage::createQslOut() {
    QslOutGroupBox = new QGroupBox(QStringLiteral("QSL out"), this);
    QslOutGroupBox->setObjectName(QStringLiteral("QslOutGroupBox"));
    qslCreateListBtn = new QPushButton(QStringLiteral("Liste erstellen"), QslOutGroupBox);
    qslCreateListBtn->setObjectName(QStringLiteral("qslCreateListBtn"));
    Label92 = WidgetFactory::label(
        "Label92",
        QStringLiteral("Folgende QSL-Karten m\u00fcssen noch geschrieben werden. (Doppelclick "
                       "oder [ENTER] um das QSL out Feld auf das aktuelle Datum zu setzen)"),
        QslOutGroupBox);
    Label92->setWordWrap(true);
    qslModel = new QslListModel(
        {QsoField::Number, QsoField::Call, QsoField::Date, QsoField::Utc, QsoField::Band,
         QsoField::Mode, QsoField::RstTx, QsoField::Comments, QsoField::QslOut},
        {"#", "Call", "Date", "UTC", "Band", "Mode", "RST TX", "Comments", "QSL out"}, this);
    qslStringGrid = grid("qslStringGrid", qslModel, QslOutGroupBox);
    qslStringGrid->installEventFilter(this);
    connect(qslCreateListBtn, &QPushButton::clicked, this, &TQslPage::qslCreateListBtnClick);
    connect(qslStringGrid, &QTableView::doubleClicked, this, &TQslPage::qslStringGridDblClick);

    auto* layout = new QGridLayout(QslOutGroupBox);
    layout->addWidget(qslCreateListBtn, 0, 0, Qt::AlignTop);
    layout->addWidget(Label92, 0, 1);
    layout->addWidget(qslStringGrid, 1, 0, 1, 2);
    layout->setColumnStretch(1, 1);
}

void TQslPage::createQslIn() {
    QslInGroupBox = new QGroupBox(QStringLiteral("QSL in"), this);
    QslInGroupBox->setObjectName(QStringLiteral("QslInGroupBox"));
    QWidget* box = QslInGroupBox;
    Label67 =
        WidgetFactory::label("Label67", QStringLiteral("Daten der erhaltenen QSL-Karte:"), box);
    Label19 = WidgetFactory::label("Label19", QStringLiteral("Call:"), box);
    Label20 = WidgetFactory::label("Label20", QStringLiteral("Datum:"), box);
    Label21 = WidgetFactory::label("Label21", QStringLiteral("UTC:"), box);
    Label24 =
        WidgetFactory::label("Label24", QStringLiteral("(Gro\u00df-/Kleinschreibung egal)"), box);
    Label25 = WidgetFactory::label("Label25",
                                   QStringLiteral("(ddmm, ddmmyy, ddmmyyyy oder dd.mm.yyyy)"), box);
    Label26 =
        WidgetFactory::label("Label26", QStringLiteral("(hh, hhmm, hhmmss oder hh:nn:ss)"), box);
    Label99 = WidgetFactory::label("Label99", QStringLiteral("Karte erhalten am:"), box);
    for (auto [edit, name] :
         {std::pair{&qslCallEdit, "qslCallEdit"}, std::pair{&qslDateEdit, "qslDateEdit"},
          std::pair{&qslUtcEdit, "qslUtcEdit"}}) {
        *edit = new QLineEdit(box);
        (*edit)->setObjectName(QLatin1String(name));
        (*edit)->setMaximumWidth(140);
        TextInput::makeOneLine(*edit);
        connect(*edit, &QLineEdit::returnPressed, this, &TQslPage::qslInBtnClick);
    }
    qslInDatePicker = new QDateEdit(QDate::currentDate(), box);
    qslInDatePicker->setObjectName(QStringLiteral("qslInDatePicker"));
    qslInDatePicker->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    qslInDatePicker->setCalendarPopup(true);
    qslInDatePicker->installEventFilter(this);
    qslInBtn = new QPushButton(QStringLiteral("QSO suchen"), box);
    qslInBtn->setObjectName(QStringLiteral("qslInBtn"));
    qslInBtn->setDefault(true);
    connect(qslInBtn, &QPushButton::clicked, this, &TQslPage::qslInBtnClick);

    qslSearchPanel = new QWidget(box);
    qslSearchPanel->setObjectName(QStringLiteral("qslSearchPanel"));
    Label100 = WidgetFactory::label(
        "Label100",
        QStringLiteral("Mehrere QSOs gefunden. Bitte das richtige per Doppelclick ausw\u00e4hlen:"),
        qslSearchPanel);
    Label100->setWordWrap(true);
    qslSearchModel = new QslListModel({QsoField::Number, QsoField::Date, QsoField::Utc,
                                       QsoField::Band, QsoField::Mode, QsoField::Call},
                                      {"#", "Date", "UTC", "Band", "Mode", "Call"}, this);
    qslSearchStringGrid = grid("qslSearchStringGrid", qslSearchModel, qslSearchPanel);
    qslSearchStringGrid->installEventFilter(this);
    connect(qslSearchStringGrid, &QTableView::doubleClicked, this,
            &TQslPage::qslSearchStringGridDblClick);
    auto* panel = new QVBoxLayout(qslSearchPanel);
    panel->setContentsMargins(0, 0, 0, 0);
    panel->addWidget(Label100);
    panel->addWidget(qslSearchStringGrid);
    qslSearchPanel->hide();

    auto* inputs = new QGridLayout;
    inputs->addWidget(Label67, 0, 0, 1, 3);
    const std::pair<QLabel*, QWidget*> rows[] = {{Label19, qslCallEdit},
                                                 {Label20, qslDateEdit},
                                                 {Label21, qslUtcEdit},
                                                 {Label99, qslInDatePicker}};
    int row = 1;
    for (const auto& [label, input] : rows) {
        inputs->addWidget(label, row, 0);
        inputs->addWidget(input, row++, 1);
    }
    inputs->addWidget(Label24, 1, 2);
    inputs->addWidget(Label25, 2, 2);
    inputs->addWidget(Label26, 3, 2);
    inputs->addWidget(qslInBtn, 4, 2, Qt::AlignLeft);
    inputs->setColumnStretch(3, 1);
    inputs->setRowStretch(5, 1);
    // The hit list takes the room beside the inputs without making the box taller.
    qslSearchPanel->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    auto* layout = new QHBoxLayout(box);
    layout->addLayout(inputs, 0);
    layout->addWidget(qslSearchPanel, 1);
}

void TQslPage::qslCreateListBtnClick() {
    qslModel->clear();
    TLogFile* log = m_mainForm.openLog();
    if (!log)
        return;
    ErrorBoundary::run(this, [&] {
        const BusyProgress busy(this);
        // Read here rather than through a refill of the list page, which would cost more
        // than the list itself; the rows keep their position in the file.
        QList<CompactQso> all;
        log->forEachLine([&](const QByteArray& line, const QsoLine::FieldStarts& starts) {
            all.append(CompactQso(line, starts).shownInList());
        });
        const QList<int> positions =
            QslCards::outList(all, QslCards::loadRule(m_mainForm.settings()));
        QList<CompactQso> listed;
        listed.reserve(positions.size());
        for (int position : positions)
            listed.append(all.at(position - 1));
        qslModel->setRows(std::move(listed), positions);
        qslStringGrid->resizeColumnsToContents();
        // Room for the date a mark writes into the column.
        qslStringGrid->setColumnWidth(
            8, std::max(qslStringGrid->columnWidth(8), qslStringGrid->columnWidth(2)));
    });
}

void TQslPage::qslStringGridDblClick() {
    mark(QslCards::Mark::Sent);
}

void TQslPage::mark(QslCards::Mark kind) {
    const int row = currentRow(qslStringGrid);
    const int position = qslModel->position(row);
    TLogFile* log = m_mainForm.openLog();
    if (position < 1 || !log)
        return; // the empty row of a list without QSOs
    ErrorBoundary::run(this, [&] {
        const CompactQso listed = qslModel->qso(row);
        const TQsoRecord written = m_mainForm.station().changeQso(position, [&](TLogFile& log) {
            return QslCards::markInLog(log, position, listed, kind, QDate::currentDate());
        });
        qslModel->setQso(row, CompactQso(written).shownInList());
        // Enter, Enter, Enter walks down a stack of cards.
        if (row + 1 < qslModel->rowCount())
            selectRow(qslStringGrid, row + 1);
    });
}

bool TQslPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (watched == qslStringGrid) {
        if (isEnter(key)) {
            mark(QslCards::Mark::Sent);
            return true;
        }
        if (key->text() == QLatin1String("n")) {
            mark(QslCards::Mark::NoCard);
            return true;
        }
        // Other letters would jump to a row by its text and the next n hit another QSO.
        if (!key->text().isEmpty() && key->text().at(0).isPrint())
            return true;
    } else if (watched == qslSearchStringGrid && isEnter(key)) {
        qslSearchStringGridDblClick();
        return true;
    } else if (watched == qslInDatePicker && isEnter(key)) {
        qslInBtnClick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
