#include "commands.h"

#include "qsllabels.h"

#include <algorithm>
#include <limits>
#include <tuple>

namespace ConvertCli {

namespace {

struct Syntax {
    const char* name;
    Action action;
    int minArgs; // after the command name
    bool variadic;
};

const Syntax kSyntax[] = {{"import-adif", Action::ImportAdif, 2, false},
                          {"export-adif", Action::ExportAdif, 2, true},
                          {"export-html", Action::ExportHtml, 2, true},
                          {"export-txt", Action::ExportTxt, 2, true},
                          {"import-html", Action::ImportHtml, 2, false},
                          {"repair", Action::Repair, 1, true},
                          {"append", Action::Append, 2, true},
                          {"evaluate", Action::Evaluate, 2, false},
                          {"qsl-out", Action::QslOut, 1, false},
                          {"qsl-labels", Action::QslLabels, 2, false},
                          {"print", Action::Print, 2, false},
                          {"confirm", Action::Confirm, 2, false},
                          {"listen-wsjtx", Action::ListenWsjtx, 1, false}};

const QStringList kEvaluations = {QStringLiteral("counts"), QStringLiteral("confirmed"),
                                  QStringLiteral("squares"), QStringLiteral("doks"),
                                  QStringLiteral("dxcc")};

ParseResult failure(const QString& message) {
    return {std::nullopt, message};
}

// Takes "--start-row N" out of the arguments.
bool takeStartRow(QStringList& args, int& startRow, QString& error) {
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] != QLatin1String("--start-row"))
            continue;
        if (i + 1 >= args.size()) {
            error = QStringLiteral("--start-row needs a row number");
            return false;
        }
        bool ok = false;
        const int n = args[i + 1].toInt(&ok);
        if (!ok) {
            error = QStringLiteral("--start-row: \"%1\" is no number").arg(args[i + 1]);
            return false;
        }
        // As in the wizard, rows start at 1.
        startRow = std::max(n, 1);
        args.remove(i, 2);
        return true;
    }
    return true;
}

// A QSO number of --numbers: digits only, from 1 to the largest number a log can hold.
std::optional<int> qsoNumber(const QString& text) {
    if (text.isEmpty() ||
        !std::all_of(text.begin(), text.end(), [](QChar c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    bool ok = false;
    const qlonglong n = text.toLongLong(&ok);
    if (!ok || n < 1 || n > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(n);
}

std::optional<QDate> date(const QString& text) {
    const QDate d = QDate::fromString(text, QStringLiteral("d.M.yyyy"));
    return d.isValid() ? std::optional<QDate>(d) : std::nullopt;
}

// Takes the filter options of evaluate out of the arguments.
bool takeFilter(QStringList& args, Command& command, QString& error) {
    EvaluationFilter& f = command.filter;
    // Every QSO unless --numbers says otherwise: scripts evaluate whole logs.
    f.stopNumber = QString::number(std::numeric_limits<int>::max());
    for (qsizetype i = 0; i < args.size();) {
        const QString option = args[i];
        if (option == QLatin1String("--all")) {
            command.allEntities = true;
            args.remove(i);
            continue;
        }
        if (!option.startsWith(QLatin1String("--"))) {
            ++i;
            continue;
        }
        if (i + 1 >= args.size()) {
            error = QStringLiteral("%1 needs a value").arg(option);
            return false;
        }
        const QString value = args[i + 1];
        if (option == QLatin1String("--bands")) {
            f.bands = value;
        } else if (option == QLatin1String("--modes")) {
            f.modes = value;
        } else if (option == QLatin1String("--from") || option == QLatin1String("--to")) {
            const auto d = date(value);
            if (!d) {
                error = QStringLiteral("%1: \"%2\" is no date (dd.mm.yyyy)").arg(option, value);
                return false;
            }
            (option == QLatin1String("--from") ? f.from : f.to) =
                option == QLatin1String("--from") ? EvaluationFilter::startOfDay(*d)
                                                  : EvaluationFilter::endOfDay(*d);
        } else if (option == QLatin1String("--numbers")) {
            const QStringList range = value.split(QLatin1Char('-'));
            const auto start = qsoNumber(range.value(0));
            const auto stop = qsoNumber(range.value(1));
            if (range.size() != 2 || !start || !stop || *start > *stop) {
                error = QStringLiteral("--numbers: \"%1\" is no range of QSO numbers like "
                                       "1-10000 (from 1 to %2, the first not above the second)")
                            .arg(value)
                            .arg(std::numeric_limits<int>::max());
                return false;
            }
            f.startNumber = QString::number(*start);
            f.stopNumber = QString::number(*stop);
        } else {
            error = QStringLiteral("evaluate: unknown option \"%1\"").arg(option);
            return false;
        }
        args.remove(i, 2);
    }
    if (f.from > f.to) {
        error = QStringLiteral("--from %1 is after --to %2")
                    .arg(f.from.date().toString(QStringLiteral("dd.MM.yyyy")),
                         f.to.date().toString(QStringLiteral("dd.MM.yyyy")));
        return false;
    }
    return true;
}

// Takes the card rule's switches out of the arguments.
bool takeQslRule(QStringList& args, std::optional<QslCards::CardRule>& rule, QString& error) {
    QslCards::CardRule r;
    const std::pair<const char*, bool*> switches[] = {{"--first-qso", &r.firstQso},
                                                      {"--band", &r.band},
                                                      {"--mode", &r.mode},
                                                      {"--day", &r.day},
                                                      {"--year", &r.year}};
    bool any = false;
    for (const auto& [name, flag] : switches) {
        *flag = args.removeAll(QLatin1String(name)) > 0;
        any = any || *flag;
    }
    if (any && !r.firstQso && (r.band || r.mode || r.day || r.year)) {
        error = QStringLiteral("qsl-out: --band, --mode, --day and --year need --first-qso");
        return false;
    }
    if (any)
        rule = r;
    return true;
}

// Takes "--name VALUE" out of the arguments; false with an error when the value is missing.
bool takeValue(QStringList& args, const char* name, QString& value, QString& error) {
    const qsizetype i = args.indexOf(QLatin1String(name));
    if (i < 0)
        return true;
    if (i + 1 >= args.size()) {
        error = QStringLiteral("%1 needs a value").arg(QLatin1String(name));
        return false;
    }
    value = args[i + 1];
    args.remove(i, 2);
    return true;
}

bool takeNumber(QStringList& args, const char* name, int low, int high, int& number,
                QString& error) {
    QString text;
    if (!takeValue(args, name, text, error))
        return false;
    if (text.isNull())
        return true;
    const auto n = qsoNumber(text);
    if (!n || *n < low || *n > high) {
        error = QStringLiteral("%1: \"%2\" is no number from %3 to %4")
                    .arg(QLatin1String(name), text)
                    .arg(low)
                    .arg(high);
        return false;
    }
    number = *n;
    return true;
}

bool takeLabelOptions(QStringList& args, Command& command, QString& error) {
    if (!takeValue(args, "--layout", command.labelLayout, error) ||
        !takeNumber(args, "--start", 1, 1000, command.startCell, error) ||
        !takeNumber(args, "--qsos", 1, QslLabels::kMaxQsosPerLabel, command.qsosPerLabel, error) ||
        !takeValue(args, "--background", command.background, error) ||
        !takeQslRule(args, command.qslRule, error))
        return false;
    command.cards = args.removeAll(QStringLiteral("--cards")) > 0;
    if (!command.labelLayout.isNull() && command.labelLayout != QLatin1String("custom") &&
        !QslLabels::preset(command.labelLayout)) {
        error = QStringLiteral("--layout: \"%1\" is none of 3x7, 3x8, 2x7, custom")
                    .arg(command.labelLayout);
        return false;
    }
    return true;
}

bool takePrintOptions(QStringList& args, Command& command, QString& error) {
    QString numbers, from, to;
    if (!takeValue(args, "--numbers", numbers, error) || !takeValue(args, "--from", from, error) ||
        !takeValue(args, "--to", to, error))
        return false;
    command.landscape = args.removeAll(QStringLiteral("--landscape")) > 0;
    LogPrintRange::Range& r = command.range;
    if (!numbers.isNull()) {
        const QStringList range = numbers.split(QLatin1Char('-'));
        const auto first = qsoNumber(range.value(0));
        const auto last = qsoNumber(range.value(1));
        if (range.size() != 2 || !first || !last || *first > *last) {
            error = QStringLiteral("--numbers: \"%1\" is no range like 1-100").arg(numbers);
            return false;
        }
        r.firstNumber = *first;
        r.lastNumber = *last;
    }
    for (const auto& [text, day, name] :
         {std::tuple{from, &r.from, "--from"}, std::tuple{to, &r.to, "--to"}}) {
        if (text.isNull())
            continue;
        const auto d = date(text);
        if (!d) {
            error =
                QStringLiteral("%1: \"%2\" is no date (dd.mm.yyyy)").arg(QLatin1String(name), text);
            return false;
        }
        *day = *d;
    }
    if (r.from.isValid() && r.to.isValid() && r.from > r.to) {
        error = QStringLiteral("--from is after --to");
        return false;
    }
    return true;
}

} // namespace

ParseResult parse(const QStringList& arguments) {
    if (arguments.isEmpty())
        return failure(QStringLiteral("no command given"));
    if (arguments.contains(QLatin1String("--help")) || arguments.contains(QLatin1String("-h")) ||
        arguments.first() == QLatin1String("help"))
        return {Command{}, {}};

    QStringList args = arguments.mid(1);
    const QString& name = arguments.first();
    const Syntax* syntax = nullptr;
    for (const Syntax& s : kSyntax) {
        if (name == QLatin1String(s.name))
            syntax = &s;
    }
    if (!syntax)
        return failure(QStringLiteral("unknown command \"%1\"").arg(name));

    Command command;
    command.action = syntax->action;
    QString error;
    if (command.action == Action::ImportHtml && !takeStartRow(args, command.startRow, error))
        return failure(error);
    if (command.action == Action::Evaluate && !takeFilter(args, command, error))
        return failure(error);
    if (command.action == Action::QslLabels && !takeLabelOptions(args, command, error))
        return failure(error);
    if (command.action == Action::Print && !takePrintOptions(args, command, error))
        return failure(error);
    const bool exports = command.action == Action::ExportAdif ||
                         command.action == Action::ExportHtml ||
                         command.action == Action::ExportTxt ||
                         command.action == Action::QslLabels || command.action == Action::Print;
    if (exports && args.removeAll(QStringLiteral("--force")) > 0)
        command.force = true;
    if (command.action == Action::QslOut && !takeQslRule(args, command.qslRule, error))
        return failure(error);
    for (const QString& arg : args) {
        if (arg.startsWith(QLatin1String("--")))
            return failure(QStringLiteral("%1: unknown option \"%2\"").arg(name, arg));
    }
    if (args.size() < syntax->minArgs || (!syntax->variadic && args.size() > syntax->minArgs))
        return failure(QStringLiteral("%1: wrong number of arguments").arg(name));

    switch (command.action) {
    case Action::ImportAdif:
    case Action::ImportHtml:
        command.source = args[0];
        command.target = args[1];
        break;
    case Action::ExportAdif:
    case Action::ExportHtml:
    case Action::ExportTxt:
    case Action::Append:
        command.target = args[0];
        command.logs = args.mid(1);
        break;
    case Action::QslLabels:
    case Action::Print:
        command.logs = {args[0]};
        command.target = args[1];
        break;
    case Action::Repair:
    case Action::QslOut:
    case Action::ListenWsjtx:
        command.logs = args;
        break;
    case Action::Evaluate:
        command.evaluation = args[0];
        command.logs = {args[1]};
        if (!kEvaluations.contains(command.evaluation))
            return failure(QStringLiteral("evaluate: unknown evaluation \"%1\"").arg(args[0]));
        if (command.evaluation.startsWith(QLatin1Char('c')) && arguments.size() != 3)
            return failure(QStringLiteral("evaluate %1: takes no options").arg(args[0]));
        break;
    case Action::Confirm:
        command.target = args[0];
        command.source = args[1];
        break;
    case Action::Help:
        break;
    }
    return {command, {}};
}

QString usage() {
    return QStringLiteral(
        "Usage: dalu-convert COMMAND ARGUMENTS\n"
        "\n"
        "Converts Dalu log files (*.log). Paths are taken as given.\n"
        "\n"
        "Commands:\n"
        "  import-adif FILE.adi TARGET.log\n"
        "      Appends the QSOs of an ADIF file to TARGET.log (created when missing) and\n"
        "      repairs it. Records lacking QSO_DATE, TIME_ON, BAND, MODE or CALL, and\n"
        "      a last record the file ends inside, are skipped and listed (the first\n"
        "      20, then their number).\n"
        "  import-html FILE.htm TARGET.log [--start-row N]\n"
        "      Appends the rows of the first table of an HTML file to TARGET.log and\n"
        "      repairs it. Columns are assigned by the titles of the table's first row\n"
        "      (\"Date\", \"Call\", ... as the HTML export writes them); import starts at\n"
        "      table row N (default 2, the row after the titles).\n"
        "  export-adif OUT.adi A.log [B.log ...] [--force]\n"
        "      Writes the QSOs of the logs, in the order given, to one ADIF file.\n"
        "  export-html OUT.htm A.log [B.log ...] [--force]\n"
        "      Writes the QSOs of the logs as one HTML table.\n"
        "  export-txt OUT.txt A.log [B.log ...] [--force]\n"
        "      Writes the QSOs of the logs as one fixed-width text table.\n"
        "      An export refuses an existing OUT file unless --force is given, and\n"
        "      never writes over one of the logs it reads.\n"
        "  repair A.log [B.log ...]\n"
        "      Renumbers each log from 1 and normalises dates, times, letter case and\n"
        "      transmit power.\n"
        "  append TARGET.log A.log [B.log ...]\n"
        "      Appends the QSOs of the logs to TARGET.log (created when missing) and\n"
        "      repairs it. TARGET.log may be among the sources.\n"
        "  evaluate counts|confirmed|squares|doks|dxcc LOG [FILTERS]\n"
        "      Prints an evaluation of LOG, tab-separated: the counts of all or of the\n"
        "      confirmed QSOs by mode and band; the worked squares, DOKs or DXCC entities,\n"
        "      each with \"worked\" or \"confirmed\". FILTERS (not for counts, confirmed):\n"
        "      --bands \"2m, 70cm\"  --modes \"FM, SSB\"  (\"*\" for all, the default)\n"
        "      --from dd.mm.yyyy  --to dd.mm.yyyy  --numbers 1-10000 (default: every QSO)\n"
        "      dxcc --all also lists the entities of DXCC.ini not yet worked.\n"
        "  qsl-out A.log [--first-qso [--band] [--mode] [--day] [--year]]\n"
        "      Prints the QSOs that still need a QSL card, one a line, tab-separated:\n"
        "      #, Call, Date, UTC, Band, Mode, RST TX, Comments, QSL out. Without\n"
        "      switches the card rule is the one stored in Dalu.ini of the program\n"
        "      folder; --first-qso: only the first QSO with a call, again when band,\n"
        "      mode, day or year differ as switched on.\n"
        "  qsl-labels A.log OUT.pdf [--layout 3x7|3x8|2x7|custom] [--start N]\n"
        "             [--qsos N] [--cards [--background IMAGE]] [card rule as qsl-out]\n"
        "             [--force]\n"
        "      Writes labels for the QSOs of the QSL out list as a PDF file: one station\n"
        "      a label, N QSOs to a label (1 to 8), from label N of the first sheet on.\n"
        "      Without --layout the sheet chosen last in Dalu.ini; custom: its measures\n"
        "      there. --cards: one 9 x 14 cm card a page, the picture behind. Marks\n"
        "      nothing as sent.\n"
        "  print A.log OUT.pdf [--numbers 1-100] [--from dd.mm.yyyy] [--to dd.mm.yyyy]\n"
        "        [--landscape] [--force]\n"
        "      Writes the QSOs (all, or those in the ranges) as printed log pages.\n"
        "  confirm A.log REPORT.adi\n"
        "      Reads a LoTW report or an eQSL inbox download, matches its confirmations\n"
        "      to the QSOs of A.log (same call, band and mode group, start within 30\n"
        "      minutes on the same date) and keeps them in A.log.confirm; prints the\n"
        "      matched, unmatched and ambiguous ones.\n"
        "  listen-wsjtx A.log\n"
        "      Logs the QSOs WSJT-X or JTDX announce by UDP into A.log until ended\n"
        "      (Ctrl+C, SIGTERM), with the address, port and time of Dalu.ini in the\n"
        "      program folder; refused while a Dalu window has A.log open.\n"
        "\n"
        "Exit status: 0 on success, 1 when the job fails (a file cannot be read or\n"
        "written, an existing export target without --force, not enough memory), 2 on\n"
        "a usage error.\n");
}

} // namespace ConvertCli
