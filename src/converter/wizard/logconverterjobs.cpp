// The wizard's jobs: they read the controls, call the converter core and tell the finish
// page what they did.
#include "cp1252.h"
#include "daluerror.h"
#include "errorboundary.h"
#include "htmlgridmodel.h"
#include "logconverter.h"
#include "logconverterform.h"
#include "programdir.h"
#include "uitexts.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QTableView>

#include <algorithm>

namespace {

constexpr int kProgressSteps = 1000;

class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace

bool TLogConverterForm::runJob(const QString& progressLabel,
                               const std::function<void(const ProgressCallback&)>& job) {
    return ErrorBoundary::run(this, [&] {
        BusyCursor busy;
        // No cancel button: a job runs to its end. The dialog is modal for the whole
        // program, so that nothing can be clicked while it repaints the windows.
        QProgressDialog dialog(progressLabel, QString(), 0, kProgressSteps, this);
        dialog.setObjectName(QStringLiteral("ProgressDialog"));
        dialog.setWindowTitle(windowTitle());
        dialog.setWindowModality(Qt::ApplicationModal);
        dialog.setMinimumDuration(progressDelay);
        job([&dialog](qint64 done, qint64 total) {
            dialog.setValue(total > 0 ? int(done * kProgressSteps / total) : kProgressSteps);
            return true;
        });
    });
}

QStringList TLogConverterForm::selectedLogPaths() const {
    QStringList paths;
    for (int i = 0; i < ExpLogFileListBox->count(); ++i) {
        if (ExpLogFileListBox->item(i)->isSelected())
            paths.append(programDirectory() + ExpLogFileListBox->item(i)->text());
    }
    return paths;
}

QString TLogConverterForm::targetLogPath() const {
    return programDirectory() + ImpLogFileComboBox->currentText();
}

void TLogConverterForm::showSummary(const QString& summary, const QStringList& details) {
    SummaryLabel->setText(summary);
    SkippedMemo->setPlainText(details.join(QLatin1Char('\n')));
    SkippedMemo->setVisible(!details.isEmpty());
}

namespace {

// The lines a repair kept aside, or the table rows skipped, one a line, then their number.
void addRejects(const LogConverter::Rejects& rejects, QString& summary, QStringList& details) {
    if (rejects.count == 0)
        return;
    summary +=
        QLatin1Char(' ') +
        (rejects.files.isEmpty()
             ? uiText("%1 Zeilen sind keine QSOs und wurden übersprungen:").arg(rejects.count)
             : uiText("%1 Zeilen sind keine QSOs; sie stehen jetzt in %2:")
                   .arg(QString::number(rejects.count), rejects.files.join(QStringLiteral(", "))));
    for (const RejectedLine& line : rejects.lines)
        details.append(line.text());
    if (rejects.count > rejects.lines.size())
        details.append(uiText("... und %1 weitere").arg(rejects.count - rejects.lines.size()));
}

QString importedText(qint64 records, const QString& target) {
    return uiText("%1 QSOs wurden in %2 importiert.").arg(QString::number(records), target);
}

QString exportedText(qint64 records, const QString& target) {
    return uiText("%1 QSOs wurden nach %2 exportiert.").arg(QString::number(records), target);
}

} // namespace

void TLogConverterForm::ImportAdif(const ProgressCallback& progress) {
    const LogConverter::ImportSummary result =
        LogConverter::importAdif(Import1Edit->text(), targetLogPath(), progress);
    QString summary = importedText(result.imported, ImpLogFileComboBox->currentText());
    if (result.unmappableRecords > 0)
        summary += QLatin1Char(' ') + uiText("%1 QSOs enthalten Zeichen ohne Entsprechung in "
                                             "Windows-1252; sie wurden als \"?\" geschrieben.")
                                          .arg(result.unmappableRecords);
    QStringList details;
    if (result.skippedCount > 0) {
        summary += QLatin1Char(' ') +
                   uiText("%1 Datensätze wurden übersprungen:").arg(result.skippedCount);
        for (const AdifReader::SkippedRecord& s : result.skipped)
            details.append(s.reason());
        if (result.skippedCount > result.skipped.size())
            details.append(
                uiText("... und %1 weitere").arg(result.skippedCount - result.skipped.size()));
    }
    addRejects(result.rejects, summary, details);
    showSummary(summary, details);
}

void TLogConverterForm::ExportAdif(const ProgressCallback& progress) {
    const LogConverter::JobResult result =
        LogConverter::exportAdif(selectedLogPaths(), ExportEdit->text(), progress);
    showSummary(exportedText(result.records, ExportEdit->text()));
}

void TLogConverterForm::ExportHtml(const ProgressCallback& progress) {
    const LogConverter::JobResult result = LogConverter::exportHtml(
        selectedLogPaths(), ExportEdit->text(), toCp1252(text("TxtCreatedWith")), progress);
    showSummary(exportedText(result.records, ExportEdit->text()));
}

void TLogConverterForm::ExportTxtFest(const ProgressCallback& progress) {
    const LogConverter::JobResult result = LogConverter::exportText(
        selectedLogPaths(), ExportEdit->text(), toCp1252(text("TxtCreatedWith")), progress);
    showSummary(exportedText(result.records, ExportEdit->text()));
}

// A first row recognised as the titles is not offered for import; the operator may still
// choose row 1.
void TLogConverterForm::LoadHtml() {
    StringGridModel->setGrid(LogConverter::loadHtml(Import1Edit->text()));
    if (StringGridModel->columnCount() > 0 && StringGridModel->rowCount() > 0)
        StringGrid->setCurrentIndex(StringGridModel->index(0, 0));
    StringGridClick();
    const QList<int>& assignment = StringGridModel->assignment();
    const bool titles =
        std::any_of(assignment.begin(), assignment.end(), [](int n) { return n > 0; });
    ImportStartZeileEdit->setText(QString::number(titles ? 2 : 1));
}

void TLogConverterForm::ImportStringGrid(const ProgressCallback& progress) {
    bool ok = false;
    const int startRow = ImportStartZeileEdit->text().toInt(&ok);
    if (!ok)
        throw DaluError(
            uiText("\"%1\" ist keine gültige Zeilennummer.").arg(ImportStartZeileEdit->text()));
    const LogConverter::JobResult result =
        LogConverter::importHtmlRows(StringGridModel->grid(), StringGridModel->assignment(),
                                     startRow, targetLogPath(), progress);
    QString summary = importedText(result.records, ImpLogFileComboBox->currentText());
    if (StringGridModel->grid().unmappable)
        summary += QLatin1Char(' ') + uiText("Zeichen ohne Entsprechung in Windows-1252 wurden "
                                             "als \"?\" geschrieben.");
    if (result.emptyRows > 0)
        summary +=
            QLatin1Char(' ') + uiText("%1 leere Zeilen wurden übersprungen.").arg(result.emptyRows);
    QStringList details;
    addRejects(result.rejects, summary, details);
    showSummary(summary, details);
}

void TLogConverterForm::Repair(const ProgressCallback& progress) {
    const QStringList paths = selectedLogPaths();
    const LogConverter::JobResult result = LogConverter::repair(paths, progress);
    QString summary = uiText("%1 QSOs in %2 Dalu-Dateien wurden korrigiert.")
                          .arg(QString::number(result.records), QString::number(paths.size()));
    QStringList details;
    addRejects(result.rejects, summary, details);
    showSummary(summary, details);
}

// A target among the sources is read as it was before the job (the core reads a
// snapshot), so appending a log to itself doubles it once.
void TLogConverterForm::Verbinden(const ProgressCallback& progress) {
    const LogConverter::JobResult result =
        LogConverter::append(targetLogPath(), selectedLogPaths(), progress);
    QString summary = uiText("%1 enthält jetzt %2 QSOs.")
                          .arg(ImpLogFileComboBox->currentText(), QString::number(result.records));
    QStringList details;
    addRejects(result.rejects, summary, details);
    showSummary(summary, details);
}
