#pragma once

#include "pagehistory.h"

#include "navigator.h"

#include <QMainWindow>
#include <QStringList>

#include <memory>

class QAction;
class QKeySequence;
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
class TQslCardButtons;
class LanguageLoader;
class QsoLists;
class WsjtxLink;
class Station;

// The main window: menus, the six pages, the open log and the settings object.
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr); // runs FormCreate
    ~TMainForm() override;                         // runs FormDestroy

    Station& station() { return *m_station; }
    QsoLists& lists() { return *m_lists; }
    Navigator& navigator() { return *m_navigator; }
    Navigator::Page currentPage() const;
    // The other windows, by class name, for the language files.
    void registerWindow(const QString& className, QWidget* window);
    // The edit page's card buttons act through these.
    void connectQslCardButtons(TQslCardButtons& cards);

    // The pages; other windows and tests still reach them here.
    TEntryPage* entryPage;
    class TEditPage* editPage;
    class TSearchPage* searchPage;
    class TCallCheck* callCheck = nullptr;
    TEvaluationsPage* evaluationsPage;
    TOptionsPage* optionsPage;

    static const char* const kWebAddress;

public slots:
    void FormCreate();
    void FormDestroy();
    void BuildMenu();
    void LogFileMenuClick();
    void NewLogFileMenuClick();
    void ListeNeuFuellen();
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
    // A first start without an own call: the small dialog that asks call and locator.
    void askOwnStationOnFirstStart();
    // Ctrl+Tab, Ctrl+PageDown (1) and Ctrl+Shift+Tab, Ctrl+PageUp (-1): the next page round.
    void stepPage(int step);

signals:
    void infoRequested();
    void converterRequested();
    void shortcutsRequested(const QStringList& lines);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // Every menu of the bar gets an Alt mnemonic, none twice.
    void applyMenuMnemonics();

public:
    // The help page of that name in the language chosen ("Hilfe/..." or "Hilfe/en/...").
    QString helpPage(const QString& name) const;

private:
    TMemIniFile& settings();
    QString msg(int line) const;
    // Pages that still reach the window's controls directly, until they move to the
    // station, the lists and the navigator.

    void createMenus();
    void createShortcuts();
    QAction* shortcutAction(const char* name, const QKeySequence& key, int shortcutLine,
                            QWidget* scope);
    void createPages();
    void createNavigation();
    void connectNavigator();
    void connectRig();
    QWidget* pageWidget(Navigator::Page page) const;
    void openLog(const QString& fileName);
    void closeLog();
    // Marks the log as open in this program; false (after saying so) when another
    // running Dalu has it open.
    void showHistoryEntry(const PageHistory::Entry& entry);
    void updateHistoryButtons();
    PageHistory::Entry currentPages() const;
    void applyLanguageMenu();
    QStringList shortcutHead() const;
    void applyPositions();
    void savePositions();

    // The page tabs, their pages without a page object, the two QSO lists and the status bar.
    QTabWidget* MainPageControl;
    QWidget* EingabeTS;
    QWidget* ListeTS;
    QWidget* EditierenTS;
    QWidget* SucheTS;
    QWidget* AuswertungenTS;
    QWidget* OptionenTS;
    QsoGrid* ListeStringGrid;
    QsoGrid* Liste2StringGrid;
    QLabel* StatusBarLabel;
    QLabel* m_rigStatusLabel; // the transceiver's state, shown only while it is read
    QLabel* m_noLogHintLabel;
    QStringList m_menuLogNames; // the logs the menu lists
    QWidget* m_navigationPanel;
    QToolButton* m_backButton;
    QToolButton* m_nextButton;

    QMenu* m_fileMenu;
    QAction* m_reloadListsAction;
    QAction* m_quitAction;
    QMenu* m_logFileMenu;
    QMenu* m_languageMenu;
    QAction* m_englishAction;
    QAction* m_germanAction;
    QMenu* m_toolsMenu;
    QAction* m_converterAction;
    QMenu* m_helpMenu;
    QAction* m_infoAction;
    QAction* m_shortcutsAction;
    QAction* m_helpContentsAction;
    QAction* m_homepageAction;
    QAction* m_linkListAction;

    std::unique_ptr<Station> m_station;
    QsoLists* m_lists;
    WsjtxLink* m_wsjtx; // WSJT-X / JTDX beside the log
    Navigator* m_navigator;
    std::unique_ptr<LanguageLoader> m_language;
    PageHistory m_history;
    bool m_showingHistory = false;
    bool m_destroyed = false;
    bool m_firstStart = false; // no settings file was there at start
};
