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

    explicit TLogConverterForm(QWidget* parent = nullptr);
    ~TLogConverterForm() override;

    Step step() const { return m_step; }
    bool busy() const { return m_busy; }

    // Asks for a file for a browse button; the empty path means Cancel.
    std::function<QString(QWidget* parent, const FileChoice& choice)> chooseFile;
    // How long a job runs before its progress dialog shows, in milliseconds.
    int progressDelay = 400;

    // Always visible
    QWidget* StatusPanel;
    QLabel* StatusLabel;
    QWidget* ButtonPanel;
    QPushButton* CancelBtn;
    QPushButton* BackBtn;
    QPushButton* NextBtn;
    // Start page
    QWidget* StartPanel;
    QRadioButton* ImportRadioBtn;
    QRadioButton* ExportRadioBtn;
    QRadioButton* RepairRadioBtn;
    QRadioButton* VerbindenRadioBtn;
    QRadioButton* TrennenRadioBtn;
    QLabel* ImportLabel;
    QLabel* ExportLabel;
    QLabel* RepairLabel;
    QLabel* VerbindenLabel;
    QLabel* TrennenLabel;
    // Import source
    QWidget* ImportPanel;
    QLineEdit* Import1Edit;
    QPushButton* Import1BrowseBtn;
    QRadioButton* ImpAdifRadioBtn;
    QRadioButton* ImpHtmlRadioBtn;
    QRadioButton* ImpCabrilloRadioBtn;
    QRadioButton* ImpTxtFestRadioBtn;
    // Target log of import and append
    QWidget* ImpLogFilePanel;
    QComboBox* ImpLogFileComboBox;
    // Logs to export, repair or append
    QWidget* ExpLogFilePanel;
    QListWidget* ExpLogFileListBox;
    // Export target
    QWidget* ExportPanel;
    QLineEdit* ExportEdit;
    QPushButton* ExportBrowseBtn;
    QRadioButton* ExpAdifRadioBtn;
    QRadioButton* ExpHtmlRadioBtn;
    QRadioButton* ExpTxtFestRadioBtn;
    // Column assignment of the HTML import
    QWidget* StringGridPanel;
    QTableView* StringGrid;
    HtmlGridModel* StringGridModel;
    QLabel* Label1;
    QComboBox* StringGridComboBox;
    QLabel* Label2;
    QLineEdit* ImportStartZeileEdit;
    // Finish page
    QWidget* FertigPanel;
    QLabel* SummaryLabel;
    QPlainTextEdit* SkippedMemo;
    QPushButton* GotoStartBtn;
    QPushButton* CloseBtn;

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

    Step m_step = Step::Start;
    bool m_busy = false;
};
