#pragma once

#include "qsosearch.h"

#include <QList>
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

// A card's time and the QSO times it stands for: a card gives what it gives, so "1423"
// means the whole minute, "142305" that second only.
struct TimeInput : Input {
    int first = 0; // seconds since midnight, both ends included
    int last = 0;
    // The time as a log stores it: the first second of the span ("14:23:00").
    QString logText() const;
};

// "14" -> "14", that hour; "1423" or "14:23" -> "14:23", that minute; "142305" or
// "14:23:05" -> "14:23:05", that second. Fewer than 2 characters: Off.
TimeInput completeTime(const QString& typed);

// The search criteria of the UTC field: "is" for one second, else the span's bounds as
// "greater" and "less" (one of them at the ends of the day). None unless Valid.
QList<QsoSearch::Criterion> timeCriteria(const TimeInput& time);

} // namespace QslIn
