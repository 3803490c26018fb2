// The wizard's pages and controls, named as the language files know them.
#include "htmlgridmodel.h"
#include "logconverterform.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

template <typename T> T* named(QWidget* parent, const char* name) {
    auto* widget = new T(parent);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

template <typename T> T* captioned(QWidget* parent, const char* name, const char* caption) {
    T* widget = named<T>(parent, name);
    widget->setText(QString::fromUtf8(caption));
    return widget;
}

QWidget* panel(QWidget* parent, const char* name) {
    auto* frame = named<QFrame>(parent, name);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->hide();
    return frame;
}

QLabel* wrappedLabel(QWidget* parent, const char* name, const char* caption) {
    auto* label = captioned<QLabel>(parent, name, caption);
    label->setWordWrap(true);
    return label;
}

// A path field with its "..." button in one row.
QHBoxLayout* pathRow(QLineEdit* edit, QPushButton* browse) {
    auto* row = new QHBoxLayout;
    row->addWidget(edit, 1);
    browse->setAutoDefault(false);
    row->addWidget(browse);
    return row;
}

} // namespace

void TLogConverterForm::buildPages() {
    auto* layout = new QVBoxLayout(this);

    StatusPanel = named<QFrame>(this, "StatusPanel");
    auto* statusLayout = new QHBoxLayout(StatusPanel);
    StatusLabel = named<QLabel>(StatusPanel, "StatusLabel");
    StatusLabel->setWordWrap(true);
    QFont bold = StatusLabel->font();
    bold.setBold(true);
    StatusLabel->setFont(bold);
    statusLayout->addWidget(StatusLabel);
    layout->addWidget(StatusPanel);

    StartPanel = panel(this, "StartPanel");
    auto* start = new QGridLayout(StartPanel);
    ImportRadioBtn = captioned<QRadioButton>(StartPanel, "ImportRadioBtn", "Import");
    ExportRadioBtn = captioned<QRadioButton>(StartPanel, "ExportRadioBtn", "Export");
    RepairRadioBtn = captioned<QRadioButton>(StartPanel, "RepairRadioBtn", "Korriegieren");
    VerbindenRadioBtn = captioned<QRadioButton>(StartPanel, "VerbindenRadioBtn", "Anhängen");
    TrennenRadioBtn = captioned<QRadioButton>(StartPanel, "TrennenRadioBtn", "Trennen");
    ImportLabel =
        wrappedLabel(StartPanel, "ImportLabel",
                     "Daten aus Text-, ADIF- oder HTML-Dateien importieren in das Dalu-Format");
    ExportLabel =
        wrappedLabel(StartPanel, "ExportLabel",
                     "Daten aus dem Dalu-Format in Text-, ADIF- oder HTML-Dateien exportieren");
    RepairLabel = wrappedLabel(StartPanel, "RepairLabel",
                               "Eventuell in Dalu-Dateien vorhandene Fehler, wie falsche "
                               "Nummerierung oder falsches Datumsformat, automatisch korrigieren");
    VerbindenLabel = wrappedLabel(StartPanel, "VerbindenLabel",
                                  "Ein oder mehrer Dalu-Dateien einer bestehende Dalu-Datei "
                                  "anhängen oder in eine neue Dalu-Datei schreiben");
    TrennenLabel = wrappedLabel(StartPanel, "TrennenLabel", "");
    int row = 0;
    for (auto [radio, label] : {std::pair{ImportRadioBtn, ImportLabel},
                                {ExportRadioBtn, ExportLabel},
                                {RepairRadioBtn, RepairLabel},
                                {VerbindenRadioBtn, VerbindenLabel},
                                {TrennenRadioBtn, TrennenLabel}}) {
        start->addWidget(radio, row, 0, Qt::AlignTop);
        start->addWidget(label, row++, 1);
    }
    // Splitting logs was never built; its choice stays out of sight.
    TrennenRadioBtn->hide();
    TrennenLabel->hide();
    start->setColumnStretch(1, 1);
    start->setRowStretch(row, 1);
    layout->addWidget(StartPanel, 1);

    ImportPanel = panel(this, "ImportPanel");
    auto* import = new QVBoxLayout(ImportPanel);
    Import1Edit = named<QLineEdit>(ImportPanel, "Import1Edit");
    Import1BrowseBtn = captioned<QPushButton>(ImportPanel, "Import1BrowseBtn", "...");
    import->addLayout(pathRow(Import1Edit, Import1BrowseBtn));
    ImpAdifRadioBtn = captioned<QRadioButton>(ImportPanel, "ImpAdifRadioBtn", "ADIF");
    ImpHtmlRadioBtn = captioned<QRadioButton>(ImportPanel, "ImpHtmlRadioBtn", "HTML");
    ImpCabrilloRadioBtn = captioned<QRadioButton>(ImportPanel, "ImpCabrilloRadioBtn", "Cabrillo");
    ImpTxtFestRadioBtn =
        captioned<QRadioButton>(ImportPanel, "ImpTxtFestRadioBtn", "Text (feste Breite)");
    ImpAdifRadioBtn->setChecked(true);
    ImpCabrilloRadioBtn->setEnabled(false);
    ImpTxtFestRadioBtn->setEnabled(false);
    for (QRadioButton* r :
         {ImpAdifRadioBtn, ImpHtmlRadioBtn, ImpCabrilloRadioBtn, ImpTxtFestRadioBtn})
        import->addWidget(r);
    import->addStretch(1);
    layout->addWidget(ImportPanel, 1);

    ImpLogFilePanel = panel(this, "ImpLogFilePanel");
    auto* target = new QVBoxLayout(ImpLogFilePanel);
    ImpLogFileComboBox = named<QComboBox>(ImpLogFilePanel, "ImpLogFileComboBox");
    ImpLogFileComboBox->setEditable(true);
    ImpLogFileComboBox->setInsertPolicy(QComboBox::NoInsert);
    target->addWidget(ImpLogFileComboBox);
    target->addStretch(1);
    layout->addWidget(ImpLogFilePanel, 1);

    ExpLogFilePanel = panel(this, "ExpLogFilePanel");
    auto* logs = new QVBoxLayout(ExpLogFilePanel);
    ExpLogFileListBox = named<QListWidget>(ExpLogFilePanel, "ExpLogFileListBox");
    ExpLogFileListBox->setSelectionMode(QAbstractItemView::MultiSelection);
    logs->addWidget(ExpLogFileListBox);
    layout->addWidget(ExpLogFilePanel, 1);

    ExportPanel = panel(this, "ExportPanel");
    auto* exportLayout = new QVBoxLayout(ExportPanel);
    ExportEdit = named<QLineEdit>(ExportPanel, "ExportEdit");
    ExportBrowseBtn = captioned<QPushButton>(ExportPanel, "ExportBrowseBtn", "...");
    exportLayout->addLayout(pathRow(ExportEdit, ExportBrowseBtn));
    ExpAdifRadioBtn = captioned<QRadioButton>(ExportPanel, "ExpAdifRadioBtn", "ADIF");
    ExpHtmlRadioBtn = captioned<QRadioButton>(ExportPanel, "ExpHtmlRadioBtn", "HTML");
    ExpTxtFestRadioBtn =
        captioned<QRadioButton>(ExportPanel, "ExpTxtFestRadioBtn", "Text (feste Breite)");
    ExpAdifRadioBtn->setChecked(true);
    for (QRadioButton* r : {ExpAdifRadioBtn, ExpHtmlRadioBtn, ExpTxtFestRadioBtn})
        exportLayout->addWidget(r);
    exportLayout->addStretch(1);
    layout->addWidget(ExportPanel, 1);

    StringGridPanel = panel(this, "StringGridPanel");
    auto* grid = new QGridLayout(StringGridPanel);
    Label1 = captioned<QLabel>(StringGridPanel, "Label1",
                               "Unten ausgewählte Spalte soll folgendem Feld zugeordnet werden:");
    StringGridComboBox = named<QComboBox>(StringGridPanel, "StringGridComboBox");
    for (const QByteArray& choice : HtmlTable::columnChoices())
        StringGridComboBox->addItem(QString::fromLatin1(choice));
    Label2 = captioned<QLabel>(StringGridPanel, "Label2", "Import beginnt in folgender Zeile:");
    ImportStartZeileEdit = named<QLineEdit>(StringGridPanel, "ImportStartZeileEdit");
    ImportStartZeileEdit->setText(QStringLiteral("1"));
    ImportStartZeileEdit->setValidator(new QIntValidator(0, 999999999, ImportStartZeileEdit));
    StringGrid = named<QTableView>(StringGridPanel, "StringGrid");
    StringGridModel = new HtmlGridModel(StringGrid);
    StringGrid->setModel(StringGridModel);
    StringGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid->verticalHeader()->setDefaultSectionSize(StringGrid->fontMetrics().height() + 4);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(StringGridComboBox, 0, 1);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(ImportStartZeileEdit, 1, 1);
    grid->addWidget(StringGrid, 2, 0, 1, 2);
    grid->setRowStretch(2, 1);
    layout->addWidget(StringGridPanel, 1);

    FertigPanel = panel(this, "FertigPanel");
    auto* finish = new QVBoxLayout(FertigPanel);
    SummaryLabel = named<QLabel>(FertigPanel, "SummaryLabel");
    SummaryLabel->setWordWrap(true);
    SkippedMemo = named<QPlainTextEdit>(FertigPanel, "SkippedMemo");
    SkippedMemo->setReadOnly(true);
    SkippedMemo->hide();
    GotoStartBtn = captioned<QPushButton>(FertigPanel, "GotoStartBtn", "zum Anfang");
    CloseBtn = captioned<QPushButton>(FertigPanel, "CloseBtn", "Schließen");
    auto* finishButtons = new QHBoxLayout;
    finishButtons->addWidget(GotoStartBtn);
    finishButtons->addWidget(CloseBtn);
    finishButtons->addStretch(1);
    finish->addWidget(SummaryLabel);
    finish->addWidget(SkippedMemo, 1);
    finish->addLayout(finishButtons);
    finish->addStretch(0);
    layout->addWidget(FertigPanel, 1);

    ButtonPanel = named<QFrame>(this, "ButtonPanel");
    auto* buttons = new QHBoxLayout(ButtonPanel);
    CancelBtn = captioned<QPushButton>(ButtonPanel, "CancelBtn", "Abbrechen");
    BackBtn = captioned<QPushButton>(ButtonPanel, "BackBtn", "< Zurück");
    NextBtn = captioned<QPushButton>(ButtonPanel, "NextBtn", "Weiter >");
    buttons->addWidget(CancelBtn);
    buttons->addStretch(1);
    buttons->addWidget(BackBtn);
    buttons->addWidget(NextBtn);
    // Return in a field must not run a step by surprise.
    for (QPushButton* b : {CancelBtn, BackBtn, NextBtn, GotoStartBtn, CloseBtn})
        b->setAutoDefault(false);
    layout->addWidget(ButtonPanel);

    StartPanel->show();
}

void TLogConverterForm::connectHandlers() {
    connect(NextBtn, &QPushButton::clicked, this, &TLogConverterForm::NextBtnClick);
    connect(BackBtn, &QPushButton::clicked, this, &TLogConverterForm::BackBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TLogConverterForm::CancelBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &TLogConverterForm::CloseBtnClick);
    connect(GotoStartBtn, &QPushButton::clicked, this, &TLogConverterForm::GotoStartBtnClick);
    connect(Import1BrowseBtn, &QPushButton::clicked, this,
            &TLogConverterForm::Import1BrowseBtnClick);
    connect(ExportBrowseBtn, &QPushButton::clicked, this, &TLogConverterForm::ExportBrowseBtnClick);
    connect(StringGrid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TLogConverterForm::StringGridClick);
    connect(StringGrid, &QTableView::clicked, this, &TLogConverterForm::StringGridClick);
    connect(StringGridComboBox, &QComboBox::activated, this,
            &TLogConverterForm::StringGridComboBoxChange);
    connect(ImportStartZeileEdit, &QLineEdit::textChanged, this,
            &TLogConverterForm::ImportStartZeileEditChange);
}
