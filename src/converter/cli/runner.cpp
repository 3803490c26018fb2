#include "runner.h"

#include "cp1252.h"
#include "daluerror.h"
#include "dokevaluation.h"
#include "dxcc.h"
#include "dxccevaluation.h"
#include "listenwsjtx.h"
#include "locatorsquares.h"
#include "logconverter.h"
#include "logfile.h"
#include "qsocounts.h"
#include "uitexts.h"

#include "meminifile.h"
#include "programdir.h"
#include "settingskeys.h"

#include <QFileDevice>
#include <QFileInfo>

#include <algorithm>
#include <exception>
#include <new>

namespace ConvertCli {

namespace {

const char* const kUnmappable =
    "characters without an equivalent in Windows-1252 (and no base letter) were written as \"?\"";

// The lines a repair kept aside, or the table rows skipped, then their number.
void printRejects(const LogConverter::Rejects& rejects, QTextStream& out) {
    if (rejects.count == 0)
        return;
    if (rejects.files.isEmpty())
        out << rejects.count << " rows are no QSOs and were skipped:\n";
    else
        out << rejects.count << " lines are no QSOs; they are now kept in "
            << rejects.files.join(QStringLiteral(", ")) << ":\n";
    for (const RejectedLine& line : rejects.lines)
        out << "  " << line.text() << "\n";
    if (rejects.count > rejects.lines.size())
        out << "  ... and " << rejects.count - rejects.lines.size() << " more\n";
}

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
    if (result.emptyRows > 0)
        out << "Skipped " << result.emptyRows << " empty rows\n";
    printRejects(result.rejects, out);
    return 0;
}

// The same core functions as the evaluation pages; one tab-separated line per row.
int evaluate(const Command& command, QTextStream& out, QTextStream& err) {
    TLogFile log(command.logs.first());
    const QString& kind = command.evaluation;
    auto state = [](bool confirmed) {
        return confirmed ? QStringLiteral("confirmed") : QStringLiteral("worked");
    };
    SkippedQsos skipped; // named on the error stream, so the result lines stay data only
    if (kind == QLatin1String("counts") || kind == QLatin1String("confirmed")) {
        QsoCounts counts;
        QsoCounts::count(log, counts);
        for (const QStringList& row :
             countTable(counts, kind == QLatin1String("confirmed"), QStringLiteral("Total")))
            out << row.join(QLatin1Char('\t')) << "\n";
    } else if (kind == QLatin1String("squares")) {
        QList<LocatorSquares::Square> list;
        skipped = LocatorSquares::select(log, command.filter, list);
        for (const LocatorSquares::Square& s : list)
            out << s.text << "\t" << state(s.colour == LocatorSquares::kConfirmed) << "\n";
    } else if (kind == QLatin1String("doks")) {
        DokEvaluation::Lists lists;
        DokEvaluation::evaluate(log, command.filter, lists);
        for (const QByteArray& dok : lists.worked)
            out << fromCp1252(dok) << "\t" << state(false) << "\n";
        for (const QByteArray& dok : lists.confirmed)
            out << fromCp1252(dok) << "\t" << state(true) << "\n";
        skipped = lists.skipped;
    } else {
        using DxccEvaluation::State;
        const DxccEvaluation::Worked worked =
            DxccEvaluation::evaluate(log, command.filter, defaultDxccIniPath());
        const QList<DxccEvaluation::Entry> entries =
            command.allEntities
                ? DxccEvaluation::withAllEntities(worked.entries, defaultDxccIniPath())
                : worked.entries;
        for (const DxccEvaluation::Entry& e : entries)
            out << e.name << "\t"
                << (e.state == State::NotWorked ? QStringLiteral("not worked")
                                                : state(e.state == State::Confirmed))
                << "\n";
        for (const DxccEvaluation::ShortCall& s : worked.shortCalls)
            err << "dalu-convert: QSO " << fromCp1252(s.number) << ": the call \""
                << fromCp1252(s.call) << "\" is too short and is not evaluated\n";
        skipped = worked.skipped;
    }
    for (const QString& line : skipped.report())
        err << "dalu-convert: " << line << "\n";
    return 0;
}

// The QSL out list as the QSL page shows it, for scripts.
int qslOut(const Command& command, QTextStream& out) {
    const QslCards::CardRule rule =
        command.qslRule ? *command.qslRule
                        : QslCards::loadRule(TMemIniFile(programDirectory() +
                                                         QLatin1String(SettingsKeys::kFileName)));
    QList<CompactQso> qsos;
    TLogFile log(command.logs.first());
    log.forEachLine([&](const QByteArray& line, const QsoLine::FieldStarts& starts) {
        qsos.append(CompactQso(line, starts).shownInList());
    });
    const QsoField columns[] = {QsoField::Number, QsoField::Call,     QsoField::Date,
                                QsoField::Utc,    QsoField::Band,     QsoField::Mode,
                                QsoField::RstTx,  QsoField::Comments, QsoField::QslOut};
    for (int position : QslCards::outList(qsos, rule)) {
        QStringList cells;
        for (QsoField f : columns)
            cells.append(fromCp1252(qsos.at(position - 1).field(int(f)))
                             .replace(QLatin1Char('\t'), QLatin1Char(' ')));
        out << cells.join(QLatin1Char('\t')) << "\n";
    }
    return 0;
}

void printImportSummary(const LogConverter::ImportSummary& summary, const QString& target,
                        QTextStream& out) {
    out << "Imported " << summary.imported << " QSOs into " << target << "\n";
    if (summary.unmappableRecords > 0)
        out << summary.unmappableRecords << " QSOs: " << kUnmappable << "\n";
    printRejects(summary.rejects, out);
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
            printRejects(result.rejects, out);
        }
        return 0;
    case Action::Evaluate:
        return evaluate(command, out, err);
    case Action::QslOut:
        return qslOut(command, out);
    case Action::ListenWsjtx:
        return listenWsjtx(command.logs.first(), out, err);
    case Action::Append: {
        const LogConverter::JobResult result = LogConverter::append(command.target, command.logs);
        out << command.target << " now holds " << result.records << " QSOs\n";
        printRejects(result.rejects, out);
        return 0;
    }
    }
    return 2;
}

int runJob(const Command& command, QTextStream& out, QTextStream& err) {
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

} // namespace

int run(const Command& command, QTextStream& out, QTextStream& err) {
    const int status = runJob(command, out, err);
    // Output that never reached its file (a full disk, /dev/full) fails the command too.
    out.flush();
    if (out.status() == QTextStream::Ok)
        return status;
    const auto* file = qobject_cast<const QFileDevice*>(out.device());
    err << "dalu-convert: cannot write the output: "
        << (file ? file->errorString() : QStringLiteral("write error")) << "\n";
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
