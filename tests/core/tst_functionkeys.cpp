// The function keys, the status-bar template, the analogue clock, the date formats, the
// page history and the log-file names.
#include "clockface.h"
#include "coretest.h"
#include "datetimeformat.h"
#include "functionkeys.h"
#include "logfileset.h"
#include "pagehistory.h"
#include "statusbartemplate.h"
#include "tempprogramdir.h"
#include "testdata.h"
#include "textrows.h"
#include "uitexts.h"

using namespace ClockFace;
using namespace FunctionKeys;
using namespace StatusBarTemplate;

namespace {

// Field keys written as a..l = key, e.g. "c3 d3".
KeyOfField keysOf(const QString& text) {
    KeyOfField keys{};
    for (const QString& item : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        keys[fieldIndex(item.at(0))] = item.mid(1).toInt();
    return keys;
}

Values sample(bool logOpen) {
    Values v;
    v.time = "14:30";
    v.refCount = "0";
    v.refLogs = {"/logs/TIME.log REF_LOG_2", "b.log", {}, {}};
    if (logOpen)
        v.openLog = OpenLogValues{"42", "DL1ABC", "main.log", "Log"};
    return v;
}

} // namespace

class TestFunctionKeys : public QObject {
    Q_OBJECT
private slots:
    void bindingRule_data() {
        addColumns<QString, QString, QString>("chosen", "kept", "bf3");
        const auto row = [](const char* name, const char* chosen, const char* kept,
                            const char* bf3) {
            QTest::newRow(name) << QString(chosen) << QString(kept) << QString(bf3);
        };
        // Band (c) was just chosen in each row.
        row("mode loses to band", "c3 d3", "c3", "c");
        row("date loses to band", "a3 c3", "c3", "c");
        row("band loses to DOK", "c3 e3", "e3", "e");
        row("optional fields share", "c1 e3 h3", "c1 e3 h3", "eh");
        row("no conflict", "a1 c3", "a1 c3", "c");
    }
    void bindingRule() {
        const KeyOfField keys =
            applyBindingRule(keysOf(fetched<QString>("chosen")), fieldIndex(QLatin1Char('c')));
        QCOMPARE(keys, keysOf(fetched<QString>("kept")));
        QTEST(buttonTexts(keys)[2], "bf3");
        QCOMPARE(keysOfButtons(buttonTexts(keys)), keys);
    }

    void lists_data() {
        addColumns<QString, QString, QString>("letters", "shortText", "quotedText");
        const auto row = [](const char* name, const char* letters, const char* shortText,
                            const char* quoted) {
            QTest::newRow(name) << QString(letters) << QString(shortText) << QString(quoted);
        };
        row("DOK and QTH", "eh", "DOK, QTH", "'DOK' und 'QTH'");
        row("three", "efh", "DOK, Locat., QTH", "'DOK', 'Locator' und 'QTH'");
        row("one, German by default", "j", "Bem.", "'Bemerkungen'");
        row("last two fields", "kl", "QSL Out, QSL In", "'QSL Out' und 'QSL In'");
        row("no field letter", "cx", "Band, ", "'Band' und ");
        row("unbound", "", "", "");
    }
    void lists() {
        QTEST(shortList(fetched<QString>("letters")), "shortText");
        QTEST(quotedList(fetched<QString>("letters"), QStringLiteral(" und ")), "quotedText");
    }

    void captionsAndHint() {
        QCOMPARE(caption(5, "eh"), QString("F5: DOK, QTH"));
        QCOMPARE(caption(7, QString()), QString("F7: "));
        QCOMPARE(hint(5, "eh", QString::fromUtf8("Ein/Aus für"), "(Taste oder Klick)", " und "),
                 QString::fromUtf8("F5: Ein/Aus für 'DOK' und 'QTH' (Taste oder Klick)"));
        const int w = captionWidth(760);
        QCOMPARE((QList<int>{w, captionLeft(1, w), captionLeft(2, w), captionLeft(3, w),
                             captionLeft(12, w)}),
                 (QList<int>{62, 8, 70, 132, 690}));
    }

    void shortcutLinesListOnlyBoundKeys() {
        ButtonTexts buttons;
        buttons[8] = "c";
        buttons[9] = "eh";
        QCOMPARE(shortcutLines({{"head"}, " On/off ", ".", " and "}, buttons),
                 QStringList({"head", "[F9]  On/off 'Band'.", "[F10] On/off 'DOK' and 'QTH'."}));
    }

    void statusBarExpand_data() {
        addColumns<QString, bool, QString>("templ", "logOpen", "line");
        QTest::newRow("example") << "Log: LOG_FILE, QSO_COUNT QSOs LAST_CALL" << true
                                 << "Log: main.log, 42 QSOs DL1ABC";
        QTest::newRow("lower case") << "time" << true << "14:30";
        QTest::newRow("no log keeps its tokens") << "QSO_COUNT TIME" << false << "QSO_COUNT 14:30";
        // Sequential: a value holding a later token has it replaced too.
        QTest::newRow("sequential") << "REF_LOG_1" << true << "/logs/TIME.log b.log";
        QTest::newRow("versions") << "DALU_VERSION LOGFILEACCESS_VERSION RAC_VERSION" << false
                                  << "0.5 1.2 0";
    }
    void statusBarExpand() {
        QTEST(expand(fetched<QString>("templ"), sample(fetched<bool>("logOpen"))), "line");
    }

    // Values holding the next token would multiply the line from token to token.
    void statusBarLineStaysBounded() {
        Values v = sample(true);
        v.refLogs = {QString("REF_LOG_2 ").repeated(40), QString("REF_LOG_3 ").repeated(40), "end ",
                     ""};
        const QString line = expand(QString("REF_LOG_1").repeated(200), v);
        QVERIFY2(line.size() <= kMaxLineLength, qPrintable(QString::number(line.size())));
        QVERIFY(line.startsWith("end  end  "));
    }

    void statusBarInsertAtCaret() {
        const QString word = tokenAt(helpLines().at(6), 4);
        QCOMPARE(word, QString("TICK_COUNT"));
        const Insertion ins = insertToken(" ms", 0, word);
        QCOMPARE(ins.text + QString::number(ins.caret), QString("TICK_COUNT ms10"));
    }

    void angles_data() {
        addTextRows("time", "angles", // hour, minute, second hand
                    {{"11:58", "11:58:00", "359 348 0"},
                     {"11:59:00 rounds to the top", "11:59:00", "360 354 0"},
                     {"11:59:59", "11:59:59", "360 360 354"},
                     {"midnight", "00:00:00", "0 0 0"},
                     {"mm:59:55 ties to even", "14:59:55", "90 360 330"},
                     {"mm:00:05 ties to even", "14:00:05", "60 0 30"},
                     {"mm:00:15 ties to even", "14:00:15", "60 2 90"}});
    }
    void angles() {
        const QTime t = QTime::fromString(fetched<QString>("time"));
        const Angles a = handAngles(t.hour(), t.minute(), t.second());
        QTEST(QString("%1 %2 %3").arg(a.hour).arg(a.minute).arg(a.second), "angles");
    }

    void dialPoints_data() {
        addColumns<int, int, QPoint>("angle", "radius", "point");
        QTest::newRow("360 at the top") << 360 << 30 << QPoint(55, 25);
        QTest::newRow("3 o'clock") << 90 << 48 << QPoint(103, 55);
        QTest::newRow("30 degrees") << 30 << 50 << QPoint(80, 12);
        QTest::newRow("past 360") << 390 << 50 << QPoint(80, 12);
    }
    void dialPoints() { QTEST(dialPoint(fetched<int>("angle"), fetched<int>("radius")), "point"); }

    void format_data() {
        addTextRows(
            "pattern", "text",
            {{"default", "dddddd', - 'tt", "Montag, 7. Dezember 2026, - 13:05:09"},
             {"design", "dddd', der 'dd.mm.yyyy' 'hh:nn:ss", "Montag, der 07.12.2026 13:05:09"},
             {"minutes after hour", "hh:mm", "13:05"},
             {"quoted letters", "'hh' hh", "hh 13"},
             {"unclosed quote", "ss'abc", "09abc"}});
    }
    void format() {
        QTEST(DateTimeFormat::format(fetched<QString>("pattern"),
                                     QDateTime(QDate(2026, 12, 7), QTime(13, 5, 9))),
              "text");
    }

    void uiTextTableIsUnambiguousAndComplete() {
        QSet<QByteArray> seen;
        for (int i = 0; i < uiTextRowCount(); ++i) {
            const UiTextRow& row = uiTextRows()[i];
            QVERIFY2(!seen.contains(row.german) && row.english && *row.english, row.german);
            seen.insert(row.german);
        }
    }
    void textsFollowTheLanguage() {
        setUiLanguage(uiLanguageOfFile(QStringLiteral("/x/English.lng")));
        QCOMPARE(uiText("Distrikt:") +
                     DateTimeFormat::format("dddd", QDateTime(QDate(2026, 12, 7), QTime())),
                 "District:Monday");
        setUiLanguage(uiLanguageOfFile(QStringLiteral("deutsch.lng")));
        QCOMPARE(uiText("Distrikt:"), QStringLiteral("Distrikt:"));
    }

    void backTwiceThenNewPageDropsNewerEntries() {
        PageHistory h;
        QCOMPARE(h.entry(1).value(), PageHistory::Entry{});
        // "<" steps back, ">" steps on; each gives the entry reached and the buttons enabled.
        const auto walk = [&h](const QString& steps) {
            QStringList out;
            for (const QChar c : steps) {
                const PageHistory::Entry e = c == '<' ? h.back() : h.next();
                out << QString::asprintf("%d.%d.%d %s%s", e.main, e.evaluation, e.options,
                                         h.backEnabled() ? "<" : "", h.nextEnabled() ? ">" : "");
            }
            return out.join(", ");
        };
        QVERIFY(!h.backEnabled() && !h.nextEnabled());
        for (int page : {1, 2, 3})
            h.SetHistory({page, 0, 0});
        QCOMPARE(walk("<><<"), "2.0.0 <>, 3.0.0 <, 2.0.0 <>, 1.0.0 <>");
        h.SetHistory({5, 0, 4});
        QVERIFY(!h.nextEnabled() && h.backEnabled());
        QCOMPARE(walk("<<>>"), "1.0.0 <>, 0.0.0 >, 1.0.0 <>, 5.0.4 <");
    }

    void keepsAtMostSixEntries() {
        PageHistory h;
        for (int page = 1; page <= 8; ++page)
            h.SetHistory({page % 6, page, 0});
        int steps = 0;
        for (; h.backEnabled(); ++steps)
            h.back();
        QCOMPARE(steps, 5);
        QCOMPARE(h.position(), 6);
        QCOMPARE(h.entry(6)->evaluation, 3);
    }

    void newLogFileName_data() {
        addTextRows("answer", "name",
                    {{"plain", "contest", "contest.log"},
                     {"already .log", "contest.log", "contest.log"},
                     {"upper-case extension", "contest.LOG", "contest.LOG.log"},
                     {"path keeps last part", "/tmp/x/field.log", "field.log"},
                     {"windows path", "C:\\logs\\dx", "dx.log"},
                     {"trailing slash leaves nothing", "/tmp/", ""},
                     {"dot dot", "..", ""}});
    }
    void newLogFileName() { QTEST(LogFileSet::newLogFileName(fetched<QString>("answer")), "name"); }

    void logFileNamesListOnlyLogs() {
        TempProgramDir dir;
        for (const char* name : {"b.log", "a.log", "a.log.tmp", "notes.txt"})
            dir.writeFile(name, "");
        QCOMPARE(LogFileSet::logFileNames(dir.path()), (QStringList{"a.log", "b.log"}));
    }
};

QTEST_GUILESS_MAIN(TestFunctionKeys)
#include "tst_functionkeys.moc"
