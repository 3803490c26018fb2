#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Files from other programs come as UTF-8 or as 8-bit Windows-1252; the log stores
// Windows-1252.
namespace Utf8Text {

// The three bytes of a UTF-8 byte-order mark.
extern const QByteArrayView kBom;

// True when no byte is beyond ASCII.
bool isAscii(QByteArrayView bytes);

// True when the bytes are well-formed UTF-8 (plain ASCII included).
bool isValid(QByteArrayView bytes);

// UTF-8 to Windows-1252. Letters it cannot hold become their base letter ("ř" -> "r");
// what has none becomes "?", and unmappable then reports true.
QByteArray toCp1252(QByteArrayView utf8, bool* unmappable = nullptr);

// True when the byte starts a character (is no continuation byte).
inline bool startsCharacter(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
}

} // namespace Utf8Text
