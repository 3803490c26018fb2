#pragma once

#include "evaluationfilter.h"
#include "logprintrange.h"
#include "qslcards.h"

#include <QString>
#include <QStringList>

#include <optional>

// The command line of dalu-convert, parsed without touching any file.
namespace ConvertCli {

enum class Action {
    Help,
    ImportAdif,
    ExportAdif,
    ExportHtml,
    ExportTxt,
    ImportHtml,
    Repair,
    Append,
    Evaluate,
    QslOut,
    QslLabels,
    Print,
    Confirm,
    ListenWsjtx
};

struct Command {
    Action action = Action::Help;
    QString source;          // import-adif, import-html: the file to read
    QString target;          // the log to import or append into, or the file to export to
    QStringList logs;        // the logs to export, repair or append
    int startRow = 0;        // import-html: first table row to import; 0 = the row after the titles
    bool force = false;      // export-*: an existing target may be replaced
    QString evaluation;      // evaluate: counts, confirmed, squares, doks or dxcc
    EvaluationFilter filter; // evaluate: squares, doks, dxcc
    bool allEntities = false; // evaluate dxcc --all
    // qsl-out: the card rule of the command line; none given: the one in Dalu.ini.
    std::optional<QslCards::CardRule> qslRule;
    // qsl-labels: the sheet ("custom": the one in Dalu.ini; none: the one chosen last), the
    // first free label, the QSOs per label (0: Dalu.ini's), cards instead of labels.
    QString labelLayout;
    int startCell = 1;
    int qsosPerLabel = 0;
    bool cards = false;
    QString background;
    // print: which QSOs, and the page turned.
    LogPrintRange::Range range;
    bool landscape = false;
};

struct ParseResult {
    std::optional<Command> command; // empty on a usage error
    QString error;
};

// Arguments without the program name.
ParseResult parse(const QStringList& arguments);

// The text of --help.
QString usage();

} // namespace ConvertCli
