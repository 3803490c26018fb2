#pragma once

#include <QString>
#include <QStringList>

#include <iterator>

// The band and mode tables every page uses to turn texts into indexes and back. A QSO
// holds its band and mode as text, never as an index, so the tables may grow.
namespace BandMode {

// Every amateur band of IARU Region 1, by wavelength from the shortest.
inline constexpr const char* kBands[] = {
    "1.25cm", "3cm", "6cm", "9cm", "13cm", "23cm", "70cm", "2m",  "4m",   "6m",   "10m",
    "12m",    "15m", "17m", "20m", "30m",  "40m",  "60m",  "80m", "160m", "630m", "2200m"};
// The modes an operator uses today, then the older ones that old logs still hold
// ("Pactor" as given).
inline constexpr const char* kModes[] = {"CW",  "SSB",   "AM",     "FM",   "FT8",          "FT4",
                                         "JS8", "PSK31", "RTTY",   "SSTV", "DIGITALVOICE", "ATV",
                                         "PR",  "PSK",   "Pactor", "FAX"};

// The index after each table: the "..." entry for any other text.
inline constexpr int kOtherBand = int(std::size(kBands));
inline constexpr int kOtherMode = int(std::size(kModes));

const QStringList& bandTexts(); // kBands
const QStringList& modeTexts(); // kModes

int TextToBandIndex(const QString& text); // compares lower-cased; kOtherBand for any other
int TextToModeIndex(const QString& text); // compares upper-cased; kOtherMode for any other
// The table text; empty for an index outside the table (including "other").
QString BandIndexToText(int index);
QString ModeIndexToText(int index);

// Type-ahead in a list: the entry the typed text names exactly, else the first that
// starts with it (letter case ignored); -1 when none does.
int matchIndex(const QStringList& entries, const QString& typed);

} // namespace BandMode
