#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QTime>

#include <optional>
#include <variant>

// The UDP datagrams WSJT-X and JTDX exchange with a logger: Qt data streams (big-endian)
// beginning with a magic number, the schema, the message type and the sender's id.
namespace Wsjtx {

inline constexpr quint32 kMagic = 0xadbccbda;
// The schemas whose layout is read here; 2 is what WSJT-X 2.x and JTDX send.
inline constexpr quint32 kMinSchema = 2;
inline constexpr quint32 kMaxSchema = 3;
inline constexpr quint32 kSchema = 2;
// A real message is under a kilobyte; a bigger datagram is not one of them.
inline constexpr int kMaxDatagram = 16 * 1024;

enum class Type : quint32 {
    Heartbeat = 0,
    Status = 1,
    Decode = 2,
    Clear = 3,
    Reply = 4,
    QsoLogged = 5,
    Close = 6,
    Replay = 7,
    Location = 11,
    LoggedAdif = 12,
    HighlightCallsign = 13
};

struct Heartbeat {
    quint32 maxSchema = 0;
    QString version;
    QString revision;
};

struct Status {
    quint64 dialFrequency = 0;
    QString mode;
    QString dxCall;
    QString report;
    QString txMode;
    bool txEnabled = false;
    bool transmitting = false;
    bool decoding = false;
    quint32 rxDf = 0;
    quint32 txDf = 0;
    QString deCall;
    QString deGrid;
    QString dxGrid;
    bool txWatchdog = false;
    QString subMode;
    bool fastMode = false;
    quint8 specialOperationMode = 0;
    quint32 frequencyTolerance = 0;
    quint32 trPeriod = 0;
    QString configurationName;
    QString txMessage;
};

struct Decode {
    bool isNew = false;
    QTime time; // UTC
    qint32 snr = 0;
    double deltaTime = 0;
    quint32 deltaFrequency = 0;
    QString mode;
    QString message;
    bool lowConfidence = false;
    bool offAir = false;
};

struct Clear {
    std::optional<quint8> window; // only sent by a server
};

struct QsoLogged {
    QDateTime timeOff;
    QString dxCall;
    QString dxGrid;
    quint64 txFrequency = 0;
    QString mode;
    QString reportSent;
    QString reportReceived;
    QString txPower;
    QString comments;
    QString name;
    QDateTime timeOn;
    QString operatorCall;
    QString myCall;
    QString myGrid;
    QString exchangeSent;
    QString exchangeReceived;
    QString propagationMode;
};

struct Close {};

struct LoggedAdif {
    QByteArray adif;
};

// A datagram as read: the sender and what it said.
struct Message {
    quint32 schema = 0;
    Type type = Type::Heartbeat;
    QString id;
    std::variant<Heartbeat, Status, Decode, Clear, QsoLogged, Close, LoggedAdif> body;
};

// Why a datagram was not taken.
enum class Rejection { None, NotProtocol, WrongSchema, UnknownType, Truncated, Oversized };

// Reads one datagram; nothing (and the reason) for anything that is not a complete message
// of a known schema and type. Fields a later schema appends after the known ones are
// skipped, as the protocol asks of readers.
std::optional<Message> decode(const QByteArray& datagram, Rejection* why = nullptr);

// Counts what came in, so that the window can tell a silent peer from a garbled one.
struct DecodeCounts {
    int taken = 0;
    int notProtocol = 0;
    int wrongSchema = 0;
    int unknownType = 0;
    int truncated = 0;
    int oversized = 0;
    int ignored() const { return notProtocol + wrongSchema + unknownType + truncated + oversized; }
    std::optional<Message> decode(const QByteArray& datagram);
};

// A colour for the highlight message; an invalid one clears the highlight.
struct Colour {
    bool valid = false;
    quint8 red = 0, green = 0, blue = 0;
};

// What a logger sends back.
struct Reply {
    QTime time;
    qint32 snr = 0;
    double deltaTime = 0;
    quint32 deltaFrequency = 0;
    QString mode;
    QString message;
    bool lowConfidence = false;
    quint8 modifiers = 0;
};
QByteArray encodeReply(const QString& id, const Reply& reply);
QByteArray encodeHighlight(const QString& id, const QString& call, const Colour& background,
                           const Colour& foreground, bool highlightLast);
QByteArray encodeReplay(const QString& id);
QByteArray encodeLocation(const QString& id, const QString& locator);
// A decode as WSJT-X sends it: for a peer standing in for WSJT-X (tests, benchmarks).
QByteArray encodeDecode(const QString& id, const Decode& decode);
QByteArray encodeQsoLogged(const QString& id, const QsoLogged& qso);

// Reading back what a logger sends: for tests and for a peer listening on the same group.
std::optional<Reply> decodeReply(const QByteArray& datagram);

} // namespace Wsjtx
