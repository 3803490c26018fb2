// The evaluations and the search: what each selects from a log.
#include "daluerror.h"
#include "dokevaluation.h"
#include "dxccevaluation.h"
#include "errorof.h"
#include "evaluationfilter.h"
#include "locatorhtml.h"
#include "locatorsquares.h"
#include "logbuilder.h"
#include "logfile.h"
#include "qsocounts.h"
#include "qsosearch.h"
#include "tempprogramdir.h"
#include "testdata.h"
#include "uitexts.h"

#include <QScopeGuard>
#include <QTest>

using QsoSearch::Operator;

namespace {

// One QSO a text: "band mode call dok locator qslIn [date utc]", "-" for an empty field;
// numbered from 1.
QList<TQsoRecord> qsos(const QStringList& lines) {
    QList<TQsoRecord> records;
    for (const QString& line : lines) {
        QList<QByteArray> f = line.toLatin1().replace('-', "").split(' ');
        f.resize(8);
        records.append(*QsoLine::split(
            QByteArray::number(records.size() + 1) + ';' + (f[6].isEmpty() ? "05.06.2004" : f[6]) +
            ';' + (f[7].isEmpty() ? "12:00:00" : f[7]) + ';' + f[0] + ';' + f[1] + ';' + f[2] +
            ";;;" + f[3] + ";;;" + f[4] + ";;;;" + f[5]));
    }
    return records;
}

struct Log {
    TempProgramDir dir;
    TLogFile file;
    explicit Log(const QStringList& lines) : file(dir.file("a.log")) {
        LogBuilder::writeLog(dir.file("a.log"), qsos(lines));
    }
};

QString joined(const QList<QStringList>& table) {
    QStringList rows;
    for (const QStringList& row : table)
        rows.append(row.join(','));
    return rows.join('|');
}

QString squares(const QList<LocatorSquares::Square>& list) {
    QStringList out;
    for (const auto& s : list)
        out.append(s.text + (s.colour == LocatorSquares::kConfirmed ? "+" : ""));
    return out.join(' ');
}

QString entries(const QList<DxccEvaluation::Entry>& list) {
    QStringList out;
    for (const auto& e : list)
        out.append(e.sortText());
    return out.join(',');
}

EvaluationFilter filter(const QString& bands = "*", const QString& stop = "*") {
    EvaluationFilter f;
    f.bands = bands;
    f.stopNumber = stop;
    return f;
}

constexpr int kCall = static_cast<int>(QsoField::Call);
constexpr int kComments = static_cast<int>(QsoField::Comments);
constexpr int kDxcc = QsoSearch::kDxccField;

// A QSO with one field set; the DXCC entity is looked up from the call.
TQsoRecord withField(int field, const QByteArray& value) {
    TQsoRecord r = LogBuilder::qso(1);
    r.fields[field == kDxcc ? kCall : field] = value;
    return r;
}

} // namespace

class TestEvaluations : public QObject {
    Q_OBJECT
private slots:
    void inDelimitedText_data() {
        columns<QString, QString, bool>("list", "value", "selected");
        const auto row = [](const char* name, const char* list, const char* value, bool selected) {
            QTest::newRow(name) << list << value << selected;
        };
        row("comma and blank", "2m, 70cm", "70CM", true);
        row("other band", "2m, 70cm", "20m", false);
        row("list in upper case", "20M", "20m", true);
        row("value trimmed", "20m", " 20m ", true);
        row("star anywhere", "2m,*", "anything", true);
        row("blanks separate", "2m 70cm", "70cm", true);
        row("quoted item keeps its blank", "\"a b\", c", "A B", true);
        row("trailing comma selects empty", "2m,", "", true);
        row("empty list selects nothing", "", "", false);
    }
    void inDelimitedText() {
        QTEST(InDelimitedText(fetched<QString>("list"), fetched<QString>("value"), ','),
              "selected");
    }

    // What counts (all, then confirmed), squares and DOKs (confirmed, then worked) make of a log.
    void fromLog_data() {
        columns<QString, QStringList, QString, QString>("evaluation", "log", "bands", "result");
        const auto row = [](const char* name, const char* evaluation, const QStringList& log,
                            const char* bands, const char* result) {
            QTest::newRow(name) << evaluation << log << bands << result;
        };
        row("counts, empty log", "counts", {}, "*",
            "Mode / Band,Sum|Sum,0 / Mode / Band,Sum|Sum,0");
        row("counts, bands from the longest wave, modes as in the mode list", "counts",
            {"20m SSB x - - -", "40m SSB x - - 01.01.2005", "20m CW x - - -", "9m MFSK x - - -",
             "20m AAA x - - -"},
            "*",
            "Mode / Band,40m,20m,9m,Sum|CW,0,1,0,1|SSB,1,1,0,2|MFSK,0,0,1,1|AAA,0,1,0,1|"
            "Sum,1,3,1,5 / Mode / Band,40m,20m,9m,Sum|CW,0,0,0,0|SSB,1,0,0,1|MFSK,0,0,0,0|"
            "AAA,0,0,0,0|Sum,1,0,0,1");
        row("counts, letter case makes another band", "counts",
            {"20m CW x - - -", "20M CW x - - -"}, "*",
            "Mode / Band,20m,20M,Sum|CW,1,1,2|Sum,1,1,2 / Mode / "
            "Band,20m,20M,Sum|CW,0,0,0|Sum,0,0,0");
        row("counts, the bands and modes of today like the old", "counts",
            {"2200m FT8 x - - -", "2200m FT4 x - - 01.01.2005", "6m FT8 x - - -"}, "*",
            "Mode / Band,2200m,6m,Sum|FT8,1,1,2|FT4,1,0,1|Sum,2,1,3 / "
            "Mode / Band,2200m,6m,Sum|FT8,0,0,0|FT4,1,0,1|Sum,1,0,1");
        row("squares, confirmed once stays red", "squares",
            {"2m FM x - JO43AB 01.01.2005", "2m FM x - JO42 -", "2m FM x - JO43SQ -"}, "*",
            "JO43+ JO42");
        row("squares, case kept, empty never counted", "squares",
            {"2m FM x - JO43SQ -", "2m FM x - - -", "2m FM x - jo43xx -"}, "*", "JO43 jo43");
        row("squares, band list", "squares",
            {"2m FM x - JO01 -", "70cm FM x - JO02 -", "20m FM x - JO03 -"}, "2m, 70cm",
            "JO01 JO02");
        row("DOKs, confirmed once, letter case sorts apart", "doks",
            {"2m FM x B01 - -", "2m FM x B01 - 01.01.2005", "2m FM x B01 - -", "2m FM x b01 - -",
             "2m FM x - - -", "2m FM x a02 - -"},
            "*", "B01 / a02,b01");
    }
    void fromLog() {
        QFETCH(QString, evaluation);
        const EvaluationFilter f = filter(fetched<QString>("bands"));
        Log l(fetched<QStringList>("log"));
        QString result;
        if (evaluation == "counts") {
            QsoCounts counts;
            QsoCounts::count(l.file, counts);
            result = joined(countTable(counts, false, "Sum")) + " / " +
                     joined(countTable(counts, true, "Sum"));
        } else if (evaluation == "squares") {
            QList<LocatorSquares::Square> list;
            QCOMPARE(LocatorSquares::select(l.file, f, list).count, 0);
            result = squares(list);
        } else {
            DokEvaluation::Lists lists;
            DokEvaluation::evaluate(l.file, f, lists);
            result =
                QString::fromLatin1(lists.confirmed.join(',') + " / " + lists.worked.join(','));
        }
        QTEST(result, "result");
    }

    void squareTable_data() {
        // Table rows by "|", "*" blue, "+" worked.
        columns<QString, QStringList, QString, QStringList>("own", "worked", "table", "unreadable");
        const auto row = [](const char* name, const char* own, const QStringList& worked,
                            const char* table, const QStringList& unreadable) {
            QTest::newRow(name) << own << worked << table << unreadable;
        };
        row("grows left and up", "JO43SQ", {"JO32"}, "JO33 JO43*|JO32+ JO42", {});
        row("lower case paints the same cell", "JO43SQ", {"jo43", "JO44"}, "JO44+|JO43*", {});
        row("unreadable left out", "JO43SQ", {"JO4", "JOA3", "\xC4O43", "JO42"}, "JO43*|JO42+",
            {"JO4", "JOA3", "\xC4O43"});
        row("unreadable own locator", "J", {"JO43"}, "", {});
    }
    void squareTable() {
        QFETCH(QString, own);
        QList<LocatorSquares::Square> list;
        for (const QString& w : fetched<QStringList>("worked"))
            list.append({w, LocatorSquares::kWorked});
        const LocatorSquares::TableResult r = LocatorSquares::buildTable(list, own);
        QCOMPARE(r.ownValid, own.size() > 1);
        QStringList rows;
        for (int row = 0; row < r.table.rows; ++row) {
            QStringList cells;
            for (int c = 0; c < r.table.columns; ++c) {
                const auto& s = r.table.at(c, row);
                cells.append(s.text + (s.colour == LocatorSquares::kOwn      ? "*"
                                       : s.colour == LocatorSquares::kWorked ? "+"
                                                                             : ""));
            }
            rows.append(cells.join(' '));
        }
        QTEST(rows.join('|'), "table");
        QTEST(r.unreadable, "unreadable");
    }

    void htmlDocument() {
        const QList<LocatorSquares::Square> list{{"J&<>\"", LocatorSquares::kConfirmed}};
        LocatorSquares::Table table;
        table.cells[0] = {"JO43", LocatorSquares::kOwn};
        LocatorHtml::Options o;
        o.titleHead = "<title>Squares of ";
        o.ownCall = "QX1<A>";
        const QList<QByteArray> both = LocatorHtml::document(o, list, table).split('\n');
        QCOMPARE(both.size(), 28); // 16 lines, 5 for each table, the paragraph, "" after the last
        QCOMPARE(both[3], "<title>Squares of QX1&lt;A&gt;</title>\r");
        QCOMPARE(both[16],
                 " <td class=\"l\" style=\"background-color:#FF0000\">J&amp;&lt;&gt;&quot;</td>\r");
        QCOMPARE(both[22], " <td style=\"background-color:#0000FF\">JO43</td>\r");
        o.withList = o.withTable = false;
        o.forPrinting = true;
        const QList<QByteArray> none = LocatorHtml::document(o, list, table).split('\n');
        QCOMPARE(none.mid(13).join('\n'),
                 "<body onLoad=\"window.print();\">\r\n</body>\r\n</html>\r\n");
    }

    void dokInfo() {
        TempProgramDir dir;
        dir.writeFile("DOK.ini", "[OV]\r\nA01=Konstanz\r\nB01=Bamberg\r\n[Distrikt]\r\nA=Baden\r\n"
                                 "B=Franken\r\n[Website]\r\nA=https://a.example.org/\r\n");
        const auto a01 = DokEvaluation::info("A01", dir.file("DOK.ini"));
        QCOMPARE(QStringList({a01.club, a01.district, a01.website}),
                 QStringList({"Konstanz", "Baden", "https://a.example.org/"}));
        QVERIFY(DokEvaluation::info("B01", dir.file("DOK.ini")).website.isEmpty());
        QVERIFY(DokEvaluation::info("Z99FEST", dir.file("DOK.ini")).isSpecial());
        QVERIFY(DokEvaluation::info("A01", dir.file("missing.ini")).isSpecial());
    }

    void dxccWorkedInEitherOrder() {
        QStringList log{"2m FM QX1ABC - - -", "2m FM QX2ABC - - 01.01.2005", "2m FM DL - - -",
                        "2m FM ZZ1ZZ - - -", "2m FM OE1ABC - - -"};
        for (int pass = 0; pass < 2; ++pass, log.swapItemsAt(0, 1)) {
            Log l(log);
            l.dir.writeFile("DXCC.ini", "[DXCC]\r\nQX=Qx Land\r\nOE=Austria\r\n");
            const auto worked = DxccEvaluation::evaluate(l.file, filter(), l.dir.file("DXCC.ini"));
            QCOMPARE(entries(worked.entries), QString("Austria1,Qx Land2"));
            QCOMPARE(worked.shortCalls.size(), 1);
            QCOMPARE(worked.shortCalls[0].call + ' ' + worked.shortCalls[0].number, "DL 3");
        }
    }

    // Calls of three characters name their entity like longer ones; only shorter ones are
    // reported as too short.
    void dxccShortCalls_data() {
        columns<QString, QString>("call", "result");
        QTest::newRow("3 characters, 1-letter prefix")
            << QString("K1A") << "United States of America1";
        QTest::newRow("3 characters, 2-character prefix") << QString("4X4") << "Israel1";
        QTest::newRow("3 characters, whole prefix") << QString("3DA") << "Kingdom of Eswatini1";
        QTest::newRow("3 characters and /P") << QString("G1A/P") << "England1";
        QTest::newRow("2 characters") << QString("DL") << "short DL";
    }
    void dxccShortCalls() {
        Log l({"2m FM " + fetched<QString>("call") + " - - -"});
        const auto worked =
            DxccEvaluation::evaluate(l.file, filter(), QStringLiteral(DALU_DATA_DIR "/DXCC.ini"));
        QString result = entries(worked.entries);
        for (const DxccEvaluation::ShortCall& s : worked.shortCalls)
            result += "short " + QString::fromLatin1(s.call);
        QTEST(result, "result");
    }

    void dxccAllEntities() {
        using DxccEvaluation::State;
        const QList<DxccEvaluation::Entry> worked{{"Austria", State::Confirmed}};
        const QByteArray ini = "[Info]\r\nQX=Not me\r\n[DXCC]\r\n\r\nQX=Qx Land\r\nqx1=Qx Land\r\n"
                               "oe=AUSTRIA\r\nQX=Other\r\n[Later]\r\n";
        QCOMPARE(entries(DxccEvaluation::withAllEntities(worked, ini)),
                 QString("0,Austria2,Qx Land0"));
        QCOMPARE(entries(DxccEvaluation::withAllEntities(worked, QByteArray("QX=Qx\r\n"))),
                 QString("Austria2"));
        QVERIFY_THROWS_EXCEPTION(DaluError,
                                 DxccEvaluation::withAllEntities(worked, QString("/x/")));
    }

    // The pickers mean whole days, whatever their time of day; squares read UTC, DOKs do not.
    void dateFilterTakesWholeDays() {
        Log l({"2m FM QX1A A01 JO01 - 01.06.2004 00:00:00",
               "2m FM QX1B A02 JO02 - 02.06.2004 23:59:59",
               "2m FM QX1C A03 JO03 - 03.06.2004 00:00:00",
               "2m FM QX1D A04 JO04 - 31.05.2004 23:59:59"});
        EvaluationFilter f = filter();
        f.from = EvaluationFilter::startOfDay(QDate(2004, 6, 1));
        f.to = EvaluationFilter::endOfDay(QDate(2004, 6, 2));
        const auto selected = [&] {
            QList<LocatorSquares::Square> list;
            const SkippedQsos none = LocatorSquares::select(l.file, f, list);
            DokEvaluation::Lists doks;
            DokEvaluation::evaluate(l.file, f, doks);
            return squares(list) + " / " + QString::fromLatin1(doks.worked.join(',')) +
                   QString(none.count + doks.skipped.count, '!');
        };
        QCOMPARE(selected(), "JO01 JO02 / A01,A02");
        f.to = QDateTime(QDate(2004, 6, 2), QTime(18, 18, 46)); // a time of day on the stop date
        QCOMPARE(selected(), "JO01 / A01,A02");
    }

    // A QSO whose date or time cannot be read is left out and named by "#" and line; the
    // others count. Only the filter's own texts stop an evaluation.
    void unreadableQsoIsSkippedAndNamed_data() {
        columns<QString, QString, QString>("date", "utc", "named");
        const auto row = [](const char* name, const char* date, const char* utc,
                            const char* named) {
            QTest::newRow(name) << QString(date) << QString(utc) << QString(named);
        };
        row("date 00.00.0000", "00.00.0000", "12:00:00", "\"00.00.0000\" is not");
        row("empty date", "", "12:00:00", "\"\" is not");
        row("date 31.12.9999", "31.12.9999", "12:00:00", "The date \"31.12.9999\" lies outside");
        row("time 25:00 (squares only)", "05.06.2004", "25:00", "\"25:00\" is not");
    }
    void unreadableQsoIsSkippedAndNamed() {
        QFETCH(QString, utc);
        setUiLanguage(UiLanguage::English);
        const auto german = qScopeGuard([] { setUiLanguage(UiLanguage::German); });
        TempProgramDir dir;
        TLogFile log(dir.file("a.log"));
        dir.writeFile("a.log",
                      LogBuilder::rawLog({"1;05.06.2004;12:00:00;2m;FM;OE1A;;;A01;;;JO01;;;;",
                                          "2;" + fetched<QString>("date").toLatin1() + ";" +
                                              utc.toLatin1() + ";2m;FM;G1A;;;B01;;;JO02;;;;"}));
        const bool timeOnly = utc.startsWith("25");
        const QString named = "QSO 2 (line 3): " + fetched<QString>("named");
        QList<LocatorSquares::Square> list;
        const SkippedQsos skipped = LocatorSquares::select(log, filter(), list);
        QCOMPARE(squares(list), QString("JO01"));
        QCOMPARE(skipped.count, 1);
        QVERIFY2(skipped.report().join('\n').contains(named), qPrintable(skipped.listed.join('|')));
        DokEvaluation::Lists doks;
        DokEvaluation::evaluate(log, filter(), doks);
        QCOMPARE(QString::fromLatin1(doks.worked.join(',')), timeOnly ? "A01,B01" : "A01");
        const auto dxcc =
            DxccEvaluation::evaluate(log, filter(), QStringLiteral(DALU_DATA_DIR "/DXCC.ini"));
        QCOMPARE(entries(dxcc.entries), timeOnly ? "Austria1,England1" : "Austria1");
        for (const SkippedQsos& s : {doks.skipped, dxcc.skipped}) {
            QCOMPARE(s.count, timeOnly ? 0 : 1);
            QVERIFY(timeOnly || s.listed.value(0).startsWith(named));
        }
        const QString error =
            errorOf([&] { DokEvaluation::evaluate(log, filter("*", "1O"), doks); });
        QVERIFY2(error.contains("\"1O\""), qPrintable(error));
    }

    // The stop number is inclusive; "*" or nothing leaves the range open.
    void numberRange_data() {
        columns<QString, QString, QString>("start", "stop", "squares");
        const auto row = [](const char* name, const char* start, const char* stop,
                            const char* squares) {
            QTest::newRow(name) << QString(start) << QString(stop) << QString(squares);
        };
        row("default: whole log", "1", "*", "JO01 JO02");
        row("typed stop 10000", "1", "10000", "JO01");
        row("typed stop 10001", "1", "10001", "JO01 JO02");
        row("empty start and stop", "", " ", "JO01 JO02");
        row("typed start 10001", "10001", "*", "JO02");
    }
    void numberRange() {
        TempProgramDir dir;
        TLogFile log(dir.file("a.log"));
        dir.writeFile("a.log",
                      LogBuilder::rawLog({"1;05.06.2004;12:00:00;2m;FM;x;;;A01;;;JO01;;;;",
                                          "10001;05.06.2004;12:00:00;2m;FM;x;;;A01;;;JO02;;;;"}));
        EvaluationFilter f;
        f.startNumber = fetched<QString>("start");
        f.stopNumber = fetched<QString>("stop");
        QList<LocatorSquares::Square> list;
        QCOMPARE(LocatorSquares::select(log, f, list).count, 0);
        QTEST(squares(list), "squares");
    }

    void oneCriterion_data() {
        // passes: 1 or 0, or -1 for a search text the operator cannot read
        columns<int, int, QString, QByteArray, int>("field", "op", "text", "value", "passes");
        using O = Operator;
        using F = QsoField;
        const auto row = [](const char* name, auto field, O op, const QString& text,
                            const QByteArray& value, int passes) {
            QTest::newRow(name) << int(field) << int(op) << text << value << passes;
        };
        row("contains qx1: QX1ABC", F::Call, O::Contains, "qx1", "QX1ABC", true);
        row("contains qx1: OE/QX1ABC", F::Call, O::Contains, "qx1", "OE/QX1ABC", true);
        row("contains qx1: QX2ABC", F::Call, O::Contains, "qx1", "QX2ABC", false);
        row("is ignores case", F::Band, O::Is, "2M", "2m", true);
        row("is not ignores case", F::Band, O::IsNot, "2M", "2m", false);
        row("contains not", F::Call, O::ContainsNot, "/p", "QX1ABC/P", false);
        row("only a to z change case", F::Name, O::Is, QStringLiteral(u"J\u00dcRGEN"), "j\xfcrgen",
            false);
        row("QSL in after: same day", F::QslIn, O::Greater, "01.01.2004", "01.01.2004", false);
        row("QSL in after: earlier year, larger day", F::QslIn, O::Greater, "01.01.2004",
            "15.01.2003", false);
        row("QSL in after: empty", F::QslIn, O::Greater, "01.01.2004", "", false);
        row("date before: unreadable stored date", F::Date, O::Less, "01.01.2004", "32.13.2003",
            false);
        row("power below 5W: 0,5W", F::TxPwr, O::Less, "5W", "0,5W", true);
        row("power below 5W: 10W", F::TxPwr, O::Less, "5W", "10W", false);
        row("power below 5W: stored without unit", F::TxPwr, O::Less, "5W", "100", false);
        row("power above 0,5: text without unit", F::TxPwr, O::Greater, "0,5", "1W", true);
        row("number above 9: 10", F::Number, O::Greater, "9", "10", true);
        row("UTC before noon: noon", F::Utc, O::Less, "12:00:00", "12:00:00", false);
        row("DXCC is: lower case call", kDxcc, O::Is, "qx island", "qx1abc", true);
        row("DXCC is: portable", kDxcc, O::Is, "qx island", "QX1ABC/P", true);
        row("DXCC is: other entity", kDxcc, O::Is, "qx island", "QX2ABC", false);
        row("DXCC is: too short for a lookup", kDxcc, O::Is, "qx island", "QX", false);
        row("DXCC contains: portable prefix", kDxcc, O::Contains, "AUS", "OE/QX1ABC", true);
        row("DXCC is empty: unknown call", kDxcc, O::Is, "", "ZZ1ABC", true);
        row("number with letters", F::Number, O::Greater, "abc", {}, -1);
        row("date in another form", F::Date, O::Greater, "2004-01-01", {}, -1);
        row("hour 25", F::Utc, O::Less, "25:00:00", {}, -1);
        row("power in mW", F::TxPwr, O::Less, "500mW", {}, -1);
        row("power with a point", F::TxPwr, O::Less, "0.5W", {}, -1);
    }
    void oneCriterion() {
        QFETCH(int, field);
        QFETCH(int, passes);
        const QsoSearch::Criterion c{field, Operator(fetched<int>("op")), fetched<QString>("text")};
        if (passes < 0) {
            // Refused before the log is read, naming the text; the text operators take it.
            const QString error = errorOf([&] {
                QsoSearch::TQsoSearch({{kCall, Operator::Contains, "QX"}, c}, QString());
            });
            QVERIFY2(error.contains('"' + c.text + '"'), qPrintable(error));
            QsoSearch::TQsoSearch plain({{field, Operator::Is, c.text}}, QString());
            QVERIFY(!plain.matches(withField(field, "x")));
            return;
        }
        TempProgramDir dir;
        dir.writeFile("DXCC.ini", "[DXCC]\r\nQX=Qx Mainland\r\nQX1=Qx Island\r\nOE=Austria\r\n");
        QsoSearch::TQsoSearch search({c}, dir.file("DXCC.ini"));
        const TQsoRecord record = withField(field, fetched<QByteArray>("value"));
        QCOMPARE(search.matches(record), passes == 1);
        QCOMPARE(search.matches(CompactQso(record)), passes == 1);
    }

    void findInListsHitsWithTheirFilePositions() {
        TempProgramDir dir;
        QList<TQsoRecord> records;
        for (int n : {1, 2, 5, 7}) // numbers that no longer follow the positions
            records.append(LogBuilder::qso(n, n % 2 ? "QX1ABC" : "QX2ABC"));
        records[2][QsoField::Comments] = "first\r\nsecond";
        LogBuilder::writeLog(dir.file("a.log"), records);
        TLogFile log(dir.file("a.log"));
        QList<CompactQso> hits;
        QList<int> positions;
        const auto find = [&](const QsoSearch::Criterion& c) {
            hits.clear();
            positions.clear();
            QsoSearch::TQsoSearch({c}, QString()).findIn(log, hits, positions);
            return positions;
        };
        QCOMPARE(find({kCall, Operator::Is, "qx1abc"}), QList<int>({1, 3, 4}));
        QCOMPARE(hits.size(), 3);
        QCOMPARE(hits[1].field(0), QByteArrayView("5"));
        QCOMPARE(hits[1].field(kComments), QByteArrayView("first second"));
        // A line break typed into the search text matches the one stored in the comments.
        QCOMPARE(find({kComments, Operator::Contains, "t\r\ns"}), QList<int>({3}));
        // A line it cannot read stops the search; the hits before it stay.
        dir.writeFile("a.log", dir.readFile("a.log") + QByteArray(20, ';') + "\r\n" +
                                   QsoLine::join(records[0]) + "\r\n");
        QVERIFY_THROWS_EXCEPTION(DaluError, find({kCall, Operator::Is, "qx1abc"}));
        QCOMPARE(positions, QList<int>({1, 3, 4}));
    }
};

QTEST_GUILESS_MAIN(TestEvaluations)
#include "tst_evaluations.moc"
