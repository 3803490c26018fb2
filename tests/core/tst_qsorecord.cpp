#include "cp1252.h"
#include "logbuilder.h"
#include "qsorecord.h"

#include <QRandomGenerator>
#include <QTest>

class TestQsoRecord : public QObject {
    Q_OBJECT
private slots:
    void split_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("field");
        QTest::addColumn<QByteArray>("expected");
        const auto row = [](const char* name, const QByteArray& line, int field,
                            const QByteArray& expected) {
            QTest::newRow(name) << line << field << expected;
        };
        row("date of short line", "5;01.01.2004", 1, "01.01.2004");
        row("missing fields are empty", "5;01.01.2004", 15, {});
        row("no separator fills field 1", "abc", 0, "abc");
        row("empty line", {}, 0, {});
        row("comment line break restored", "1;;;;;;;;;;;;;abc#13#10def;;", 13, "abc\r\ndef");
        row("name keeps #13#10 literally", "1;;;;;;;;;ab#13#10c;;;;;;", 9, "ab#13#10c");
        row("sixteen fields, last one", "1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16", 15, "16");
    }
    void split() {
        QFETCH(QByteArray, line);
        QFETCH(int, field);
        const std::optional<TQsoRecord> rec = QsoLine::split(line);
        QVERIFY(rec.has_value());
        QTEST(rec->fields[field], "expected");
    }

    void join_data() {
        QTest::addColumn<TQsoRecord>("record");
        QTest::addColumn<QByteArray>("line");
        TQsoRecord example = LogBuilder::qso(12);
        example[QsoField::Comments] = "first QSO\r\nvia repeater";
        QTest::newRow("example record")
            << example
            << QByteArray("12;13.06.2004;12:31:00;20m;SSB;QX12ABC;59;59;Z10;Erika;Kiel;"
                          "JO54AH;10W;first QSO#13#10via repeater;;");
        QTest::newRow("semicolon dropped")
            << LogBuilder::record({{"Name", "A;B"}}) << QByteArray(";;;;;;;;;AB;;;;;;");
        QTest::newRow("line breaks outside comments are blanks")
            << LogBuilder::record({{"QTH", "a\r\nb\rc\nd"}})
            << QByteArray(";;;;;;;;;;a b c d;;;;;");
        QTest::newRow("lone CR and LF in comments are line breaks")
            << LogBuilder::record({{"Comments", "a\rb\nc\n\r"}})
            << QByteArray(";;;;;;;;;;;;;a#13#10b#13#10c#13#10#13#10;;");
    }
    void join() {
        QFETCH(TQsoRecord, record);
        QTEST(QsoLine::join(record), "line");
    }

    void moreThanSixteenFieldsIsRejected() {
        QVERIFY(!QsoLine::split("1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16;17").has_value());
        QVERIFY(!QsoLine::split(QByteArray(16, ';')).has_value());
        QVERIFY(QsoLine::split(QByteArray(15, ';')).has_value());
    }

    void roundTripKeepsUntouchedLine() {
        const QByteArray line = "7;01.02.2003;12:00:00;40m;CW;DL1ABC;599 001;579 012;A01;J\xf6rg;"
                                "K\xf6ln;JO30AA;5W;two#13#10lines;03.02.2003;";
        QCOMPARE(QsoLine::join(*QsoLine::split(line)), line);
    }

    // Whatever bytes the fields hold, the record is one line of sixteen fields that reads
    // back to itself.
    void anyBytesStayOneLine() {
        QRandomGenerator random(12);
        for (int round = 0; round < 2000; ++round) {
            TQsoRecord rec;
            for (QByteArray& f : rec.fields) {
                f.resize(random.bounded(6));
                for (char& c : f)
                    c = char(random.bounded(256));
            }
            const QByteArray line = QsoLine::join(rec);
            QVERIFY(!line.contains('\r') && !line.contains('\n'));
            QCOMPARE(line.count(';'), kQsoFieldCount - 1);
            const std::optional<TQsoRecord> back = QsoLine::split(line);
            QVERIFY(back.has_value());
            QCOMPARE(QsoLine::join(*back), line);
        }
    }

    // Typed text the log cannot hold is stored as its base letters.
    void baseLetters_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("unmappable");
        QTest::newRow("caron") << QStringLiteral("Jiří") << QStringLiteral("Jirí") << false;
        QTest::newRow("stroke") << QStringLiteral("Łódź") << QStringLiteral("Lódz") << false;
        QTest::newRow("double acute") << QStringLiteral("Győr") << QStringLiteral("Gyor") << false;
        QTest::newRow("cp1252 kept")
            << QStringLiteral("Müller €") << QStringLiteral("Müller €") << false;
        QTest::newRow("decomposed input")
            << QStringLiteral("Jir\u030Ci") << QStringLiteral("Jiri") << false;
        QTest::newRow("no base letter")
            << QStringLiteral("a\u4E2Db") << QStringLiteral("a\u4E2Db") << true;
        QTest::newRow("outside the BMP")
            << QStringLiteral("x\U0001F600") << QStringLiteral("x\U0001F600") << true;
    }
    void baseLetters() {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QFETCH(bool, unmappable);
        bool lost = false;
        QCOMPARE(transliterateForCp1252(typed, &lost), stored);
        QCOMPARE(lost, unmappable);
        if (!unmappable)
            QCOMPARE(fromCp1252(toCp1252(stored)), stored);
    }
};

QTEST_GUILESS_MAIN(TestQsoRecord)
#include "tst_qsorecord.moc"
