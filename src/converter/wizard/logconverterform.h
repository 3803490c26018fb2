#pragma once

#include "progress.h"
#include "wizardfiledialog.h"

#include <QDialog>

#include <functional>

class HtmlGridModel;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTableView;
class Station;

// The converter wizard: import, export, repair and append of logs. Its texts are dynamic
// properties named as in the language file ("TitleStart", "MsgFileMissing", ...), set to
// the German wording on creation and replaced by the language loader; a text is read
// from its property each time it is shown.
class TLogConverterForm : public QDialog {
    Q_OBJECT
public:
    enum class Step {
        Start,
        Import11,
        Import12,
        Import14,
        Import15,
        Export21,
        Export22,
        Export23,
        Repair31,
        Repair32,
        Append41,
        Append42,
        Append43
    };

    // A job that writes the station's open log goes through its write path, so that the
    // lists show what the job wrote.
    explicit TLogConverterForm(Station& station, QWidget* parent = nullptr);
    ~TLogConverterForm() override;

    Step step() const { return m_step; }
    bool busy() const { return m_busy; }

    // Asks for a file for a browse button; the empty path means Cancel.
    std::function<QString(QWidget* parent, const FileChoice& choice)> chooseFile;
    // How long a job runs before its progress dialog shows, in milliseconds.
    int progressDelay = 400;

    void FormCreate();
    void FormShow();
    void NextBtnClick();
    void BackBtnClick();
    void GotoStartBtnClick();
    void CancelBtnClick();
    void CloseBtnClick();
    // True when the window may close.
    bool FormCloseQuery();
    void Import1BrowseBtnClick();
    void ExportBrowseBtnClick();
    void StringGridClick();
    void StringGridComboBoxChange(int index);
    void ImportStartZeileEditChange();

    // Escape, the close box and both close buttons all end here.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Each step's page, title and the step Back returns to (itself where Back does nothing).
    struct StepInfo {
        Step step;
        QWidget* TLogConverterForm::*page;
        const char* title;
        Step back;
    };
    static const StepInfo kSteps[];
    static const StepInfo& stepInfo(Step step);
    static bool isFinish(Step step);

    void buildPages();
    void connectHandlers();
    QWidget* page(Step step) const;
    void goTo(Step step);
    void restart();
    void fillLogLists();
    void nextFromStart();
    void nextOnImportTarget();
    void nextOnExport();
    bool targetCheck();
    bool confirmOverwrite(const QString& path);
    void showError(const char* textName);
    QString text(const char* name) const;

    // The jobs. Each runs under the hourglass and a progress dialog, shows a file error
    // in a message box and returns false then, so the wizard stays on its step.
    bool runJob(const QString& progressLabel,
                const std::function<void(const ProgressCallback&)>& job);
    void ImportAdif(const ProgressCallback& progress);
    void ExportAdif(const ProgressCallback& progress);
    void ExportHtml(const ProgressCallback& progress);
    void ExportTxtFest(const ProgressCallback& progress);
    void LoadHtml();
    void ImportStringGrid(const ProgressCallback& progress);
    void Repair(const ProgressCallback& progress);
    void Verbinden(const ProgressCallback& progress);
    bool AtLeastOneChecked(const QListWidget* listBox) const;
    QStringList selectedLogPaths() const;
    QString targetLogPath() const;
    void showSummary(const QString& summary, const QStringList& details = {});
    bool isOpenLog(const QString& path) const;
    // Runs a job that writes the files at paths; through the station when one is its open log.
    void writing(const QStringList& paths, const std::function<void()>& job);

    Station& m_station;
    // Always visible
    QWidget* m_statusPanel;
    QLabel* m_statusLabel;
    QWidget* m_buttonPanel;
    QPushButton* m_cancelButton;
    QPushButton* m_backButton;
    QPushButton* m_nextButton;
    // Start page
    QWidget* m_startPage;
    QRadioButton* m_importChoice;
    QRadioButton* m_exportChoice;
    QRadioButton* m_repairChoice;
    QRadioButton* m_appendChoice;
    QRadioButton* m_splitChoice;
    QLabel* m_importCaption;
    QLabel* m_exportCaption;
    QLabel* m_repairCaption;
    QLabel* m_appendCaption;
    QLabel* m_splitCaption;
    // Import source
    QWidget* m_importSourcePage;
    QLineEdit* m_importFileEdit;
    QPushButton* m_importBrowseButton;
    QRadioButton* m_importAdifChoice;
    QRadioButton* m_importHtmlChoice;
    QRadioButton* m_importCabrilloChoice;
    QRadioButton* m_importTextChoice;
    // Target log of import and append
    QWidget* m_targetLogPage;
    QComboBox* m_targetLogBox;
    // Logs to export, repair or append
    QWidget* m_sourceLogsPage;
    QListWidget* m_sourceLogsList;
    // Export target
    QWidget* m_exportTargetPage;
    QLineEdit* m_exportFileEdit;
    QPushButton* m_exportBrowseButton;
    QRadioButton* m_exportAdifChoice;
    QRadioButton* m_exportHtmlChoice;
    QRadioButton* m_exportTextChoice;
    // Column assignment of the HTML import
    QWidget* m_columnsPage;
    QTableView* m_columnsGrid;
    HtmlGridModel* m_columnsModel;
    QLabel* m_columnFieldCaption;
    QComboBox* m_columnFieldBox;
    QLabel* m_startRowCaption;
    QLineEdit* m_startRowEdit;
    // Finish page
    QWidget* m_finishPage;
    QLabel* m_summaryLabel;
    QPlainTextEdit* m_skippedList;
    QPushButton* m_startAgainButton;
    QPushButton* m_closeButton;

    Step m_step = Step::Start;
    bool m_busy = false;
};
