#include "wsjtxmessage.h"

#include <QDataStream>
#include <QIODevice>

namespace Wsjtx {
namespace {

constexpr quint32 kNullString = 0xffffffffu;

// QDataStream's time specs: local, UTC, offset from UTC (then its seconds), time zone.
constexpr quint8 kSpecUtc = 1;
constexpr quint8 kSpecOffset = 2;

class Reader {
public:
    explicit Reader(const QByteArray& bytes) : m_stream(bytes) {
        m_stream.setVersion(QDataStream::Qt_5_4);
    }
    bool ok() const { return m_stream.status() == QDataStream::Ok; }

    template <typename T> T number() {
        T value{};
        m_stream >> value;
        return value;
    }
    bool flag() { return number<quint8>() != 0; }
    // A string's length comes first; one longer than what is left is a cut datagram, not
    // a reason to allocate.
    QByteArray bytes() {
        const quint32 length = number<quint32>();
        if (!ok() || length == kNullString)
            return {};
        const qint64 left = m_stream.device()->bytesAvailable();
        if (qint64(length) > left) {
            m_stream.setStatus(QDataStream::ReadPastEnd);
            return {};
        }
        QByteArray result(int(length), Qt::Uninitialized);
        m_stream.readRawData(result.data(), int(length));
        return result;
    }
    QString text() { return QString::fromUtf8(bytes()); }
    QTime time() {
        const quint32 ms = number<quint32>();
        return ms == kNullString ? QTime() : QTime::fromMSecsSinceStartOfDay(int(ms % 86400000u));
    }
    QDateTime dateTime() {
        const qint64 julian = number<qint64>();
        const QTime t = time();
        const quint8 spec = number<quint8>();
        qint32 offset = 0;
        if (spec == kSpecOffset)
            offset = number<qint32>();
        else if (spec > kSpecOffset) // a named zone: not sent by the programs read here
            m_stream.setStatus(QDataStream::ReadCorruptData);
        const QDate date = QDate::fromJulianDay(julian);
        if (!ok() || !date.isValid())
            return {};
        if (spec == kSpecUtc || spec == kSpecOffset)
            return QDateTime(date, t, Qt::OffsetFromUTC, offset);
        return QDateTime(date, t);
    }
    bool atEnd() const { return m_stream.atEnd(); }

private:
    QDataStream m_stream;
};

class Writer {
public:
    Writer(Type type, const QString& id) : m_stream(&m_bytes, QIODevice::WriteOnly) {
        m_stream.setVersion(QDataStream::Qt_5_4);
        m_stream << kMagic << kSchema << quint32(type);
        text(id);
    }
    template <typename T> Writer& number(T value) {
        m_stream << value;
        return *this;
    }
    Writer& flag(bool value) { return number(quint8(value ? 1 : 0)); }
    Writer& bytes(const QByteArray& value) {
        m_stream << quint32(value.size());
        m_stream.writeRawData(value.constData(), int(value.size()));
        return *this;
    }
    Writer& text(const QString& value) { return bytes(value.toUtf8()); }
    Writer& time(const QTime& value) {
        return number(value.isValid() ? quint32(value.msecsSinceStartOfDay()) : kNullString);
    }
    Writer& dateTime(const QDateTime& value) {
        const QDateTime utc = value.toUTC();
        number(qint64(utc.date().toJulianDay()));
        time(utc.time());
        return number(kSpecUtc);
    }
    Writer& colour(const Colour& c) {
        // QColor's stream form: spec (1 = RGB, 0 = invalid), alpha, red, green, blue, pad,
        // each channel 16 bits.
        const auto wide = [](quint8 v) { return quint16(v * 0x101); };
        number(quint8(c.valid ? 1 : 0)).number(quint16(c.valid ? 0xffff : 0));
        return number(wide(c.red)).number(wide(c.green)).number(wide(c.blue)).number(quint16(0));
    }
    QByteArray bytesWritten() const { return m_bytes; }

private:
    QByteArray m_bytes;
    QDataStream m_stream;
};

Heartbeat readHeartbeat(Reader& r) {
    Heartbeat h;
    h.maxSchema = r.number<quint32>();
    h.version = r.text();
    h.revision = r.text();
    return h;
}

Status readStatus(Reader& r) {
    Status s;
    s.dialFrequency = r.number<quint64>();
    s.mode = r.text();
    s.dxCall = r.text();
    s.report = r.text();
    s.txMode = r.text();
    s.txEnabled = r.flag();
    s.transmitting = r.flag();
    s.decoding = r.flag();
    s.rxDf = r.number<quint32>();
    s.txDf = r.number<quint32>();
    s.deCall = r.text();
    s.deGrid = r.text();
    s.dxGrid = r.text();
    s.txWatchdog = r.flag();
    s.subMode = r.text();
    s.fastMode = r.flag();
    s.specialOperationMode = r.number<quint8>();
    s.frequencyTolerance = r.number<quint32>();
    s.trPeriod = r.number<quint32>();
    s.configurationName = r.text();
    // Added in WSJT-X 2.6; JTDX and older versions end before it.
    if (!r.atEnd())
        s.txMessage = r.text();
    return s;
}

Decode readDecode(Reader& r) {
    Decode d;
    d.isNew = r.flag();
    d.time = r.time();
    d.snr = r.number<qint32>();
    d.deltaTime = r.number<double>();
    d.deltaFrequency = r.number<quint32>();
    d.mode = r.text();
    d.message = r.text();
    d.lowConfidence = r.flag();
    d.offAir = r.flag();
    return d;
}

QsoLogged readQsoLogged(Reader& r) {
    QsoLogged q;
    q.timeOff = r.dateTime();
    q.dxCall = r.text();
    q.dxGrid = r.text();
    q.txFrequency = r.number<quint64>();
    q.mode = r.text();
    q.reportSent = r.text();
    q.reportReceived = r.text();
    q.txPower = r.text();
    q.comments = r.text();
    q.name = r.text();
    q.timeOn = r.dateTime();
    q.operatorCall = r.text();
    q.myCall = r.text();
    q.myGrid = r.text();
    q.exchangeSent = r.text();
    q.exchangeReceived = r.text();
    // Added in WSJT-X 2.5.
    if (!r.atEnd())
        q.propagationMode = r.text();
    return q;
}

void reject(Rejection* why, Rejection reason) {
    if (why)
        *why = reason;
}

} // namespace

std::optional<Message> decode(const QByteArray& datagram, Rejection* why) {
    reject(why, Rejection::None);
    if (datagram.size() > kMaxDatagram) {
        reject(why, Rejection::Oversized);
        return std::nullopt;
    }
    Reader r(datagram);
    const quint32 magic = r.number<quint32>();
    if (!r.ok() || magic != kMagic) {
        reject(why, Rejection::NotProtocol);
        return std::nullopt;
    }
    Message m;
    m.schema = r.number<quint32>();
    if (!r.ok() || m.schema < kMinSchema || m.schema > kMaxSchema) {
        reject(why, r.ok() ? Rejection::WrongSchema : Rejection::Truncated);
        return std::nullopt;
    }
    const quint32 type = r.number<quint32>();
    m.type = Type(type);
    m.id = r.text();
    switch (m.type) {
    case Type::Heartbeat:
        m.body = readHeartbeat(r);
        break;
    case Type::Status:
        m.body = readStatus(r);
        break;
    case Type::Decode:
        m.body = readDecode(r);
        break;
    case Type::Clear: {
        Clear c;
        if (!r.atEnd())
            c.window = r.number<quint8>();
        m.body = c;
        break;
    }
    case Type::QsoLogged:
        m.body = readQsoLogged(r);
        break;
    case Type::Close:
        m.body = Close{};
        break;
    case Type::LoggedAdif:
        m.body = LoggedAdif{r.bytes()};
        break;
    default:
        reject(why, r.ok() ? Rejection::UnknownType : Rejection::Truncated);
        return std::nullopt;
    }
    if (!r.ok()) {
        reject(why, Rejection::Truncated);
        return std::nullopt;
    }
    return m;
}

std::optional<Message> DecodeCounts::decode(const QByteArray& datagram) {
    Rejection why = Rejection::None;
    auto m = Wsjtx::decode(datagram, &why);
    switch (why) {
    case Rejection::None:
        ++taken;
        break;
    case Rejection::NotProtocol:
        ++notProtocol;
        break;
    case Rejection::WrongSchema:
        ++wrongSchema;
        break;
    case Rejection::UnknownType:
        ++unknownType;
        break;
    case Rejection::Truncated:
        ++truncated;
        break;
    case Rejection::Oversized:
        ++oversized;
        break;
    }
    return m;
}

QByteArray encodeReply(const QString& id, const Reply& reply) {
    Writer w(Type::Reply, id);
    w.time(reply.time).number(reply.snr).number(reply.deltaTime).number(reply.deltaFrequency);
    w.text(reply.mode).text(reply.message).flag(reply.lowConfidence).number(reply.modifiers);
    return w.bytesWritten();
}

QByteArray encodeHighlight(const QString& id, const QString& call, const Colour& background,
                           const Colour& foreground, bool highlightLast) {
    Writer w(Type::HighlightCallsign, id);
    w.text(call).colour(background).colour(foreground).flag(highlightLast);
    return w.bytesWritten();
}

QByteArray encodeReplay(const QString& id) {
    return Writer(Type::Replay, id).bytesWritten();
}

QByteArray encodeLocation(const QString& id, const QString& locator) {
    return Writer(Type::Location, id).text(locator).bytesWritten();
}

QByteArray encodeDecode(const QString& id, const Decode& d) {
    Writer w(Type::Decode, id);
    w.flag(d.isNew).time(d.time).number(d.snr).number(d.deltaTime).number(d.deltaFrequency);
    w.text(d.mode).text(d.message).flag(d.lowConfidence).flag(d.offAir);
    return w.bytesWritten();
}

QByteArray encodeQsoLogged(const QString& id, const QsoLogged& q) {
    Writer w(Type::QsoLogged, id);
    w.dateTime(q.timeOff).text(q.dxCall).text(q.dxGrid).number(q.txFrequency).text(q.mode);
    w.text(q.reportSent).text(q.reportReceived).text(q.txPower).text(q.comments).text(q.name);
    w.dateTime(q.timeOn).text(q.operatorCall).text(q.myCall).text(q.myGrid);
    w.text(q.exchangeSent).text(q.exchangeReceived).text(q.propagationMode);
    return w.bytesWritten();
}

std::optional<Reply> decodeReply(const QByteArray& datagram) {
    Reader r(datagram);
    if (r.number<quint32>() != kMagic)
        return std::nullopt;
    r.number<quint32>();
    if (r.number<quint32>() != quint32(Type::Reply))
        return std::nullopt;
    r.text();
    Reply reply;
    reply.time = r.time();
    reply.snr = r.number<qint32>();
    reply.deltaTime = r.number<double>();
    reply.deltaFrequency = r.number<quint32>();
    reply.mode = r.text();
    reply.message = r.text();
    reply.lowConfidence = r.flag();
    reply.modifiers = r.number<quint8>();
    if (!r.ok())
        return std::nullopt;
    return reply;
}

} // namespace Wsjtx
