// Feeds arbitrary datagrams to the WSJT-X decoder and what it reads on to the QSO mapping:
// no crash, and a datagram is either read or counted as ignored.
#include "wsjtxmessage.h"
#include "wsjtxqso.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Wsjtx::DecodeCounts counts;
    const auto m = counts.decode(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (counts.taken + counts.ignored() != 1 || bool(m) != (counts.taken == 1))
        std::abort();
    if (!m)
        return 0;
    if (const auto* q = std::get_if<Wsjtx::QsoLogged>(&m->body)) {
        const TQsoRecord rec = WsjtxQso::fromLogged(*q, WsjtxQso::TimeOf::Start);
        if (QsoLine::join(rec).count(';') != kQsoFieldCount - 1)
            std::abort();
    } else if (const auto* a = std::get_if<Wsjtx::LoggedAdif>(&m->body)) {
        WsjtxQso::fromAdif(a->adif, WsjtxQso::TimeOf::End);
    }
    return 0;
}
