#pragma once

#include "qsorecord.h"

#include <QDate>
#include <QString>

#include <optional>

// The normalisation the log repair applies to each record.
namespace QsoRepair {

// What keeps a line or record from being a QSO; the repair makes up none of it.
enum class Problem { None, TooManyFields, NoDate, NoTime, NoCall };

// "no readable date", ... in the language of the interface.
QString problemText(Problem problem);

// Renumbers the record, fixes letter case and converts power, dates and time to their
// standard forms. What cannot be converted is noted in the comments (" / " and the old
// value, in the order power, QSL out, QSL in). A record whose date or time cannot be
// read, or that has no call, is no QSO: that is returned, and the record is left half
// converted for the caller to drop. Throws DaluError when the number before "MW" or "KW"
// is no number.
Problem normalise(TQsoRecord& rec, int number, QDate today = QDate::currentDate());

// "100" -> "100W", "500MW" -> "0,5W", "2KW" -> "2000W" (already upper-cased). Returns
// nothing when the value is neither a number nor ends in "W".
std::optional<QByteArray> normalisePower(const QByteArray& upperPower);

} // namespace QsoRepair
