#pragma once

#include "uitexts.h"

#include <QHash>
#include <QString>

#include <memory>

class QWidget;
class LanguageTexts;
class Station;

// Puts the texts of a language file into every window registered with it (by class name):
// captions, lists, column titles, and the message texts kept by the station.
class LanguageLoader {
public:
    // The main window is registered under its class name and parents the loader's messages.
    LanguageLoader(Station& station, QWidget* mainWindow);
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

    Station& m_station;
    QWidget* m_mainWindow;
    QHash<QString, QWidget*> m_windows;
    bool m_fallbackReported = false;
};
