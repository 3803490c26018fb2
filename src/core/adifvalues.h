#pragma once

#include "qsorecord.h"

#include <QByteArray>

// Values of other programs' ADIF made fit for the log.
namespace AdifValues {

// A lone CR or LF would break the log's one-line-per-QSO format: in the comments every
// line break becomes CR LF, elsewhere a blank.
void normaliseLineBreaks(TQsoRecord& rec);

// Other programs write "50W", "2.5", "0,5" or "QDX". What Repair could not convert (or
// would stop on, like "XMW") goes to the comments and leaves the power empty, as Repair
// does with it; a missing power stays missing.
QByteArray importPower(const QByteArray& raw, TQsoRecord& rec);

} // namespace AdifValues
