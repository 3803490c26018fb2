#include "clockface.h"

#include <cmath>

namespace ClockFace {

namespace {

// std::nearbyint rounds ties to even in the default rounding mode.
int roundHalfEven(double value) {
    return static_cast<int>(std::nearbyint(value));
}

} // namespace

QPoint dialPoint(int angle, int radius) {
    const double theta = ((angle % 360 + 360) % 360) * M_PI / 180.0;
    return {roundHalfEven(kCentre + radius * std::sin(theta)),
            roundHalfEven(kCentre - radius * std::cos(theta))};
}

Angles handAngles(int hour, int minute, int second) {
    return {roundHalfEven((hour % 12) * 30 + minute / 2.0),
            roundHalfEven(minute * 6 + second / 10.0), second * 6};
}

QVector<Stroke> strokes(int hour, int minute, int second) {
    QVector<Stroke> out;
    for (int i = 0; i < 12; ++i)
        out.append({dialPoint(i * 30, 50), dialPoint(i * 30, 54), kBlack, 1});
    const Angles a = handAngles(hour, minute, second);
    const QPoint centre(kCentre, kCentre);
    out.append({centre, dialPoint(a.second, 48), kNavy, 1});
    out.append({centre, dialPoint(a.minute, 40), kBlack, 1});
    out.append({centre, dialPoint(a.hour, 30), kBlack, 2});
    out.append({centre, centre, kMaroon, 5});
    return out;
}

} // namespace ClockFace
