#pragma once

#include <QString>
#include <QStringList>

// The band and mode tables every page uses to turn texts into indexes and back.
namespace BandMode {

inline constexpr int kOtherBand = 12;
inline constexpr int kOtherMode = 11;

const QStringList& bandTexts(); // the twelve bands, index order
const QStringList& modeTexts(); // the eleven modes as given ("Pactor")

int TextToBandIndex(const QString& text); // compares lower-cased; 12 for any other text
int TextToModeIndex(const QString& text); // compares upper-cased; 11 for any other text
// The table text; empty for an index outside the table (including "other").
QString BandIndexToText(int index);
QString ModeIndexToText(int index);

} // namespace BandMode
