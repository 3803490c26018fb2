#include "clockface.h"
#include "datetimeformat.h"
#include "textrows.h"
#include "uitexts.h"

#include <QSet>
#include <QTest>

using namespace ClockFace;

class TestClockFace : public QObject {
    Q_OBJECT
private slots:
    void angles_data() {
        addTextRows("time", "angles", // hour, minute, second hand
                    {{"11:58", "11:58:00", "359 348 0"},
                     {"11:59:00 rounds to the top", "11:59:00", "360 354 0"},
                     {"11:59:59", "11:59:59", "360 360 354"},
                     {"midnight", "00:00:00", "0 0 0"},
                     {"mm:59:55 ties to even", "14:59:55", "90 360 330"},
                     {"mm:00:05 ties to even", "14:00:05", "60 0 30"},
                     {"mm:00:15 ties to even", "14:00:15", "60 2 90"}});
    }
    void angles() {
        QFETCH(QString, time);
        const QTime t = QTime::fromString(time);
        const Angles a = handAngles(t.hour(), t.minute(), t.second());
        QTEST(QString("%1 %2 %3").arg(a.hour).arg(a.minute).arg(a.second), "angles");
    }

    void dialPoints_data() {
        addColumns<int, int, QPoint>("angle", "radius", "point");
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

    void uiTextTableIsUnambiguousAndComplete() {
        QSet<QByteArray> seen;
        for (int i = 0; i < uiTextRowCount(); ++i) {
            const UiTextRow& row = uiTextRows()[i];
            QVERIFY2(!seen.contains(row.german) && row.english && *row.english, row.german);
            seen.insert(row.german);
        }
    }
    void uiTextFollowsTheLanguage() {
        setUiLanguage(uiLanguageOfFile(QStringLiteral("/x/English.lng")));
        QCOMPARE(uiText("Distrikt:"), QStringLiteral("District:"));
        setUiLanguage(uiLanguageOfFile(QStringLiteral("deutsch.lng")));
        QCOMPARE(uiText("Distrikt:"), QStringLiteral("Distrikt:"));
    }
};

QTEST_GUILESS_MAIN(TestClockFace)
#include "tst_clockface.moc"
