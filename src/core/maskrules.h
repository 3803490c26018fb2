#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

// The small rules of the entry mask that need no window.
namespace MaskRules {

// The report sent with the serial-number text: "59" and "001" give "59 001"; a report
// that already holds the text, or an empty text, leaves the report as it is.
QString appendSerial(const QString& report, const QString& serialText);

// The serial-number text after a QSO: the number plus one, at least three digits
// ("007" -> "008", "999" -> "1000"). Nothing when the text is no whole number.
std::optional<QString> nextSerial(const QString& serialText);

// Transmit power editor: the watts before the final "W" (0 when no whole number), and
// the arrow steps (below 20 by 2, else by 10; down: from 30 by 10, 3 to 29 by 2).
int powerTag(const QString& text);
int powerUp(int watts);
int powerDown(int watts);

// The working UTC offset in hours: the UTC difference must be a whole number of hours.
std::optional<int> wholeHours(const QString& text);

// Date and UTC shown by the mask at the moment now: with the automatic difference the
// system's UTC; with a manual one the local wall-clock date and time plus the hours, so
// that a change of daylight saving time moves it as it moves the operator's clock.
QDateTime maskUtc(const QDateTime& now, bool automatic, int hours);

// Typed or pasted text made storable: characters Windows-1252 holds stay, letters it cannot
// hold become their base letter ("Łódź" -> "Lódz"), anything else "?" (as the log would
// store it), and ";" a comma. In a one-line field every line break (CR LF, CR or LF) and other
// control character becomes one blank; in the comments line breaks stay as "\n".
QString storableText(const QString& text, bool oneLine);

// Trims blanks and control characters at both ends.
QString trimmedText(const QString& text);

// The report a first start proposes for a mode while no preset is set: "59" for voice and
// pictures, "599" for CW and the text modes, nothing for the modes that report in dB
// (FT8, FT4, JS8): the operator types what the other station sent.
QString proposedReport(const QString& mode);

} // namespace MaskRules
