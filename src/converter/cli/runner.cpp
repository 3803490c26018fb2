#include "runner.h"

#include "daluerror.h"
#include "logconverter.h"
#include "uitexts.h"

#include <QFileInfo>

#include <algorithm>
#include <exception>
#include <new>

namespace ConvertCli {

namespace {

const char* const kUnmappable =
    "characters without an equivalent in Windows-1252 (and no base letter) were written as \"?\"";

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
    if (grid.unmappable)
        out << kUnmappable << "\n";
    return 0;
}

void printImportSummary(const LogConverter::ImportSummary& summary, const QString& target,
                        QTextStream& out) {
    out << "Imported " << summary.imported << " QSOs into " << target << "\n";
    if (summary.unmappableRecords > 0)
        out << summary.unmappableRecords << " QSOs: " << kUnmappable << "\n";
    if (summary.skippedCount == 0)
        return;
    out << "Skipped " << summary.skippedCount << " records:\n";
    for (const AdifReader::SkippedRecord& s : summary.skipped)
        out << "  " << s.reason() << "\n";
    if (summary.skippedCount > summary.skipped.size())
        out << "  ... and " << summary.skippedCount - summary.skipped.size() << " more\n";
}

int execute(const Command& command, QTextStream& out, QTextStream& err) {
    switch (command.action) {
    case Action::Help:
        out << usage();
        return 0;
    case Action::ImportAdif: {
        printImportSummary(LogConverter::importAdif(command.source, command.target), command.target,
                           out);
        return 0;
    }
    case Action::ImportHtml:
        return importHtml(command, out, err);
    case Action::ExportAdif:
    case Action::ExportHtml:
    case Action::ExportTxt: {
        if (!command.force &&
            (QFileInfo::exists(command.target) || QFileInfo(command.target).isSymLink())) {
            err << "dalu-convert: \"" << command.target
                << "\" exists; give --force to replace it\n";
            return 1;
        }
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
    // No failure may end the program without a word: every one is a message and status 1.
    try {
        return execute(command, out, err);
    } catch (const DaluError& e) {
        err << "dalu-convert: " << e.message() << "\n";
    } catch (const std::bad_alloc&) {
        err << "dalu-convert: not enough memory for this job\n";
    } catch (const std::exception& e) {
        err << "dalu-convert: " << e.what() << "\n";
    } catch (...) {
        err << "dalu-convert: the job failed\n";
    }
    return 1;
}

int main(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    setUiLanguage(UiLanguage::English); // the messages of the core in the command line's language
    const ParseResult parsed = parse(arguments);
    if (!parsed.command) {
        err << "dalu-convert: " << parsed.error << "\n"
            << "Try \"dalu-convert --help\" for the commands.\n";
        return 2;
    }
    return run(*parsed.command, out, err);
}

} // namespace ConvertCli
