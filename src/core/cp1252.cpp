#include "cp1252.h"

#include <array>
#include <string_view>

namespace {

// 0x80..0x9F; 0 marks the five unassigned bytes, which map to the C1 control of the same value.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char16_t decodeByte(unsigned char b) {
    if (b >= 0x80 && b < 0xA0 && kHigh[b - 0x80] != 0)
        return kHigh[b - 0x80];
    return b;
}

// Letters whose Unicode form has no decomposition, and their base letters, place by place.
constexpr std::u16string_view kUndecomposed = u"\u0141\u0142\u0110\u0111\u0126\u0127\u0131"
                                              u"\u0166\u0167\u0180\u01E4\u01E5";
constexpr std::u16string_view kUndecomposedBase = u"LlDdHhiTtbGg";
static_assert(kUndecomposed.size() == kUndecomposedBase.size());

char16_t undecomposedBase(char16_t c) {
    const size_t at = kUndecomposed.find(c);
    return at == std::u16string_view::npos ? 0 : kUndecomposedBase[at];
}

char encodeChar(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (size_t i = 0; i < kHigh.size(); ++i) {
        if (kHigh[i] == c && c != 0)
            return static_cast<char>(0x80 + i);
    }
    if (c >= 0x80 && c < 0xA0 && kHigh[c - 0x80] == 0)
        return static_cast<char>(c);
    return '?';
}

} // namespace

QString fromCp1252(QByteArrayView bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* dst = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        dst[i] = QChar(decodeByte(static_cast<unsigned char>(bytes[i])));
    return out;
}

QByteArray toCp1252(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            ++i; // one character outside the BMP, one "?"
            out.append('?');
            continue;
        }
        out.append(encodeChar(c.unicode()));
    }
    return out;
}

bool cp1252CanHold(QChar c) {
    const char16_t u = c.unicode();
    return c.isSurrogate() ? false : encodeChar(u) != '?' || u == u'?';
}

QString transliterateForCp1252(const QString& text, bool* unmappable) {
    if (unmappable)
        *unmappable = false;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (cp1252CanHold(c)) {
            out.append(c);
            continue;
        }
        if (c.isMark())
            continue; // a combining mark of a letter already taken
        if (const char16_t base = undecomposedBase(c.unicode())) {
            out.append(QChar(base));
            continue;
        }
        const qsizetype length = c.isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString original = text.mid(i, length);
        i += length - 1;
        QString kept;
        for (const QChar part : original.normalized(QString::NormalizationForm_D)) {
            if (part.isMark())
                continue;
            if (!cp1252CanHold(part)) {
                kept.clear();
                break;
            }
            kept.append(part);
        }
        if (kept.isEmpty() && unmappable)
            *unmappable = true;
        out.append(kept.isEmpty() ? original : kept);
    }
    return out;
}
