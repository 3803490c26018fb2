#include "errorof.h"
#include "locator.h"
#include "testdata.h"
#include "textrows.h"

#include <QPoint>
#include <QTest>

class TestLocator : public QObject {
    Q_OBJECT
private slots:
    // Bearing and distance as shown; "-" for a pair refused, "*" for any bearing from 0 to 360
    // where no one direction is right.
    void paths_data() {
        addColumns<QString, QString, QString>("own", "other", "shown");
        const auto row = [](const char* name, const char* own, const char* other,
                            const char* shown) {
            QTest::newRow(name) << QString(own) << QString::fromUtf8(other)
                                << QString::fromUtf8(shown);
        };
        row("south-east", "JO43SQ", "JN58TD", "166 °, 633 km");
        row("east", "JO43SQ", "JO62QM", "115 °, 287 km");
        row("west, across the Atlantic", "JO43SQ", "FN31PR", "293 °, 5935 km");
        row("far east", "JO43SQ", "PM95VQ", "39 °, 8980 km");
        row("one subsquare north", "JO43SQ", "JO43SR", "0 °, 5 km");
        row("one subsquare south", "JO43SQ", "JO43SP", "180 °, 5 km");
        row("identical", "JO43SQ", "JO43SQ", "0 °, 0 km");
        row("mixed case", "Jo43sQ", "jN58Td", "166 °, 633 km");
        row("subsquare Y", "JO43SQ", "jo43sy", "-");
        row("subsquare X", "JO43SQ", "JO43SX", "0 °, 32 km");
        row("four characters", "JO43SQ", "JO43", "-");
        row("seven characters", "JO43SQ", "JO43SQA", "-");
        row("field letter S", "JO43SQ", "SS43SQ", "180 °, 3624 km");
        row("field letter T", "JO43SQ", "JT43SQ", "-");
        row("letter for a digit", "JO43SQ", "JOA3SQ", "-");
        row("digit for a subsquare", "JO43SQ", "JO4309", "-");
        row("non-ASCII field", "JO43SQ", "ÄO43SQ", "-");
        row("malformed own locator", "JO43S", "JN58TD", "-");
        // Degenerate paths stay finite. The antipode of JO43SQ's centre: latitude and longitude
        // mirrored exactly.
        row("antipodal", "JO43SQ", "AD46SH", "*, 19997 km");
        // Same latitude, longitudes 180 degrees apart: the path runs north over the pole.
        row("opposite longitudes", "JO43SQ", "AO43SQ", "360 °, 8068 km");
        row("southernmost to northernmost", "AA00AA", "AR09AX", "0 °, 19992 km");
        row("identical at the edge of the map", "RR99XX", "RR99XX", "0 °, 0 km");
    }
    void paths() {
        QFETCH(QString, own);
        QFETCH(QString, other);
        QFETCH(QString, shown);
        QString bearing = "kept", distance = "kept";
        const QString error = errorOf(
            [&] { LocDistanceBearing(own, other, "Ungültiger Locator", bearing, distance); });
        if (shown == "-") {
            // The message names both locators, and the texts shown before stay.
            QCOMPARE(error, "Ungültiger Locator (" + own + " / " + other + ")");
            QCOMPARE(bearing + distance, QString("keptkept"));
        } else {
            bool whole = false;
            const int degrees = bearing.chopped(2).toInt(&whole);
            if (shown.startsWith('*') && whole && degrees >= 0 && degrees <= 360)
                bearing = "*";
            QCOMPARE(bearing + ", " + distance, shown);
        }
    }

    void roundsHalfToEven_data() {
        addColumns<double, QString, QString>("value", "bearing", "distance");
        const auto row = [](const char* name, double value, int rounded) {
            QTest::newRow(name) << value << QString::number(rounded) + QString::fromUtf8(" °")
                                << QString::number(rounded) + " km";
        };
        row("half down to even", 2.5, 2);
        row("half up to even", 3.5, 4);
        row("just below a half", 632.4999, 632);
        row("just above a half", 632.5001, 633);
    }
    void roundsHalfToEven() {
        QFETCH(double, value);
        QTEST(BearingText(value), "bearing");
        QTEST(DistanceText(value), "distance");
    }

    void gridNumbers_data() {
        addColumns<QString, QPoint>("locator", "xy");
        QTest::newRow("JO43") << "JO43" << QPoint(94, 116);
        QTest::newRow("six characters read as four") << "JO43SQ" << QPoint(94, 116);
        QTest::newRow("south-west corner") << "AA00" << QPoint(0, 259);
        QTest::newRow("north-east corner") << "RR99" << QPoint(179, 80);
        QTest::newRow("three characters") << "JO4" << QPoint(-1, -1);
        QTest::newRow("letter for a digit") << "JOA3" << QPoint(-1, -1);
        QTest::newRow("letter for the last digit") << "JO4A" << QPoint(-1, -1);
        // Field letters are not checked: a digit there gives a number off the map.
        QTest::newRow("digit for a field letter") << "0O43" << QPoint(-166, 116);
    }
    void gridNumbers() {
        const TLocatorNr nr = LocatorToNr(fetched<QString>("locator"));
        QTEST(QPoint(nr.x, nr.y), "xy");
    }

    void gridNumbersRoundTripOverTheWholeMap() {
        for (int i = 0; i < 18 * 18 * 100; ++i) {
            const QString locator = QString(QChar('A' + i / 1800)) + QChar('A' + i / 100 % 18) +
                                    QString::number(i % 100).rightJustified(2, '0');
            QCOMPARE(NrToLocator(LocatorToNr(locator.toLower())), locator);
        }
    }
};

QTEST_APPLESS_MAIN(TestLocator)
#include "tst_locator.moc"
