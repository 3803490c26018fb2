// The wizard's jobs: they read the controls, call the converter core and tell the finish
// page what they did.
#include "cp1252.h"
#include "daluerror.h"
#include "errorboundary.h"
#include "htmlgridmodel.h"
#include "logconverter.h"
#include "logconverterform.h"
#include "logfile.h"
#include "programdir.h"
#include "station.h"
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
    for (int i = 0; i < m_sourceLogsList->count(); ++i) {
        if (m_sourceLogsList->item(i)->isSelected())
            paths.append(programDirectory() + m_sourceLogsList->item(i)->text());
    }
    return paths;
}

QString TLogConverterForm::targetLogPath() const {
    return programDirectory() + m_targetLogBox->currentText();
}

bool TLogConverterForm::isOpenLog(const QString& path) const {
    if (!m_station.hasLog())
        return false;
    const QString open = QFileInfo(m_station.log()->FileName()).canonicalFilePath();
    return !open.isEmpty() && QFileInfo(path).canonicalFilePath() == open;
}

void TLogConverterForm::writing(const QStringList& paths, const std::function<void()>& job) {
    // Every job reads or writes logs as files: the open log's journal goes in first.
    m_station.foldJournal();
    if (std::any_of(paths.begin(), paths.end(),
                    [this](const QString& path) { return isOpenLog(path); }))
        m_station.rewriteLog([&job](const QString&) { job(); });
    else
        job();
}

void TLogConverterForm::showSummary(const QString& summary, const QStringList& details) {
    m_summaryLabel->setText(summary);
    m_skippedList->setPlainText(details.join(QLatin1Char('\n')));
    m_skippedList->setVisible(!details.isEmpty());
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
    LogConverter::ImportSummary result;
    writing({targetLogPath()}, [&] {
        result = LogConverter::importAdif(m_importFileEdit->text(), targetLogPath(), progress);
    });
    QString summary = importedText(result.imported, m_targetLogBox->currentText());
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
    LogConverter::JobResult result;
    writing({m_exportFileEdit->text()}, [&] {
        result = LogConverter::exportAdif(selectedLogPaths(), m_exportFileEdit->text(), progress);
    });
    showSummary(exportedText(result.records, m_exportFileEdit->text()));
}

void TLogConverterForm::ExportHtml(const ProgressCallback& progress) {
    LogConverter::JobResult result;
    writing({m_exportFileEdit->text()}, [&] {
        result = LogConverter::exportHtml(selectedLogPaths(), m_exportFileEdit->text(),
                                          toCp1252(text("TxtCreatedWith")), progress);
    });
    showSummary(exportedText(result.records, m_exportFileEdit->text()));
}

void TLogConverterForm::ExportTxtFest(const ProgressCallback& progress) {
    LogConverter::JobResult result;
    writing({m_exportFileEdit->text()}, [&] {
        result = LogConverter::exportText(selectedLogPaths(), m_exportFileEdit->text(),
                                          toCp1252(text("TxtCreatedWith")), progress);
    });
    showSummary(exportedText(result.records, m_exportFileEdit->text()));
}

// A first row recognised as the titles is not offered for import; the operator may still
// choose row 1.
void TLogConverterForm::LoadHtml() {
    m_columnsModel->setGrid(LogConverter::loadHtml(m_importFileEdit->text()));
    if (m_columnsModel->columnCount() > 0 && m_columnsModel->rowCount() > 0)
        m_columnsGrid->setCurrentIndex(m_columnsModel->index(0, 0));
    StringGridClick();
    const QList<int>& assignment = m_columnsModel->assignment();
    const bool titles =
        std::any_of(assignment.begin(), assignment.end(), [](int n) { return n > 0; });
    m_startRowEdit->setText(QString::number(titles ? 2 : 1));
}

void TLogConverterForm::ImportStringGrid(const ProgressCallback& progress) {
    bool ok = false;
    const int startRow = m_startRowEdit->text().toInt(&ok);
    if (!ok)
        throw DaluError(
            uiText("\"%1\" ist keine gültige Zeilennummer.").arg(m_startRowEdit->text()));
    LogConverter::JobResult result;
    writing({targetLogPath()}, [&] {
        result = LogConverter::importHtmlRows(m_columnsModel->grid(), m_columnsModel->assignment(),
                                              startRow, targetLogPath(), progress);
    });
    QString summary = importedText(result.records, m_targetLogBox->currentText());
    if (m_columnsModel->grid().unmappable)
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
    LogConverter::JobResult result;
    writing(paths, [&] { result = LogConverter::repair(paths, progress); });
    QString summary = uiText("%1 QSOs in %2 Dalu-Dateien wurden korrigiert.")
                          .arg(QString::number(result.records), QString::number(paths.size()));
    QStringList details;
    addRejects(result.rejects, summary, details);
    showSummary(summary, details);
}

// A target among the sources is read as it was before the job (the core reads a
// snapshot), so appending a log to itself doubles it once.
void TLogConverterForm::Verbinden(const ProgressCallback& progress) {
    LogConverter::JobResult result;
    writing({targetLogPath()},
            [&] { result = LogConverter::append(targetLogPath(), selectedLogPaths(), progress); });
    QString summary = uiText("%1 enthält jetzt %2 QSOs.")
                          .arg(m_targetLogBox->currentText(), QString::number(result.records));
    QStringList details;
    addRejects(result.rejects, summary, details);
    showSummary(summary, details);
}
