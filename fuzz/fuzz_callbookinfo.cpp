// Feeds arbitrary bytes to the callbook result parser and the call preparation: nothing
// may be read past the buffer, no field may hold a tag byte, the name never holds the
// ", " that separates it, and the call always fits the library's 8-byte buffer.
#include "callbookinfo.h"
#include "cp1252.h"

#include <cstdint>
#include <cstdlib>

namespace {

bool holdsTagByte(const QByteArray& field) {
    for (char c : field) {
        if (static_cast<unsigned char>(c) < 32)
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const TCallInfo info = CallBookInfo::parseBuffer(reinterpret_cast<const char*>(data), size);
    for (const QByteArray* field : {&info.CallText, &info.Address, &info.Licence, &info.Comment,
                                    &info.FaxNr, &info.EMail, &info.Name}) {
        if (holdsTagByte(*field) || field->size() > qsizetype(size) + 16)
            std::abort();
    }
    if (info.Name.contains(", "))
        std::abort();
    const QString call =
        fromCp1252(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (CallBookInfo::callArgument(call).size() > CallBookInfo::kCallMax)
        std::abort();
    return 0;
}
