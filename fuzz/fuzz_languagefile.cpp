// Feeds arbitrary bytes to the language file reader: no crash, every line readable.
#include "languagefile.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const LanguageTexts texts =
        parseLanguageTexts(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    qsizetype total = 0;
    for (int line = 0; line <= LanguageTexts::lineCount() + 1; ++line)
        total += texts.text(line).size();
    return total < 0;
}
