// A busy station's log for the window benchmarks: bands, modes, entities, DOKs and squares
// spread at random, the same log at every run.
#pragma once

#include "logbuilder.h"

#include <QRandomGenerator>

namespace BusyLog {

// prefixCount of the 20 prefixes are used; distinctCalls ends each call in a random letter
// instead of "BC", so that calls repeat less often.
inline QList<TQsoRecord> records(int count, int prefixCount, bool distinctCalls) {
    const char* const prefixes[] = {"DL", "DK", "OE", "HB9", "PA", "F",  "G",  "I",  "SP", "OK",
                                    "OZ", "SM", "ON", "EA",  "K",  "JA", "VK", "UA", "9A", "LY"};
    const char* const bands[] = {"80m", "40m", "20m", "15m", "10m", "2m", "70cm"};
    const char* const modes[] = {"CW", "SSB", "FM", "RTTY", "FT8"};
    QRandomGenerator random(42);
    QList<TQsoRecord> list;
    for (int n = 1; n <= count; ++n) {
        QByteArray call = QByteArray(prefixes[random.bounded(prefixCount)]) +
                          QByteArray::number(random.bounded(10)) + "A";
        call += distinctCalls ? QByteArray(1, char('A' + random.bounded(26))) : "BC";
        TQsoRecord r = LogBuilder::qso(n, call);
        r[QsoField::Band] = bands[random.bounded(7)];
        r[QsoField::Mode] = modes[random.bounded(5)];
        r[QsoField::Dok] = QByteArray(1, char('A' + random.bounded(26))) +
                           QByteArray::number(random.bounded(10, 60));
        r[QsoField::Locator] = QByteArray(1, char('I' + random.bounded(4))) +
                               QByteArray(1, char('M' + random.bounded(4))) +
                               QByteArray::number(random.bounded(10, 100)) + "AB";
        r[QsoField::QslIn] = random.bounded(3) == 0 ? "01.02.2006" : "";
        list.append(r);
    }
    return list;
}

} // namespace BusyLog
