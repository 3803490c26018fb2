#pragma once

#include <QDateTime>

// The hours to add to local time to get UTC.
namespace UtcDifference {

enum class Season { Unknown, Standard, Daylight };

// From time-zone information in minutes (UTC = local time + bias).
double fromBias(int biasMinutes, int standardBiasMinutes, int daylightBiasMinutes,
                Season season);

// From the system time zone at the given moment (its offset then, daylight saving
// included).
double automatic(const QDateTime& at = QDateTime::currentDateTime());

} // namespace UtcDifference
