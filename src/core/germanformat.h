#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QTime>

#include <optional>

// Dates, times and decimals as the German regional settings write them, whatever the
// machine's locale: "dd.mm.yyyy", "hh:nn:ss" and the decimal comma.
namespace GermanFormat {

// Reads day.month.year (one or two digits for day and month, two or four for the year)
// or day.month (the current year). Two-digit years fall in the window from 79 years
// before to 20 years after the current year.
std::optional<QDate> parseDate(QByteArrayView text, QDate today = QDate::currentDate());
QByteArray formatDate(QDate date);

// Reads h:n or h:n:s on the 24-hour clock.
std::optional<QTime> parseTime(QByteArrayView text);
QByteArray formatTime(QTime time);

// A whole decimal number; leading and trailing blanks and a sign are allowed.
std::optional<long long> parseInteger(QByteArrayView text);

// A decimal number with the comma as decimal separator (no thousands separator).
std::optional<double> parseDecimal(QByteArrayView text);
// Shortest form: 0.5 -> "0,5", 1500 -> "1500", -1 -> "-1".
QByteArray formatDecimal(double value);

} // namespace GermanFormat
