#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>

// What the callbook library delivers for one call, and the pure steps around a lookup:
// preparing the call argument, reading the tagged result buffer, choosing what the mask
// takes over and naming the message of a result code. Texts are Windows-1252 bytes.
struct TCallInfo {
    QByteArray CallText;
    QByteArray Address;
    QByteArray Licence; // with its "Licence Class: " prefix, or empty
    QByteArray Comment;
    QByteArray FaxNr; // with "Fax-Number: ", or empty
    QByteArray EMail; // with "e-Mail: ", or empty
    QByteArray Name;
    std::int32_t Error = 0; // the library's result code; 0 means found
};

namespace CallBookInfo {

// The library's fixed buffers: 501 result bytes, calls of 7 and paths of 83 characters,
// each text followed by its NUL.
inline constexpr std::size_t kBufferSize = 501;
inline constexpr int kCallMax = 7;
inline constexpr int kPathMax = 83;

// The call as the library takes it: letters A to Z lower-cased, blanks trimmed, the first
// 7 bytes; always at most kCallMax bytes, so it fits the 8-byte buffer with its NUL.
QByteArray callArgument(const QString& call);

// The database path as the library takes it (the folder with a trailing separator, in
// the file system's encoding), or nothing when it does not fit the 84-byte buffer.
std::optional<QByteArray> pathArgument(const QString& folder);

// Reads a result buffer up to its first NUL, never beyond size bytes: a byte below 32 is
// a tag choosing the field the following bytes go to. Error is left at 0.
TCallInfo parseBuffer(const char* buffer, std::size_t size);

// Which data the mask takes over, as ticked on the options page.
struct TakeOver {
    bool name = false, address = false, licence = false, comment = false, faxNr = false,
         eMail = false;
};
struct MaskData {
    std::optional<QByteArray> name; // replaces the name field when set
    QList<QByteArray> commentLines; // appended to the comments, one line each
};
MaskData forMask(const TCallInfo& info, const TakeOver& takeOver);

// The language-file line that explains a result code other than 0.
int messageLine(int code);

} // namespace CallBookInfo
