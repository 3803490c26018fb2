#pragma once

#include "qsorecord.h"

#include <QDate>
#include <QTime>

// The normalisation the log repair applies to each record.
namespace QsoRepair {

// Renumbers the record, fixes letter case and converts power, dates and time to their
// standard forms. What cannot be converted is noted in the comments (" / " and the old
// value, in the order power, date, QSL out, QSL in, time). Throws DaluError when the
// number before "MW" or "KW" is no number.
void normalise(TQsoRecord& rec, int number, QDate today = QDate::currentDate(),
               QTime now = QTime::currentTime());

// "100" -> "100W", "500MW" -> "0,5W", "2KW" -> "2000W" (already upper-cased). Returns
// nothing when the value is neither a number nor ends in "W".
std::optional<QByteArray> normalisePower(const QByteArray& upperPower);

} // namespace QsoRepair
