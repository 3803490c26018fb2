#include "daluerror.h"
#include "logbuilder.h"
#include "qsorepair.h"

#include <QTest>

namespace {
const QDate kToday(2026, 12, 6);
const QTime kNow(21, 5, 9);
} // namespace

class TestQsoRepair : public QObject {
    Q_OBJECT
private slots:
    void conversions_data();
    void conversions();
    void notesCollectInOrder();
    void caseAndNumber();
    void powerBeforeUnitMustBeNumber();
};

void TestQsoRepair::conversions_data() {
    QTest::addColumn<QByteArray>("fieldName");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<QByteArray>("comments");

    const QByteArray none;
    QTest::newRow("power number gets W")
        << QByteArray("TX Pwr") << QByteArray("100") << QByteArray("100W") << none;
    QTest::newRow("power signed number")
        << QByteArray("TX Pwr") << QByteArray(" +5") << QByteArray(" +5W") << none;
    QTest::newRow("power 5 Watt") << QByteArray("TX Pwr") << QByteArray("5 Watt")
                                  << QByteArray("1W") << QByteArray(" / 5 WATT");
    QTest::newRow("power milliwatt")
        << QByteArray("TX Pwr") << QByteArray("500mW") << QByteArray("0,5W") << none;
    QTest::newRow("power kilowatt")
        << QByteArray("TX Pwr") << QByteArray("2kw") << QByteArray("2000W") << none;
    QTest::newRow("power decimal kilowatt")
        << QByteArray("TX Pwr") << QByteArray("1,5KW") << QByteArray("1500W") << none;
    QTest::newRow("power empty") << QByteArray("TX Pwr") << QByteArray() << QByteArray("1W")
                                 << none;
    QTest::newRow("date ddmmyy") << QByteArray("Date") << QByteArray("050604")
                                 << QByteArray("05.06.2004") << none;
    QTest::newRow("date ddmmyyyy")
        << QByteArray("Date") << QByteArray("05061999") << QByteArray("05.06.1999") << none;
    QTest::newRow("date short parts")
        << QByteArray("Date") << QByteArray("5.6.2004") << QByteArray("05.06.2004") << none;
    QTest::newRow("date two-digit year")
        << QByteArray("Date") << QByteArray("05.06.85") << QByteArray("05.06.1985") << none;
    QTest::newRow("date invalid") << QByteArray("Date") << QByteArray("31.02.2004")
                                  << QByteArray("06.12.2026") << QByteArray(" / 31.02.2004");
    QTest::newRow("date empty") << QByteArray("Date") << QByteArray() << QByteArray("06.12.2026")
                                << QByteArray(" / ");
    QTest::newRow("qsl in ddmmyyyy")
        << QByteArray("QSL in") << QByteArray("05062004") << QByteArray("05.06.2004") << none;
    QTest::newRow("qsl out empty stays")
        << QByteArray("QSL out") << QByteArray() << QByteArray() << none;
    QTest::newRow("qsl out unreadable")
        << QByteArray("QSL out") << QByteArray("soon") << QByteArray() << QByteArray(" / soon");
    QTest::newRow("time hhnn") << QByteArray("UTC") << QByteArray("1731") << QByteArray("17:31:00")
                               << none;
    QTest::newRow("time hhnnss") << QByteArray("UTC") << QByteArray("173105")
                                 << QByteArray("17:31:05") << none;
    QTest::newRow("time h:n") << QByteArray("UTC") << QByteArray("7:5") << QByteArray("07:05:00")
                              << none;
    QTest::newRow("time invalid") << QByteArray("UTC") << QByteArray("25:00")
                                  << QByteArray("21:05:09") << QByteArray(" / 25:00");
}

void TestQsoRepair::conversions() {
    QFETCH(QByteArray, fieldName);
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, output);
    QFETCH(QByteArray, comments);
    TQsoRecord rec = LogBuilder::qso(1);
    rec[QsoField::Comments].clear();
    TQsoRecord probe = LogBuilder::record({{fieldName.constData(), "x"}});
    int index = 0;
    while (probe.fields[index] != "x")
        ++index;
    rec.fields[index] = input;
    QsoRepair::normalise(rec, 1, kToday, kNow);
    QCOMPARE(rec.fields[index], output);
    QCOMPARE(rec[QsoField::Comments], comments);
}

void TestQsoRepair::notesCollectInOrder() {
    TQsoRecord rec = LogBuilder::record({{"Date", "bad date"},
                                         {"UTC", "bad time"},
                                         {"TX Pwr", "qrp"},
                                         {"QSL out", "x1"},
                                         {"QSL in", "x2"},
                                         {"Comments", "old"}});
    QsoRepair::normalise(rec, 3, kToday, kNow);
    QCOMPARE(rec[QsoField::Comments], QByteArray("old / QRP / bad date / x1 / x2 / bad time"));
}

void TestQsoRepair::caseAndNumber() {
    TQsoRecord rec = LogBuilder::record({{"#", "77"},
                                         {"Date", "01.01.2004"},
                                         {"UTC", "10:00:00"},
                                         {"Band", "2M"},
                                         {"Mode", "ssb"},
                                         {"Call", "qx1\xe4"},
                                         {"DOK", "z10"},
                                         {"Locator", "jo54ah"},
                                         {"Name", "erika"},
                                         {"TX Pwr", "10w"}});
    QsoRepair::normalise(rec, 4, kToday, kNow);
    QCOMPARE(rec[QsoField::Number], QByteArray("4"));
    QCOMPARE(rec[QsoField::Band], QByteArray("2m"));
    QCOMPARE(rec[QsoField::Mode], QByteArray("SSB"));
    QCOMPARE(rec[QsoField::Call], QByteArray("QX1\xe4")); // A to Z only
    QCOMPARE(rec[QsoField::Dok], QByteArray("Z10"));
    QCOMPARE(rec[QsoField::Locator], QByteArray("JO54AH"));
    QCOMPARE(rec[QsoField::Name], QByteArray("erika"));
    QCOMPARE(rec[QsoField::TxPwr], QByteArray("10W"));
    QCOMPARE(rec[QsoField::Comments], QByteArray());
}

// Also a number whose watts overflow is no readable power.
void TestQsoRepair::powerBeforeUnitMustBeNumber() {
    for (const char* power : {"AMW", "1e308KW"}) {
        TQsoRecord rec = LogBuilder::qso(1);
        rec[QsoField::TxPwr] = power;
        QVERIFY_THROWS_EXCEPTION(DaluError, QsoRepair::normalise(rec, 1, kToday, kNow));
    }
}

QTEST_APPLESS_MAIN(TestQsoRepair)
#include "tst_qsorepair.moc"
