#include "utf8text.h"

#include "cp1252.h"

#include <QString>

#include <cstring>

namespace Utf8Text {

const QByteArrayView kBom("\xEF\xBB\xBF", 3);

namespace {

// Bytes below 0x80 from p on, eight at a time.
const unsigned char* skipAscii(const unsigned char* p, const unsigned char* end) {
    while (end - p >= 8) {
        quint64 word;
        std::memcpy(&word, p, 8);
        if (word & 0x8080808080808080ull)
            break;
        p += 8;
    }
    while (p < end && *p < 0x80)
        ++p;
    return p;
}

} // namespace

bool isAscii(QByteArrayView bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    return skipAscii(p, p + bytes.size()) == p + bytes.size();
}

bool isValid(QByteArrayView bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p < end) {
        p = skipAscii(p, end);
        if (p == end)
            break;
        const unsigned char c = *p;
        int more = 0;
        unsigned int min = 0;
        unsigned int code = 0;
        if (c >= 0xC2 && c <= 0xDF) {
            more = 1;
            min = 0x80;
            code = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            more = 2;
            min = 0x800;
            code = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            more = 3;
            min = 0x10000;
            code = c & 0x07;
        } else {
            return false;
        }
        if (end - p <= more)
            return false;
        for (int i = 1; i <= more; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (p[i] & 0x3F);
        }
        if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        p += more + 1;
    }
    return true;
}

QByteArray toCp1252(QByteArrayView utf8, bool* unmappable) {
    return ::toCp1252(transliterateForCp1252(QString::fromUtf8(utf8), unmappable));
}

} // namespace Utf8Text
