#include "languageloader.h"

#include "daluerror.h"
#include "keyboardaccess.h"
#include "languagefile.h"
#include "languagetargets.h"
#include "station.h"
#include "stationtexts.h"
#include "uitexts.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTableWidget>

namespace {

QString forWidgets(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// A page of a tab widget shows its caption on the tab.
bool setTabCaption(QWidget* page, const QString& text) {
    QWidget* stack = page->parentWidget();
    auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
    if (!tabs || tabs->indexOf(page) < 0)
        return false;
    tabs->setTabText(tabs->indexOf(page), text);
    return true;
}

void setCaption(QObject* target, const QString& text) {
    if (auto* action = qobject_cast<QAction*>(target))
        action->setText(text);
    else if (auto* menu = qobject_cast<QMenu*>(target))
        menu->setTitle(text);
    else if (auto* label = qobject_cast<QLabel*>(target))
        label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(target))
        button->setText(text);
    else if (auto* group = qobject_cast<QGroupBox*>(target))
        group->setTitle(text);
    else if (auto* widget = qobject_cast<QWidget*>(target)) {
        if (!setTabCaption(widget, text))
            widget->setWindowTitle(text);
    }
}

void setList(QObject* target, const QString& text) {
    const QStringList lines = text.split(QLatin1Char('\n'));
    if (auto* combo = qobject_cast<QComboBox*>(target)) {
        const int current = combo->currentIndex();
        combo->clear();
        combo->addItems(lines);
        combo->setCurrentIndex(current < combo->count() ? current : 0);
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(target)) {
        memo->setPlainText(text);
    } else if (auto* label = qobject_cast<QLabel*>(target)) {
        label->setText(text);
    }
}

void setColumnTitles(QObject* target, const QString& text) {
    if (auto* table = qobject_cast<QTableWidget*>(target))
        table->setHorizontalHeaderLabels(text.split(QLatin1Char('\n')));
}

} // namespace

LanguageLoader::LanguageLoader(Station& station, QWidget* mainWindow)
    : m_station(station), m_mainWindow(mainWindow) {
    addWindow(QLatin1String(mainWindow->metaObject()->className()), mainWindow);
}

LanguageLoader::~LanguageLoader() = default;

void LanguageLoader::setLanguage(UiLanguage language) {
    m_station.texts().setLanguage(language);
}

void LanguageLoader::addWindow(const QString& className, QWidget* window) {
    m_windows.insert(className, window);
}

LanguageTexts LanguageLoader::builtInGerman() {
    QFile builtIn(QStringLiteral(":/lang/deutsch.lng"));
    builtIn.open(QIODevice::ReadOnly);
    return readLanguageTexts(builtIn);
}

void LanguageLoader::load(const QString& path) {
    if (QFile::exists(path)) {
        // Read first: a file that cannot be read changes no text.
        const LanguageTexts texts = readLanguageFile(path);
        setLanguage(uiLanguageOfFile(path));
        apply(texts);
        return;
    }
    setLanguage(UiLanguage::German);
    apply(builtInGerman());
    if (!m_fallbackReported) {
        m_fallbackReported = true;
        QMessageBox::warning(
            m_mainWindow, QStringLiteral("Dalu"),
            QStringLiteral("Die Sprachdatei \"%1\" wurde nicht gefunden. Dalu zeigt die "
                           "eingebauten deutschen Texte.\n\nThe language file \"%1\" was not "
                           "found. Dalu shows its built-in German texts.")
                .arg(path));
    }
}

void LanguageLoader::apply(const LanguageTexts& texts) {
    QStringList lines;
    for (int line = 1; line <= LanguageTexts::lineCount(); ++line)
        lines.append(texts.text(line));
    m_station.texts().setMessages(lines);

    for (const LanguageTarget& target : languageTargets()) {
        QWidget* window = m_windows.value(QLatin1String(target.window));
        if (!window)
            continue;
        const QString text = forWidgets(texts.text(target.line));
        const QString name = QLatin1String(target.component);
        if (target.kind == LanguageTargetKind::WizardText) {
            window->setProperty(target.component, texts.text(target.line));
            continue;
        }
        QObject* object = name == window->objectName() || name == QLatin1String(target.window)
                              ? window
                              : window->findChild<QObject*>(name);
        if (!object)
            continue;
        switch (target.kind) {
        case LanguageTargetKind::Caption:
            setCaption(object, text);
            break;
        case LanguageTargetKind::List:
            setList(object, text);
            break;
        case LanguageTargetKind::ColumnTitles:
            setColumnTitles(object, text);
            break;
        default:
            break;
        }
    }
    // The program's own texts (the station's text()) follow the language: pages renew them on this
    // event, which every widget passes on to its children.
    for (QWidget* window : std::as_const(m_windows)) {
        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(window, &change);
        // The main window names its controls once its own texts are complete.
        if (window != m_mainWindow)
            KeyboardAccess::apply(window);
    }
}
