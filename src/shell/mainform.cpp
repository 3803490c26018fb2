#include "mainform.h"

#include "datetickpicker.h"

#include "navigator.h"
#include "qsolists.h"
#include "station.h"
#include "stationtexts.h"

#include "atomicfilewriter.h"
#include "busyprogress.h"
#include "callbookaccess.h"
#include "callbooklookup.h"
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
#include "logfile.h"
#include "meminifile.h"
#include "optionspage.h"
#include "presetoptions.h"
#include "programdir.h"
#include "qsloptions.h"
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

#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

const char* const TMainForm::kWebAddress = "https://dalu.example.org/";

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("MainForm"));
    resize(775, 560);
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
    connect(optionsPage->entryOrderOptions, &TEntryOrderOptions::buttonsChanged, this,
            &TMainForm::NewButtonCaption);
    // After the pages: the edit page sees a list row's activation before the call check.
    callCheck = new TCallCheck(*this);
    duplicateOptions = new TDuplicateOptions(*this, optionsPage->DoppelCheckTS);
    referenceLogOptions = new TReferenceLogOptions(*this, optionsPage->ReferenzLogsTS);
    connect(duplicateOptions, &TDuplicateOptions::criteriaChanged, callCheck,
            &TCallCheck::setCriteria);
    rigControl = new TRigControl(*this, *entryPage, m_rigStatusLabel);
    connect(optionsPage->rigOptions, &TRigOptions::rigSettingsChanged, rigControl,
            &TRigControl::applySettings);
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

QString TMainForm::msg(int line) const {
    return m_station->msg(line);
}

TMemIniFile& TMainForm::settings() {
    return m_station->settings();
}

TLogFile* TMainForm::openLog() const {
    return m_station->log();
}

bool TMainForm::initialised() const {
    return m_station->initialised();
}

TCallBook* TMainForm::callBook() const {
    return m_station->callBook();
}

QString TMainForm::callBookFileName() const {
    return m_station->callBookFileName();
}

void TMainForm::registerWindow(const QString& className, QWidget* window) {
    m_language->addWindow(className, window);
}

void TMainForm::createPages() {
    MainPageControl = new QTabWidget(this);
    MainPageControl->setObjectName(QStringLiteral("MainPageControl"));
    MainPageControl->setDocumentMode(true);
    MainPageControl->setUsesScrollButtons(true);

    listeModel = m_lists->upper();
    liste2Model = m_lists->lower();

    entryPage = new TEntryPage(*this, liste2Model, MainPageControl);
    EingabeTS = entryPage;
    EingabeTS->setObjectName(QStringLiteral("EingabeTS"));
    Liste2StringGrid = entryPage->Liste2StringGrid;
    // Without an open log the disabled mask says, in its empty list, how to get one.
    m_noLogHintLabel = new QLabel(Liste2StringGrid->viewport());
    m_noLogHintLabel->setObjectName(QStringLiteral("NoLogHintLabel"));
    m_noLogHintLabel->setGeometry(0, 0, 4000, 18);
    m_noLogHintLabel->setIndent(6);
    m_noLogHintLabel->setAutoFillBackground(true); // over the empty row's cells
    m_noLogHintLabel->setBackgroundRole(QPalette::Base);
    MainPageControl->addTab(EingabeTS, QStringLiteral("Eingabe"));

    ListeTS = new QWidget(MainPageControl);
    ListeTS->setObjectName(QStringLiteral("ListeTS"));
    ListeStringGrid = new QsoGrid(listeModel, ListeTS);
    ListeStringGrid->setObjectName(QStringLiteral("ListeStringGrid"));
    ListeStringGrid->setUserResizableColumns(true);
    auto* listLayout = new QVBoxLayout(ListeTS);
    listLayout->setContentsMargins(2, 2, 2, 2);
    listLayout->addWidget(ListeStringGrid);
    MainPageControl->addTab(ListeTS, QStringLiteral("Liste"));
    connect(ListeStringGrid, &QsoGrid::headerCtrlReleased, this,
            &TMainForm::ListeStringGridMouseUp);

    editPage = new TEditPage(*this, MainPageControl);
    EditierenTS = editPage;
    EditierenTS->setObjectName(QStringLiteral("EditierenTS"));
    MainPageControl->addTab(EditierenTS, QStringLiteral("Editieren"));
    searchPage = new TSearchPage(*this, MainPageControl);
    SucheTS = searchPage;
    SucheTS->setObjectName(QStringLiteral("SucheTS"));
    MainPageControl->addTab(SucheTS, QStringLiteral("Suche"));

    evaluationsPage = new TEvaluationsPage(*this, MainPageControl);
    AuswertungenTS = evaluationsPage;
    AuswertungenTS->setObjectName(QStringLiteral("AuswertungenTS"));
    MainPageControl->addTab(AuswertungenTS, QStringLiteral("Auswertungen"));

    optionsPage = new TOptionsPage(*this, MainPageControl);
    OptionenTS = optionsPage;
    OptionenTS->setObjectName(QStringLiteral("OptionenTS"));
    MainPageControl->addTab(OptionenTS, QStringLiteral("Optionen"));

    setCentralWidget(MainPageControl);
    for (QTabWidget* tabs : {MainPageControl, evaluationsPage->AuswertungenPageControl,
                             optionsPage->OptionenPageControl})
        connect(tabs, &QTabWidget::currentChanged, this, &TMainForm::SetHistory);

    StatusBarLabel = new QLabel(this);
    StatusBarLabel->setObjectName(QStringLiteral("StatusBar"));
    statusBar()->addWidget(StatusBarLabel, 1);
    m_rigStatusLabel = new QLabel(this);
    m_rigStatusLabel->setObjectName(QStringLiteral("RigStatusLabel"));
    statusBar()->addPermanentWidget(m_rigStatusLabel);
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
    ErrorBoundary::run(this, [&] { m_station->loadSettings(settingsPath); });
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
    duplicateOptions->load();
    NewButtonCaption();
    referenceLogOptions->load();
    setWindowTitle(QStringLiteral("Dalu 0.5"));
    m_station->openCallBook(SettingsKeys::read(settings(), SettingsKeys::RacFileName));
    optionsPage->racOptions->load();
    optionsPage->clockOptions->load();
    optionsPage->qslOptions->load();
    optionsPage->statusBarOptions->load();
    optionsPage->rigOptions->load();
    rigControl->applySettings();
    m_station->setInitialised();
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
    rigControl->stop();
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
                editPage->setReturnMarker(int(request.returnTo));
                editPage->openQso(request.position, request.expected);
                // The day a card arrived, unless the QSO already records a received card.
                if (request.cardArrived.isValid() && !editPage->eQslInPicker->isChecked()) {
                    editPage->eQslInPicker->setChecked(true);
                    editPage->eQslInPicker->setDate(request.cardArrived);
                }
            });
    connect(m_navigator, &Navigator::searchRequested, this,
            [this](const Navigator::SearchRows& rows) {
                searchPage->showCriteria(rows);
                MainPageControl->setCurrentWidget(SucheTS);
            });
    connect(m_navigator, &Navigator::backRequested, this, &TMainForm::BackSpeedButtonClick);
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
}

void TMainForm::ListeStringGridMouseUp() {
    ListeStringGrid->fitColumnsToContents();
}

PageHistory::Entry TMainForm::currentPages() const {
    return {MainPageControl->currentIndex(),
            evaluationsPage->AuswertungenPageControl->currentIndex(),
            optionsPage->OptionenPageControl->currentIndex()};
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
    evaluationsPage->AuswertungenPageControl->setCurrentIndex(entry.evaluation);
    optionsPage->OptionenPageControl->setCurrentIndex(entry.options);
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

quint16 TMainForm::callBookVersion() const {
    return m_station->callBookVersion();
}

void TMainForm::CallbookLabelClick() {
    CallBookLookup::fillMask(*this);
}

void TMainForm::DateComboBoxChange() {
    optionsPage->entryOrderOptions->DateComboBoxChange();
}

void TMainForm::NewButtonCaption() {
    entryPage->NewButtonCaption();
}

void TMainForm::setSerialNumberText(const QString& text) {
    optionsPage->serialOptions->setNextNumber(text);
}

void TMainForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FormResize();
}
