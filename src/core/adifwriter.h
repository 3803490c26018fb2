#pragma once

#include "qsorecord.h"

#include <QByteArray>
#include <QDate>

// Writes QSOs as ADIF: one header, then four lines per record with the tags the import
// understands, bands and modes by the standard's names (2190m; MFSK with SUBMODE FT4).
namespace AdifWriter {

// The program's web address, also in the HTML export's footer.
extern const QByteArray kWebAddress;

// "This log was created with Dalu LogConverter - <address><EOH>", CR LF, an empty line.
QByteArray header();

// One record, four CR LF terminated lines. Nothing is made up: a date or time that cannot
// be read leaves its tag out (a card's flag stays), and so does an empty or unreadable
// power. today completes two-digit years.
QByteArray record(const TQsoRecord& rec, QDate today = QDate::currentDate());

} // namespace AdifWriter
