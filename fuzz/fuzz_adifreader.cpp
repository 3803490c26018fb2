// Feeds arbitrary bytes to the ADIF reader: it must not crash, hang or hand over a record
// that would not survive a trip through the log file.
#include "adifreader.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    qint64 delivered = 0;
    const AdifReader::ReadResult result = AdifReader::read(bytes, [&](TQsoRecord& rec) {
        ++delivered;
        // One QSO, one line of the log.
        const QByteArray line = QsoLine::join(rec);
        const std::optional<TQsoRecord> back = QsoLine::split(line);
        if (!back || line.contains('\r') || line.contains('\n') || QsoLine::join(*back) != line)
            std::abort();
        if (rec[QsoField::Date].isEmpty() || rec[QsoField::Call].isEmpty())
            std::abort();
    });
    if (result.accepted != delivered)
        std::abort();
    return 0;
}
