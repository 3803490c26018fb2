#include "mainform.h"

#include "firststartdialog.h"

#include "datetickpicker.h"

#include "navigator.h"
#include "qsolists.h"
#include "station.h"
#include "stationtexts.h"

#include "atomicfilewriter.h"
#include "busyprogress.h"
#include "callbookaccess.h"
#include "callbookfill.h"
#include "callcheck.h"
#include "clockoptions.h"
#include "compactqso.h"
#include "cp1252.h"
#include "duplicateoptions.h"
#include "editpage.h"
#include "entryorderoptions.h"
#include "entrypage.h"
#include "errorboundary.h"
#include "evaluationspage.h"
#include "generaloptions.h"
#include "languageloader.h"
#include "languagetargets.h"
#include "listpage.h"
#include "logfile.h"
#include "meminifile.h"
#include "optionspage.h"
#include "presetoptions.h"
#include "programdir.h"
#include "qslcardbuttons.h"
#include "qsloptions.h"
#include "qslpage.h"
#include "qsogrid.h"
#include "qsogridmodel.h"
#include "racoptions.h"
#include "referencelogoptions.h"
#include "rigcontrol.h"
#include "rigoptions.h"
#include "searchpage.h"
#include "serialoptions.h"
#include "settingskeys.h"
#include "statusbaroptions.h"
#include "uitexts.h"
#include "wsjtxlink.h"
#include "wsjtxoptions.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

const char* const TMainForm::kWebAddress = "https://dalu.example.org/";

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("MainForm"));
    resize(SettingsKeys::MainFormWidth.def, SettingsKeys::MainFormHeight.def);
    m_station = std::make_unique<Station>();
    m_lists = new QsoLists(*m_station, this);
    m_navigator = new Navigator;
    m_navigator->setParent(this);
    m_language = std::make_unique<LanguageLoader>(*m_station, this);
    createMenus();
    createPages();
    createNavigation();
    connect(optionsPage->generalOptions, &TGeneralOptions::utcOffsetChanged, entryPage,
            &TEntryPage::setUtcOffsetHours);
    connect(optionsPage->serialOptions, &TSerialOptions::serialTextChanged, entryPage,
            &TEntryPage::setSerialText);
    connect(entryPage, &TEntryPage::callbookRequested, this, &TMainForm::CallbookLabelClick);
    connect(entryPage, &TEntryPage::shortcutsRequested, this, &TMainForm::astaturkrzel1Click);
    connect(entryPage, &TEntryPage::serialNumberAdvanced, optionsPage->serialOptions,
            &TSerialOptions::setNextNumber);
    connect(optionsPage->entryOrderOptions, &TEntryOrderOptions::buttonsChanged, this,
            &TMainForm::NewButtonCaption);
    // After the pages: the edit page sees a list row's activation before the call check.
    callCheck = new TCallCheck(station(), lists(), *entryPage, *Liste2StringGrid);
    connect(optionsPage->duplicateOptions, &TDuplicateOptions::criteriaChanged, callCheck,
            &TCallCheck::setCriteria);
    connectRig();
    createShortcuts();
    connectNavigator();
    connect(m_station.get(), &Station::refused, this, [this](const QString& reason) {
        QMessageBox::warning(this, QStringLiteral("Dalu"), reason);
    });
    FormCreate();
}

TMainForm::~TMainForm() {
    // Leaving the focused field runs its exit checks, which need the settings: let that
    // happen now, while they still exist.
    hide();
    FormDestroy();
}

TMemIniFile& TMainForm::settings() {
    return m_station->settings();
}

QString TMainForm::msg(int line) const {
    return m_station->msg(line);
}

void TMainForm::registerWindow(const QString& className, QWidget* window) {
    m_language->addWindow(className, window);
}

void TMainForm::createPages() {
    MainPageControl = new QTabWidget(this);
    MainPageControl->setObjectName(QStringLiteral("MainPageControl"));
    MainPageControl->setDocumentMode(true);
    MainPageControl->setUsesScrollButtons(true);

    entryPage = new TEntryPage(station(), lists(), MainPageControl);
    EingabeTS = entryPage;
    EingabeTS->setObjectName(QStringLiteral("EingabeTS"));
    Liste2StringGrid = entryPage->lowerGrid();
    // Without an open log the disabled mask says, in its empty list, how to get one.
    m_noLogHintLabel = new QLabel(Liste2StringGrid->viewport());
    m_noLogHintLabel->setObjectName(QStringLiteral("NoLogHintLabel"));
    m_noLogHintLabel->setGeometry(0, 0, 4000, 18);
    m_noLogHintLabel->setIndent(6);
    m_noLogHintLabel->setAutoFillBackground(true); // over the empty row's cells
    m_noLogHintLabel->setBackgroundRole(QPalette::Base);
    MainPageControl->addTab(EingabeTS, QStringLiteral("Eingabe"));

    auto* listPage = new TListPage(*m_station, *m_lists, *m_navigator, MainPageControl);
    ListeTS = listPage;
    ListeStringGrid = listPage->grid();
    MainPageControl->addTab(ListeTS, QStringLiteral("Liste"));
    connect(ListeStringGrid, &QsoGrid::headerCtrlReleased, this,
            &TMainForm::ListeStringGridMouseUp);

    editPage = new TEditPage(*m_station, *m_lists, *m_navigator, MainPageControl);
    EditierenTS = editPage;
    EditierenTS->setObjectName(QStringLiteral("EditierenTS"));
    MainPageControl->addTab(EditierenTS, QStringLiteral("Editieren"));
    connect(editPage, &TEditPage::qsoSaved, listPage, &TListPage::showSavedQso);
    connect(Liste2StringGrid, &QsoGrid::rowActivated, editPage,
            &TEditPage::Liste2StringGridDblClick);
    connect(Liste2StringGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, editPage,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    editPage->Liste2StringGridSelectCell(current.row() + 1);
            });
    searchPage = new TSearchPage(*m_station, *m_lists, *m_navigator, MainPageControl);
    SucheTS = searchPage;
    SucheTS->setObjectName(QStringLiteral("SucheTS"));
    MainPageControl->addTab(SucheTS, QStringLiteral("Suche"));
    connect(MainPageControl, &QTabWidget::currentChanged, this, [this] {
        QWidget* page = MainPageControl->currentWidget();
        if (page == EditierenTS)
            editPage->EditierenTSShow();
        else if (page == SucheTS)
            searchPage->SucheTSShow();
        else if (page == EingabeTS) // the mask's list takes the list page's column widths
            for (int col = 0; col < SettingsKeys::kListColumnCount; ++col)
                Liste2StringGrid->setColumnWidth(col, m_lists->columnWidth(col));
    });

    evaluationsPage = new TEvaluationsPage(*m_station, *m_navigator, MainPageControl);
    evaluationsPage->setQslPage(new TQslPage(*m_station, *m_navigator));
    AuswertungenTS = evaluationsPage;
    AuswertungenTS->setObjectName(QStringLiteral("AuswertungenTS"));
    MainPageControl->addTab(AuswertungenTS, QStringLiteral("Auswertungen"));

    optionsPage = new TOptionsPage(*m_station, *m_lists, MainPageControl);
    OptionenTS = optionsPage;
    OptionenTS->setObjectName(QStringLiteral("OptionenTS"));
    MainPageControl->addTab(OptionenTS, QStringLiteral("Optionen"));

    setCentralWidget(MainPageControl);
    connect(MainPageControl, &QTabWidget::currentChanged, this, &TMainForm::SetHistory);
    connect(evaluationsPage, &TEvaluationsPage::currentTabChanged, this, &TMainForm::SetHistory);
    connect(optionsPage, &TOptionsPage::currentTabChanged, this, &TMainForm::SetHistory);

    StatusBarLabel = new QLabel(this);
    StatusBarLabel->setObjectName(QStringLiteral("StatusBar"));
    statusBar()->addWidget(StatusBarLabel, 1);
    // The template's text takes the room the other parts leave and never pushes them out;
    // what does not fit is in its tool tip.
    StatusBarLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    connect(optionsPage->statusBarOptions, &TStatusBarOptions::statusTextChanged, StatusBarLabel,
            [this](const QString& text) {
                StatusBarLabel->setText(text);
                StatusBarLabel->setToolTip(text);
            });
    m_rigStatusLabel = new QLabel(this);
    m_rigStatusLabel->setObjectName(QStringLiteral("RigStatusLabel"));
    statusBar()->addPermanentWidget(m_rigStatusLabel);
    // Why Return committed nothing, over the template's text until the mask is cleared.
    connect(entryPage, &TEntryPage::commitRefused, statusBar(),
            [this](const QString& reason) { statusBar()->showMessage(reason); });
    connect(entryPage, &TEntryPage::maskCleared, statusBar(), &QStatusBar::clearMessage);
    m_wsjtx = new WsjtxLink(*m_station, *m_lists, this);
    statusBar()->addPermanentWidget(m_wsjtx->statusPart());
    addDockWidget(Qt::RightDockWidgetArea, m_wsjtx->dock());
    connect(optionsPage->wsjtxOptions, &TWsjtxOptions::wsjtxSettingsChanged, m_wsjtx,
            &WsjtxLink::applySettings);
}

void TMainForm::createNavigation() {
    m_navigationPanel = new QWidget(this);
    m_navigationPanel->setObjectName(QStringLiteral("NavigationPanel"));
    auto* layout = new QHBoxLayout(m_navigationPanel);
    layout->setContentsMargins(0, 0, 2, 0);
    layout->setSpacing(1);
    m_backButton = new QToolButton(m_navigationPanel);
    m_backButton->setObjectName(QStringLiteral("BackSpeedButton"));
    m_backButton->setArrowType(Qt::LeftArrow);
    m_backButton->setAutoRaise(true);
    m_nextButton = new QToolButton(m_navigationPanel);
    m_nextButton->setObjectName(QStringLiteral("NextSpeedButton"));
    m_nextButton->setArrowType(Qt::RightArrow);
    m_nextButton->setAutoRaise(true);
    layout->addWidget(m_backButton);
    layout->addWidget(m_nextButton);
    m_navigationPanel->adjustSize();
    connect(m_backButton, &QToolButton::clicked, this, &TMainForm::BackSpeedButtonClick);
    connect(m_nextButton, &QToolButton::clicked, this, &TMainForm::NextSpeedButtonClick);
    updateHistoryButtons();
}

// Settings are applied in one fixed order; loading must not write them back.
void TMainForm::FormCreate() {
    // Temporary files of writers that were killed; files still being written stay.
    AtomicFileWriter::removeLeftovers(programDirectory());
    const QString settingsPath = programDirectory() + QLatin1String(SettingsKeys::kFileName);
    // An unreadable file gives the defaults and is never written over: the settings live
    // in memory, and the exit says they were not saved.
    m_firstStart = !QFileInfo::exists(settingsPath);
    ErrorBoundary::run(this, [&] { m_station->loadSettings(settingsPath); });
    if (m_firstStart && m_station->hasSettings())
        SettingsKeys::write(settings(), SettingsKeys::ReportsByMode, true);
    entryPage->applyShowAtStartUp();
    optionsPage->entryOrderOptions->load();
    applyLanguageMenu();
    optionsPage->presetOptions->load();
    entryPage->ClearMask();
    optionsPage->generalOptions->load();
    optionsPage->serialOptions->load();
    ErrorBoundary::run(this, [this] {
        const QString last = SettingsKeys::readFileName(settings(), SettingsKeys::LastLogFileName);
        if (!last.isEmpty() && QFileInfo::exists(programDirectory() + last))
            openLog(last);
        else
            MainPageControl->setEnabled(false);
    });
    BuildMenu();
    applyPositions();
    optionsPage->duplicateOptions->load();
    NewButtonCaption();
    optionsPage->referenceLogOptions->load();
    setWindowTitle(QStringLiteral("Dalu 0.5"));
    m_station->openCallBook(SettingsKeys::read(settings(), SettingsKeys::RacFileName));
    optionsPage->racOptions->load();
    optionsPage->clockOptions->load();
    optionsPage->qslOptions->load();
    optionsPage->statusBarOptions->load();
    optionsPage->rigOptions->load();
    m_station->rig().applySettings();
    optionsPage->wsjtxOptions->load();
    m_wsjtx->applySettings();
    m_station->setInitialised();
}

void TMainForm::askOwnStationOnFirstStart() {
    if (!m_firstStart || !m_station->hasSettings() ||
        !SettingsKeys::read(settings(), SettingsKeys::EigenesCall).isEmpty())
        return;
    if (!TFirstStartDialog::ask(settings(), this))
        return;
    ErrorBoundary::run(this, [this] { m_station->saveSettings(); });
    optionsPage->generalOptions->load();
}

void TMainForm::FormDestroy() {
    if (m_destroyed || !m_station->hasSettings())
        return;
    m_destroyed = true;
    if (m_station->hasLog())
        SettingsKeys::write(settings(), SettingsKeys::LastLogFileName, m_station->logFileName());
    savePositions();
    ErrorBoundary::run(nullptr, [this] { m_station->saveSettings(); });
    // After the settings are safe: a rig that does not answer must not hold them up.
    m_station->rig().stop();
    closeLog();
}

void TMainForm::applyPositions() {
    using namespace SettingsKeys;
    const TMemIniFile& ini = settings();
    // A crafted or stale size must not make a window larger than the screen (its
    // backing store would take gigabytes) nor put it out of reach.
    const QRect screen = QGuiApplication::primaryScreen()
                             ? QGuiApplication::primaryScreen()->availableGeometry()
                             : QRect(0, 0, 1024, 768);
    const int w = std::clamp(read(ini, MainFormWidth), 200, std::max(200, screen.width()));
    const int h = std::clamp(read(ini, MainFormHeight), 150, std::max(150, screen.height()));
    const int x = std::clamp(read(ini, MainFormLeft), screen.left(),
                             std::max(screen.left(), screen.right() + 1 - w));
    const int y = std::clamp(read(ini, MainFormTop), screen.top(),
                             std::max(screen.top(), screen.bottom() + 1 - h));
    move(x, y);
    resize(w, h);
    // Content a column usually holds: without a stored width it must fit in this font.
    static const char* const kSamples[kListColumnCount] = {
        "9999",    "31.12.2026", "23:59:59",   "160m",      "Pactor", "QX1ABC/P",
        "599 001", "599 001",    "Z10",        "",          "",       "JO43SQ",
        "100W",    "",           "31.12.2026", "31.12.2026"};
    const QFontMetrics metrics(ListeStringGrid->font());
    for (int col = 0; col < kListColumnCount; ++col) {
        const IntKey key = listColumnWidth(col);
        const int fitted =
            std::max(metrics.horizontalAdvance(QLatin1String(kSamples[col])),
                     metrics.horizontalAdvance(QsoGridModel::headerCaptions().value(col))) +
            12;
        const int stored = std::clamp(read(ini, key), 0, screen.width());
        const int width = ini.ValueExists(QLatin1String(key.section), QLatin1String(key.key))
                              ? stored
                              : std::max(stored, fitted);
        ListeStringGrid->setColumnWidth(col, width);
        Liste2StringGrid->setColumnWidth(col, width);
    }
}

void TMainForm::savePositions() {
    using namespace SettingsKeys;
    TMemIniFile& ini = settings();
    write(ini, MainFormTop, y());
    write(ini, MainFormLeft, x());
    write(ini, MainFormWidth, width());
    write(ini, MainFormHeight, height());
    for (int col = 0; col < kListColumnCount; ++col)
        write(ini, listColumnWidth(col), ListeStringGrid->columnWidth(col));
}

QWidget* TMainForm::pageWidget(Navigator::Page page) const {
    const QList<QWidget*> pages = {EingabeTS, ListeTS,        EditierenTS,
                                   SucheTS,   AuswertungenTS, OptionenTS};
    return pages.value(int(page));
}

Navigator::Page TMainForm::currentPage() const {
    return Navigator::Page(std::max(0, MainPageControl->currentIndex()));
}

void TMainForm::connectNavigator() {
    connect(m_navigator, &Navigator::pageRequested, this,
            [this](Navigator::Page page) { MainPageControl->setCurrentWidget(pageWidget(page)); });
    connect(m_navigator, &Navigator::editRequested, this,
            [this](const Navigator::EditRequest& request) {
                editPage->setReturnMarker(request.returnTo);
                editPage->openQso(request.position, request.expected);
                // The day a card arrived, unless the QSO already records a received card.
                if (request.cardArrived.isValid() && !editPage->qslInDate().isValid())
                    editPage->setQslInDate(request.cardArrived);
            });
    connect(m_navigator, &Navigator::searchRequested, this,
            [this](const Navigator::SearchRows& rows) {
                searchPage->showCriteria(rows);
                MainPageControl->setCurrentWidget(SucheTS);
            });
    connect(m_navigator, &Navigator::backRequested, this, &TMainForm::BackSpeedButtonClick);
}

// The station's rig link follows the mask's moments; its values go into the mask and its
// state into the status bar.
void TMainForm::connectRig() {
    TRigControl& rig = m_station->rig();
    connect(optionsPage->rigOptions, &TRigOptions::rigSettingsChanged, &rig,
            &TRigControl::applySettings);
    connect(entryPage, &TEntryPage::qsoStarted, &rig, &TRigControl::qsoStarted);
    connect(entryPage, &TEntryPage::maskCleared, &rig, &TRigControl::maskCleared);
    connect(entryPage, &TEntryPage::editorApplied, &rig, [&rig](TEntryPage::Editor editor) {
        if (editor == TEntryPage::Editor::Band)
            rig.valueChosen(RigFollow::Band);
        else if (editor == TEntryPage::Editor::Mode)
            rig.valueChosen(RigFollow::Mode);
        else if (editor == TEntryPage::Editor::TxPwr)
            rig.valueChosen(RigFollow::Power);
    });
    connect(entryPage, &TEntryPage::qsoCommitted, &rig, &TRigControl::qsoCommitted);
    TEntryPage* mask = entryPage;
    connect(&rig, &TRigControl::rigValues, mask, &TEntryPage::followRig);
    rig.setMaskReader([mask] {
        RigFollow::Labels shown;
        shown.band = mask->band();
        shown.mode = mask->mode();
        return shown;
    });
    m_rigStatusLabel->hide();
    connect(&rig, &TRigControl::statusChanged, m_rigStatusLabel,
            [this, &rig](const QString& text, const QString& detail) {
                m_rigStatusLabel->setText(text);
                m_rigStatusLabel->setToolTip(detail);
                m_rigStatusLabel->setVisible(rig.isRunning());
            });
}

// The edit page's card buttons: moving a scan under the QSO's card name, and showing it.
void TMainForm::connectQslCardButtons(TQslCardButtons& cards) {
    connect(editPage, &TEditPage::qslCardAddRequested, &cards, &TQslCardButtons::eQslInAddBtnClick);
    connect(editPage, &TEditPage::qslCardShowRequested, &cards,
            &TQslCardButtons::eQslInShowBtnClick);
    connect(&cards, &TQslCardButtons::cardMoved, editPage, &TEditPage::refreshQslButtons);
}

void TMainForm::openLog(const QString& fileName) {
    MainPageControl->setEnabled(m_station->openLog(programDirectory() + fileName));
}

void TMainForm::closeLog() {
    m_station->closeLog();
}

void TMainForm::ListeNeuFuellen() {
    m_station->reload();
}

void TMainForm::Listenneuladen1Click() {
    ErrorBoundary::run(this, [this] { ListeNeuFuellen(); });
    BuildMenu();
}

void TMainForm::ListeStringGridMouseUp() {
    ListeStringGrid->fitColumnsToContents();
}

PageHistory::Entry TMainForm::currentPages() const {
    return {MainPageControl->currentIndex(), evaluationsPage->currentTab(),
            optionsPage->currentTab()};
}

void TMainForm::SetHistory() {
    if (m_showingHistory)
        return;
    m_history.SetHistory(currentPages());
    updateHistoryButtons();
}

void TMainForm::showHistoryEntry(const PageHistory::Entry& entry) {
    m_showingHistory = true;
    MainPageControl->setCurrentIndex(entry.main);
    evaluationsPage->setCurrentTab(entry.evaluation);
    optionsPage->setCurrentTab(entry.options);
    m_showingHistory = false;
    updateHistoryButtons();
}

void TMainForm::updateHistoryButtons() {
    m_backButton->setEnabled(m_history.backEnabled());
    m_nextButton->setEnabled(m_history.nextEnabled());
}

void TMainForm::BackSpeedButtonClick() {
    showHistoryEntry(m_history.back());
}

void TMainForm::NextSpeedButtonClick() {
    showHistoryEntry(m_history.next());
}

void TMainForm::FormResize() {
    // Top of the client area: just below the menu bar, beside the page tabs.
    m_navigationPanel->move(width() - m_navigationPanel->width(), menuBar()->height());
    m_navigationPanel->raise();
}

void TMainForm::CallbookLabelClick() {
    CallBookFill::fillMask(station(), *entryPage);
}

void TMainForm::DateComboBoxChange() {
    optionsPage->entryOrderOptions->DateComboBoxChange();
}

void TMainForm::NewButtonCaption() {
    entryPage->NewButtonCaption();
}

void TMainForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FormResize();
}
