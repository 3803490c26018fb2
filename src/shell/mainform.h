#pragma once

#include "filelock.h"
#include "pagehistory.h"
#include "regularfile.h"

#include <QMainWindow>
#include <QStringList>

#include <memory>

class QAction;
class QLabel;
class QMenu;
class QTabWidget;
class TCallBook;
class QToolButton;
class QsoGrid;
class QsoGridModel;
class TEntryPage;
class TEvaluationsPage;
class TLogFile;
class TMemIniFile;
class TOptionsPage;
class LanguageLoader;

// The main window: menus, the six pages, the open log and the settings object.
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr); // runs FormCreate
    ~TMainForm() override;                         // runs FormDestroy

    TMemIniFile& settings() { return *m_settings; }
    TLogFile* openLog() const { return m_log.get(); }
    bool initialised() const { return m_initialised; }
    // A message text of the language file by line number (empty until loaded).
    QString msg(int line) const;
    void setLanguageTexts(const QStringList& lines) { m_messageLines = lines; }
    // The other windows, by class name, for the language files.
    void registerWindow(const QString& className, QWidget* window);
    // The callbook opened at start-up (none when its file did not exist), and the file it
    // was opened for; a changed path takes effect at the next start.
    TCallBook* callBook() const { return m_callBook.get(); }
    QString callBookFileName() const { return m_callBookFileName; }
    // RAC_VERSION of the status bar: the loaded callbook library's version, else 0.
    quint16 callBookVersion() const;
    // Before a commit: a log changed by another program since the lists were filled is
    // read again, so that the next number follows the file; the mask keeps its band,
    // mode and power.
    void refillIfChanged();
    // After the program's own append: the lists show the file as it is.
    void noteListsCurrent();
    // After a QSO with counting on: the next serial number on its options page.
    void setSerialNumberText(const QString& text);

    // Components other pages and the language files refer to.
    QTabWidget* MainPageControl;
    QWidget* EingabeTS;
    QWidget* ListeTS;
    QWidget* EditierenTS;
    QWidget* SucheTS;
    QWidget* AuswertungenTS;
    QWidget* OptionenTS;
    TEntryPage* entryPage;
    class TEditPage* editPage;
    class TSearchPage* searchPage;
    class TCallCheck* callCheck = nullptr;
    class TDuplicateOptions* duplicateOptions = nullptr;
    class TReferenceLogOptions* referenceLogOptions = nullptr;
    TEvaluationsPage* evaluationsPage;
    TOptionsPage* optionsPage;
    class TRigControl* rigControl = nullptr;
    QsoGrid* ListeStringGrid;
    QsoGrid* Liste2StringGrid;
    QsoGridModel* listeModel;
    QsoGridModel* liste2Model;
    QWidget* NavigationPanel;
    QToolButton* BackSpeedButton;
    QToolButton* NextSpeedButton;
    QLabel* StatusBarLabel;
    QLabel* RigStatusLabel; // the transceiver's state, shown only while it is read
    QLabel* NoLogHintLabel;
    QMenu* Datei1;
    QAction* Listenneuladen1;
    QAction* Beenden1;
    QMenu* LogFileMenu;
    QMenu* LanguageMenu;
    QAction* EnglishMenu;
    QAction* DeutschMenu;
    QMenu* Tools1;
    QAction* ImportExport1;
    QMenu* Hilfe1;
    QAction* Info1;
    QAction* astaturkrzel1;
    QAction* Hilfe2;
    QAction* Homepage1;
    QAction* LinklistezuAFU1;

    static const char* const kWebAddress;

public slots:
    void FormCreate();
    void FormDestroy();
    void BuildMenu();
    void LogFileMenuClick();
    void NewLogFileMenuClick();
    void ListeNeuFuellen();
    void Liste2NeuFuellen();
    void Listenneuladen1Click();
    void ListeStringGridMouseUp();
    void SetHistory();
    void BackSpeedButtonClick();
    void NextSpeedButtonClick();
    void FormResize();
    void LoadLanguage();
    void DateComboBoxChange();
    void NewButtonCaption();
    void astaturkrzel1Click();
    void LanguageSubMenuClick();
    void Info1Click();
    void Hilfe2Click();
    void LinklistezuAFU1Click();
    void Homepage1Click();
    void CallbookLabelClick();

signals:
    void infoRequested();
    void converterRequested();
    void shortcutsRequested(const QStringList& lines);

protected:
    void resizeEvent(QResizeEvent* event) override;
    // The window sees every key before the focused control.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createMenus();
    void createPages();
    void createNavigation();
    void openLog(const QString& fileName);
    void closeLog();
    // Marks the log as open in this program; false (after saying so) when another
    // running Dalu has it open.
    bool claimLog(const QString& path);
    void fillLists(bool carryMask);
    void showRows(const QList<class CompactQso>& rows, bool carryMask);
    void showHistoryEntry(const PageHistory::Entry& entry);
    void updateHistoryButtons();
    PageHistory::Entry currentPages() const;
    void applyLanguageMenu();
    void applyPositions();
    void savePositions();
    void readOpenLog(QList<class CompactQso>& rows);

    std::unique_ptr<TMemIniFile> m_settings;
    std::unique_ptr<TLogFile> m_log;
    std::unique_ptr<LogOpenLock> m_logLock;
    RegularFile::Stamp m_listsStamp; // the open log as the lists last saw it
    std::unique_ptr<LanguageLoader> m_language;
    std::unique_ptr<TCallBook> m_callBook;
    QString m_callBookFileName;
    PageHistory m_history;
    QStringList m_messageLines;
    bool m_initialised = false;
    bool m_showingHistory = false;
    bool m_destroyed = false;
};
