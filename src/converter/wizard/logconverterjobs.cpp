// The wizard's jobs: they read the controls, call the converter core and tell the finish
// page what they did.
#include "cp1252.h"
#include "daluerror.h"
#include "errorboundary.h"
#include "htmlgridmodel.h"
#include "logconverter.h"
#include "logconverterform.h"
#include "programdir.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QTableView>

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

void TLogConverterForm::ImportAdif(const ProgressCallback& progress) {
    const LogConverter::ImportSummary result =
        LogConverter::importAdif(Import1Edit->text(), targetLogPath(), progress);
    QString summary = text("TxtSummaryImport")
                          .arg(QString::number(result.imported), ImpLogFileComboBox->currentText());
    QStringList details;
    if (!result.skipped.isEmpty()) {
        summary += QLatin1Char(' ') + text("TxtSummarySkipped").arg(result.skipped.size());
        for (const AdifReader::SkippedRecord& s : result.skipped) {
            const QString call =
                s.call.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(fromCp1252(s.call));
            QStringList tags;
            for (const QByteArray& tag : s.missingTags)
                tags.append(QString::fromLatin1(tag));
            details.append(
                text("TxtSummarySkippedRecord")
                    .arg(QString::number(s.recordNumber), call, tags.join(QStringLiteral(", "))));
        }
    }
    showSummary(summary, details);
}

void TLogConverterForm::ExportAdif(const ProgressCallback& progress) {
    const LogConverter::JobResult result =
        LogConverter::exportAdif(selectedLogPaths(), ExportEdit->text(), progress);
    showSummary(text("TxtSummaryExport").arg(QString::number(result.records), ExportEdit->text()));
}

void TLogConverterForm::ExportHtml(const ProgressCallback& progress) {
    const LogConverter::JobResult result = LogConverter::exportHtml(
        selectedLogPaths(), ExportEdit->text(), toCp1252(text("TxtCreatedWith")), progress);
    showSummary(text("TxtSummaryExport").arg(QString::number(result.records), ExportEdit->text()));
}

void TLogConverterForm::ExportTxtFest(const ProgressCallback& progress) {
    const LogConverter::JobResult result = LogConverter::exportText(
        selectedLogPaths(), ExportEdit->text(), toCp1252(text("TxtCreatedWith")), progress);
    showSummary(text("TxtSummaryExport").arg(QString::number(result.records), ExportEdit->text()));
}

void TLogConverterForm::LoadHtml() {
    StringGridModel->setGrid(LogConverter::loadHtml(Import1Edit->text()));
    if (StringGridModel->columnCount() > 0 && StringGridModel->rowCount() > 0)
        StringGrid->setCurrentIndex(StringGridModel->index(0, 0));
    StringGridClick();
}

void TLogConverterForm::ImportStringGrid(const ProgressCallback& progress) {
    bool ok = false;
    const int startRow = ImportStartZeileEdit->text().toInt(&ok);
    if (!ok)
        throw DaluError(QStringLiteral("\"%1\" ist keine gültige Zeilennummer.")
                            .arg(ImportStartZeileEdit->text()));
    const LogConverter::JobResult result =
        LogConverter::importHtmlRows(StringGridModel->grid(), StringGridModel->assignment(),
                                     startRow, targetLogPath(), progress);
    showSummary(text("TxtSummaryImport")
                    .arg(QString::number(result.records), ImpLogFileComboBox->currentText()));
}

void TLogConverterForm::Repair(const ProgressCallback& progress) {
    const QStringList paths = selectedLogPaths();
    const LogConverter::JobResult result = LogConverter::repair(paths, progress);
    showSummary(text("TxtSummaryRepair")
                    .arg(QString::number(result.records), QString::number(paths.size())));
}

// A target among the sources is read as it was before the job (the core reads a
// snapshot), so appending a log to itself doubles it once.
void TLogConverterForm::Verbinden(const ProgressCallback& progress) {
    const LogConverter::JobResult result =
        LogConverter::append(targetLogPath(), selectedLogPaths(), progress);
    showSummary(text("TxtSummaryAppend")
                    .arg(ImpLogFileComboBox->currentText(), QString::number(result.records)));
}
