#pragma once

#include "pagehistory.h"

#include "navigator.h"

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
class TQslCardButtons;
class LanguageLoader;
class QsoLists;
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
    TMemIniFile& settings();
    TLogFile* openLog() const;
    bool initialised() const;
    QString msg(int line) const;
    // The other windows, by class name, for the language files.
    void registerWindow(const QString& className, QWidget* window);
    TCallBook* callBook() const;
    QString callBookFileName() const;
    quint16 callBookVersion() const;
    // After a QSO with counting on: the next serial number on its options page.
    void setSerialNumberText(const QString& text);
    // The edit page's card buttons act through these.
    void connectQslCardButtons(TQslCardButtons& cards);

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
    TEvaluationsPage* evaluationsPage;
    TOptionsPage* optionsPage;
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
    void applyPositions();
    void savePositions();

    std::unique_ptr<Station> m_station;
    QsoLists* m_lists;
    Navigator* m_navigator;
    std::unique_ptr<LanguageLoader> m_language;
    PageHistory m_history;
    bool m_showingHistory = false;
    bool m_destroyed = false;
};
