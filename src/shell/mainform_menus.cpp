// The main menu of the main window: log files, language, tools and help.
#include "mainform.h"

#include "callcheck.h"
#include "editpage.h"
#include "entryorderoptions.h"
#include "entrypage.h"
#include "errorboundary.h"
#include "functionkeys.h"
#include "keyboardaccess.h"
#include "languageloader.h"
#include "languagetargets.h"
#include "logfile.h"
#include "logfileset.h"
#include "meminifile.h"
#include "optionspage.h"
#include "programdir.h"
#include "qsogridmodel.h"
#include "rigcontrol.h"
#include "rigoptions.h"
#include "searchpage.h"
#include "settingskeys.h"
#include "station.h"
#include "stationtexts.h"
#include "statusbaroptions.h"
#include "widgetfactory.h"
#include "wsjtxlink.h"
#include "wsjtxoptions.h"

#include <QActionGroup>
#include <QDesktopServices>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QInputDialog>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QSet>
#include <QTabBar>
#include <QTabWidget>
#include <QUrl>

namespace {

QAction* namedAction(QMenu* menu, const char* name, const QString& caption,
                     const QKeySequence& shortcut = {}) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(shortcut);
    return action;
}

QMenu* namedMenu(QMenuBar* bar, const char* name, const QString& caption) {
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(QLatin1String(name));
    return menu;
}

// The language file's line that describes an action's key in the shortcut window.
const char* const kShortcutLine = "shortcutLine";
// The function key (1 ... 12) an action stands for.
const char* const kFunctionKey = "functionKey";

// A menu title with an Alt mnemonic: its own if it has one, else its first letter or digit
// no other title of the bar uses ("&&" is a literal ampersand).
QString withMnemonic(const QString& title, QSet<QChar>& used) {
    for (int i = 0; i + 1 < title.size(); ++i) {
        if (title.at(i) != QLatin1Char('&'))
            continue;
        if (title.at(i + 1) != QLatin1Char('&')) {
            used.insert(title.at(i + 1).toUpper());
            return title;
        }
        ++i;
    }
    for (int i = 0; i < title.size(); ++i) {
        if (title.at(i) == QLatin1Char('&')) {
            ++i;
            continue;
        }
        const QChar c = title.at(i).toUpper();
        if (c.isLetterOrNumber() && !used.contains(c)) {
            used.insert(c);
            return title.left(i) + QLatin1Char('&') + title.mid(i);
        }
    }
    return title;
}

void openProgramFile(const QString& relativePath) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(programFile(relativePath)));
}

} // namespace

void TMainForm::createMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu"));
    m_fileMenu = namedMenu(bar, "Datei1", QStringLiteral("&Datei"));
    m_reloadListsAction =
        namedAction(m_fileMenu, "Listenneuladen1", QStringLiteral("Listen neu laden"));
    m_fileMenu->addSeparator();
    m_quitAction = namedAction(m_fileMenu, "Beenden1", QStringLiteral("&Beenden"));
    connect(m_reloadListsAction, &QAction::triggered, this, &TMainForm::Listenneuladen1Click);
    connect(m_quitAction, &QAction::triggered, this, &QWidget::close);

    m_logFileMenu = namedMenu(bar, "LogFileMenu", QString());
    // A log another program (the converter, a copy) puts beside Dalu shows in the menu at once.
    auto* watcher = new QFileSystemWatcher({programDirectory()}, this);
    connect(watcher, &QFileSystemWatcher::directoryChanged, this, [this] {
        if (LogFileSet::logFileNames(programDirectory()) != m_menuLogNames)
            BuildMenu();
    });

    m_languageMenu = namedMenu(bar, "LanguageMenu", QStringLiteral("Deutsch"));
    auto* languages = new QActionGroup(this);
    m_englishAction = namedAction(m_languageMenu, "EnglishMenu", QStringLiteral("English"));
    m_germanAction = namedAction(m_languageMenu, "DeutschMenu", QStringLiteral("Deutsch"));
    for (QAction* a : {m_englishAction, m_germanAction}) {
        a->setCheckable(true);
        languages->addAction(a);
        connect(a, &QAction::triggered, this, &TMainForm::LanguageSubMenuClick);
    }
    m_germanAction->setChecked(true);

    m_toolsMenu = namedMenu(bar, "Tools1", QStringLiteral("&Tools"));
    m_converterAction = namedAction(m_toolsMenu, "ImportExport1", QStringLiteral("LogConverter"));
    connect(m_converterAction, &QAction::triggered, this, &TMainForm::converterRequested);

    m_helpMenu = namedMenu(bar, "Hilfe1", QStringLiteral("&Hilfe"));
    m_infoAction = namedAction(m_helpMenu, "Info1", QStringLiteral("Info"),
                               QKeySequence(QStringLiteral("Ctrl+I")));
    m_shortcutsAction =
        namedAction(m_helpMenu, "astaturkrzel1", QStringLiteral("Tastaturk\u00fcrzel"),
                    QKeySequence(QStringLiteral("Ctrl+T")));
    m_helpContentsAction = namedAction(m_helpMenu, "Hilfe2", QStringLiteral("Inhalt"),
                                       QKeySequence(QStringLiteral("Ctrl+H")));
    m_homepageAction = namedAction(m_helpMenu, "Homepage1", QStringLiteral("Dalu im Internet"));
    m_linkListAction = namedAction(m_helpMenu, "LinklistezuAFU1", QStringLiteral("AFU-Linkliste"));
    m_infoAction->setProperty(kShortcutLine, Msg::ShortcutLines + 7);
    m_shortcutsAction->setProperty(kShortcutLine, Msg::ShortcutLines + 6);
    m_helpContentsAction->setProperty(kShortcutLine, Msg::ShortcutLines + 8);
    connect(m_infoAction, &QAction::triggered, this, &TMainForm::Info1Click);
    connect(m_shortcutsAction, &QAction::triggered, this, &TMainForm::astaturkrzel1Click);
    connect(m_helpContentsAction, &QAction::triggered, this, &TMainForm::Hilfe2Click);
    connect(m_homepageAction, &QAction::triggered, this, &TMainForm::Homepage1Click);
    connect(m_linkListAction, &QAction::triggered, this, &TMainForm::LinklistezuAFU1Click);
}

QAction* TMainForm::shortcutAction(const char* name, const QKeySequence& key, int shortcutLine,
                                   QWidget* scope) {
    auto* action = new QAction(scope);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(key);
    action->setShortcutContext(Qt::WindowShortcut);
    action->setAutoRepeat(false);
    if (shortcutLine > 0)
        action->setProperty(kShortcutLine, shortcutLine);
    scope->addAction(action);
    return action;
}

// The keys of the mask. They belong to the page tabs, so they work on every page while a
// log is open (the tabs are disabled without one); Ctrl+L belongs to the entry page and
// works only while it is shown.
void TMainForm::createShortcuts() {
    using Msg::ShortcutLines;
    connect(shortcutAction("ClearMaskAction", Qt::Key_Escape, ShortcutLines + 2, MainPageControl),
            &QAction::triggered, entryPage, [this] {
                if (!entryPage->cancelEditor())
                    entryPage->ClearMask();
            });
    connect(shortcutAction("ListFocusAction", QKeySequence(Qt::CTRL | Qt::Key_L), ShortcutLines + 3,
                           entryPage),
            &QAction::triggered, entryPage, [this] { entryPage->toggleListFocus(); });
    connect(shortcutAction("CallBookAction", QKeySequence(Qt::CTRL | Qt::Key_B), ShortcutLines + 4,
                           MainPageControl),
            &QAction::triggered, this, &TMainForm::CallbookLabelClick);
    connect(shortcutAction("ReferenceLogsAction", QKeySequence(Qt::CTRL | Qt::Key_R),
                           ShortcutLines + 5, MainPageControl),
            &QAction::triggered, callCheck, [this] { callCheck->StandartfunktionReferenzLogs(); });
    // Pages by keyboard, in order and back; the page takes the key, never a field on it.
    QAction* next =
        shortcutAction("NextPageAction", QKeySequence(Qt::CTRL | Qt::Key_Tab), 0, MainPageControl);
    next->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)});
    connect(next, &QAction::triggered, this, [this] { stepPage(1); });
    QAction* previous = shortcutAction("PreviousPageAction",
                                       QKeySequence(Qt::CTRL | Qt::Key_PageUp), 0, MainPageControl);
    previous->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
                            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
                            QKeySequence(Qt::CTRL | Qt::Key_PageUp)});
    connect(previous, &QAction::triggered, this, [this] { stepPage(-1); });
    // A function key's line is built from its fields (the buttons' settings). Like every
    // shortcut it acts on the press; the editor it opens ignores the release.
    for (int k = 1; k <= FunctionKeys::kKeyCount; ++k) {
        const QByteArray name = "FunctionKey" + QByteArray::number(k) + "Action";
        QAction* action = shortcutAction(
            name.constData(), QKeySequence(Qt::Key(Qt::Key_F1 + k - 1)), 0, MainPageControl);
        // The key works with Shift held too, as it always did.
        action->setShortcuts({action->shortcut(), QKeySequence(Qt::SHIFT | (Qt::Key_F1 + k - 1))});
        action->setProperty(kFunctionKey, k);
        connect(action, &QAction::triggered, entryPage, [this, k] { entryPage->FormKeyUp(k); });
    }
}

void TMainForm::stepPage(int step) {
    const int count = MainPageControl->count();
    MainPageControl->setCurrentIndex((MainPageControl->currentIndex() + step + count) % count);
    if (MainPageControl->currentWidget() == EingabeTS)
        entryPage->focusCall();
    else
        MainPageControl->tabBar()->setFocus(Qt::TabFocusReason);
}

void TMainForm::applyMenuMnemonics() {
    // Alt+S saves on the edit page ("Daten &Speichern"): no menu may take it.
    QSet<QChar> used = {QLatin1Char('S')};
    // Fixed mnemonics first, then the titles that change (log name, language) get theirs.
    for (QMenu* menu : {m_fileMenu, m_toolsMenu, m_helpMenu})
        withMnemonic(menu->title(), used);
    for (QMenu* menu : {m_logFileMenu, m_languageMenu}) {
        QString plain = menu->title();
        // Drop a mnemonic given earlier: the free letters may have changed.
        for (int i = 0; i + 1 < plain.size(); ++i) {
            if (plain.at(i) == QLatin1Char('&') && plain.at(i + 1) != QLatin1Char('&')) {
                plain.remove(i, 1);
                break;
            }
            if (plain.at(i) == QLatin1Char('&'))
                ++i;
        }
        menu->setTitle(withMnemonic(plain, used));
    }
}

void TMainForm::BuildMenu() {
    // The clicked item may still be delivering its signal: delete the old items later.
    for (QAction* old : m_logFileMenu->actions()) {
        m_logFileMenu->removeAction(old);
        old->deleteLater();
    }
    for (QActionGroup* oldGroup : m_logFileMenu->findChildren<QActionGroup*>())
        oldGroup->deleteLater();
    const QString current = m_station->logFileName();
    auto* group = new QActionGroup(m_logFileMenu);
    QString caption = msg(Msg::LogMenuCaption);
    m_menuLogNames = LogFileSet::logFileNames(programDirectory());
    for (const QString& name : std::as_const(m_menuLogNames)) {
        QAction* item = m_logFileMenu->addAction(WidgetFactory::literalCaption(name));
        item->setData(name);
        item->setCheckable(true);
        item->setChecked(name == current);
        group->addAction(item);
        connect(item, &QAction::triggered, this, &TMainForm::LogFileMenuClick);
        if (item->isChecked())
            caption = WidgetFactory::literalCaption(name);
    }
    QAction* newLog = m_logFileMenu->addAction(msg(Msg::NewLogItem));
    newLog->setObjectName(QStringLiteral("NewLogFileMenu"));
    connect(newLog, &QAction::triggered, this, &TMainForm::NewLogFileMenuClick);
    // An empty caption would make the menu vanish from the bar.
    m_logFileMenu->setTitle(caption.isEmpty() ? QStringLiteral("Log") : caption);
    applyMenuMnemonics();
    const auto plain = WidgetFactory::shownCaption;
    m_noLogHintLabel->setText(
        station()
            .texts()
            .text("Kein Log ge\u00f6ffnet: der Men\u00fcpunkt \u201e%1\u201c im "
                  "Men\u00fc \u201e%2\u201c legt ein neues an.")
            .arg(plain(newLog->text()), plain(m_logFileMenu->title())));
    m_noLogHintLabel->setVisible(!m_station->hasLog());
}

void TMainForm::LogFileMenuClick() {
    auto* item = qobject_cast<QAction*>(sender());
    if (!item)
        return;
    const QString caption = item->data().toString();
    ErrorBoundary::run(this, [&] {
        const QString path = programDirectory() + caption;
        if (m_station->hasLog()) {
            if (m_station->log()->FileName() == path)
                return;
            closeLog();
        }
        if (QFileInfo::exists(path)) {
            const bool opened = m_station->openLog(path);
            BuildMenu();
            MainPageControl->setEnabled(opened);
        } else {
            QMessageBox::critical(this, windowTitle(),
                                  msg(Msg::LogFileNotFound) + caption + QLatin1Char('"'));
            MainPageControl->setEnabled(false);
            BuildMenu();
        }
    });
}

void TMainForm::NewLogFileMenuClick() {
    const QString answer =
        QInputDialog::getText(this, msg(Msg::NewLogCaption), msg(Msg::NewLogPrompt));
    const QString name = LogFileSet::newLogFileName(answer);
    if (name.isEmpty())
        return;
    const QString path = programDirectory() + name;
    if (QFileInfo::exists(path)) {
        QMessageBox::critical(this, windowTitle(),
                              QLatin1Char('"') + name + msg(Msg::NewLogExists) + path +
                                  QStringLiteral("\"!"));
        return;
    }
    // The open log is closed only once the new one exists: a failure keeps it open.
    ErrorBoundary::run(this, [&] {
        m_station->createLog(path);
        BuildMenu();
        MainPageControl->setEnabled(true);
        entryPage->ClearMask(); // the call field takes the focus for the first QSO
    });
    BuildMenu();
}

void TMainForm::applyLanguageMenu() {
    const QString file = SettingsKeys::readFileName(settings(), SettingsKeys::Language);
    if (file == QLatin1String(SettingsKeys::kGermanLanguageFile)) {
        m_germanAction->setChecked(true);
        m_languageMenu->setTitle(QStringLiteral("Deutsch"));
    } else if (file == QLatin1String(SettingsKeys::kEnglishLanguageFile)) {
        m_englishAction->setChecked(true);
        m_languageMenu->setTitle(QStringLiteral("English"));
    }
}

void TMainForm::LanguageSubMenuClick() {
    if (m_englishAction->isChecked()) {
        m_languageMenu->setTitle(QStringLiteral("English"));
        SettingsKeys::write(settings(), SettingsKeys::Language,
                            QLatin1String(SettingsKeys::kEnglishLanguageFile));
    } else if (m_germanAction->isChecked()) {
        SettingsKeys::write(settings(), SettingsKeys::Language,
                            QLatin1String(SettingsKeys::kGermanLanguageFile));
        m_languageMenu->setTitle(QStringLiteral("Deutsch"));
    }
    ErrorBoundary::run(this, [this] { LoadLanguage(); });
}

void TMainForm::LoadLanguage() {
    const QString file = SettingsKeys::readFileName(settings(), SettingsKeys::Language);
    m_language->load(programFile(file));
    entryPage->applyUiTexts();
    editPage->applyUiTexts();
    searchPage->applyUiTexts();
    BuildMenu();
    // Texts no language line holds, and captions built from language texts.
    NewButtonCaption();
    optionsPage->statusBarOptions->applyLanguage();
    optionsPage->entryOrderOptions->applyLanguage();
    optionsPage->rigOptions->applyLanguage();
    m_station->rig().applyLanguage();
    optionsPage->wsjtxOptions->applyLanguage();
    m_wsjtx->applyLanguage();
    KeyboardAccess::apply(this);
}

void TMainForm::Info1Click() {
    emit infoRequested();
}

void TMainForm::Hilfe2Click() {
    openProgramFile(helpPage(QStringLiteral("index.htm")));
}

void TMainForm::LinklistezuAFU1Click() {
    openProgramFile(helpPage(QStringLiteral("links.htm")));
}

QString TMainForm::helpPage(const QString& name) const {
    // The English pages stand in their own folder; the German ones where they always were.
    const bool english = m_englishAction->isChecked() &&
                         QFileInfo::exists(programFile(QStringLiteral("Hilfe/en/") + name));
    return (english ? QStringLiteral("Hilfe/en/") : QStringLiteral("Hilfe/")) + name;
}

void TMainForm::Homepage1Click() {
    QDesktopServices::openUrl(QUrl(QLatin1String(kWebAddress)));
}

// The language file's key lines in its order: a line that describes an action stands
// while the action has its key; the others (headings, Return, the arrows) always.
QStringList TMainForm::shortcutHead() const {
    QHash<int, const QAction*> actionOfLine;
    for (const QAction* action : findChildren<QAction*>()) {
        const QVariant line = action->property(kShortcutLine);
        if (line.isValid())
            actionOfLine.insert(line.toInt(), action);
    }
    QStringList lines;
    for (int line = Msg::ShortcutLines; line < Msg::ShortcutLines + Msg::ShortcutLineCount;
         ++line) {
        const QAction* action = actionOfLine.value(line);
        if (!action || !action->shortcut().isEmpty())
            lines.append(msg(line));
    }
    return lines;
}

void TMainForm::astaturkrzel1Click() {
    FunctionKeys::ShortcutTexts texts;
    texts.head = shortcutHead();
    texts.keyBefore = msg(Msg::ShortcutKeyBefore);
    texts.keyAfter = msg(Msg::ShortcutKeyAfter);
    texts.andWord = msg(Msg::ListAnd);
    FunctionKeys::ButtonTexts buttons;
    for (const QAction* action : MainPageControl->actions()) {
        const int k = action->property(kFunctionKey).toInt();
        if (k >= 1 && k <= FunctionKeys::kKeyCount && !action->shortcut().isEmpty())
            buttons[k - 1] = SettingsKeys::readButtons(settings(), k);
    }
    emit shortcutsRequested(FunctionKeys::shortcutLines(texts, buttons));
}
