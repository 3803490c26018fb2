// Feeds arbitrary bytes to the JPEG decoder of the QSL card viewer: it may refuse them with
// an error, never crash, hang or exit.
#include "cardimage.h"
#include "daluerror.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        const QImage image = CardImage::decodeJpeg(
            QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)),
            QStringLiteral("fuzz.jpg"));
        if (!image.isNull()) [[maybe_unused]]
            volatile uchar last = image.constBits()[image.sizeInBytes() - 1];
    } catch (const DaluError&) {
    }
    return 0;
}
