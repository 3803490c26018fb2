#pragma once

#include <QByteArray>

// The names the ADIF standard gives bands and modes, where they differ from the log's.
namespace AdifNames {

// ADIF calls the 2200m band "2190m". Any other band passes as it is (already lower-cased
// on import).
QByteArray bandFromAdif(const QByteArray& band);
QByteArray bandToAdif(const QByteArray& band);

// The log's mode for an ADIF MODE and SUBMODE (both upper-cased): a submode the log keeps
// as a mode of its own (MFSK + FT4 is FT4, PSK + PSK31 is PSK31), a mode the log names
// otherwise (PAC is PACTOR), else MODE as it is (SSB + USB is SSB).
QByteArray modeFromAdif(const QByteArray& mode, const QByteArray& submode);

struct AdifMode {
    QByteArray mode;
    QByteArray submode; // empty when the mode has none
};

// The pair the ADIF standard asks for the log's mode (FT4 is MFSK + FT4, FT8 is FT8);
// a mode the standard does not know is written as it is.
AdifMode modeToAdif(const QByteArray& mode);

} // namespace AdifNames
