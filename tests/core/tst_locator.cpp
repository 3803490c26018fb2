#include "daluerror.h"
#include "locator.h"

#include <QTest>

#include <cmath>

class TestLocator : public QObject {
    Q_OBJECT
private slots:
    void knownPaths_data();
    void knownPaths();
    void unusableLocators_data();
    void unusableLocators();
    void failureLeavesResultsAndNamesBothLocators();
    void degeneratePathsStayFinite_data();
    void degeneratePathsStayFinite();
    void roundsHalfToEven_data();
    void roundsHalfToEven();
    void gridNumbers_data();
    void gridNumbers();
    void gridNumbersRoundTripOverTheWholeMap();
};

void TestLocator::knownPaths_data() {
    QTest::addColumn<QString>("own");
    QTest::addColumn<QString>("other");
    QTest::addColumn<QString>("bearing");
    QTest::addColumn<QString>("distance");
    const auto row = [](const char* name, const char* own, const char* other, const char* bearing,
                        const char* distance) {
        QTest::newRow(name) << QString(own) << QString(other) << QString::fromUtf8(bearing)
                            << QString(distance);
    };
    row("south-east", "JO43SQ", "JN58TD", "166 °", "633 km");
    row("east", "JO43SQ", "JO62QM", "115 °", "287 km");
    row("west, across the Atlantic", "JO43SQ", "FN31PR", "293 °", "5935 km");
    row("far east", "JO43SQ", "PM95VQ", "39 °", "8980 km");
    row("one square east", "JO43SQ", "JO53SQ", "89 °", "132 km");
    row("one subsquare north", "JO43SQ", "JO43SR", "0 °", "5 km");
    row("one subsquare south", "JO43SQ", "JO43SP", "180 °", "5 km");
    row("identical", "JO43SQ", "JO43SQ", "0 °", "0 km");
    row("mixed case", "Jo43sQ", "jN58Td", "166 °", "633 km");
}

void TestLocator::knownPaths() {
    QFETCH(QString, own);
    QFETCH(QString, other);
    QString bearingText;
    QString distanceText;
    LocDistanceBearing(own, other, "invalid", bearingText, distanceText);
    QTEST(bearingText, "bearing");
    QTEST(distanceText, "distance");
}

void TestLocator::unusableLocators_data() {
    QTest::addColumn<QString>("own");
    QTest::addColumn<QString>("other");
    QTest::addColumn<bool>("usable");
    const auto row = [](const char* name, const char* other, bool usable,
                        const char* own = "JO43SQ") {
        QTest::newRow(name) << QString(own) << QString::fromUtf8(other) << usable;
    };
    row("subsquare Y", "JO43SY", false);
    row("subsquare X", "JO43SX", true);
    row("four characters", "JO43", false);
    row("seven characters", "JO43SQA", false);
    row("empty", "", false);
    row("field letter S", "SS43SQ", true);
    row("field letter T", "JT43SQ", false);
    row("letter for a digit", "JOA3SQ", false);
    row("digit for a subsquare", "JO4309", false);
    row("non-ASCII field", "ÄO43SQ", false);
    row("blank", "JO43 Q", false);
    row("malformed own locator", "JN58TD", false, "JO43S");
}

void TestLocator::unusableLocators() {
    QFETCH(QString, own);
    QFETCH(QString, other);
    QFETCH(bool, usable);
    const std::optional<TDistanceBearing> path = LocatorDistanceBearing(own, other);
    QCOMPARE(path.has_value(), usable);
    if (path) {
        QVERIFY(path->bearing >= 0 && path->bearing <= 360);
        QVERIFY(path->distance > 0 && path->distance < 20000);
    }
}

void TestLocator::failureLeavesResultsAndNamesBothLocators() {
    QString bearingText = "kept";
    QString distanceText = "kept";
    try {
        LocDistanceBearing("JO43SQ", "jo43sy", "Ungültiger Locator", bearingText, distanceText);
        QFAIL("no error for an unusable locator");
    } catch (const DaluError& e) {
        QCOMPARE(e.message(), QString("Ungültiger Locator (JO43SQ / jo43sy)"));
    }
    QCOMPARE(bearingText, QString("kept"));
    QCOMPARE(distanceText, QString("kept"));
}

void TestLocator::degeneratePathsStayFinite_data() {
    QTest::addColumn<QString>("own");
    QTest::addColumn<QString>("other");
    QTest::addColumn<double>("distance");
    const auto row = [](const char* name, const char* own, const char* other, double arc) {
        QTest::newRow(name) << QString(own) << QString(other) << 6365.11 * arc / 57.2958;
    };
    // The antipode of JO43SQ's centre: latitude and longitude mirrored exactly.
    row("antipodal", "JO43SQ", "AD46SH", 180);
    row("antipodal, reversed", "AD46SH", "JO43SQ", 180);
    // Same latitude, longitudes 180 degrees apart: the path runs over the pole.
    row("opposite longitudes", "JO43SQ", "AO43SQ", 180 - 2 * 53.6875);
    row("southernmost to northernmost", "AA00AA", "AR09AX", 2 * (90 - 0.5 / 24));
    row("identical at the edge of the map", "RR99XX", "RR99XX", 0);
}

void TestLocator::degeneratePathsStayFinite() {
    QFETCH(QString, own);
    QFETCH(QString, other);
    QFETCH(double, distance);
    const std::optional<TDistanceBearing> path = LocatorDistanceBearing(own, other);
    QVERIFY(path);
    QVERIFY(std::isfinite(path->bearing));
    QVERIFY(std::isfinite(path->distance));
    QVERIFY2(path->bearing >= 0 && path->bearing <= 360,
             qPrintable(QString::number(path->bearing)));
    QVERIFY2(std::abs(path->distance - distance) < 1, qPrintable(QString::number(path->distance)));
}

void TestLocator::roundsHalfToEven_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("bearing");
    QTest::addColumn<QString>("distance");
    const auto row = [](const char* name, double value, int rounded) {
        QTest::newRow(name) << value << QString::number(rounded) + QString::fromUtf8(" °")
                            << QString::number(rounded) + " km";
    };
    row("half down to even", 2.5, 2);
    row("half up to even", 3.5, 4);
    row("zero and a half", 0.5, 0);
    row("just below a half", 632.4999, 632);
    row("just above a half", 632.5001, 633);
    row("whole", 360.0, 360);
}

void TestLocator::roundsHalfToEven() {
    QFETCH(double, value);
    QTEST(BearingText(value), "bearing");
    QTEST(DistanceText(value), "distance");
}

void TestLocator::gridNumbers_data() {
    QTest::addColumn<QString>("locator");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::newRow("JO43") << "JO43" << 94 << 116;
    QTest::newRow("six characters read as four") << "JO43SQ" << 94 << 116;
    QTest::newRow("south-west corner") << "AA00" << 0 << 259;
    QTest::newRow("north-east corner") << "RR99" << 179 << 80;
    QTest::newRow("three characters") << "JO4" << -1 << -1;
    QTest::newRow("letter for a digit") << "JOA3" << -1 << -1;
    QTest::newRow("letter for the last digit") << "JO4A" << -1 << -1;
    QTest::newRow("empty") << "" << -1 << -1;
    // Field letters are not checked: a digit there gives a number off the map.
    QTest::newRow("digit for a field letter") << "0O43" << -166 << 116;
}

void TestLocator::gridNumbers() {
    QFETCH(QString, locator);
    QFETCH(int, x);
    QFETCH(int, y);
    QCOMPARE(LocatorToNr(locator), (TLocatorNr{x, y}));
}

void TestLocator::gridNumbersRoundTripOverTheWholeMap() {
    for (char lon = 'A'; lon <= 'R'; ++lon) {
        for (char lat = 'A'; lat <= 'R'; ++lat) {
            for (int square = 0; square < 100; ++square) {
                const QString locator = QString("%1%2%3%4")
                                            .arg(QLatin1Char(lon))
                                            .arg(QLatin1Char(lat))
                                            .arg(square / 10)
                                            .arg(square % 10);
                QCOMPARE(NrToLocator(LocatorToNr(locator.toLower())), locator);
            }
        }
    }
}

QTEST_APPLESS_MAIN(TestLocator)
#include "tst_locator.moc"
