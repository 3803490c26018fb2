#include "logconverterform.h"

#include "htmlgridmodel.h"
#include "keyboardaccess.h"
#include "logfileset.h"
#include "programdir.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTableView>

#include <iterator>

namespace {

struct DefaultText {
    const char* name;
    const char* text;
};

#define DALU_ADIF_FILTER "ADIF-Logs (*.adi)|*.adi|Alle Dateien (*.*)|*.*"
#define DALU_HTML_FILTER "HTML-Dateien (*.htm;*.html)|*.htm;*.html|Alle Dateien (*.*)|*.*"

// The German wording; a language file replaces it.
const DefaultText kDefaultTexts[] = {
    {"TitleStart", "Was willst du tun?"},
    {"Title11", "1.1 Welches Format und welche Datei soll importiert werden?"},
    {"Title12", "1.2 In welche Dalu-Datei sollen die Daten importiert werden?"},
    {"Title14", "1.4 Wie sollen die Daten zugeordnet werden?"},
    {"Title15", "1.5 Fertig!"},
    {"Title21", "2.1 Aus welchen Dalu-Dateien sollen die Daten exportiert werden?"},
    {"Title22", "2.2 In welche Datei und in welches Format soll exportiert werden?"},
    {"Title23", "2.3 Fertig!"},
    {"Title31", "3.1 Welche Dalu-Dateien sollen korrigiert werden?"},
    {"Title32", "3.2 Fertig!"},
    {"Title41", "4.1 Welche Dalu-Dateien sollen angehängt werden?"},
    {"Title42", "4.2 An welche Dalu-Datei sollen die Daten angehängt werden?"},
    {"Title43", "4.3 Fertig!"},
    {"DlgImportAdifTitle", "Import ADIF ..."},
    {"DlgAdifFilter", DALU_ADIF_FILTER},
    {"DlgExportAdifTitle", "Export ADIF ..."},
    {"DlgExportAdifFilter", DALU_ADIF_FILTER},
    {"MsgFileMissing", "Datei existiert nicht!"},
    {"MsgNoLogSelected", "Keine Dalu-Datei ausgewählt!"},
    {"MsgOverwriteHead", "Die Datei \""},
    {"MsgOverwriteTail", "\" existiert.\r\nÜberschreiben?"},
    {"MsgNoExportFile", "Keine Datei, in die exportiert werden soll, angegeben!"},
    {"MsgSelectAtLeastOne", "Du musst mindestens eine Dalu-Datei auswählen!"},
    {"MsgReallyCancel", "Der Vorgang ist noch nicht beendet, willst du wirklich abbrechen?"},
    {"DlgExportHtmlTitle", "Export HTML ..."},
    {"DlgHtmlFilter", DALU_HTML_FILTER},
    {"DlgExportTxtTitle", "Export Text (feste Breite) ..."},
    {"DlgTxtFilter", "Textdateien (*.txt)|*.txt|Alle Dateien (*.*)|*.*"},
    {"TxtCreatedWith", "Erstellt mit Dalu LogConverter"},
    {"DlgImportHtmlTitle", "Import HTML ..."},
    {"DlgImportHtmlFilter", DALU_HTML_FILTER},
};

#undef DALU_ADIF_FILTER
#undef DALU_HTML_FILTER

using Step = TLogConverterForm::Step;

// Message texts come with CR LF line breaks from the language file.
QString forMessageBox(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

using F = TLogConverterForm;
// In the order of the steps.
const F::StepInfo F::kSteps[] = {
    {Step::Start, &F::m_startPage, "TitleStart", Step::Start},
    {Step::Import11, &F::m_importSourcePage, "Title11", Step::Start},
    {Step::Import12, &F::m_targetLogPage, "Title12", Step::Import11},
    {Step::Import14, &F::m_columnsPage, "Title14", Step::Import12},
    {Step::Import15, &F::m_finishPage, "Title15", Step::Import15},
    {Step::Export21, &F::m_sourceLogsPage, "Title21", Step::Start},
    {Step::Export22, &F::m_exportTargetPage, "Title22", Step::Export21},
    {Step::Export23, &F::m_finishPage, "Title23", Step::Export23},
    {Step::Repair31, &F::m_sourceLogsPage, "Title31", Step::Start},
    {Step::Repair32, &F::m_finishPage, "Title32", Step::Repair32},
    {Step::Append41, &F::m_sourceLogsPage, "Title41", Step::Start},
    {Step::Append42, &F::m_targetLogPage, "Title42", Step::Append41},
    {Step::Append43, &F::m_finishPage, "Title43", Step::Append43},
};

const F::StepInfo& F::stepInfo(Step step) {
    static_assert(std::size(kSteps) == static_cast<size_t>(Step::Append43) + 1);
    const StepInfo& info = kSteps[static_cast<int>(step)];
    Q_ASSERT(info.step == step);
    return info;
}

bool F::isFinish(Step step) {
    return stepInfo(step).page == &F::m_finishPage;
}

TLogConverterForm::TLogConverterForm(Station& station, QWidget* parent)
    : QDialog(parent), m_station(station) {
    setObjectName(QStringLiteral("LogConverterForm"));
    setWindowTitle(QStringLiteral("LogConverter"));
    setModal(true);
    setSizeGripEnabled(true);
    chooseFile = &WizardFileDialog::choose;
    buildPages();
    KeyboardAccess::setHeading(this, m_statusLabel);
    connectHandlers();
    FormCreate();
}

TLogConverterForm::~TLogConverterForm() = default;

void TLogConverterForm::FormCreate() {
    for (const DefaultText& t : kDefaultTexts)
        setProperty(t.name, QString::fromUtf8(t.text));
}

QString TLogConverterForm::text(const char* name) const {
    return property(name).toString();
}

void TLogConverterForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TLogConverterForm::FormShow() {
    restart();
    resize(503, 411);
}

void TLogConverterForm::GotoStartBtnClick() {
    restart();
}

// Earlier choices (radio buttons, paths) stay; the log lists are read afresh, so they
// show logs the last job created.
void TLogConverterForm::restart() {
    m_busy = true;
    fillLogLists();
    showSummary({});
    goTo(Step::Start);
}

void TLogConverterForm::fillLogLists() {
    m_targetLogBox->clear();
    m_targetLogBox->clearEditText();
    m_sourceLogsList->clear();
    const QStringList names = LogFileSet::logFileNames(programDirectory());
    m_targetLogBox->addItems(names);
    m_targetLogBox->setCurrentIndex(-1);
    m_targetLogBox->clearEditText();
    m_sourceLogsList->addItems(names);
}

QWidget* TLogConverterForm::page(Step step) const {
    return this->*stepInfo(step).page;
}

// The step is kept apart from the title it shows, so that titles a language file gives
// alike (or leaves empty) cannot confuse the steps.
void TLogConverterForm::goTo(Step step) {
    for (QWidget* p : {m_startPage, m_importSourcePage, m_targetLogPage, m_sourceLogsPage,
                       m_exportTargetPage, m_columnsPage, m_finishPage})
        p->setVisible(p == page(step));
    m_statusLabel->setText(text(stepInfo(step).title));
    // The step's fields have no captions: the status line names them.
    KeyboardAccess::apply(this);
    m_step = step;
    if (isFinish(step))
        m_busy = false;
    m_backButton->setEnabled(step != Step::Start && !isFinish(step));
    m_nextButton->setEnabled(!isFinish(step));
}

void TLogConverterForm::showError(const char* textName) {
    QMessageBox::critical(this, windowTitle(), forMessageBox(text(textName)));
}

bool TLogConverterForm::AtLeastOneChecked(const QListWidget* listBox) const {
    return !listBox->selectedItems().isEmpty();
}

void TLogConverterForm::NextBtnClick() {
    switch (m_step) {
    case Step::Start:
        nextFromStart();
        break;
    case Step::Import11:
        if (QFileInfo(m_importFileEdit->text()).isFile())
            goTo(Step::Import12);
        else
            showError("MsgFileMissing");
        break;
    case Step::Import12:
        nextOnImportTarget();
        break;
    case Step::Import14:
        if (runJob(QFileInfo(targetLogPath()).fileName(),
                   [this](const ProgressCallback& p) { ImportStringGrid(p); }))
            goTo(Step::Import15);
        break;
    case Step::Export21:
    case Step::Repair31:
    case Step::Append41:
        if (!AtLeastOneChecked(m_sourceLogsList)) {
            showError("MsgSelectAtLeastOne");
        } else if (m_step == Step::Export21) {
            goTo(Step::Export22);
        } else if (m_step == Step::Append41) {
            goTo(Step::Append42);
        } else if (runJob(QString(), [this](const ProgressCallback& p) { Repair(p); })) {
            goTo(Step::Repair32);
        }
        break;
    case Step::Export22:
        nextOnExport();
        break;
    case Step::Append42:
        if (targetCheck() && runJob(m_targetLogBox->currentText(),
                                    [this](const ProgressCallback& p) { Verbinden(p); }))
            goTo(Step::Append43);
        break;
    case Step::Import15:
    case Step::Export23:
    case Step::Repair32:
    case Step::Append43:
        break;
    }
}

void TLogConverterForm::nextFromStart() {
    if (m_importChoice->isChecked())
        goTo(Step::Import11);
    else if (m_exportChoice->isChecked())
        goTo(Step::Export21);
    else if (m_repairChoice->isChecked())
        goTo(Step::Repair31);
    else if (m_appendChoice->isChecked())
        goTo(Step::Append41);
}

void TLogConverterForm::nextOnImportTarget() {
    if (!targetCheck())
        return;
    const QString label = m_targetLogBox->currentText();
    if (m_importAdifChoice->isChecked()) {
        if (runJob(label, [this](const ProgressCallback& p) { ImportAdif(p); }))
            goTo(Step::Import15);
    } else if (m_importHtmlChoice->isChecked()) {
        if (runJob(label, [this](const ProgressCallback&) { LoadHtml(); }))
            goTo(Step::Import14);
    }
}

void TLogConverterForm::nextOnExport() {
    const QString path = m_exportFileEdit->text();
    if (path.isEmpty()) {
        showError("MsgNoExportFile");
        return;
    }
    if (QFileInfo::exists(path) && !confirmOverwrite(path))
        return;
    const QString label = QFileInfo(path).fileName();
    bool done = false;
    if (m_exportAdifChoice->isChecked())
        done = runJob(label, [this](const ProgressCallback& p) { ExportAdif(p); });
    else if (m_exportHtmlChoice->isChecked())
        done = runJob(label, [this](const ProgressCallback& p) { ExportHtml(p); });
    else if (m_exportTextChoice->isChecked())
        done = runJob(label, [this](const ProgressCallback& p) { ExportTxtFest(p); });
    if (done)
        goTo(Step::Export23);
}

bool TLogConverterForm::confirmOverwrite(const QString& path) {
    const QString question = text("MsgOverwriteHead") + path + text("MsgOverwriteTail");
    return QMessageBox::question(this, windowTitle(), forMessageBox(question),
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

// Logs live in the program directory: of a typed path only its last part is taken, so
// that the job cannot write elsewhere. A name without "." becomes a ".log".
bool TLogConverterForm::targetCheck() {
    QString name = m_targetLogBox->currentText();
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    name = name.mid(name.lastIndexOf(QLatin1Char('/')) + 1);
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")) {
        showError("MsgNoLogSelected");
        return false;
    }
    if (!name.contains(QLatin1Char('.')))
        name += QLatin1String(".log");
    m_targetLogBox->setEditText(name);
    return true;
}

void TLogConverterForm::BackBtnClick() {
    if (stepInfo(m_step).back != m_step)
        goTo(stepInfo(m_step).back);
}

void TLogConverterForm::CancelBtnClick() {
    close();
}

void TLogConverterForm::CloseBtnClick() {
    close();
}

bool TLogConverterForm::FormCloseQuery() {
    if (!m_busy)
        return true;
    return QMessageBox::question(this, windowTitle(), forMessageBox(text("MsgReallyCancel")),
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

void TLogConverterForm::reject() {
    if (FormCloseQuery())
        QDialog::reject();
}

void TLogConverterForm::Import1BrowseBtnClick() {
    const bool html = m_importHtmlChoice->isChecked();
    FileChoice choice;
    choice.directory = programDirectory();
    choice.title = text(html ? "DlgImportHtmlTitle" : "DlgImportAdifTitle");
    choice.filter = text(html ? "DlgImportHtmlFilter" : "DlgAdifFilter");
    choice.defaultSuffix = QLatin1String(html ? "htm" : "adi");
    choice.mustExist = true;
    m_importFileEdit->setText(chooseFile(this, choice));
}

void TLogConverterForm::ExportBrowseBtnClick() {
    FileChoice choice;
    choice.directory = programDirectory();
    if (m_exportHtmlChoice->isChecked()) {
        choice.title = text("DlgExportHtmlTitle");
        choice.filter = text("DlgHtmlFilter");
        choice.defaultSuffix = QStringLiteral("htm");
    } else if (m_exportTextChoice->isChecked()) {
        choice.title = text("DlgExportTxtTitle");
        choice.filter = text("DlgTxtFilter");
        choice.defaultSuffix = QStringLiteral("txt");
    } else {
        choice.title = text("DlgExportAdifTitle");
        choice.filter = text("DlgExportAdifFilter");
        choice.defaultSuffix = QStringLiteral("adi");
    }
    m_exportFileEdit->setText(chooseFile(this, choice));
}

void TLogConverterForm::StringGridClick() {
    const int column = m_columnsGrid->currentIndex().column();
    const QList<int>& assignment = m_columnsModel->assignment();
    m_columnFieldBox->setCurrentIndex(column >= 0 && column < assignment.size() ? assignment[column]
                                                                                : 0);
}

void TLogConverterForm::StringGridComboBoxChange(int index) {
    m_columnsModel->setAssignment(m_columnsGrid->currentIndex().column(), index);
}

void TLogConverterForm::ImportStartZeileEditChange() {
    bool ok = false;
    const int line = m_startRowEdit->text().toInt(&ok);
    if (ok && line < 1)
        m_startRowEdit->setText(QStringLiteral("1"));
}
