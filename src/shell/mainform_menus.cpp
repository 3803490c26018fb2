// The main menu of the main window: log files, language, tools and help.
#include "mainform.h"

#include "editpage.h"
#include "entrypage.h"
#include "errorboundary.h"
#include "functionkeys.h"
#include "keyboardaccess.h"
#include "languageloader.h"
#include "languagetargets.h"
#include "logfile.h"
#include "station.h"
#include "logfileset.h"
#include "meminifile.h"
#include "optionspage.h"
#include "programdir.h"
#include "qsogridmodel.h"
#include "rigcontrol.h"
#include "rigoptions.h"
#include "searchpage.h"
#include "settingskeys.h"
#include "statusbaroptions.h"
#include "uitexts.h"
#include "widgetfactory.h"

#include <QActionGroup>
#include <QDesktopServices>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
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

void openProgramFile(const QString& relativePath) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(programFile(relativePath)));
}

} // namespace

void TMainForm::createMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu"));
    Datei1 = namedMenu(bar, "Datei1", QStringLiteral("&Datei"));
    Listenneuladen1 = namedAction(Datei1, "Listenneuladen1", QStringLiteral("Listen neu laden"));
    Datei1->addSeparator();
    Beenden1 = namedAction(Datei1, "Beenden1", QStringLiteral("&Beenden"));
    connect(Listenneuladen1, &QAction::triggered, this, &TMainForm::Listenneuladen1Click);
    connect(Beenden1, &QAction::triggered, this, &QWidget::close);

    LogFileMenu = namedMenu(bar, "LogFileMenu", QString());

    LanguageMenu = namedMenu(bar, "LanguageMenu", QStringLiteral("Deutsch"));
    auto* languages = new QActionGroup(this);
    EnglishMenu = namedAction(LanguageMenu, "EnglishMenu", QStringLiteral("English"));
    DeutschMenu = namedAction(LanguageMenu, "DeutschMenu", QStringLiteral("Deutsch"));
    for (QAction* a : {EnglishMenu, DeutschMenu}) {
        a->setCheckable(true);
        languages->addAction(a);
        connect(a, &QAction::triggered, this, &TMainForm::LanguageSubMenuClick);
    }
    DeutschMenu->setChecked(true);

    Tools1 = namedMenu(bar, "Tools1", QStringLiteral("&Tools"));
    ImportExport1 = namedAction(Tools1, "ImportExport1", QStringLiteral("LogConverter"));
    connect(ImportExport1, &QAction::triggered, this, &TMainForm::converterRequested);

    Hilfe1 = namedMenu(bar, "Hilfe1", QStringLiteral("&Hilfe"));
    Info1 = namedAction(Hilfe1, "Info1", QStringLiteral("Info"),
                        QKeySequence(QStringLiteral("Ctrl+I")));
    astaturkrzel1 = namedAction(Hilfe1, "astaturkrzel1", QStringLiteral("Tastaturk\u00fcrzel"),
                                QKeySequence(QStringLiteral("Ctrl+T")));
    Hilfe2 = namedAction(Hilfe1, "Hilfe2", QStringLiteral("Inhalt"),
                         QKeySequence(QStringLiteral("Ctrl+H")));
    Homepage1 = namedAction(Hilfe1, "Homepage1", QStringLiteral("Dalu im Internet"));
    LinklistezuAFU1 = namedAction(Hilfe1, "LinklistezuAFU1", QStringLiteral("AFU-Linkliste"));
    connect(Info1, &QAction::triggered, this, &TMainForm::Info1Click);
    connect(astaturkrzel1, &QAction::triggered, this, &TMainForm::astaturkrzel1Click);
    connect(Hilfe2, &QAction::triggered, this, &TMainForm::Hilfe2Click);
    connect(Homepage1, &QAction::triggered, this, &TMainForm::Homepage1Click);
    connect(LinklistezuAFU1, &QAction::triggered, this, &TMainForm::LinklistezuAFU1Click);
}

void TMainForm::BuildMenu() {
    // The clicked item may still be delivering its signal: delete the old items later.
    for (QAction* old : LogFileMenu->actions()) {
        LogFileMenu->removeAction(old);
        old->deleteLater();
    }
    for (QActionGroup* oldGroup : LogFileMenu->findChildren<QActionGroup*>())
        oldGroup->deleteLater();
    const QString current = m_station->logFileName();
    auto* group = new QActionGroup(LogFileMenu);
    QString caption = msg(Msg::LogMenuCaption);
    for (const QString& name : LogFileSet::logFileNames(programDirectory())) {
        QAction* item = LogFileMenu->addAction(WidgetFactory::literalCaption(name));
        item->setData(name);
        item->setCheckable(true);
        item->setChecked(name == current);
        group->addAction(item);
        connect(item, &QAction::triggered, this, &TMainForm::LogFileMenuClick);
        if (item->isChecked())
            caption = WidgetFactory::literalCaption(name);
    }
    QAction* newLog = LogFileMenu->addAction(msg(Msg::NewLogItem));
    newLog->setObjectName(QStringLiteral("NewLogFileMenu"));
    connect(newLog, &QAction::triggered, this, &TMainForm::NewLogFileMenuClick);
    // An empty caption would make the menu vanish from the bar.
    LogFileMenu->setTitle(caption.isEmpty() ? QStringLiteral("Log") : caption);
    const auto plain = WidgetFactory::shownCaption;
    NoLogHintLabel->setText(uiText("Kein Log ge\u00f6ffnet: der Men\u00fcpunkt \u201e%1\u201c im "
                                   "Men\u00fc \u201e%2\u201c legt ein neues an.")
                                .arg(plain(newLog->text()), plain(LogFileMenu->title())));
    NoLogHintLabel->setVisible(!m_station->hasLog());
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
        DeutschMenu->setChecked(true);
        LanguageMenu->setTitle(QStringLiteral("Deutsch"));
    } else if (file == QLatin1String(SettingsKeys::kEnglishLanguageFile)) {
        EnglishMenu->setChecked(true);
        LanguageMenu->setTitle(QStringLiteral("English"));
    }
}

void TMainForm::LanguageSubMenuClick() {
    if (EnglishMenu->isChecked()) {
        LanguageMenu->setTitle(QStringLiteral("English"));
        SettingsKeys::write(settings(), SettingsKeys::Language,
                            QLatin1String(SettingsKeys::kEnglishLanguageFile));
    } else if (DeutschMenu->isChecked()) {
        SettingsKeys::write(settings(), SettingsKeys::Language,
                            QLatin1String(SettingsKeys::kGermanLanguageFile));
        LanguageMenu->setTitle(QStringLiteral("Deutsch"));
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
    optionsPage->rigOptions->applyLanguage();
    m_station->rig().applyLanguage();
    KeyboardAccess::apply(this);
}

void TMainForm::Info1Click() {
    emit infoRequested();
}

void TMainForm::Hilfe2Click() {
    openProgramFile(QStringLiteral("Hilfe/index.htm"));
}

void TMainForm::LinklistezuAFU1Click() {
    openProgramFile(QStringLiteral("Hilfe/links.htm"));
}

void TMainForm::Homepage1Click() {
    QDesktopServices::openUrl(QUrl(QLatin1String(kWebAddress)));
}

void TMainForm::astaturkrzel1Click() {
    FunctionKeys::ShortcutTexts texts;
    for (int i = 0; i < Msg::ShortcutLineCount; ++i)
        texts.head.append(msg(Msg::ShortcutLines + i));
    texts.keyBefore = msg(Msg::ShortcutKeyBefore);
    texts.keyAfter = msg(Msg::ShortcutKeyAfter);
    texts.andWord = msg(Msg::ListAnd);
    FunctionKeys::ButtonTexts buttons;
    for (int k = 1; k <= FunctionKeys::kKeyCount; ++k)
        buttons[k - 1] = SettingsKeys::read(settings(), SettingsKeys::buttons(k));
    emit shortcutsRequested(FunctionKeys::shortcutLines(texts, buttons));
}
