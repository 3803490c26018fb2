#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

// Grid numbers of a locator's field and square: x grows eastwards, y southwards.
// (-1, -1) marks an unusable locator.
struct TLocatorNr {
    qint32 x = -1;
    qint32 y = -1;

    bool operator==(const TLocatorNr& o) const { return x == o.x && y == o.y; }
    bool operator!=(const TLocatorNr& o) const { return !(*this == o); }
};

// Reads the first four characters. Only the square digits are checked; any character
// is taken as a field letter, which may give numbers outside the map.
TLocatorNr LocatorToNr(const QString& locator);
// The four-character locator of a grid number pair; the inverse of LocatorToNr for
// every valid locator. A field code outside the character range becomes "?".
QString NrToLocator(TLocatorNr nr);

// The centre of a six-character locator's subsquare, in degrees (east and north
// positive), with the program's constants. Field letters A to S, square digits and
// subsquare letters A to X (either case) are accepted; anything else gives nothing.
struct TLatLon {
    double latitude;
    double longitude;
};
std::optional<TLatLon> LocatorToLatLon(const QString& locator);

// Great-circle path from the own station to the other, unrounded.
struct TDistanceBearing {
    double bearing;  // degrees from north, 0 to 360, west of the own station above 180
    double distance; // kilometres
};
std::optional<TDistanceBearing> LocatorDistanceBearing(const QString& own, const QString& other);

// Rounded to the nearest integer, a half to the even neighbour: "166 °" and "633 km".
QString BearingText(double bearing);
QString DistanceText(double distance);

// msgInvalidLocator (the language file's text) + " (own / other)".
QString InvalidLocatorMessage(const QString& msgInvalidLocator, const QString& own,
                              const QString& other);

// Sets bearingText and distanceText from the two locators. An unusable locator leaves
// both untouched and throws a DaluError whose message is InvalidLocatorMessage, for
// the caller to show.
void LocDistanceBearing(const QString& own, const QString& other, const QString& msgInvalidLocator,
                        QString& bearingText, QString& distanceText);
