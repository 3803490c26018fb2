#include "bandmode.h"
#include "maskrules.h"

#include <QTest>

#include <time.h>

class TestMaskRules : public QObject {
    Q_OBJECT
private slots:
    void bandAndModeTables();
    void appendSerial_data();
    void appendSerial();
    void nextSerial_data();
    void nextSerial();
    void powerSteps();
    void wholeHours_data();
    void wholeHours();
    void utcAcrossDaylightSavingChanges_data();
    void utcAcrossDaylightSavingChanges();
};

void TestMaskRules::bandAndModeTables() {
    using namespace BandMode;
    QCOMPARE(TextToBandIndex("70CM"), 2);
    QCOMPARE(TextToBandIndex("6m"), kOtherBand);
    QCOMPARE(TextToBandIndex("160m"), 11);
    QCOMPARE(TextToModeIndex("pactor"), 9);
    QCOMPARE(ModeIndexToText(9), QString("Pactor"));
    QCOMPARE(TextToModeIndex("MFSK"), kOtherMode);
    QCOMPARE(BandIndexToText(kOtherBand), QString());
    QCOMPARE(BandIndexToText(-1), QString());
    for (int i = 0; i < bandTexts().size(); ++i)
        QCOMPARE(TextToBandIndex(BandIndexToText(i)), i);
}

void TestMaskRules::appendSerial_data() {
    QTest::addColumn<QString>("report");
    QTest::addColumn<QString>("serial");
    QTest::addColumn<QString>("result");
    QTest::newRow("appended with one blank") << "59"
                                             << "001"
                                             << "59 001";
    QTest::newRow("trailing blanks dropped first") << "59  "
                                                   << "001"
                                                   << "59 001";
    QTest::newRow("already there") << "59 001"
                                   << "001"
                                   << "59 001";
    QTest::newRow("no serial text") << "59"
                                    << ""
                                    << "59";
    QTest::newRow("serial trimmed") << "599"
                                    << " 12\t"
                                    << "599 12";
}

void TestMaskRules::appendSerial() {
    QFETCH(QString, report);
    QFETCH(QString, serial);
    QFETCH(QString, result);
    QCOMPARE(MaskRules::appendSerial(report, serial), result);
}

void TestMaskRules::nextSerial_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("next");
    QTest::newRow("007") << "007"
                         << "008";
    QTest::newRow("099") << "099"
                         << "100";
    QTest::newRow("999") << "999"
                         << "1000";
    QTest::newRow("1") << "1"
                       << "002";
    QTest::newRow("not a number") << "A1"
                                  << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TestMaskRules::nextSerial() {
    QFETCH(QString, text);
    QFETCH(QString, next);
    QCOMPARE(MaskRules::nextSerial(text).value_or(QString()), next);
}

void TestMaskRules::powerSteps() {
    QList<int> up{2};
    while (up.last() < 40)
        up.append(MaskRules::powerUp(up.last()));
    QCOMPARE(up, (QList<int>{2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 30, 40}));
    QList<int> down{40};
    while (MaskRules::powerDown(down.last()) != down.last())
        down.append(MaskRules::powerDown(down.last()));
    QCOMPARE(down, (QList<int>{40, 30, 20, 18, 16, 14, 12, 10, 8, 6, 4, 2}));
    QCOMPARE(MaskRules::powerDown(3), 1);
    QCOMPARE(MaskRules::powerTag("100W"), 100);
    QCOMPARE(MaskRules::powerTag("0,5W"), 0);
    QCOMPARE(MaskRules::powerTag("W"), 0);
}

void TestMaskRules::wholeHours_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("hours");
    QTest::addColumn<bool>("valid");
    QTest::newRow("minus one") << "-1" << -1 << true;
    QTest::newRow("zero") << "0" << 0 << true;
    QTest::newRow("half hour") << "0,5" << 0 << false;
    QTest::newRow("lone minus") << "-" << 0 << false;
    QTest::newRow("empty") << "" << 0 << false;
}

void TestMaskRules::wholeHours() {
    QFETCH(QString, text);
    QFETCH(int, hours);
    QFETCH(bool, valid);
    const std::optional<int> parsed = MaskRules::wholeHours(text);
    QCOMPARE(parsed.has_value(), valid);
    if (valid)
        QCOMPARE(*parsed, hours);
}

void TestMaskRules::utcAcrossDaylightSavingChanges_data() {
    QTest::addColumn<QString>("instant"); // the system clock, in UTC
    QTest::addColumn<bool>("automatic");
    QTest::addColumn<int>("hours");
    QTest::addColumn<QString>("shown");
    // Berlin: 29.03.2026 02:00 CET -> 03:00 CEST; 25.10.2026 03:00 CEST -> 02:00 CET.
    QTest::newRow("spring, automatic")
        << "2026-03-29T01:30:00Z" << true << 0 << "29.03.2026 01:30:00";
    QTest::newRow("spring, manual -2 on summer time")
        << "2026-03-29T01:30:00Z" << false << -2 << "29.03.2026 01:30:00";
    QTest::newRow("spring, manual -1 before the change")
        << "2026-03-29T00:30:00Z" << false << -1 << "29.03.2026 00:30:00";
    QTest::newRow("autumn, automatic, second 02:30")
        << "2026-10-25T01:30:00Z" << true << 0 << "25.10.2026 01:30:00";
    QTest::newRow("autumn, manual -2 in the first 02:30")
        << "2026-10-25T00:30:00Z" << false << -2 << "25.10.2026 00:30:00";
    QTest::newRow("autumn, manual -1 after the change")
        << "2026-10-25T02:30:00Z" << false << -1 << "25.10.2026 02:30:00";
}

void TestMaskRules::utcAcrossDaylightSavingChanges() {
    QFETCH(QString, instant);
    QFETCH(bool, automatic);
    QFETCH(int, hours);
    QFETCH(QString, shown);
    qputenv("TZ", "Europe/Berlin");
    tzset();
    // The clock reads local time.
    const QDateTime now = QDateTime::fromString(instant, Qt::ISODate).toLocalTime();
    QCOMPARE(MaskRules::maskUtc(now, automatic, hours).toString("dd.MM.yyyy HH:mm:ss"), shown);
}

QTEST_APPLESS_MAIN(TestMaskRules)
#include "tst_maskrules.moc"
