#pragma once

#include <QByteArray>

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

namespace QsoLine {

// The header line of every log file, without its line end.
extern const QByteArray kHeader;

// Splits a line (without line end) into a record; "#13#10" becomes CR LF in the comments
// only. Returns nothing when the line has more than sixteen fields.
std::optional<TQsoRecord> split(const QByteArray& line);

// Joins a record into one line (without line end): ";" is dropped from every field and
// every CR LF pair becomes "#13#10".
QByteArray join(const TQsoRecord& record);

} // namespace QsoLine
