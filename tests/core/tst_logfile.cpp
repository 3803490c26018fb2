#include "errorof.h"
#include "logbuilder.h"
#include "logfile.h"
#include "tempprogramdir.h"
#include "textrows.h"

#include <QDir>
#include <QTest>

using LogBuilder::qso;
using LogBuilder::rawLog;

namespace {

QByteArrayList numbers(const QString& path) {
    QByteArrayList list;
    TLogFile(path).forEachRecord([&](const TQsoRecord& r) { list.append(r[QsoField::Number]); });
    return list;
}

} // namespace

class TestLogFile : public QObject {
    Q_OBJECT
private slots:
    void reads_data() {
        addColumns<QByteArray, QByteArrayList>("content", "numbers");
        QTest::newRow("header only") << rawLog({}) << QByteArrayList{};
        QTest::newRow("LF only, empty line, last line unended")
            << QByteArray("some other first line\n1;01.01.2004\n\n3;03.01.2004")
            << QByteArrayList{"1", "", "3"};
        QTest::newRow("first line without a number is the header")
            << QByteArray(";Date;UTC\r\n1;x\r\n") << QByteArrayList{"1"};
    }
    void reads() {
        QFETCH(QByteArray, content);
        TempProgramDir dir;
        dir.writeFile("a.log", content);
        QTEST(numbers(dir.file("a.log")), "numbers");
    }

    void newFileWritesHeader() {
        TempProgramDir dir;
        dir.writeFile("a.log", "old content\r\n1;2\r\n");
        TLogFile(dir.file("a.log")).NewFile();
        QCOMPARE(dir.readFile("a.log"), "#;Date;UTC;Band;Mode;Call;RST TX;RST RX;DOK;Name;QTH;"
                                        "Locator;TX Pwr;Comments;QSL out;QSL in\r\n");
    }

    void readRecordAt() {
        TempProgramDir dir;
        LogBuilder::writeLog(dir.file("a.log"), {qso(1), qso(2), qso(3)});
        QByteArrayList read; // zero and below read the first; beyond the last is not found ("!")
        for (int n : {1, 3, 0, -4, 4}) {
            TQsoRecord rec;
            rec[QsoField::Call] = "unchanged";
            const bool found = TLogFile(dir.file("a.log")).ReadRecordAt(rec, n);
            read << rec[QsoField::Call] + (found ? "" : "!");
        }
        QCOMPARE(read.join(' '), "QX1ABC QX3ABC QX1ABC QX1ABC unchanged!");
    }

    void append_data() {
        addColumns<QByteArray, QByteArray>("before", "after");
        const QByteArray line = "1;02.06.2004;01:31:00;2m;FM;QX1ABC;59;59;Z10;Erika;Kiel;JO54AH;"
                                "10W;abc#13#10def;;\r\n";
        QTest::newRow("after the header") << rawLog({}) << rawLog({}) + line;
        // The new QSO would otherwise be glued to the last line.
        QTest::newRow("last line unended") << rawLog({}) + "7;a" << rawLog({}) + "7;a\r\n" + line;
    }
    void append() {
        QFETCH(QByteArray, before);
        TempProgramDir dir;
        dir.writeFile("a.log", before);
        TQsoRecord rec = qso(1);
        rec[QsoField::Comments] = "abc\r\ndef";
        TLogFile(dir.file("a.log")).AppendRecord(rec);
        QTEST(dir.readFile("a.log"), "after");
    }

    void appendToMissingFileFails() {
        TempProgramDir dir;
        const QString error = errorOf([&] { TLogFile(dir.file("no.log")).AppendRecord(qso(1)); });
        QVERIFY2(error.contains(dir.file("no.log")) && error.contains("File not found"),
                 qPrintable(error));
        QVERIFY(!QFile::exists(dir.file("no.log")));
    }

    void replaceKeepsOtherLinesByteForByte() {
        TempProgramDir dir;
        // Odd but valid bytes in the untouched lines: a literal #13#10 in the name, umlauts,
        // an LF-only line and extra blanks must all survive.
        const QByteArray original =
            "my own header\r\n"
            "1;01.01.2004;10:00:00;2m;FM;QX1ABC;59;59;;J\xf6rg#13#10;;;;;;\r\n"
            "2;02.01.2004;11:00:00;2m;FM;QX2ABC;59;59;; x ;;;;;;\n"
            "3;03.01.2004;12:00:00;2m;FM;QX3ABC;59;59;;;;;;;;\r\n"
            "4;04.01.2004;13:00:00;2m;FM;QX4ABC;59;59;;;;;;;;\r\n";
        dir.writeFile("a.log", original);
        QVERIFY(TLogFile(dir.file("a.log")).ReplaceRecord(qso(3, "QX9NEW"), 3));
        QByteArray expected = original;
        expected.replace("3;03.01.2004;12:00:00;2m;FM;QX3ABC;59;59;;;;;;;;",
                         QsoLine::join(qso(3, "QX9NEW")));
        QCOMPARE(dir.readFile("a.log"), expected);
    }

    void replaceEndsAnUnterminatedLastLine() {
        TempProgramDir dir;
        dir.writeFile("a.log", rawLog({"1;a", "2;b"}) + "3;c");
        TLogFile log(dir.file("a.log"));
        QVERIFY(log.ReplaceRecord(LogBuilder::record({{"#", "2"}}), 2));
        QCOMPARE(dir.readFile("a.log"), rawLog({"1;a", "2;;;;;;;;;;;;;;;", "3;c"}));
        QVERIFY(log.ReplaceRecord(LogBuilder::record({{"#", "3"}}), 3));
        QCOMPARE(dir.readFile("a.log"), rawLog({"1;a", "2;;;;;;;;;;;;;;;", "3;;;;;;;;;;;;;;;"}));
    }

    void replaceBeyondLastRecord() {
        TempProgramDir dir;
        LogBuilder::writeLog(dir.file("a.log"), {qso(1), qso(2)});
        const QByteArray before = dir.readFile("a.log");
        for (int n : {3, 100, 0}) // 0 would hit the header
            QVERIFY2(!TLogFile(dir.file("a.log")).ReplaceRecord(qso(9), n),
                     qPrintable(QString::number(n)));
        QCOMPARE(dir.readFile("a.log"), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"a.log"});
    }

    void seventeenFieldsNamesFileAndLine() {
        TempProgramDir dir;
        dir.writeFile("a.log", rawLog({"1;a", "2;1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16"}));
        int read = 0;
        const QString error = errorOf(
            [&] { TLogFile(dir.file("a.log")).forEachRecord([&](const TQsoRecord&) { ++read; }); });
        QVERIFY2(error.contains("Line 3") && error.contains(dir.file("a.log")), qPrintable(error));
        QCOMPARE(read, 1);
    }

    void repairRenumbersAndRestoresHeader() {
        TempProgramDir dir;
        QList<TQsoRecord> records{qso(1), qso(2), qso(5), qso(7)};
        dir.writeFile("a.log",
                      LogBuilder::logContent(records).replace(QsoLine::kHeader, "damaged header"));
        TLogFile(dir.file("a.log")).Repair();
        for (int i = 0; i < records.size(); ++i)
            records[i][QsoField::Number] = QByteArray::number(i + 1);
        QCOMPARE(dir.readFile("a.log"), LogBuilder::logContent(records));
    }

    void repairFailureLeavesLogUnchanged() {
        TempProgramDir dir;
        const QByteArray content = rawLog({"1;01.01.2004;10:00;2m;FM;QX1ABC;;;;;;;XMW;;;"});
        dir.writeFile("a.log", content);
        QVERIFY_THROWS_EXCEPTION(DaluError, TLogFile(dir.file("a.log")).Repair());
        QCOMPARE(dir.readFile("a.log"), content);
    }
};

QTEST_GUILESS_MAIN(TestLogFile)
#include "tst_logfile.moc"
