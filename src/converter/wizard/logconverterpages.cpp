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

    m_statusPanel = named<QFrame>(this, "StatusPanel");
    auto* statusLayout = new QHBoxLayout(m_statusPanel);
    m_statusLabel = named<QLabel>(m_statusPanel, "StatusLabel");
    m_statusLabel->setWordWrap(true);
    QFont bold = m_statusLabel->font();
    bold.setBold(true);
    m_statusLabel->setFont(bold);
    statusLayout->addWidget(m_statusLabel);
    layout->addWidget(m_statusPanel);

    m_startPage = panel(this, "StartPanel");
    auto* start = new QGridLayout(m_startPage);
    m_importChoice = captioned<QRadioButton>(m_startPage, "ImportRadioBtn", "Import");
    m_exportChoice = captioned<QRadioButton>(m_startPage, "ExportRadioBtn", "Export");
    m_repairChoice = captioned<QRadioButton>(m_startPage, "RepairRadioBtn", "Korrigieren");
    m_appendChoice = captioned<QRadioButton>(m_startPage, "VerbindenRadioBtn", "Anhängen");
    m_splitChoice = captioned<QRadioButton>(m_startPage, "TrennenRadioBtn", "Trennen");
    m_importCaption =
        wrappedLabel(m_startPage, "ImportLabel",
                     "Daten aus Text-, ADIF- oder HTML-Dateien importieren in das Dalu-Format");
    m_exportCaption =
        wrappedLabel(m_startPage, "ExportLabel",
                     "Daten aus dem Dalu-Format in Text-, ADIF- oder HTML-Dateien exportieren");
    m_repairCaption =
        wrappedLabel(m_startPage, "RepairLabel",
                     "Eventuell in Dalu-Dateien vorhandene Fehler, wie falsche "
                     "Nummerierung oder falsches Datumsformat, automatisch korrigieren");
    m_appendCaption = wrappedLabel(m_startPage, "VerbindenLabel",
                                   "Eine oder mehrere Dalu-Dateien einer bestehenden Dalu-Datei "
                                   "anhängen oder in eine neue Dalu-Datei schreiben");
    m_splitCaption = wrappedLabel(m_startPage, "TrennenLabel", "");
    int row = 0;
    for (auto [radio, label] : {std::pair{m_importChoice, m_importCaption},
                                {m_exportChoice, m_exportCaption},
                                {m_repairChoice, m_repairCaption},
                                {m_appendChoice, m_appendCaption},
                                {m_splitChoice, m_splitCaption}}) {
        start->addWidget(radio, row, 0, Qt::AlignTop);
        start->addWidget(label, row++, 1);
    }
    // Splitting logs was never built; its choice stays out of sight.
    m_splitChoice->hide();
    m_splitCaption->hide();
    start->setColumnStretch(1, 1);
    start->setRowStretch(row, 1);
    layout->addWidget(m_startPage, 1);

    m_importSourcePage = panel(this, "ImportPanel");
    auto* import = new QVBoxLayout(m_importSourcePage);
    m_importFileEdit = named<QLineEdit>(m_importSourcePage, "Import1Edit");
    m_importBrowseButton = captioned<QPushButton>(m_importSourcePage, "Import1BrowseBtn", "...");
    import->addLayout(pathRow(m_importFileEdit, m_importBrowseButton));
    m_importAdifChoice = captioned<QRadioButton>(m_importSourcePage, "ImpAdifRadioBtn", "ADIF");
    m_importHtmlChoice = captioned<QRadioButton>(m_importSourcePage, "ImpHtmlRadioBtn", "HTML");
    m_importCabrilloChoice =
        captioned<QRadioButton>(m_importSourcePage, "ImpCabrilloRadioBtn", "Cabrillo");
    m_importTextChoice =
        captioned<QRadioButton>(m_importSourcePage, "ImpTxtFestRadioBtn", "Text (feste Breite)");
    m_importAdifChoice->setChecked(true);
    m_importCabrilloChoice->setEnabled(false);
    m_importTextChoice->setEnabled(false);
    for (QRadioButton* r :
         {m_importAdifChoice, m_importHtmlChoice, m_importCabrilloChoice, m_importTextChoice})
        import->addWidget(r);
    import->addStretch(1);
    layout->addWidget(m_importSourcePage, 1);

    m_targetLogPage = panel(this, "ImpLogFilePanel");
    auto* target = new QVBoxLayout(m_targetLogPage);
    m_targetLogBox = named<QComboBox>(m_targetLogPage, "ImpLogFileComboBox");
    m_targetLogBox->setEditable(true);
    m_targetLogBox->setInsertPolicy(QComboBox::NoInsert);
    target->addWidget(m_targetLogBox);
    target->addStretch(1);
    layout->addWidget(m_targetLogPage, 1);

    m_sourceLogsPage = panel(this, "ExpLogFilePanel");
    auto* logs = new QVBoxLayout(m_sourceLogsPage);
    m_sourceLogsList = named<QListWidget>(m_sourceLogsPage, "ExpLogFileListBox");
    m_sourceLogsList->setSelectionMode(QAbstractItemView::MultiSelection);
    logs->addWidget(m_sourceLogsList);
    layout->addWidget(m_sourceLogsPage, 1);

    m_exportTargetPage = panel(this, "ExportPanel");
    auto* exportLayout = new QVBoxLayout(m_exportTargetPage);
    m_exportFileEdit = named<QLineEdit>(m_exportTargetPage, "ExportEdit");
    m_exportBrowseButton = captioned<QPushButton>(m_exportTargetPage, "ExportBrowseBtn", "...");
    exportLayout->addLayout(pathRow(m_exportFileEdit, m_exportBrowseButton));
    m_exportAdifChoice = captioned<QRadioButton>(m_exportTargetPage, "ExpAdifRadioBtn", "ADIF");
    m_exportHtmlChoice = captioned<QRadioButton>(m_exportTargetPage, "ExpHtmlRadioBtn", "HTML");
    m_exportTextChoice =
        captioned<QRadioButton>(m_exportTargetPage, "ExpTxtFestRadioBtn", "Text (feste Breite)");
    m_exportAdifChoice->setChecked(true);
    for (QRadioButton* r : {m_exportAdifChoice, m_exportHtmlChoice, m_exportTextChoice})
        exportLayout->addWidget(r);
    exportLayout->addStretch(1);
    layout->addWidget(m_exportTargetPage, 1);

    m_columnsPage = panel(this, "StringGridPanel");
    auto* grid = new QGridLayout(m_columnsPage);
    m_columnFieldCaption = captioned<QLabel>(
        m_columnsPage, "Label1", "Unten ausgewählte Spalte soll folgendem Feld zugeordnet werden:");
    m_columnFieldBox = named<QComboBox>(m_columnsPage, "StringGridComboBox");
    for (const QByteArray& choice : HtmlTable::columnChoices())
        m_columnFieldBox->addItem(QString::fromLatin1(choice));
    m_startRowCaption =
        captioned<QLabel>(m_columnsPage, "Label2", "Import beginnt in folgender Zeile:");
    m_startRowEdit = named<QLineEdit>(m_columnsPage, "ImportStartZeileEdit");
    m_startRowEdit->setText(QStringLiteral("1"));
    m_startRowEdit->setValidator(new QIntValidator(0, 999999999, m_startRowEdit));
    m_columnsGrid = named<QTableView>(m_columnsPage, "StringGrid");
    m_columnsModel = new HtmlGridModel(m_columnsGrid);
    m_columnsGrid->setModel(m_columnsModel);
    m_columnsGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_columnsGrid->verticalHeader()->setDefaultSectionSize(m_columnsGrid->fontMetrics().height() +
                                                           4);
    grid->addWidget(m_columnFieldCaption, 0, 0);
    grid->addWidget(m_columnFieldBox, 0, 1);
    grid->addWidget(m_startRowCaption, 1, 0);
    grid->addWidget(m_startRowEdit, 1, 1);
    grid->addWidget(m_columnsGrid, 2, 0, 1, 2);
    grid->setRowStretch(2, 1);
    layout->addWidget(m_columnsPage, 1);

    m_finishPage = panel(this, "FertigPanel");
    auto* finish = new QVBoxLayout(m_finishPage);
    m_summaryLabel = named<QLabel>(m_finishPage, "SummaryLabel");
    m_summaryLabel->setWordWrap(true);
    m_skippedList = named<QPlainTextEdit>(m_finishPage, "SkippedMemo");
    m_skippedList->setReadOnly(true);
    m_skippedList->hide();
    m_startAgainButton = captioned<QPushButton>(m_finishPage, "GotoStartBtn", "zum Anfang");
    m_closeButton = captioned<QPushButton>(m_finishPage, "CloseBtn", "Schließen");
    auto* finishButtons = new QHBoxLayout;
    finishButtons->addWidget(m_startAgainButton);
    finishButtons->addWidget(m_closeButton);
    finishButtons->addStretch(1);
    finish->addWidget(m_summaryLabel);
    finish->addWidget(m_skippedList, 1);
    finish->addLayout(finishButtons);
    finish->addStretch(0);
    layout->addWidget(m_finishPage, 1);

    m_buttonPanel = named<QFrame>(this, "ButtonPanel");
    auto* buttons = new QHBoxLayout(m_buttonPanel);
    m_cancelButton = captioned<QPushButton>(m_buttonPanel, "CancelBtn", "Abbrechen");
    m_backButton = captioned<QPushButton>(m_buttonPanel, "BackBtn", "< Zurück");
    m_nextButton = captioned<QPushButton>(m_buttonPanel, "NextBtn", "Weiter >");
    buttons->addWidget(m_cancelButton);
    buttons->addStretch(1);
    buttons->addWidget(m_backButton);
    buttons->addWidget(m_nextButton);
    // Return in a field must not run a step by surprise.
    for (QPushButton* b :
         {m_cancelButton, m_backButton, m_nextButton, m_startAgainButton, m_closeButton})
        b->setAutoDefault(false);
    layout->addWidget(m_buttonPanel);

    m_startPage->show();
}

void TLogConverterForm::connectHandlers() {
    connect(m_nextButton, &QPushButton::clicked, this, &TLogConverterForm::NextBtnClick);
    connect(m_backButton, &QPushButton::clicked, this, &TLogConverterForm::BackBtnClick);
    connect(m_cancelButton, &QPushButton::clicked, this, &TLogConverterForm::CancelBtnClick);
    connect(m_closeButton, &QPushButton::clicked, this, &TLogConverterForm::CloseBtnClick);
    connect(m_startAgainButton, &QPushButton::clicked, this, &TLogConverterForm::GotoStartBtnClick);
    connect(m_importBrowseButton, &QPushButton::clicked, this,
            &TLogConverterForm::Import1BrowseBtnClick);
    connect(m_exportBrowseButton, &QPushButton::clicked, this,
            &TLogConverterForm::ExportBrowseBtnClick);
    connect(m_columnsGrid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TLogConverterForm::StringGridClick);
    connect(m_columnsGrid, &QTableView::clicked, this, &TLogConverterForm::StringGridClick);
    connect(m_columnFieldBox, &QComboBox::activated, this,
            &TLogConverterForm::StringGridComboBoxChange);
    connect(m_startRowEdit, &QLineEdit::textChanged, this,
            &TLogConverterForm::ImportStartZeileEditChange);
}
