#include "utcdifference.h"

#include <QTimeZone>

namespace UtcDifference {

double fromBias(int biasMinutes, int standardBiasMinutes, int daylightBiasMinutes,
                Season season) {
    switch (season) {
    case Season::Standard:
        return (biasMinutes + standardBiasMinutes) / 60.0;
    case Season::Daylight:
        return (biasMinutes + daylightBiasMinutes) / 60.0;
    case Season::Unknown:
        break;
    }
    return biasMinutes / 60.0;
}

double automatic(const QDateTime& at) {
    const QTimeZone zone = QTimeZone::systemTimeZone();
    const int offsetSeconds = zone.offsetFromUtc(at);
    const int standardSeconds = zone.standardTimeOffset(at);
    const Season season = !zone.hasDaylightTime() ? Season::Unknown
                          : zone.isDaylightTime(at) ? Season::Daylight
                                                    : Season::Standard;
    // The zone's base offset is the bias; daylight time adds the difference to it.
    return fromBias(-standardSeconds / 60, 0, -(offsetSeconds - standardSeconds) / 60, season);
}

} // namespace UtcDifference
