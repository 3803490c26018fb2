#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>

// The status bar line: the operator's template with its tokens (LONG_DATE, QSO_COUNT, ...)
// replaced by their current values.
namespace StatusBarTemplate {

// Known to the open log and its lists without reading the file again.
struct OpenLogValues {
    QString qsoCount;
    QString lastCall;
    QString logFile;   // file name without directory
    QString listState; // "Log", "Ref-Logs" or empty
};

struct Values {
    QString longDate;
    QString shortDate;
    QString time; // "hh:nn"
    std::uint32_t tickCount = 0;
    std::optional<OpenLogValues> openLog; // its tokens stay as typed while no log is open
    QString refCount;                     // "0" unless the list shows reference-log hits
    std::array<QString, 4> refLogs;
    int racVersion = 0;
};

// No status bar shows more; the template and the line are cut there.
inline constexpr int kMaxLineLength = 1024;

// Every token in table order, each replaced without regard to case in the result of the
// ones before it.
QString expand(const QString& templ, const Values& values);

// Milliseconds since the system started, suspended time included, as an unsigned 32-bit
// number (it wraps after 49.7 days).
std::uint32_t tickCount();

// The help text under the template: the tokens with their descriptions, one per line.
QStringList helpLines();
// The token under position pos of a help line (letters, digits, "_"), or empty.
QString tokenAt(const QString& line, int pos);

struct Insertion {
    QString text;
    int caret;
};
// The word, trimmed, put into the template at the caret; the caret goes behind it.
Insertion insertToken(const QString& templ, int caret, const QString& word);

} // namespace StatusBarTemplate
