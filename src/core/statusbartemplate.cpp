#include "statusbartemplate.h"

#include "maskrules.h"
#include "uitexts.h"

#include <ctime>

namespace StatusBarTemplate {

namespace {

struct HelpEntry {
    const char* token;
    std::array<const char*, 3> lines; // German, translated by uiText; unused ones null
};

// Descriptions keep the help text's own spelling.
const HelpEntry kTable[] = {
    {"LONG_DATE", {"Datum in ausf\u00fchrlicher Schreibweise"}},
    {"SHORT_DATE", {"Datum in kurzer Schreibweise"}},
    {"TIME", {"Zeit"}},
    {"TICK_COUNT", {"Millisekunden seit Systemstart"}},
    {"QSO_COUNT", {"Anzahl QSOs in Datenbank"}},
    {"LAST_CALL", {"Call des zuletzt geloggten QSOs"}},
    {"LOG_FILE", {"aktuelles Log-File"}},
    {"LIST_STATE", {"Staus der Liste in der Eingabemaske"}},
    {"REF_COUNT",
     {"Anzahl der QSOs, die in den Referenz-Logs", "gefunden wurden (steht nur zur Verf\u00fcgung,",
      "wenn LIST_STATE = \"Referenz-Liste\")"}},
    {"REF_LOG_1", {"Name des ersten Referenz-Logs"}},
    {"REF_LOG_2", {"Name des zweiten Referenz-Logs"}},
    {"REF_LOG_3", {"Name des dritten Referenz-Logs"}},
    {"REF_LOG_4", {"Name des vierten Referenz-Logs"}},
    {"RAC_VERSION", {"Version des verwendeten Callbooks"}},
};
const HelpEntry kVersions[] = {
    {"DALU_VERSION", {"Version von Dalu"}},
    {"CALLBOOKACCESS_VERSION",
     {"Version der verwendeten CallBookAccess Unit",
      "(regelt den Zugriff auf das RAC \u00fcber raccd32a.dll)"}},
    {"LOGFILEACCESS_VERSION",
     {"Version der verwendeten LogFileAccess Unit", "(regelt den Zugriff auf *.log Dateien)"}},
    {"LOGCONVERTER_VERSION", {"Version des eingebauten LogConverters"}},
};
constexpr int kDescriptionColumn = 13;

} // namespace

QString expand(const QString& templ, const Values& v) {
    QString s = templ.left(kMaxLineLength);
    // A value may hold the next token (a path with "REF_LOG_2" in it): cut after every
    // step, so the line cannot multiply from token to token.
    auto put = [&s](const char* token, const QString& value) {
        s.replace(QLatin1String(token), value, Qt::CaseInsensitive);
        s.truncate(kMaxLineLength);
    };
    put("LONG_DATE", v.longDate);
    put("SHORT_DATE", v.shortDate);
    put("TIME", v.time);
    put("TICK_COUNT", QString::number(v.tickCount));
    if (v.openLog) {
        put("QSO_COUNT", v.openLog->qsoCount);
        put("LAST_CALL", v.openLog->lastCall);
        put("LOG_FILE", v.openLog->logFile);
        put("LIST_STATE", v.openLog->listState);
    }
    put("REF_COUNT", v.refCount);
    put("REF_LOG_1", v.refLogs[0]);
    put("REF_LOG_2", v.refLogs[1]);
    put("REF_LOG_3", v.refLogs[2]);
    put("REF_LOG_4", v.refLogs[3]);
    put("RAC_VERSION", QString::number(v.racVersion));
    put("DALU_VERSION", QStringLiteral("0.5"));
    put("CALLBOOKACCESS_VERSION", QStringLiteral("1.0"));
    put("LOGFILEACCESS_VERSION", QStringLiteral("1.2"));
    put("LOGCONVERTER_VERSION", QStringLiteral("1.0"));
    return s;
}

std::uint32_t tickCount() {
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const auto ms = static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                    static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<std::uint32_t>(ms);
}

QStringList helpLines() {
    QStringList lines = {uiText("Variablen:"),
                         uiText("(werden nur ca. alle 5 Sekunden aktualisiert)"), QString()};
    const QString indent(kDescriptionColumn, QLatin1Char(' '));
    for (const HelpEntry& e : kTable) {
        lines.append(QString::fromLatin1(e.token).leftJustified(kDescriptionColumn) +
                     uiText(e.lines[0]));
        for (int i = 1; i < 3 && e.lines[i]; ++i)
            lines.append(indent + uiText(e.lines[i]));
    }
    for (const HelpEntry& e : kVersions) {
        lines.append(QString());
        lines.append(QString::fromLatin1(e.token));
        for (int i = 0; i < 3 && e.lines[i]; ++i)
            lines.append(uiText(e.lines[i]));
    }
    return lines;
}

QString tokenAt(const QString& line, int pos) {
    auto isTokenChar = [&line](int i) {
        const QChar c = line.at(i);
        return c.isLetterOrNumber() || c == QLatin1Char('_');
    };
    if (pos < 0 || pos > line.size())
        return {};
    int start = pos;
    while (start > 0 && isTokenChar(start - 1))
        --start;
    int end = pos;
    while (end < line.size() && isTokenChar(end))
        ++end;
    return line.mid(start, end - start);
}

Insertion insertToken(const QString& templ, int caret, const QString& word) {
    const QString w = MaskRules::trimmedText(word);
    const int p = std::clamp(caret, 0, static_cast<int>(templ.size()));
    return {templ.left(p) + w + templ.mid(p), p + static_cast<int>(w.size())};
}

} // namespace StatusBarTemplate
