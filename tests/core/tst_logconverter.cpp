#include "daluerror.h"
#include "germanformat.h"
#include "logbuilder.h"
#include "logconverter.h"
#include "logfile.h"
#include "tempprogramdir.h"
#include "testdata.h"

#include <QDate>
#include <QFile>
#include <QTest>

namespace {

// A few thousand QSOs with every field in use, as Repair leaves them.
QList<TQsoRecord> variedLog(int count) {
    const QByteArray bands[] = {"2m", "70cm", "20m", "160m"};
    const QByteArray modes[] = {"FM", "SSB", "CW", "RTTY"};
    QList<TQsoRecord> records;
    for (int n = 1; n <= count; ++n) {
        TQsoRecord r = LogBuilder::qso(n);
        r[QsoField::Date] = GermanFormat::formatDate(QDate(2000, 1, 1).addDays(n));
        r[QsoField::Utc] = QTime(n % 24, n % 60, n % 10).toString("hh:mm:ss").toLatin1();
        r[QsoField::Band] = bands[n % 4];
        r[QsoField::Mode] = modes[(n / 4) % 4];
        r[QsoField::RstTx] = n % 5 ? "59" : "599 0" + QByteArray::number(n % 100);
        r[QsoField::Dok] = n % 3 ? "Z10" : "";
        r[QsoField::Name] = n % 7 ? "J\xFCrgen & Co" : "";
        r[QsoField::TxPwr] = n % 11 ? QByteArray::number(n % 200 + 1) + "W" : "0,5W";
        if (n % 4 == 0)
            r[QsoField::Comments] = "first QSO\r\nvia <repeater> DB0XYZ";
        else if (n % 4 == 1)
            r[QsoField::Comments] = "5 \"big\" signals";
        r[QsoField::QslOut] = n % 3 == 0 ? "01.01.1901" : n % 3 == 1 ? "02.03.2005" : "";
        r[QsoField::QslIn] = n % 5 == 0 ? "04.05.2006" : "";
        records.append(r);
    }
    return records;
}

QList<TQsoRecord> readLog(const QString& path) {
    QList<TQsoRecord> records;
    TLogFile(path).forEachRecord([&](const TQsoRecord& r) { records.append(r); });
    return records;
}

} // namespace

class TestLogConverter : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data() {
        QTest::addColumn<bool>("html");
        QTest::newRow("ADIF") << false;
        QTest::newRow("HTML") << true;
    }
    void roundTrip() {
        QFETCH(bool, html);
        TempProgramDir dir;
        QList<TQsoRecord> expected = variedLog(3000);
        LogBuilder::writeLog(dir.file("a.log"), expected);
        if (html) {
            LogConverter::exportHtml({dir.file("a.log")}, dir.file("a.htm"));
            const HtmlTable::Grid grid = LogConverter::loadHtml(dir.file("a.htm"));
            const QList<int> assignment = HtmlTable::assignByTitles(grid.rows[0], grid.columnCount);
            QCOMPARE(LogConverter::importHtmlRows(grid, assignment, 2, dir.file("b.log")).records,
                     3000);
        } else {
            QCOMPARE(LogConverter::exportAdif({dir.file("a.log")}, dir.file("a.adi")).records,
                     3000);
            const LogConverter::ImportSummary summary =
                LogConverter::importAdif(dir.file("a.adi"), dir.file("b.log"));
            QCOMPARE(summary.imported, 3000);
            QVERIFY(summary.skipped.isEmpty());
            // The ADIF export writes a multi-line comment as one line.
            for (TQsoRecord& r : expected)
                r[QsoField::Comments].replace("\r\n", " ");
        }
        QCOMPARE(readLog(dir.file("b.log")), expected);
    }

    void unreadableSourceLeavesTarget_data() {
        QTest::addColumn<QString>("job");
        QTest::newRow("append missing source") << "append";
        QTest::newRow("append source with too many fields") << "badline";
        QTest::newRow("import missing ADIF") << "adif";
        QTest::newRow("export missing log") << "export";
    }
    void unreadableSourceLeavesTarget() {
        QFETCH(QString, job);
        TempProgramDir dir;
        LogBuilder::writeLog(dir.file("t.log"), {LogBuilder::qso(3)});
        dir.writeFile("bad.log", LogBuilder::rawLog({"1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16;17"}));
        LogBuilder::writeLog(dir.file("good.log"), {LogBuilder::qso(4)});
        const QByteArray before = dir.readFile("t.log");
        const QString target = dir.file("t.log");
        QVERIFY_THROWS_EXCEPTION(DaluError, [&] {
            if (job == "append")
                LogConverter::append(target, {dir.file("good.log"), dir.file("missing.log")});
            else if (job == "badline")
                LogConverter::append(target, {dir.file("good.log"), dir.file("bad.log")});
            else if (job == "adif")
                LogConverter::importAdif(dir.file("missing.adi"), target);
            else
                LogConverter::exportAdif({dir.file("good.log"), dir.file("missing.log")}, target);
        }());
        QCOMPARE(dir.readFile("t.log"), before);
        QVERIFY(!QFile::exists(target + ".tmp"));
    }

    void cancelLeavesTarget() {
        TempProgramDir dir;
        LogBuilder::writeLog(dir.file("a.log"), variedLog(2000));
        LogBuilder::writeLog(dir.file("t.log"), {LogBuilder::qso(1)});
        const QByteArray before = dir.readFile("t.log");
        qint64 calls = 0;
        const auto stopHalfway = [&](qint64 done, qint64 total) {
            ++calls;
            return done < total / 2;
        };
        QVERIFY(
            LogConverter::append(dir.file("t.log"), {dir.file("a.log")}, stopHalfway).cancelled);
        LogConverter::exportAdif({dir.file("a.log")}, dir.file("a.adi"));
        QVERIFY(
            LogConverter::importAdif(dir.file("a.adi"), dir.file("t.log"), stopHalfway).cancelled);
        QVERIFY(LogConverter::repair({dir.file("t.log")}, [](qint64, qint64) {
                    return false;
                }).cancelled);
        QCOMPARE(dir.readFile("t.log"), before);
        QVERIFY(calls > 2 && calls < 300);
    }

    void htmlImportRows_data() {
        columns<int, bool, int>("startRow", "withDate", "imported");
        QTest::newRow("start row 2") << 2 << true << 2;
        QTest::newRow("start row 0 is 1") << 0 << true << 3;
        QTest::newRow("beyond the last row") << 9 << true << 0;
        QTest::newRow("no Date column") << 2 << false << 2;
    }
    void htmlImportRows() {
        QFETCH(bool, withDate);
        QFETCH(int, imported);
        TempProgramDir dir;
        const QByteArray date = withDate ? "<td>Date</td>" : "<td>Datum</td>";
        dir.writeFile("t.htm",
                      "<table>\n<tr><td>Call</td>" + date +
                          "<td>UTC</td></tr>\n"
                          "<tr><td>dl1abc</td><td>05.06.2004</td><td>1731</td></tr>\n"
                          "<tr><td>dl2xyz</td><td>06.06.2004</td><td>1800</td></tr>\n</table>");
        const HtmlTable::Grid grid = LogConverter::loadHtml(dir.file("t.htm"));
        const QList<int> assignment = HtmlTable::assignByTitles(grid.rows[0], grid.columnCount);
        QCOMPARE(LogConverter::importHtmlRows(grid, assignment, fetched<int>("startRow"),
                                              dir.file("n.log"))
                     .records,
                 imported);
        const QList<TQsoRecord> log = readLog(dir.file("n.log"));
        QCOMPARE(log.size(), imported);
        if (imported == 0)
            return;
        const TQsoRecord& last = log.last();
        QCOMPARE(last[QsoField::Call] + ' ' + last[QsoField::Utc] + ' ' + last[QsoField::Date] +
                     '|' + last[QsoField::Comments],
                 "DL2XYZ 18:00:00 " +
                     (withDate ? QByteArray("06.06.2004|")
                               : GermanFormat::formatDate(QDate::currentDate()) + "| / "));
    }
};

QTEST_GUILESS_MAIN(TestLogConverter)
#include "tst_logconverter.moc"
