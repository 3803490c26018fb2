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
    QTest::newRow("south-east") << "JO43SQ"
                                << "JN58TD"
                                << "166 °"
                                << "633 km";
    QTest::newRow("east") << "JO43SQ"
                          << "JO62QM"
                          << "115 °"
                          << "287 km";
    QTest::newRow("west, across the Atlantic") << "JO43SQ"
                                               << "FN31PR"
                                               << "293 °"
                                               << "5935 km";
    QTest::newRow("far east") << "JO43SQ"
                              << "PM95VQ"
                              << "39 °"
                              << "8980 km";
    QTest::newRow("one square east") << "JO43SQ"
                                     << "JO53SQ"
                                     << "89 °"
                                     << "132 km";
    QTest::newRow("one subsquare north") << "JO43SQ"
                                         << "JO43SR"
                                         << "0 °"
                                         << "5 km";
    QTest::newRow("one subsquare south") << "JO43SQ"
                                         << "JO43SP"
                                         << "180 °"
                                         << "5 km";
    QTest::newRow("identical") << "JO43SQ"
                               << "JO43SQ"
                               << "0 °"
                               << "0 km";
    QTest::newRow("lower case") << "jo43sq"
                                << "jn58td"
                                << "166 °"
                                << "633 km";
    QTest::newRow("mixed case") << "Jo43sQ"
                                << "jN58Td"
                                << "166 °"
                                << "633 km";
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
    QTest::newRow("subsquare Y") << "JO43SQ"
                                 << "JO43SY" << false;
    QTest::newRow("subsquare X") << "JO43SQ"
                                 << "JO43SX" << true;
    QTest::newRow("four characters") << "JO43SQ"
                                     << "JO43" << false;
    QTest::newRow("seven characters") << "JO43SQ"
                                      << "JO43SQA" << false;
    QTest::newRow("empty") << "JO43SQ"
                           << "" << false;
    QTest::newRow("field letter S") << "JO43SQ"
                                    << "SS43SQ" << true;
    QTest::newRow("field letter T") << "JO43SQ"
                                    << "JT43SQ" << false;
    QTest::newRow("letter for a digit") << "JO43SQ"
                                        << "JOA3SQ" << false;
    QTest::newRow("digit for a subsquare") << "JO43SQ"
                                           << "JO4309" << false;
    QTest::newRow("non-ASCII field") << "JO43SQ"
                                     << "ÄO43SQ" << false;
    QTest::newRow("blank") << "JO43SQ"
                           << "JO43 Q" << false;
    QTest::newRow("malformed own locator") << "JO43S"
                                           << "JN58TD" << false;
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
    const double halfCircumference = 6365.11 * 180 / 57.2958;
    // The antipode of JO43SQ's centre: latitude and longitude mirrored exactly.
    QTest::newRow("antipodal") << "JO43SQ"
                               << "AD46SH" << halfCircumference;
    QTest::newRow("antipodal, reversed") << "AD46SH"
                                         << "JO43SQ" << halfCircumference;
    // Same latitude, longitudes 180 degrees apart: the path runs over the pole,
    // 180 - 2 x 53.6875 degrees of arc.
    QTest::newRow("opposite longitudes") << "JO43SQ"
                                         << "AO43SQ" << 6365.11 * (180 - 2 * 53.6875) / 57.2958;
    QTest::newRow("southernmost to northernmost")
        << "AA00AA"
        << "AR09AX" << 6365.11 * (2 * (90 - 0.5 / 24)) / 57.2958;
    QTest::newRow("identical at the edge of the map") << "RR99XX"
                                                      << "RR99XX" << 0.0;
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
    QTest::newRow("half down to even") << 2.5 << "2 °"
                                       << "2 km";
    QTest::newRow("half up to even") << 3.5 << "4 °"
                                     << "4 km";
    QTest::newRow("zero and a half") << 0.5 << "0 °"
                                     << "0 km";
    QTest::newRow("just below a half") << 632.4999 << "632 °"
                                       << "632 km";
    QTest::newRow("just above a half") << 632.5001 << "633 °"
                                       << "633 km";
    QTest::newRow("whole") << 360.0 << "360 °"
                           << "360 km";
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
    QTest::newRow("lower case") << "jo43" << 94 << 116;
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
