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

    // QSL

    // Function keys, status bar, clock

    // Callbook

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
