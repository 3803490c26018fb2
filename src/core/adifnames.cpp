#include "adifnames.h"

namespace AdifNames {

namespace {

// A log mode and the ADIF pair for it. Sideband submodes are written for a mode typed as
// "USB", but an imported SSB stays SSB: the log keeps no sideband.
struct ModePair {
    const char* log;
    const char* mode;
    const char* submode;
    bool imported;
};

constexpr ModePair kModes[] = {{"FT4", "MFSK", "FT4", true},
                               {"JS8", "MFSK", "JS8", true},
                               {"FST4", "MFSK", "FST4", true},
                               {"FST4W", "MFSK", "FST4W", true},
                               {"Q65", "MFSK", "Q65", true},
                               {"JTMS", "MFSK", "JTMS", true},
                               {"MFSK16", "MFSK", "MFSK16", true},
                               {"MFSK32", "MFSK", "MFSK32", true},
                               {"PSK31", "PSK", "PSK31", true},
                               {"PSK63", "PSK", "PSK63", true},
                               {"PSK125", "PSK", "PSK125", true},
                               {"PSK250", "PSK", "PSK250", true},
                               {"QPSK31", "PSK", "QPSK31", true},
                               {"QPSK63", "PSK", "QPSK63", true},
                               {"QPSK125", "PSK", "QPSK125", true},
                               {"C4FM", "DIGITALVOICE", "C4FM", true},
                               {"DMR", "DIGITALVOICE", "DMR", true},
                               {"DSTAR", "DIGITALVOICE", "DSTAR", true},
                               {"FREEDV", "DIGITALVOICE", "FREEDV", true},
                               {"M17", "DIGITALVOICE", "M17", true},
                               {"JT65A", "JT65", "JT65A", true},
                               {"JT65B", "JT65", "JT65B", true},
                               {"JT65C", "JT65", "JT65C", true},
                               {"PACTOR", "PAC", "", true},
                               {"PR", "PKT", "", true},
                               {"USB", "SSB", "USB", false},
                               {"LSB", "SSB", "LSB", false}};

const QByteArray kLogLongwave = "2200m";
const QByteArray kAdifLongwave = "2190m";

} // namespace

QByteArray bandFromAdif(const QByteArray& band) {
    return band == kAdifLongwave ? kLogLongwave : band;
}

QByteArray bandToAdif(const QByteArray& band) {
    return band.compare(kLogLongwave, Qt::CaseInsensitive) == 0 ? kAdifLongwave : band;
}

QByteArray modeFromAdif(const QByteArray& mode, const QByteArray& submode) {
    for (const ModePair& p : kModes) {
        if (!p.imported)
            continue;
        const bool modeFits = mode == p.mode || (mode.isEmpty() && *p.submode);
        if (modeFits && (*p.submode ? submode == p.submode : true))
            return p.log;
    }
    return mode;
}

AdifMode modeToAdif(const QByteArray& mode) {
    for (const ModePair& p : kModes) {
        if (mode.compare(p.log, Qt::CaseInsensitive) == 0)
            return {p.mode, p.submode};
    }
    return {mode, {}};
}

} // namespace AdifNames
