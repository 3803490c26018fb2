#include "runner.h"

#include "daluerror.h"
#include "logconverter.h"

#include <algorithm>

namespace ConvertCli {

namespace {

int importHtml(const Command& command, QTextStream& out, QTextStream& err) {
    const HtmlTable::Grid grid = LogConverter::loadHtml(command.source);
    const QList<int> assignment =
        grid.rows.isEmpty() ? QList<int>()
                            : HtmlTable::assignByTitles(grid.rows.first(), grid.columnCount);
    if (std::all_of(assignment.begin(), assignment.end(), [](int n) { return n == 0; })) {
        err << "dalu-convert: the first row of the table in \"" << command.source
            << "\" names no QSO field (Date, UTC, Call, ...)\n";
        return 2;
    }
    const int startRow = command.startRow > 0 ? command.startRow : 2;
    const LogConverter::JobResult result =
        LogConverter::importHtmlRows(grid, assignment, startRow, command.target);
    out << "Imported " << result.records << " rows into " << command.target << "\n";
    return 0;
}

int execute(const Command& command, QTextStream& out, QTextStream& err) {
    switch (command.action) {
    case Action::Help:
        out << usage();
        return 0;
    case Action::ImportAdif: {
        const LogConverter::ImportSummary summary =
            LogConverter::importAdif(command.source, command.target);
        out << "Imported " << summary.imported << " QSOs into " << command.target << "\n";
        if (!summary.skipped.isEmpty()) {
            out << "Skipped " << summary.skipped.size() << " records lacking a required field:\n";
            for (const AdifReader::SkippedRecord& s : summary.skipped)
                out << "  " << s.reason() << "\n";
        }
        return 0;
    }
    case Action::ImportHtml:
        return importHtml(command, out, err);
    case Action::ExportAdif:
    case Action::ExportHtml:
    case Action::ExportTxt: {
        const LogConverter::JobResult result =
            command.action == Action::ExportAdif
                ? LogConverter::exportAdif(command.logs, command.target)
            : command.action == Action::ExportHtml
                ? LogConverter::exportHtml(command.logs, command.target)
                : LogConverter::exportText(command.logs, command.target);
        out << "Exported " << result.records << " QSOs to " << command.target << "\n";
        return 0;
    }
    case Action::Repair:
        for (const QString& log : command.logs) {
            const LogConverter::JobResult result = LogConverter::repair({log});
            out << "Repaired " << log << " (" << result.records << " QSOs)\n";
        }
        return 0;
    case Action::Append: {
        const LogConverter::JobResult result = LogConverter::append(command.target, command.logs);
        out << command.target << " now holds " << result.records << " QSOs\n";
        return 0;
    }
    }
    return 2;
}

} // namespace

int run(const Command& command, QTextStream& out, QTextStream& err) {
    try {
        return execute(command, out, err);
    } catch (const DaluError& e) {
        err << "dalu-convert: " << e.message() << "\n";
        return 1;
    }
}

int main(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    const ParseResult parsed = parse(arguments);
    if (!parsed.command) {
        err << "dalu-convert: " << parsed.error << "\n"
            << "Try \"dalu-convert --help\" for the commands.\n";
        return 2;
    }
    return run(*parsed.command, out, err);
}

} // namespace ConvertCli
