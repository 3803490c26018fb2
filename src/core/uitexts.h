#pragma once

#include <QString>

// The program's own texts that no line of a language file holds: one table with a German
// and an English column, switched with the language menu. The German text is the key, so
// a call site reads as the text it shows: uiText("Distrikt:").
enum class UiLanguage { German, English };

void setUiLanguage(UiLanguage language);
UiLanguage uiLanguage();
// The language a language file stands for: "english.lng" is English, anything else German.
UiLanguage uiLanguageOfFile(const QString& fileName);

// The text in the current language. A German text missing from the table is returned as
// it stands (and fails the table's test), so nothing is ever shown empty.
QString uiText(const char* german);
// The same text in a given language, whatever the menu says.
QString uiTextIn(UiLanguage language, const char* german);

// Every row, for the test that checks the table is complete and unambiguous.
struct UiTextRow {
    const char* german;
    const char* english;
};
int uiTextRowCount();
const UiTextRow* uiTextRows();
