// Checks our locator arithmetic against hamlib's over random locator pairs. Our figures
// use rounded constants (57.2958, earth radius 6365.11 km), so they agree only within
// tolerances: distance 0.5 %, bearing 1 degree.
#include "coretest.h"
#include "locator.h"

#include <hamlib/rig.h>
#include <hamlib/rotator.h>

#include <cmath>

namespace {

QString randomLocator(QRandomGenerator& random) {
    QString locator;
    for (const auto& [first, count] :
         {std::pair{'A', 18}, {'A', 18}, {'0', 10}, {'0', 10}, {'A', 24}, {'A', 24}})
        locator += QChar(first + static_cast<int>(random.bounded(count)));
    return locator;
}

double angleBetween(double a, double b) {
    const double diff = std::fmod(std::abs(a - b), 360.0);
    return std::min(diff, 360 - diff);
}

} // namespace

class CrossCheckLocatorHamlib : public QObject {
    Q_OBJECT
private slots:
    void agreesWithHamlib() {
        QRandomGenerator random(5935);
        int compared = 0;
        for (int i = 0; i < 5000; ++i) {
            const QString own = randomLocator(random);
            const QString other = randomLocator(random);
            const QByteArray pair = (own + " / " + other).toLatin1();
            // The same centres of the subsquares.
            double lon[2], lat[2];
            for (int end = 0; end < 2; ++end) {
                const QString locator = end == 0 ? own : other;
                QCOMPARE(locator2longlat(&lon[end], &lat[end], locator.toLatin1().constData()),
                         int(RIG_OK));
                const std::optional<TLatLon> ours = LocatorToLatLon(locator);
                QVERIFY2(ours && std::abs(ours->latitude - lat[end]) < 1e-9 &&
                             std::abs(ours->longitude - lon[end]) < 1e-9,
                         qPrintable(locator));
            }
            double distance = 0, azimuth = 0;
            QCOMPARE(qrb(lon[0], lat[0], lon[1], lat[1], &distance, &azimuth), int(RIG_OK));
            const std::optional<TDistanceBearing> ours = LocatorDistanceBearing(own, other);
            QVERIFY(ours);
            QVERIFY2(std::abs(ours->distance - distance) <= 0.005 * distance + 0.01, pair);
            // Within about 100 km of the antipode every direction is nearly as short, so the
            // bearing is ill-defined and the two implementations may rightly differ; very
            // short paths cannot occur between different subsquare centres.
            if (distance > 19900)
                continue;
            QVERIFY2(angleBetween(ours->bearing, azimuth) <= 1, pair);
            ++compared;
        }
        QVERIFY(compared > 4900);
    }
};

QTEST_APPLESS_MAIN(CrossCheckLocatorHamlib)
#include "xcheck_locator_hamlib.moc"
