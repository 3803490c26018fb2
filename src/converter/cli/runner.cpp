#include "runner.h"

#include "confirmations.h"
#include "confirmreport.h"
#include "cp1252.h"
#include "daluerror.h"
#include "dokevaluation.h"
#include "dxcc.h"
#include "dxccevaluation.h"
#include "labelpainter.h"
#include "listenwsjtx.h"
#include "locatorsquares.h"
#include "logconverter.h"
#include "logfile.h"
#include "logjournal.h"
#include "logpainter.h"
#include "qsocounts.h"
#include "uitexts.h"

#include "meminifile.h"
#include "programdir.h"
#include "settingskeys.h"

#include <QFileDevice>
#include <QFileInfo>
#include <QImage>
#include <QPagedPaintDevice>

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
    // Confirmed as the options of the program folder's Dalu.ini say.
    EvaluationFilter filter = command.filter;
    filter.confirmedBy = ConfirmReport::confirmedBy(
        ConfirmReport::ruleOf(
            TMemIniFile(programDirectory() + QLatin1String(SettingsKeys::kFileName))),
        command.logs.first());
    auto state = [](bool confirmed) {
        return confirmed ? QStringLiteral("confirmed") : QStringLiteral("worked");
    };
    SkippedQsos skipped; // named on the error stream, so the result lines stay data only
    if (kind == QLatin1String("counts") || kind == QLatin1String("confirmed")) {
        QsoCounts counts;
        QsoCounts::count(log, counts, filter.confirmedBy);
        for (const QStringList& row :
             countTable(counts, kind == QLatin1String("confirmed"), QStringLiteral("Total")))
            out << row.join(QLatin1Char('\t')) << "\n";
    } else if (kind == QLatin1String("squares")) {
        QList<LocatorSquares::Square> list;
        skipped = LocatorSquares::select(log, filter, list);
        for (const LocatorSquares::Square& s : list)
            out << s.text << "\t" << state(s.colour == LocatorSquares::kConfirmed) << "\n";
    } else if (kind == QLatin1String("doks")) {
        DokEvaluation::Lists lists;
        DokEvaluation::evaluate(log, filter, lists);
        for (const QByteArray& dok : lists.worked)
            out << fromCp1252(dok) << "\t" << state(false) << "\n";
        for (const QByteArray& dok : lists.confirmed)
            out << fromCp1252(dok) << "\t" << state(true) << "\n";
        skipped = lists.skipped;
    } else {
        using DxccEvaluation::State;
        const DxccEvaluation::Worked worked =
            DxccEvaluation::evaluate(log, filter, defaultDxccIniPath());
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

TMemIniFile programSettings() {
    return TMemIniFile(programDirectory() + QLatin1String(SettingsKeys::kFileName));
}

QList<CompactQso> readQsos(const QString& path) {
    QList<CompactQso> qsos;
    TLogFile log(path);
    log.forEachLine([&](const QByteArray& line, const QsoLine::FieldStarts& starts) {
        qsos.append(CompactQso(line, starts).shownInList());
    });
    return qsos;
}

// The QSL out list as the QSL page shows it, for scripts.
int qslOut(const Command& command, QTextStream& out) {
    const QslCards::CardRule rule =
        command.qslRule ? *command.qslRule : QslCards::loadRule(programSettings());
    const QsoField columns[] = {QsoField::Number, QsoField::Call,     QsoField::Date,
                                QsoField::Utc,    QsoField::Band,     QsoField::Mode,
                                QsoField::RstTx,  QsoField::Comments, QsoField::QslOut};
    const auto print = [&](const CompactQso& qso) {
        QStringList cells;
        for (QsoField f : columns)
            cells.append(
                fromCp1252(qso.field(int(f))).replace(QLatin1Char('\t'), QLatin1Char(' ')));
        out << cells.join(QLatin1Char('\t')) << "\n";
    };
    const TMemIniFile ini = programSettings();
    const QString path = command.logs.first();
    if (SettingsKeys::read(ini, SettingsKeys::QslSkipElectronic) &&
        QFile::exists(ConfirmFile::pathFor(path))) {
        // Confirmations are attached to the whole log: it is held for this list only.
        const QList<CompactQso> qsos = readQsos(path);
        for (int position :
             ConfirmReport::withoutConfirmed(QslCards::outList(qsos, rule), qsos, ini, path))
            print(qsos.at(position - 1));
        return 0;
    }
    // Streamed: a log of a million QSOs is never held.
    QslCards::OutListStream list(rule);
    TLogFile log(path);
    log.forEachLine([&](const QByteArray& line, const QsoLine::FieldStarts& starts) {
        const CompactQso qso = CompactQso(line, starts).shownInList();
        if (list.listed(qso))
            print(qso);
    });
    return 0;
}

// Labels (or cards) for the QSL out list, as the QSL page prints them; nothing is marked.
int qslLabels(const Command& command, QTextStream& out) {
    const TMemIniFile ini = programSettings();
    const QslCards::CardRule rule = command.qslRule ? *command.qslRule : QslCards::loadRule(ini);
    const QList<CompactQso> qsos = readQsos(command.logs.first());
    const QList<int> positions = QslCards::outList(qsos, rule);
    QList<CompactQso> listed;
    for (int p : positions)
        listed.append(qsos.at(p - 1));
    LabelPainter::Request request;
    request.layout = command.labelLayout.isNull() || command.labelLayout == QLatin1String("custom")
                         ? QslLabels::load(ini)
                         : *QslLabels::preset(command.labelLayout);
    if (command.labelLayout == QLatin1String("custom") && request.layout.name != "custom")
        throw DaluError(QStringLiteral("the custom sheet of Dalu.ini does not fit on A4"));
    request.startCell = std::min(command.startCell, request.layout.perSheet());
    request.cards = command.cards;
    request.ownCall = SettingsKeys::read(ini, SettingsKeys::EigenesCall);
    if (!command.background.isEmpty()) {
        request.background = QImage(command.background);
        if (request.background.isNull())
            throw DaluError(
                uiText("Das Kartenbild \"%1\" kann nicht gelesen werden.").arg(command.background));
    }
    const int perLabel =
        command.qsosPerLabel > 0 ? command.qsosPerLabel : QslLabels::loadQsosPerLabel(ini);
    const QList<QslLabels::Label> labels =
        QslLabels::group(listed, positions, perLabel, QslLabels::confirmedCalls(qsos));
    PrintOutput::writePdf(command.target, LabelPainter::job(labels, request));
    out << "Wrote " << labels.size() << (command.cards ? " cards" : " labels") << " for "
        << positions.size() << " QSOs to " << command.target << "\n";
    return 0;
}

// The log as printed pages, every field a column.
int printLog(const Command& command, QTextStream& out) {
    const QList<CompactQso> qsos = readQsos(command.logs.first());
    const QList<int> selected = LogPrintRange::select(qsos, command.range);
    QList<int> fields;
    for (int f = 0; f < kQsoFieldCount; ++f)
        fields.append(f);
    LogPainter::Sheet sheet = LogPainter::sheetOf(qsos, selected, fields);
    sheet.ownCall = SettingsKeys::read(programSettings(), SettingsKeys::EigenesCall);
    sheet.logName = QFileInfo(command.logs.first()).fileName();
    sheet.range = command.range.text();
    sheet.landscape = command.landscape;
    int pages = 0;
    PrintOutput::writePdf(
        command.target, {[&](QPagedPaintDevice& d) { LogPainter::setupPages(d, sheet.landscape); },
                         [&](QPagedPaintDevice& d) { pages = LogPainter::paint(d, sheet); }});
    out << "Wrote " << selected.size() << " QSOs on " << pages << (pages == 1 ? " page" : " pages")
        << " to " << command.target << "\n";
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

// Changes a running Dalu keeps in a big log's journal go into the log before a script
// reads or writes it.
void foldJournals(const Command& command, QTextStream& err) {
    QStringList paths = command.logs;
    paths << command.source << command.target;
    for (const QString& path : paths) {
        if (path.isEmpty() || !LogJournal::exists(path))
            continue;
        if (const QString text = LogJournal::describe(LogJournal::fold(path), path);
            !text.isEmpty())
            err << "dalu-convert: " << text << "\n";
    }
}

bool refusesTarget(const Command& command, QTextStream& err) {
    if (command.force ||
        !(QFileInfo::exists(command.target) || QFileInfo(command.target).isSymLink()))
        return false;
    err << "dalu-convert: \"" << command.target << "\" exists; give --force to replace it\n";
    return true;
}

int execute(const Command& command, QTextStream& out, QTextStream& err) {
    foldJournals(command, err);
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
        if (refusesTarget(command, err))
            return 1;
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
    case Action::QslLabels:
        return refusesTarget(command, err) ? 1 : qslLabels(command, out);
    case Action::Print:
        return refusesTarget(command, err) ? 1 : printLog(command, out);
    case Action::Confirm:
        for (const QString& line :
             ConfirmReport::importFile(command.target, command.source).lines())
            out << line << "\n";
        return 0;
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
