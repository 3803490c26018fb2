#pragma once

#include <QString>
#include <QStringList>

// The band and mode tables every page uses to turn texts into indexes and back. A QSO
// holds its band and mode as text, never as an index, so the tables may grow.
namespace BandMode {

// Every amateur band of IARU Region 1, by wavelength from the shortest.
const QStringList& bandTexts();
// The modes an operator uses today, then the older ones that old logs still hold
// ("Pactor" as given).
const QStringList& modeTexts();

// The index after the table: the "..." entry for any other text.
int otherBand();
int otherMode();

int TextToBandIndex(const QString& text); // compares lower-cased; otherBand() for any other
int TextToModeIndex(const QString& text); // compares upper-cased; otherMode() for any other
// The table text; empty for an index outside the table (including "other").
QString BandIndexToText(int index);
QString ModeIndexToText(int index);

// Type-ahead in a list: the entry the typed text names exactly, else the first that
// starts with it (letter case ignored); -1 when none does.
int matchIndex(const QStringList& entries, const QString& typed);

} // namespace BandMode
