#include "clockface.h"
#include "datetimeformat.h"
#include "textrows.h"
#include "uitexts.h"

#include <QTest>

using namespace ClockFace;

class TestClockFace : public QObject {
    Q_OBJECT
private slots:
    void angles_data() {
        QTest::addColumn<QTime>("time");
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("minute");
        QTest::addColumn<int>("second");
        QTest::newRow("11:58") << QTime(11, 58, 0) << 359 << 348 << 0;
        QTest::newRow("11:59:00 rounds to the top") << QTime(11, 59, 0) << 360 << 354 << 0;
        QTest::newRow("11:59:59") << QTime(11, 59, 59) << 360 << 360 << 354;
        QTest::newRow("midnight") << QTime(0, 0, 0) << 0 << 0 << 0;
        QTest::newRow("mm:59:55 ties to even") << QTime(14, 59, 55) << 90 << 360 << 330;
        QTest::newRow("mm:00:05 ties to even") << QTime(14, 0, 5) << 60 << 0 << 30;
        QTest::newRow("mm:00:15 ties to even") << QTime(14, 0, 15) << 60 << 2 << 90;
    }
    void angles() {
        QFETCH(QTime, time);
        const Angles a = handAngles(time.hour(), time.minute(), time.second());
        QTEST(a.hour, "hour");
        QTEST(a.minute, "minute");
        QTEST(a.second, "second");
    }

    void dialPoints_data() {
        QTest::addColumn<int>("angle");
        QTest::addColumn<int>("radius");
        QTest::addColumn<QPoint>("point");
        QTest::newRow("360 at the top") << 360 << 30 << QPoint(55, 25);
        QTest::newRow("0 at the top") << 0 << 54 << QPoint(55, 1);
        QTest::newRow("3 o'clock") << 90 << 48 << QPoint(103, 55);
        QTest::newRow("30 degrees") << 30 << 50 << QPoint(80, 12);
        QTest::newRow("past 360") << 390 << 50 << QPoint(80, 12);
    }
    void dialPoints() {
        QFETCH(int, angle);
        QFETCH(int, radius);
        QTEST(dialPoint(angle, radius), "point");
    }

    void format_data() {
        addTextRows(
            "pattern", "text",
            {{"default", "dddddd', - 'tt", "Montag, 7. Dezember 2026, - 13:05:09"},
             {"design", "dddd', der 'dd.mm.yyyy' 'hh:nn:ss", "Montag, der 07.12.2026 13:05:09"},
             {"minutes after hour", "hh:mm", "13:05"},
             {"quoted letters", "'hh' hh", "hh 13"},
             {"unclosed quote", "ss'abc", "09abc"}});
    }
    void format() {
        QFETCH(QString, pattern);
        QTEST(DateTimeFormat::format(pattern, QDateTime(QDate(2026, 12, 7), QTime(13, 5, 9))),
              "text");
    }
    void formatFollowsTheLanguage() {
        setUiLanguage(UiLanguage::English);
        QCOMPARE(
            DateTimeFormat::format(QStringLiteral("dddd"), QDateTime(QDate(2026, 12, 7), QTime())),
            QStringLiteral("Monday"));
        setUiLanguage(UiLanguage::German);
    }
};

QTEST_GUILESS_MAIN(TestClockFace)
#include "tst_clockface.moc"
