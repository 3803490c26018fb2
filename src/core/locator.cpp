#include "locator.h"

#include "asciicase.h"
#include "daluerror.h"

#include <algorithm>
#include <cmath>

namespace {

// The program's own constants: its distances and bearings are known figures, so they
// must not change by using the exact values of pi or the earth's radius.
constexpr double kDegPerRad = 57.2958;
constexpr double kHalfTurn = 180 / kDegPerRad;
constexpr double kEarthRadiusKm = 6365.11;
constexpr double kSubsquares = 24;
constexpr double kSubsquareCentre = 0.5;

bool isAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Field, square and subsquare of one axis as degrees: the latitude, or half the longitude.
std::optional<double> axisValue(QChar field, QChar square, QChar subsquare) {
    const int a = field.unicode() - 'A';
    const int b = square.unicode() - '0';
    const double c = subsquare.unicode() - 'A' + kSubsquareCentre;
    if (a < 0 || a > 18 || b < 0 || b > 9 || c < 0 || c > kSubsquares)
        return std::nullopt;
    return 10.0 * a + b + c / kSubsquares - 90;
}

long long roundHalfEven(double value) {
    const double lower = std::floor(value);
    const double fraction = value - lower;
    long long result = static_cast<long long>(lower);
    if (fraction > 0.5 || (fraction == 0.5 && result % 2 != 0))
        ++result;
    return result;
}

QChar charOfCode(qint64 code) {
    return code >= 0 && code <= 0xFFFF ? QChar(static_cast<char16_t>(code)) : QLatin1Char('?');
}

} // namespace

TLocatorNr LocatorToNr(const QString& locator) {
    if (locator.size() < 4 || !isAsciiDigit(locator.at(2)) || !isAsciiDigit(locator.at(3)))
        return {};
    const QString upper = upperAsciiLetters(locator.left(4));
    return {10 * (upper.at(0).unicode() - 'A') + (upper.at(2).unicode() - '0'),
            10 * (25 - (upper.at(1).unicode() - 'A')) + (9 - (upper.at(3).unicode() - '0'))};
}

QString NrToLocator(TLocatorNr nr) {
    // 64-bit so that no pair of 32-bit numbers can overflow.
    const qint64 x = nr.x;
    const qint64 y = nr.y;
    return QString(charOfCode(x / 10 + 'A')) + charOfCode(25 - y / 10 + 'A') +
           QString::number(x % 10) + QString::number(9 - y % 10);
}

std::optional<TLatLon> LocatorToLatLon(const QString& locator) {
    if (locator.size() != 6)
        return std::nullopt;
    const QString l = upperAsciiLetters(locator);
    const std::optional<double> halfLongitude = axisValue(l.at(0), l.at(2), l.at(4));
    const std::optional<double> latitude = axisValue(l.at(1), l.at(3), l.at(5));
    if (!halfLongitude || !latitude)
        return std::nullopt;
    return TLatLon{*latitude, 2 * *halfLongitude};
}

std::optional<TDistanceBearing> LocatorDistanceBearing(const QString& own, const QString& other) {
    const std::optional<TLatLon> from = LocatorToLatLon(own);
    const std::optional<TLatLon> to = LocatorToLatLon(other);
    if (!from || !to)
        return std::nullopt;
    const double phi1 = from->latitude / kDegPerRad;
    const double phi2 = to->latitude / kDegPerRad;
    const double dLambda = (to->longitude - from->longitude) / kDegPerRad;

    // Rounding can carry the cosine just past +-1 for identical or antipodal points.
    const double cosD = std::clamp(std::sin(phi1) * std::sin(phi2) +
                                       std::cos(phi1) * std::cos(phi2) * std::cos(dLambda),
                                   -1.0, 1.0);
    const double sinD = std::sqrt(1 - cosD * cosD);
    // The central angle in [0, half turn]; testing the cosine rather than the arctangent
    // keeps the exact antipode at a half turn instead of 0 (arctan(0 / -1) is -0).
    double d = cosD == 0 ? kHalfTurn / 2 : std::atan(sinD / cosD);
    if (cosD < 0)
        d += kHalfTurn;

    double bearing = 0;
    if (phi1 != phi2)
        bearing = phi1 > phi2 ? 180 : 0;
    if (dLambda != 0) {
        const double num = std::sin(phi1) * cosD - std::sin(phi2);
        const double den = std::sin(dLambda) * std::cos(phi1) * std::cos(phi2);
        // den is 0 only for exactly opposite longitudes: the arctangent's limit (+-90
        // degrees) gives due south or north; 0 / 0 leaves the north/south start value.
        if (den != 0)
            bearing = std::atan(num / den) * kDegPerRad + 90;
        else if (num != 0)
            bearing = num > 0 ? 180 : 0;
    }
    if (std::sin(dLambda) < 0)
        bearing += 180;
    return TDistanceBearing{bearing, kEarthRadiusKm * d};
}

QString BearingText(double bearing) {
    return QString::number(roundHalfEven(bearing)) + QStringLiteral(" \u00B0");
}

QString DistanceText(double distance) {
    return QString::number(roundHalfEven(distance)) + QStringLiteral(" km");
}

QString InvalidLocatorMessage(const QString& msgInvalidLocator, const QString& own,
                              const QString& other) {
    return msgInvalidLocator + QStringLiteral(" (") + own + QStringLiteral(" / ") + other +
           QLatin1Char(')');
}

void LocDistanceBearing(const QString& own, const QString& other, const QString& msgInvalidLocator,
                        QString& bearingText, QString& distanceText) {
    const std::optional<TDistanceBearing> path = LocatorDistanceBearing(own, other);
    if (!path)
        throw DaluError(InvalidLocatorMessage(msgInvalidLocator, own, other));
    bearingText = BearingText(path->bearing);
    distanceText = DistanceText(path->distance);
}
