#include "daluerror.h"
#include "logbuilder.h"
#include "logfile.h"
#include "tempprogramdir.h"

#include <QFile>
#include <QTest>

class TestLogFile : public QObject {
    Q_OBJECT
private slots:
    void headerOnlyHasNoRecords();
    void newFileWritesHeader();
    void readsLfOnlyAndUnterminatedLines();
    void readRecordAt_data();
    void readRecordAt();
    void appendRecord();
    void appendAfterUnterminatedLastLine();
    void appendToMissingFileFails();
    void replaceKeepsOtherLinesByteForByte();
    void replaceEndsAnUnterminatedLastLine();
    void replaceBeyondLastRecord_data();
    void replaceBeyondLastRecord();
    void seventeenFieldsNamesFileAndLine();
    void repairRenumbersAndRestoresHeader();
    void repairFailureLeavesLogUnchanged();

private:
    QList<TQsoRecord> readAll(TLogFile& log);
};

QList<TQsoRecord> TestLogFile::readAll(TLogFile& log) {
    QList<TQsoRecord> records;
    log.forEachRecord([&](const TQsoRecord& r) { records.append(r); });
    return records;
}

void TestLogFile::headerOnlyHasNoRecords() {
    TempProgramDir dir;
    dir.writeFile("a.log", LogBuilder::rawLog({}));
    TLogFile log(dir.file("a.log"));
    QVERIFY(readAll(log).isEmpty());
    TQsoRecord rec;
    QVERIFY(!log.ReadRecordAt(rec, 1));
}

void TestLogFile::newFileWritesHeader() {
    TempProgramDir dir;
    dir.writeFile("a.log", "old content\r\n1;2\r\n");
    TLogFile log(dir.file("a.log"));
    log.NewFile();
    QCOMPARE(dir.readFile("a.log"), QsoLine::kHeader + "\r\n");
    QCOMPARE(QsoLine::kHeader.size(), 91);
}

void TestLogFile::readsLfOnlyAndUnterminatedLines() {
    TempProgramDir dir;
    dir.writeFile("a.log", "some other first line\n1;01.01.2004\n\n3;03.01.2004");
    TLogFile log(dir.file("a.log"));
    const QList<TQsoRecord> records = readAll(log);
    QCOMPARE(records.size(), 3);
    QCOMPARE(records[0][QsoField::Date], QByteArray("01.01.2004"));
    QVERIFY(records[1].isEmpty());
    QCOMPARE(records[2][QsoField::Number], QByteArray("3"));
}

void TestLogFile::readRecordAt_data() {
    QTest::addColumn<int>("n");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QByteArray>("call");
    QTest::newRow("first") << 1 << true << QByteArray("QX1ABC");
    QTest::newRow("last") << 3 << true << QByteArray("QX3ABC");
    QTest::newRow("zero reads first") << 0 << true << QByteArray("QX1ABC");
    QTest::newRow("negative reads first") << -4 << true << QByteArray("QX1ABC");
    QTest::newRow("one beyond last") << 4 << false << QByteArray("unchanged");
}

void TestLogFile::readRecordAt() {
    QFETCH(int, n);
    QFETCH(bool, found);
    QFETCH(QByteArray, call);
    TempProgramDir dir;
    LogBuilder::writeLog(dir.file("a.log"),
                         {LogBuilder::qso(1), LogBuilder::qso(2), LogBuilder::qso(3)});
    TLogFile log(dir.file("a.log"));
    TQsoRecord rec;
    rec[QsoField::Call] = "unchanged";
    QCOMPARE(log.ReadRecordAt(rec, n), found);
    QCOMPARE(rec[QsoField::Call], call);
}

void TestLogFile::appendRecord() {
    TempProgramDir dir;
    TLogFile log(dir.file("a.log"));
    log.NewFile();
    TQsoRecord rec = LogBuilder::qso(1);
    rec[QsoField::Comments] = "abc\r\ndef";
    log.AppendRecord(rec);
    QVERIFY(dir.readFile("a.log").endsWith(";abc#13#10def;;\r\n"));
    const QList<TQsoRecord> records = readAll(log);
    QCOMPARE(records.size(), 1);
    QCOMPARE(records[0], rec);
}

void TestLogFile::appendAfterUnterminatedLastLine() {
    TempProgramDir dir;
    dir.writeFile("a.log", QsoLine::kHeader + "\r\n1;01.01.2004");
    TLogFile log(dir.file("a.log"));
    log.AppendRecord(LogBuilder::qso(2));
    const QList<TQsoRecord> records = readAll(log);
    QCOMPARE(records.size(), 2);
    QCOMPARE(records[1][QsoField::Call], QByteArray("QX2ABC"));
}

void TestLogFile::appendToMissingFileFails() {
    TempProgramDir dir;
    TLogFile log(dir.file("missing.log"));
    try {
        log.AppendRecord(LogBuilder::qso(1));
        QFAIL("append to a missing file must fail");
    } catch (const DaluError& e) {
        QVERIFY(e.message().contains(dir.file("missing.log")));
        QVERIFY(e.message().contains("File not found"));
    }
    QVERIFY(!QFile::exists(dir.file("missing.log")));
}

void TestLogFile::replaceKeepsOtherLinesByteForByte() {
    TempProgramDir dir;
    // Odd but valid bytes in the untouched lines: a literal #13#10 in the name, umlauts,
    // an LF-only line and extra blanks must all survive.
    const QByteArray original = "my own header\r\n"
                                "1;01.01.2004;10:00:00;2m;FM;QX1ABC;59;59;;J\xf6rg#13#10;;;;;;\r\n"
                                "2;02.01.2004;11:00:00;2m;FM;QX2ABC;59;59;; x ;;;;;;\n"
                                "3;03.01.2004;12:00:00;2m;FM;QX3ABC;59;59;;;;;;;;\r\n"
                                "4;04.01.2004;13:00:00;2m;FM;QX4ABC;59;59;;;;;;;;\r\n"
                                "5;05.01.2004;14:00:00;2m;FM;QX5ABC;59;59;;;;;;;;\r\n";
    dir.writeFile("a.log", original);
    TLogFile log(dir.file("a.log"));
    TQsoRecord rec = LogBuilder::qso(3, "QX9NEW");
    QVERIFY(log.ReplaceRecord(rec, 3));
    QByteArray expected = original;
    const QByteArray oldLine = "3;03.01.2004;12:00:00;2m;FM;QX3ABC;59;59;;;;;;;;";
    expected.replace(oldLine, QsoLine::join(rec));
    QCOMPARE(dir.readFile("a.log"), expected);
    QVERIFY(!QFile::exists(dir.file("a.tmp")));
}

void TestLogFile::replaceEndsAnUnterminatedLastLine() {
    TempProgramDir dir;
    dir.writeFile("a.log", LogBuilder::rawLog({"1;a", "2;b"}) + "3;c");
    TLogFile log(dir.file("a.log"));
    QVERIFY(log.ReplaceRecord(LogBuilder::record({{"#", "2"}}), 2));
    QCOMPARE(dir.readFile("a.log"), LogBuilder::rawLog({"1;a", "2;;;;;;;;;;;;;;;", "3;c"}));
    QVERIFY(log.ReplaceRecord(LogBuilder::record({{"#", "3"}}), 3));
    QCOMPARE(dir.readFile("a.log"),
             LogBuilder::rawLog({"1;a", "2;;;;;;;;;;;;;;;", "3;;;;;;;;;;;;;;;"}));
}

void TestLogFile::replaceBeyondLastRecord_data() {
    QTest::addColumn<int>("n");
    QTest::newRow("one beyond") << 3;
    QTest::newRow("far beyond") << 100;
    QTest::newRow("zero would hit the header") << 0;
}

void TestLogFile::replaceBeyondLastRecord() {
    QFETCH(int, n);
    TempProgramDir dir;
    LogBuilder::writeLog(dir.file("a.log"), {LogBuilder::qso(1), LogBuilder::qso(2)});
    const QByteArray before = dir.readFile("a.log");
    TLogFile log(dir.file("a.log"));
    QVERIFY(!log.ReplaceRecord(LogBuilder::qso(9), n));
    QCOMPARE(dir.readFile("a.log"), before);
    QVERIFY(!QFile::exists(dir.file("a.tmp")));
}

void TestLogFile::seventeenFieldsNamesFileAndLine() {
    TempProgramDir dir;
    dir.writeFile("a.log", LogBuilder::rawLog({"1;a", "2;1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16"}));
    TLogFile log(dir.file("a.log"));
    QList<TQsoRecord> read;
    try {
        log.forEachRecord([&](const TQsoRecord& r) { read.append(r); });
        QFAIL("a 17-field line must fail");
    } catch (const DaluError& e) {
        QVERIFY2(e.message().contains("Line 3"), qPrintable(e.message()));
        QVERIFY(e.message().contains(dir.file("a.log")));
    }
    QCOMPARE(read.size(), 1);
}

void TestLogFile::repairRenumbersAndRestoresHeader() {
    TempProgramDir dir;
    QList<TQsoRecord> records;
    for (int n : {1, 2, 5, 7})
        records.append(LogBuilder::qso(n));
    QByteArray content = LogBuilder::logContent(records);
    content.replace(QsoLine::kHeader, "damaged header");
    dir.writeFile("a.log", content);
    TLogFile log(dir.file("a.log"));
    log.Repair();
    const QByteArray repaired = dir.readFile("a.log");
    QVERIFY(repaired.startsWith(QsoLine::kHeader + "\r\n"));
    const QList<TQsoRecord> after = readAll(log);
    QCOMPARE(after.size(), 4);
    for (int i = 0; i < 4; ++i)
        QCOMPARE(after[i][QsoField::Number], QByteArray::number(i + 1));
    QVERIFY(!QFile::exists(dir.file("a.log.tmp")));
}

void TestLogFile::repairFailureLeavesLogUnchanged() {
    TempProgramDir dir;
    const QByteArray content = LogBuilder::rawLog({"1;01.01.2004;10:00;2m;FM;QX1ABC;;;;;;;XMW;;;"});
    dir.writeFile("a.log", content);
    TLogFile log(dir.file("a.log"));
    QVERIFY_THROWS_EXCEPTION(DaluError, log.Repair());
    QCOMPARE(dir.readFile("a.log"), content);
}

QTEST_GUILESS_MAIN(TestLogFile)
#include "tst_logfile.moc"
