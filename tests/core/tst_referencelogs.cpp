#include "cp1252.h"
#include "daluerror.h"
#include "logbuilder.h"
#include "referencelogs.h"
#include "tempprogramdir.h"

#include <QTest>

namespace {

TQsoRecord qso(int n, const QByteArray& call, const QByteArray& dok = "Z10",
               const QByteArray& locator = "JO54AH", const QByteArray& name = "Erika") {
    TQsoRecord r = LogBuilder::qso(n, call);
    r[QsoField::Dok] = dok;
    r[QsoField::Locator] = locator;
    r[QsoField::Name] = name;
    return r;
}

QStringList calls(const QList<CompactQso>& rows) {
    QStringList out;
    for (const CompactQso& r : rows)
        out.append(fromCp1252(r.field(static_cast<int>(QsoField::Call))));
    return out;
}

// An open log and two reference logs (as Log1 and Log3; Log2 and Log4 are empty / missing).
struct Logs {
    Logs() {
        LogBuilder::writeLog(dir.file("open.log"),
                             {qso(1, "DL1ABC", "B01"), qso(2, "QX1ABC/P", "Z10", "JO43SQ")});
        LogBuilder::writeLog(dir.file("ref1.log"), {qso(7, "DK2XY", "B01", "JO31AA", "Hans"),
                                                    qso(8, "QX1ABC", "A01", "JO54AH", "Otto")});
        LogBuilder::writeLog(dir.file("ref3.log"), {qso(9, "DL1ABC/P", "b01", "JO31AB", "Udo"),
                                                    qso(10, "DM3UU/MM", "B01", "JO31AC", "Ute")});
        table.build(open(), refs());
    }
    QString open() const { return dir.file("open.log"); }
    QStringList refs() const {
        return {dir.file("ref1.log"), QString(), dir.file("ref3.log"), dir.file("missing.log")};
    }
    TempProgramDir dir;
    ReferenceLogs::Table table;
};

} // namespace

class TestReferenceLogs : public QObject {
    Q_OBJECT
private slots:
    void tableOrderAndEmptyNumber() {
        Logs logs;
        ReferenceLogs::Table& table = logs.table;
        QCOMPARE(calls(table.filter("", "", "")),
                 QStringList({"DL1ABC", "QX1ABC/P", "DK2XY", "QX1ABC", "DL1ABC/P", "DM3UU/MM"}));
        QCOMPARE(table.size(), 6);
        // The open log's rows keep "#", the reference rows have none.
        QCOMPARE(table.row(0).field(0), QByteArrayView("1"));
        QCOMPARE(table.row(1).field(0), QByteArrayView("2"));
        for (int i = 2; i < 6; ++i)
            QVERIFY(table.row(i).field(0).isEmpty());
        QCOMPARE(QsoLine::join(table.row(2).toRecord()),
                 ';' + QsoLine::join(qso(7, "DK2XY", "B01", "JO31AA", "Hans")).mid(2));
        table.clear();
        QCOMPARE(table.size(), 0);
        QVERIFY(table.filter("D", "", "").isEmpty());
    }

    void filter_data() {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("dok");
        QTest::addColumn<QString>("locator");
        QTest::addColumn<QStringList>("expected");
        const auto row = [](const char* name, const char* call, const char* dok,
                            const char* locator, const QStringList& expected) {
            QTest::newRow(name) << QString(call) << QString(dok) << QString(locator) << expected;
        };
        row("D: every base call beginning with D", "D", "", "",
            {"DL1ABC", "DK2XY", "DL1ABC/P", "DM3UU/MM"});
        row("lower-case typing", "dl", "", "", {"DL1ABC", "DL1ABC/P"});
        row("D and DOK B narrows", "D", "B", "", {"DL1ABC", "DK2XY", "DM3UU/MM"});
        row("DOK letter case counts", "D", "b", "", {"DL1ABC/P"});
        row("D, DOK B0 and locator JO3", "D", "B0", "JO3", {"DK2XY", "DM3UU/MM"});
        row("locator JO31A narrows to one", "DK", "", "JO31A", {"DK2XY"});
        row("locator exact", "D", "", "jo", {});
        row("portable call typed: same station", "QX1ABC/P", "", "", {"QX1ABC/P", "QX1ABC"});
        row("base call QX1ABC", "QX1ABC", "", "", {"QX1ABC/P", "QX1ABC"});
        row("typed longer than any", "DL1ABCD", "", "", {});
        row("no match", "W", "", "", {});
    }
    void filter() {
        QFETCH(QString, call);
        QFETCH(QString, dok);
        QFETCH(QString, locator);
        QTEST(calls(Logs().table.filter(call, dok, locator)), "expected");
    }

    void referenceLogNamedLikeTheOpenLogIsLeftOut() {
        Logs logs;
        ReferenceLogs::Table table;
        table.build(logs.open(), {logs.open(), logs.dir.file("ref1.log")});
        QCOMPARE(table.size(), 4);
        QCOMPARE(calls(table.filter("Q", "", "")), QStringList({"QX1ABC/P", "QX1ABC"}));
        // Another spelling of the same file is not recognised: only the exact text is.
        table.build(logs.open(), {logs.dir.path() + "./open.log"});
        QCOMPARE(table.size(), 4);
        // Without an open log, only the reference logs.
        table.build(QString(), {logs.dir.file("ref3.log")});
        QCOMPARE(calls(table.filter("D", "", "")), QStringList({"DL1ABC/P", "DM3UU/MM"}));
    }

    void withoutNumberKeepsEveryOtherField_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("complete line")
            << QByteArray("12;01.06.2004;10:00:00;2m;FM;DL1ABC;59;59;"
                          "B01;Erika;Kiel;JO54AH;10W;hi;01.07.2004;02.07.2004");
        QTest::newRow("short line") << QByteArray("123;01.06.2004;10:00:00");
        QTest::newRow("only a number") << QByteArray("5");
        QTest::newRow("empty line") << QByteArray();
    }
    void withoutNumberKeepsEveryOtherField() {
        QFETCH(QByteArray, line);
        QsoLine::FieldStarts starts;
        QVERIFY(QsoLine::fieldStarts(line, starts));
        const CompactQso original(line, starts);
        const CompactQso stripped = ReferenceLogs::withoutNumber(line, starts);
        QVERIFY(stripped.field(0).isEmpty());
        for (int i = 1; i < kQsoFieldCount; ++i)
            QCOMPARE(stripped.field(i), original.field(i));
    }

    void unreadableLogKeepsRowsReadBefore() {
        Logs logs;
        logs.dir.writeFile("bad.log", LogBuilder::rawLog({"1;01.06.2004;;;;DF1XX",
                                                          "2;a;b;c;d;e;f;g;h;i;j;k;l;m;n;o;p;q"}));
        ReferenceLogs::Table table;
        QVERIFY_THROWS_EXCEPTION(
            DaluError, table.build(logs.open(), {logs.dir.file("bad.log"), logs.refs()[0]}));
        QCOMPARE(calls(table.filter("D", "", "")), QStringList({"DL1ABC", "DF1XX"}));
    }

    void findStation_data() {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("name"); // empty: none found
        QTest::newRow("open log first") << "DL1ABC"
                                        << "Erika";
        QTest::newRow("portable matches fixed") << "qx1abc"
                                                << "Erika";
        QTest::newRow("only in reference log 1") << "DK2XY"
                                                 << "Hans";
        QTest::newRow("reference log 3 after the empty 2") << "DM3UU"
                                                           << "Ute";
        QTest::newRow("whole base call, no prefix") << "DK2X"
                                                    << "";
        QTest::newRow("unknown") << "W1AW"
                                 << "";
    }
    void findStation() {
        QFETCH(QString, call);
        const Logs logs;
        const auto name = [](const std::optional<TQsoRecord>& hit) {
            return hit ? fromCp1252((*hit)[QsoField::Name]) : QString();
        };
        QTEST(name(ReferenceLogs::findStation(logs.open(), logs.refs(), call)), "name");
        // The open log is searched even when it is named as a reference log as well.
        QTEST(name(ReferenceLogs::findStation(
                  logs.open(), {logs.open(), logs.refs()[0], {}, logs.refs()[2]}, call)),
              "name");
    }
};

QTEST_GUILESS_MAIN(TestReferenceLogs)
#include "tst_referencelogs.moc"
