#include "uitexts.h"

#include <QFileInfo>
#include <QHash>

#include <iterator>

namespace {

UiLanguage g_language = UiLanguage::German;

// Grouped by subsystem; keep each group's rows together.
const UiTextRow kRows[] = {
    // Entry mask
    {"Distrikt:", "District:"},
    {"OV:", "Club:"},

    // Edit page and search

    // Converter

    // Evaluations
    {"gearbeitete QSOs", "worked QSOs"},
    {"best\u00e4tigte QSOs", "confirmed QSOs"},
    {"B\u00e4nder / Modes:", "Bands / modes:"},
    {"Datum von / bis:", "Date from / to:"},
    {"QSO-Nr. von / bis:", "QSO no. from / to:"},
    {"Ortsverband ", "Local club "},
    {"Distrikt ", "District "},
    {"Sonder-DOK", "Special DOK"},
    {"... und %1 weitere (siehe Details).", "... and %1 more (see Details)."},

    // QSL

    // Function keys, status bar, clock

    // Callbook
    {"Der Callbook-Ordner ist l\u00e4nger als 83 Zeichen: %1",
     "The callbook folder is longer than 83 characters: %1"},
    {"Die Callbook-Bibliothek %1 wurde weder im Callbook-Ordner noch neben dem Programm "
     "gefunden.",
     "The callbook library %1 was found neither in the callbook folder nor beside the program."},
    {"Die Callbook-Bibliothek konnte nicht geladen werden: %1",
     "The callbook library could not be loaded: %1"},
    {"Der Callbook-Bibliothek %1 fehlt die Funktion %2.",
     "The callbook library %1 lacks the function %2."},
    {"Callbook geladen: %1, Version %2", "Callbook loaded: %1, version %2"},
    {"Kein Callbook geladen.", "No callbook loaded."},
    {"Die ge\u00e4nderte Position gilt ab dem n\u00e4chsten Start von Dalu.",
     "The changed location takes effect when Dalu is next started."},

    // Shell and settings

    // Errors of the core
};

const QHash<QByteArray, const char*>& englishByGerman() {
    static const QHash<QByteArray, const char*> table = [] {
        QHash<QByteArray, const char*> map;
        for (const UiTextRow& row : kRows)
            map.insert(QByteArray(row.german), row.english);
        return map;
    }();
    return table;
}

} // namespace

void setUiLanguage(UiLanguage language) {
    g_language = language;
}

UiLanguage uiLanguage() {
    return g_language;
}

UiLanguage uiLanguageOfFile(const QString& fileName) {
    return QFileInfo(fileName).fileName().compare(QStringLiteral("english.lng"),
                                                  Qt::CaseInsensitive) == 0
               ? UiLanguage::English
               : UiLanguage::German;
}

QString uiText(const char* german) {
    if (g_language == UiLanguage::English) {
        if (const char* english = englishByGerman().value(QByteArray(german)))
            return QString::fromUtf8(english);
    }
    return QString::fromUtf8(german);
}

int uiTextRowCount() {
    return int(std::size(kRows));
}

const UiTextRow* uiTextRows() {
    return kRows;
}
