#include "bandplan.h"

#include <iterator>

namespace BandPlan {

namespace {

constexpr qint64 kKHz = 1000;
constexpr qint64 kMHz = 1000 * kKHz;

// IARU Region 1 edges, from the highest band down as in the band table.
constexpr BandEdges kRegion1[] = {
    {"1.25cm", 24000 * kMHz, 24250 * kMHz}, {"3cm", 10000 * kMHz, 10500 * kMHz},
    {"6cm", 5650 * kMHz, 5850 * kMHz},      {"9cm", 3400 * kMHz, 3475 * kMHz},
    {"13cm", 2300 * kMHz, 2450 * kMHz},     {"23cm", 1240 * kMHz, 1300 * kMHz},
    {"70cm", 430 * kMHz, 440 * kMHz},       {"2m", 144 * kMHz, 146 * kMHz},
    {"4m", 70 * kMHz, 70500 * kKHz},        {"6m", 50 * kMHz, 54 * kMHz},
    {"10m", 28000 * kKHz, 29700 * kKHz},    {"12m", 24890 * kKHz, 24990 * kKHz},
    {"15m", 21000 * kKHz, 21450 * kKHz},    {"17m", 18068 * kKHz, 18168 * kKHz},
    {"20m", 14000 * kKHz, 14350 * kKHz},    {"30m", 10100 * kKHz, 10150 * kKHz},
    {"40m", 7000 * kKHz, 7200 * kKHz},      {"60m", 5351500, 5366500},
    {"80m", 3500 * kKHz, 3800 * kKHz},      {"160m", 1810 * kKHz, 2000 * kKHz},
    {"630m", 472 * kKHz, 479 * kKHz},       {"2200m", 135700, 137800}};

} // namespace

const BandEdges* region1Begin() {
    return std::begin(kRegion1);
}

const BandEdges* region1End() {
    return std::end(kRegion1);
}

QString bandOfFrequency(qint64 hz) {
    for (const BandEdges& edges : kRegion1) {
        if (hz >= edges.lowHz && hz <= edges.highHz)
            return QLatin1String(edges.band);
    }
    return {};
}

QString megahertzText(qint64 hz) {
    const qint64 magnitude = hz < 0 ? -hz : hz;
    return QStringLiteral("%1%2,%3")
        .arg(hz < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / kMHz)
        .arg(magnitude % kMHz, 6, 10, QLatin1Char('0'));
}

} // namespace BandPlan
