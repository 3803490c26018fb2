#include "bandmode.h"
#include "maskrules.h"
#include "textrows.h"

#include <QTest>

#include <time.h>

class TestMaskRules : public QObject {
    Q_OBJECT
private slots:
    void bandAndModeTables() {
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

    void appendSerial_data() {
        QTest::addColumn<QString>("report");
        QTest::addColumn<QString>("serial");
        QTest::addColumn<QString>("result");
        const auto row = [](const char* name, const char* report, const char* serial,
                            const char* result) {
            QTest::newRow(name) << QString(report) << QString(serial) << QString(result);
        };
        row("appended with one blank", "59", "001", "59 001");
        row("trailing blanks dropped first", "59  ", "001", "59 001");
        row("already there", "59 001", "001", "59 001");
        row("no serial text", "59", "", "59");
        row("serial trimmed", "599", " 12\t", "599 12");
    }
    void appendSerial() {
        QFETCH(QString, report);
        QFETCH(QString, serial);
        QTEST(MaskRules::appendSerial(report, serial), "result");
    }

    void nextSerial_data() {
        addTextRows("text", "next",
                    {{"007", "007", "008"},
                     {"099", "099", "100"},
                     {"999", "999", "1000"},
                     {"1", "1", "002"},
                     {"not a number", "A1", ""},
                     {"empty", "", ""}});
    }
    void nextSerial() {
        QFETCH(QString, text);
        QTEST(MaskRules::nextSerial(text).value_or(QString()), "next");
    }

    void powerSteps() {
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

    void wholeHours_data() {
        addTextRows("text", "hours",
                    {{"minus one", "-1", "-1"},
                     {"zero", "0", "0"},
                     {"half hour", "0,5", "none"},
                     {"lone minus", "-", "none"},
                     {"empty", "", "none"}});
    }
    void wholeHours() {
        QFETCH(QString, text);
        const std::optional<int> parsed = MaskRules::wholeHours(text);
        QTEST(parsed ? QString::number(*parsed) : QString("none"), "hours");
    }

    void utcAcrossDaylightSavingChanges_data() {
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
    void utcAcrossDaylightSavingChanges() {
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
};

QTEST_APPLESS_MAIN(TestMaskRules)
#include "tst_maskrules.moc"
