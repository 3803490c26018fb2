// Feeds arbitrary bytes to the settings reader: no crash, and what it writes back reads
// back to the same file.
#include "meminifile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TMemIniFile ini{QString()};
    ini.parse(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    const QByteArray written = ini.serialise();
    TMemIniFile again{QString()};
    again.parse(written);
    if (again.serialise() != written)
        std::abort();
    for (const char* section : {"Allgemein", "Positionen", "Buttons"}) {
        for (const QString& key : ini.ReadSection(QLatin1String(section))) {
            ini.ReadInteger(QLatin1String(section), key, 0);
            ini.ReadFloat(QLatin1String(section), key, 0);
        }
    }
    return 0;
}
