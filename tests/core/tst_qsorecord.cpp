#include "logbuilder.h"
#include "qsorecord.h"

#include <QRandomGenerator>
#include <QTest>

class TestQsoRecord : public QObject {
    Q_OBJECT
private slots:
    void split_data();
    void split();
    void join_data();
    void join();
    void moreThanSixteenFieldsIsRejected();
    void roundTripKeepsUntouchedLine();
    void anyBytesStayOneLine();
};

void TestQsoRecord::split_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("field");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("number of short line") << QByteArray("5;01.01.2004") << 0 << QByteArray("5");
    QTest::newRow("date of short line")
        << QByteArray("5;01.01.2004") << 1 << QByteArray("01.01.2004");
    QTest::newRow("missing fields are empty") << QByteArray("5;01.01.2004") << 15 << QByteArray();
    QTest::newRow("no separator fills field 1") << QByteArray("abc") << 0 << QByteArray("abc");
    QTest::newRow("empty line") << QByteArray() << 0 << QByteArray();
    QTest::newRow("comment line break restored")
        << QByteArray("1;;;;;;;;;;;;;abc#13#10def;;") << 13 << QByteArray("abc\r\ndef");
    QTest::newRow("name keeps #13#10 literally")
        << QByteArray("1;;;;;;;;;ab#13#10c;;;;;;") << 9 << QByteArray("ab#13#10c");
    QTest::newRow("sixteen fields, last one")
        << QByteArray("1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16") << 15 << QByteArray("16");
}

void TestQsoRecord::split() {
    QFETCH(QByteArray, line);
    QFETCH(int, field);
    QFETCH(QByteArray, expected);
    const std::optional<TQsoRecord> rec = QsoLine::split(line);
    QVERIFY(rec.has_value());
    QCOMPARE(rec->fields[field], expected);
}

void TestQsoRecord::join_data() {
    QTest::addColumn<TQsoRecord>("record");
    QTest::addColumn<QByteArray>("line");

    QTest::newRow("example record")
        << LogBuilder::record({{"#", "12"},
                               {"Date", "05.06.2004"},
                               {"UTC", "17:31:00"},
                               {"Band", "2m"},
                               {"Mode", "FM"},
                               {"Call", "QX1ABC"},
                               {"RST TX", "59"},
                               {"RST RX", "59"},
                               {"DOK", "Z10"},
                               {"Name", "Erika"},
                               {"QTH", "Kiel"},
                               {"Locator", "JO54AH"},
                               {"TX Pwr", "10W"},
                               {"Comments", "first QSO\r\nvia repeater"}})
        << QByteArray("12;05.06.2004;17:31:00;2m;FM;QX1ABC;59;59;Z10;Erika;Kiel;JO54AH;10W;"
                      "first QSO#13#10via repeater;;");
    QTest::newRow("semicolon dropped")
        << LogBuilder::record({{"Name", "A;B"}}) << QByteArray(";;;;;;;;;AB;;;;;;");
    QTest::newRow("line breaks outside comments are blanks")
        << LogBuilder::record({{"QTH", "a\r\nb\rc\nd"}}) << QByteArray(";;;;;;;;;;a b c d;;;;;");
    QTest::newRow("lone CR and LF in comments are line breaks")
        << LogBuilder::record({{"Comments", "a\rb\nc\n\r"}})
        << QByteArray(";;;;;;;;;;;;;a#13#10b#13#10c#13#10#13#10;;");
}

void TestQsoRecord::join() {
    QFETCH(TQsoRecord, record);
    QFETCH(QByteArray, line);
    QCOMPARE(QsoLine::join(record), line);
}

void TestQsoRecord::moreThanSixteenFieldsIsRejected() {
    QVERIFY(!QsoLine::split("1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16;17").has_value());
    QVERIFY(!QsoLine::split(QByteArray(16, ';')).has_value());
    QVERIFY(QsoLine::split(QByteArray(15, ';')).has_value());
}

void TestQsoRecord::roundTripKeepsUntouchedLine() {
    const QByteArray line = "7;01.02.2003;12:00:00;40m;CW;DL1ABC;599 001;579 012;A01;J\xf6rg;"
                            "K\xf6ln;JO30AA;5W;two#13#10lines;03.02.2003;";
    QCOMPARE(QsoLine::join(*QsoLine::split(line)), line);
}

// Whatever bytes the fields hold, the record is one line of sixteen fields that reads
// back to itself.
void TestQsoRecord::anyBytesStayOneLine() {
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

QTEST_APPLESS_MAIN(TestQsoRecord)
#include "tst_qsorecord.moc"
