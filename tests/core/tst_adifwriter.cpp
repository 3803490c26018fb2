#include "adifwriter.h"
#include "logbuilder.h"

#include <QTest>

namespace {
const QDate kToday(2026, 12, 6);
const QTime kNow(21, 5, 9);

TQsoRecord erika() {
    return *QsoLine::split("12;05.06.2004;17:31:00;2m;FM;QX1ABC;59;59;;Erika;Kiel;JO54AH;10W;;;");
}
} // namespace

class TestAdifWriter : public QObject {
    Q_OBJECT
private slots:
    void header();
    void exampleRecord();
    void lines_data();
    void lines();
};

void TestAdifWriter::header() {
    QCOMPARE(AdifWriter::header(), QByteArray("This log was created with Dalu LogConverter - "
                                              "https://dalu.example.org/<EOH>\r\n\r\n"));
}

void TestAdifWriter::exampleRecord() {
    QCOMPARE(
        AdifWriter::record(erika(), kToday, kNow),
        QByteArray("<QSO_DATE:8>20040605<TIME_ON:6>173100<BAND:2>2m<MODE:2>FM<CALL:6>QX1ABC\r\n"
                   "<RST_SENT:2>59<RST_RCVD:2>59<NAME:5>Erika<QTH:4>Kiel\r\n"
                   "<GRIDSQUARE:6>JO54AH<TX_PWR:2>10\r\n"
                   "<QSL_SENT:1>N<QSL_RCVD:1>N<EOR>\r\n"));
}

// One field changed from the example; the expected line (1 to 4) of the record.
void TestAdifWriter::lines_data() {
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("line");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("power 100W") << QByteArray("TX Pwr") << QByteArray("100W") << 3
                                << QByteArray("<GRIDSQUARE:6>JO54AH<TX_PWR:3>100");
    QTest::newRow("empty power") << QByteArray("TX Pwr") << QByteArray() << 3
                                 << QByteArray("<GRIDSQUARE:6>JO54AH<TX_PWR:0>");
    QTest::newRow("two-line comment")
        << QByteArray("Comments") << QByteArray("first QSO\r\nvia repeater") << 3
        << QByteArray("<GRIDSQUARE:6>JO54AH<TX_PWR:2>10<COMMENT:22>first QSO via repeater");
    QTest::newRow("unreadable date") << QByteArray("Date") << QByteArray("soon") << 1
                                     << QByteArray("<QSO_DATE:8>20261206<TIME_ON:6>173100"
                                                   "<BAND:2>2m<MODE:2>FM<CALL:6>QX1ABC");
    QTest::newRow("unreadable time") << QByteArray("UTC") << QByteArray("") << 1
                                     << QByteArray("<QSO_DATE:8>20040605<TIME_ON:6>210509"
                                                   "<BAND:2>2m<MODE:2>FM<CALL:6>QX1ABC");
    QTest::newRow("empty call has length 0") << QByteArray("Call") << QByteArray() << 1
                                             << QByteArray("<QSO_DATE:8>20040605<TIME_ON:6>"
                                                           "173100<BAND:2>2m<MODE:2>FM<CALL:0>");
    QTest::newRow("dok") << QByteArray("DOK") << QByteArray("Z10") << 2
                         << QByteArray("<RST_SENT:2>59<RST_RCVD:2>59<DOK:3>Z10<NAME:5>Erika"
                                       "<QTH:4>Kiel");
    QTest::newRow("QSL out") << QByteArray("QSL out") << QByteArray("01.02.2005") << 4
                             << QByteArray("<QSLSDATE:8>20050201<QSL_SENT:1>Y<QSL_RCVD:1>N<EOR>");
    QTest::newRow("QSL in placeholder")
        << QByteArray("QSL in") << QByteArray("01.01.1901") << 4
        << QByteArray("<QSL_SENT:1>N<QSLRDATE:8>19010101<QSL_RCVD:1>Y<EOR>");
    QTest::newRow("unreadable QSL in") << QByteArray("QSL in") << QByteArray("x") << 4
                                       << QByteArray("<QSL_SENT:1>N<QSLRDATE:8>20261206"
                                                     "<QSL_RCVD:1>Y<EOR>");
}

void TestAdifWriter::lines() {
    QFETCH(QByteArray, field);
    QFETCH(QByteArray, value);
    QFETCH(int, line);
    QFETCH(QByteArray, expected);
    TQsoRecord rec = erika();
    const TQsoRecord probe = LogBuilder::record({{field.constData(), "\x01"}});
    for (int i = 0; i < kQsoFieldCount; ++i) {
        if (probe.fields[i] == "\x01")
            rec.fields[i] = value;
    }
    const QByteArray out = AdifWriter::record(rec, kToday, kNow);
    QVERIFY(out.endsWith("\r\n"));
    const QList<QByteArray> lines = out.chopped(2).split('\n');
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines[line - 1].chopped(line < 4 ? 1 : 0), expected);
}

QTEST_GUILESS_MAIN(TestAdifWriter)
#include "tst_adifwriter.moc"
