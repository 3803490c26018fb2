#pragma once

#include "uitexts.h"

#include <QHash>
#include <QString>

#include <memory>

class QWidget;
class TMainForm;
class LanguageTexts;

// Puts the texts of a language file into every window: captions, lists, column titles,
// and the message texts kept by the main window.
class LanguageLoader {
public:
    explicit LanguageLoader(TMainForm& mainForm);
    ~LanguageLoader();

    void addWindow(const QString& className, QWidget* window);

    // Loads the file; a missing one falls back to the built-in German texts and says so
    // once per run.
    void load(const QString& path);
    void apply(const LanguageTexts& texts);

    static LanguageTexts builtInGerman();

private:
    // The program's own texts and Qt's (standard buttons, file dialogs) follow the language.
    void setLanguage(UiLanguage language);

    TMainForm& m_mainForm;
    QHash<QString, QWidget*> m_windows;
    bool m_fallbackReported = false;
};
