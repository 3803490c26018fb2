#include "adifwriter.h"
#include "daluerror.h"
#include "germanformat.h"
#include "logbuilder.h"
#include "logconverter.h"
#include "logfile.h"
#include "tempprogramdir.h"

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
        r[QsoField::Utc] = QByteArray::number(n % 24).rightJustified(2, '0') + ':' +
                           QByteArray::number(n % 60).rightJustified(2, '0') + ":0" +
                           QByteArray::number(n % 10);
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
    void adifRoundTrip();
    void htmlRoundTrip();
    void importAppendsAndRepairs();
    void importReportsSkipped();
    void exportsTwoLogsInOrder_data();
    void exportsTwoLogsInOrder();
    void appendToItself();
    void appendTwoSourcesToNewLog();
    void unreadableSourceLeavesTarget_data();
    void unreadableSourceLeavesTarget();
    void cancelLeavesTarget();
    void htmlImportRows_data();
    void htmlImportRows();
};

void TestLogConverter::adifRoundTrip() {
    TempProgramDir dir;
    const QList<TQsoRecord> original = variedLog(3000);
    LogBuilder::writeLog(dir.file("a.log"), original);
    QCOMPARE(LogConverter::exportAdif({dir.file("a.log")}, dir.file("a.adi")).records, 3000);
    const LogConverter::ImportSummary summary =
        LogConverter::importAdif(dir.file("a.adi"), dir.file("b.log"));
    QCOMPARE(summary.imported, 3000);
    QVERIFY(summary.skipped.isEmpty());
    const QList<TQsoRecord> back = readLog(dir.file("b.log"));
    QCOMPARE(back.size(), original.size());
    for (int i = 0; i < original.size(); ++i) {
        TQsoRecord expected = original[i];
        // The ADIF export writes a multi-line comment as one line.
        expected[QsoField::Comments].replace("\r\n", " ");
        QCOMPARE(back[i], expected);
    }
}

void TestLogConverter::htmlRoundTrip() {
    TempProgramDir dir;
    const QList<TQsoRecord> original = variedLog(3000);
    LogBuilder::writeLog(dir.file("a.log"), original);
    LogConverter::exportHtml({dir.file("a.log")}, dir.file("a.htm"));
    const HtmlTable::Grid grid = LogConverter::loadHtml(dir.file("a.htm"));
    const QList<int> assignment = HtmlTable::assignByTitles(grid.rows.value(0), grid.columnCount);
    QCOMPARE(LogConverter::importHtmlRows(grid, assignment, 2, dir.file("b.log")).records, 3000);
    QCOMPARE(readLog(dir.file("b.log")), original);
}

void TestLogConverter::importAppendsAndRepairs() {
    TempProgramDir dir;
    LogBuilder::writeLog(dir.file("t.log"), {LogBuilder::qso(7), LogBuilder::qso(9)});
    dir.writeFile("in.adi", "<EOH><CALL:6>qx1abc<BAND:3>20M<MODE:3>ssb<QSO_DATE:8>20040605"
                            "<TIME_ON:4>1731<EOR>");
    QCOMPARE(LogConverter::importAdif(dir.file("in.adi"), dir.file("t.log")).imported, 1);
    const QList<TQsoRecord> log = readLog(dir.file("t.log"));
    QCOMPARE(log.size(), 3);
    QCOMPARE(log[0][QsoField::Number], "1");
    QCOMPARE(log[1][QsoField::Number], "2");
    QCOMPARE(log[2], LogBuilder::record({{"#", "3"},
                                         {"Date", "05.06.2004"},
                                         {"UTC", "17:31:00"},
                                         {"Band", "20m"},
                                         {"Mode", "SSB"},
                                         {"Call", "QX1ABC"},
                                         {"TX Pwr", "1W"}}));
}

void TestLogConverter::importReportsSkipped() {
    TempProgramDir dir;
    dir.writeFile("in.adi", "<CALL:4>AB1C<BAND:2>2m<EOR><CALL:4>DL1X<BAND:2>2m<MODE:2>FM"
                            "<QSO_DATE:8>20040605<TIME_ON:4>1731<EOR><BAND:2>2m<EOR>");
    const LogConverter::ImportSummary summary =
        LogConverter::importAdif(dir.file("in.adi"), dir.file("new.log"));
    QCOMPARE(summary.imported, 1);
    QCOMPARE(summary.skipped.size(), 2);
    QCOMPARE(summary.skipped[0].reason(),
             QStringLiteral("Record 1 (AB1C): no QSO_DATE, TIME_ON, MODE"));
    QCOMPARE(summary.skipped[1].reason(),
             QStringLiteral("Record 3: no QSO_DATE, TIME_ON, MODE, CALL"));
    QCOMPARE(readLog(dir.file("new.log")).size(), 1);
}

void TestLogConverter::exportsTwoLogsInOrder_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<QByteArray>("start");
    QTest::addColumn<QByteArray>("end");
    QTest::newRow("adif") << "adif" << AdifWriter::header() << QByteArray("<EOR>\r\n");
    QTest::newRow("text") << "text" << QByteArray("# ")
                          << QByteArray("Erstellt mit Dalu LogConverter\r\n");
    QTest::newRow("html") << "html"
                          << QByteArray("<html>\r\n<head>\r\n<title>one.log / two.log</title>")
                          << QByteArray("</html>\r\n");
}

void TestLogConverter::exportsTwoLogsInOrder() {
    QFETCH(QString, format);
    QFETCH(QByteArray, start);
    QFETCH(QByteArray, end);
    TempProgramDir dir;
    LogBuilder::writeLog(dir.file("one.log"), {LogBuilder::qso(1, "FIRST1")});
    LogBuilder::writeLog(dir.file("two.log"), {LogBuilder::qso(1, "SECOND2")});
    const QStringList logs = {dir.file("one.log"), dir.file("two.log")};
    const QString out = dir.file("out");
    const LogConverter::JobResult result = format == "adif"   ? LogConverter::exportAdif(logs, out)
                                           : format == "text" ? LogConverter::exportText(logs, out)
                                                              : LogConverter::exportHtml(logs, out);
    QCOMPARE(result.records, 2);
    const QByteArray content = dir.readFile("out");
    QVERIFY(content.startsWith(start));
    QVERIFY(content.endsWith(end));
    QCOMPARE(content.count(start), 1);
    QVERIFY(content.indexOf("FIRST1") < content.indexOf("SECOND2"));
    QVERIFY(!QFile::exists(out + ".tmp"));
}

void TestLogConverter::appendToItself() {
    TempProgramDir dir;
    LogBuilder::writeLog(dir.file("a.log"), {LogBuilder::qso(1), LogBuilder::qso(2)});
    const LogConverter::JobResult result =
        LogConverter::append(dir.file("a.log"), {dir.file("a.log"), dir.file("a.log")});
    QCOMPARE(result.records, 6);
    const QList<TQsoRecord> log = readLog(dir.file("a.log"));
    QCOMPARE(log.size(), 6);
    QCOMPARE(log[4][QsoField::Call], LogBuilder::qso(1)[QsoField::Call]);
    QCOMPARE(log[5][QsoField::Number], "6");
}

void TestLogConverter::appendTwoSourcesToNewLog() {
    TempProgramDir dir;
    LogBuilder::writeLog(dir.file("a.log"), {LogBuilder::qso(5, "AAA")});
    LogBuilder::writeLog(dir.file("b.log"), {LogBuilder::qso(8, "BBB"), LogBuilder::qso(9, "CCC")});
    LogConverter::append(dir.file("new.log"), {dir.file("a.log"), dir.file("b.log")});
    const QList<TQsoRecord> log = readLog(dir.file("new.log"));
    QCOMPARE(log.size(), 3);
    QByteArrayList calls;
    for (int i = 0; i < log.size(); ++i) {
        calls.append(log[i][QsoField::Call]);
        QCOMPARE(log[i][QsoField::Number], QByteArray::number(i + 1));
    }
    QCOMPARE(calls, (QByteArrayList{"AAA", "BBB", "CCC"}));
}

void TestLogConverter::unreadableSourceLeavesTarget_data() {
    QTest::addColumn<QString>("job");
    QTest::newRow("append missing source") << "append";
    QTest::newRow("append source with too many fields") << "badline";
    QTest::newRow("import missing ADIF") << "adif";
    QTest::newRow("export missing log") << "export";
}

void TestLogConverter::unreadableSourceLeavesTarget() {
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

void TestLogConverter::cancelLeavesTarget() {
    TempProgramDir dir;
    LogBuilder::writeLog(dir.file("a.log"), variedLog(2000));
    LogBuilder::writeLog(dir.file("t.log"), {LogBuilder::qso(1)});
    const QByteArray before = dir.readFile("t.log");
    qint64 calls = 0;
    const auto stopHalfway = [&](qint64 done, qint64 total) {
        ++calls;
        return done < total / 2;
    };
    QVERIFY(LogConverter::append(dir.file("t.log"), {dir.file("a.log")}, stopHalfway).cancelled);
    LogConverter::exportAdif({dir.file("a.log")}, dir.file("a.adi"));
    QVERIFY(LogConverter::importAdif(dir.file("a.adi"), dir.file("t.log"), stopHalfway).cancelled);
    QVERIFY(
        LogConverter::repair({dir.file("t.log")}, [](qint64, qint64) { return false; }).cancelled);
    QCOMPARE(dir.readFile("t.log"), before);
    QVERIFY(calls > 2 && calls < 300);
}

void TestLogConverter::htmlImportRows_data() {
    QTest::addColumn<int>("startRow");
    QTest::addColumn<bool>("withDate");
    QTest::addColumn<int>("imported");
    QTest::newRow("start row 2") << 2 << true << 2;
    QTest::newRow("start row 0 is 1") << 0 << true << 3;
    QTest::newRow("beyond the last row") << 9 << true << 0;
    QTest::newRow("no Date column") << 2 << false << 2;
}

void TestLogConverter::htmlImportRows() {
    QFETCH(int, startRow);
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
    QCOMPARE(LogConverter::importHtmlRows(grid, assignment, startRow, dir.file("n.log")).records,
             imported);
    const QList<TQsoRecord> log = readLog(dir.file("n.log"));
    QCOMPARE(log.size(), imported);
    if (imported == 0)
        return;
    const TQsoRecord& last = log.last();
    QCOMPARE(last[QsoField::Call], "DL2XYZ");
    QCOMPARE(last[QsoField::Utc], "18:00:00");
    const QByteArray today = GermanFormat::formatDate(QDate::currentDate());
    QCOMPARE(last[QsoField::Date], withDate ? QByteArray("06.06.2004") : today);
    QCOMPARE(last[QsoField::Comments], withDate ? QByteArray() : QByteArray(" / "));
}

QTEST_GUILESS_MAIN(TestLogConverter)
#include "tst_logconverter.moc"
