#pragma once

#include <QByteArray>
#include <QTypeInfo>

#include <array>
#include <optional>

// The sixteen fields of a QSO, in file order.
enum class QsoField {
    Number,
    Date,
    Utc,
    Band,
    Mode,
    Call,
    RstTx,
    RstRx,
    Dok,
    Name,
    Qth,
    Locator,
    TxPwr,
    Comments,
    QslOut,
    QslIn
};

inline constexpr int kQsoFieldCount = 16;

// One QSO as stored: every field is 8-bit text (Windows-1252), kept as bytes so that
// an untouched record is written back exactly as it was read.
struct TQsoRecord {
    std::array<QByteArray, kQsoFieldCount> fields;

    QByteArray& operator[](QsoField f) { return fields[static_cast<size_t>(f)]; }
    const QByteArray& operator[](QsoField f) const { return fields[static_cast<size_t>(f)]; }

    bool operator==(const TQsoRecord& other) const { return fields == other.fields; }
    bool operator!=(const TQsoRecord& other) const { return !(*this == other); }

    bool isEmpty() const;
    bool hasValidDate() const;
    bool hasValidTime() const;
    bool isConfirmed() const { return !(*this)[QsoField::QslIn].isEmpty(); }
};

// Sixteen implicitly shared byte arrays move as plain memory: lists of 100,000 records grow
// without copying each one.
Q_DECLARE_TYPEINFO(TQsoRecord, Q_RELOCATABLE_TYPE);

namespace QsoLine {

// The header line of every log file, without its line end.
extern const QByteArray kHeader;

// Splits a line (without line end) into a record; "#13#10" becomes CR LF in the comments
// only. Returns nothing when the line has more than sixteen fields.
std::optional<TQsoRecord> split(const QByteArray& line);

// Where the sixteen fields of a line start: field i is line[start[i] .. start[i+1]-1), the
// separator excluded (start[16] is one past the line's end). Missing fields are empty.
// Returns false when the line has more than sixteen fields.
using FieldStarts = std::array<int, kQsoFieldCount + 1>;
bool fieldStarts(const QByteArray& line, FieldStarts& starts);

// Joins a record into one line (without line end): ";" is dropped from every field; a line
// break (CR LF, lone CR or lone LF) becomes "#13#10" in the comments and a blank elsewhere,
// so that whatever the caller hands in, the record stays one line of sixteen fields.
QByteArray join(const TQsoRecord& record);

} // namespace QsoLine
