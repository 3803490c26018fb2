#include "logfileset.h"
#include "pagehistory.h"
#include "tempprogramdir.h"
#include "textrows.h"

#include <QTest>

class TestPageHistory : public QObject {
    Q_OBJECT
private slots:
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
        while (h.backEnabled()) {
            h.back();
            ++steps;
        }
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
                     {"dot dot", "..", ""},
                     {"empty", "", ""}});
    }
    void newLogFileName() {
        QFETCH(QString, answer);
        QFETCH(QString, name);
        QCOMPARE(LogFileSet::newLogFileName(answer), name);
    }

    void logFileNamesListOnlyLogs() {
        TempProgramDir dir;
        dir.writeFile("b.log", "");
        dir.writeFile("a.log", "");
        dir.writeFile("a.log.tmp", "");
        dir.writeFile("notes.txt", "");
        QCOMPARE(LogFileSet::logFileNames(dir.path()), (QStringList{"a.log", "b.log"}));
    }
};

QTEST_GUILESS_MAIN(TestPageHistory)
#include "tst_pagehistory.moc"
