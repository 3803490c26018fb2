#pragma once

#include <QString>

// The call, date and time read off a received QSL card, as typed by the operator, turned
// into search texts.
namespace QslIn {

struct Input {
    enum State {
        Off,     // too short: this criterion is not used
        Valid,   // text holds the normalised value
        Invalid, // text holds the completed input that cannot be read
    };
    State state = Off;
    QString text;
};

// "0512" -> "05.12.<current year>", "051224" -> "05.12.2024", "05122024" -> "05.12.2024";
// fewer than 4 characters: Off. Text with a "." is read as a date as it stands.
Input completeDate(const QString& typed, int currentYear);

// "14" -> "14:00:00", "1423" -> "14:23:00", "142305" -> "14:23:05"; fewer than 2
// characters: Off. Text with a ":" is read as a time as it stands.
Input completeTime(const QString& typed);

} // namespace QslIn
