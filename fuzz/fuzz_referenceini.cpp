// Feeds arbitrary bytes to the reader of DXCC.ini and DOK.ini: no crash, and lookups of
// keys it holds or not answer.
#include "referenceini.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const TReferenceIni ini(bytes);
    qsizetype total = 0;
    for (const char* section : {"DXCC", "OV", "Distrikt", ""})
        for (const char* key : {"DL", "A01", "a", "", "="})
            total += ini.ReadString(QLatin1String(section), QLatin1String(key)).size();
    return total < 0;
}
