#include "cp1252.h"
#include "germanformat.h"
#include "testdata.h"
#include "utcdifference.h"

#include <QTest>
#include <QTimeZone>

class TestTextFormats : public QObject {
    Q_OBJECT
private slots:
    void dates_data() {
        columns<QByteArray, QDate>("text", "expected");
        QTest::newRow("full") << QByteArray("05.06.2004") << QDate(2004, 6, 5);
        QTest::newRow("no leading zeros") << QByteArray("5.6.2004") << QDate(2004, 6, 5);
        QTest::newRow("day and month only") << QByteArray("24.12") << QDate(2026, 12, 24);
        QTest::newRow("two-digit year, near") << QByteArray("01.01.30") << QDate(2030, 1, 1);
        QTest::newRow("two-digit year, past") << QByteArray("01.01.60") << QDate(1960, 1, 1);
        QTest::newRow("29 February, leap year") << QByteArray("29.02.2004") << QDate(2004, 2, 29);
        QTest::newRow("29 February, no leap year") << QByteArray("29.02.2003") << QDate();
        QTest::newRow("three-digit year") << QByteArray("01.01.200") << QDate();
        QTest::newRow("slashes") << QByteArray("01/01/2004") << QDate();
        QTest::newRow("empty") << QByteArray() << QDate();
    }
    void dates() {
        QFETCH(QByteArray, text);
        QFETCH(QDate, expected);
        const std::optional<QDate> parsed = GermanFormat::parseDate(text, QDate(2026, 12, 6));
        QCOMPARE(parsed.value_or(QDate()), expected);
        if (expected.isValid())
            QCOMPARE(GermanFormat::parseDate(GermanFormat::formatDate(expected)), expected);
    }

    void decimals_data() {
        columns<double, QByteArray>("value", "text");
        QTest::newRow("half") << 0.5 << QByteArray("0,5");
        QTest::newRow("whole") << 1500.0 << QByteArray("1500");
        QTest::newRow("negative") << -1.0 << QByteArray("-1");
        QTest::newRow("negative zero") << -0.0 << QByteArray("0");
        QTest::newRow("fraction") << 1.25 << QByteArray("1,25");
    }
    void decimals() {
        QFETCH(double, value);
        QFETCH(QByteArray, text);
        QCOMPARE(GermanFormat::formatDecimal(value), text);
        QCOMPARE(GermanFormat::parseDecimal(text).value_or(-999), value);
    }

    void cp1252RoundTrip() {
        const QString text = QString::fromUtf8("K\u00f6ln \u20ac \u201eZitat\u201c");
        const QByteArray bytes = toCp1252(text);
        QCOMPARE(bytes, QByteArray("K\xf6ln \x80 \x84Zitat\x93"));
        QCOMPARE(fromCp1252(bytes), text);
        QCOMPARE(toCp1252(QString::fromUtf8("\u4e2d\U0001F600")), QByteArray("??"));
    }

    // Central Europe's biases (-60, standard 0, daylight -60) in each season; then the
    // automatic difference follows the system's zone.
    void utcDifference() {
        using S = UtcDifference::Season;
        QCOMPARE(UtcDifference::fromBias(-60, 0, -60, S::Standard), -1.0);
        QCOMPARE(UtcDifference::fromBias(-60, 0, -60, S::Daylight), -2.0);
        QCOMPARE(UtcDifference::fromBias(-60, 0, -60, S::Unknown), -1.0);
        const QDateTime at = QDateTime::currentDateTime();
        QCOMPARE(UtcDifference::automatic(at),
                 -QTimeZone::systemTimeZone().offsetFromUtc(at) / 3600.0);
    }
};

QTEST_GUILESS_MAIN(TestTextFormats)
#include "tst_textformats.moc"
