#pragma once

#include <QDateTime>
#include <QString>

// Date and time as the operator's format strings write them: "dddddd" the long date,
// "tt" the long time, "dddd" the weekday, "dd", "mm", "yyyy", "hh", "nn", "ss", text in
// quotes copied unchanged. The German forms are the reference; day and month names follow
// the language of the user interface.
namespace DateTimeFormat {

QString longDate(const QDate& date);  // "Montag, 7. Dezember 2026"
QString shortDate(const QDate& date); // "07.12.2026"
QString longTime(const QTime& time);  // "09:05:03"

// Letters, case-insensitive: d dd ddd dddd ddddd dddddd, m mm mmm mmmm (minutes right after
// an hour), yy yyyy, h hh, n nn, s ss, t tt, c; "/" and ":" are the date and time separators;
// '...' and "..." are copied without their quotes; anything else is copied.
QString format(const QString& pattern, const QDateTime& t);

} // namespace DateTimeFormat
