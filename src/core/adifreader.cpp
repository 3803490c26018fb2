#include "adifreader.h"

#include "daluerror.h"
#include "germanformat.h"
#include "qsorepair.h"
#include "utf8text.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

namespace AdifReader {

namespace {

enum class Tag {
    Unknown,
    QsoDate,
    TimeOn,
    Band,
    Mode,
    Call,
    RstSent,
    RstRcvd,
    Dok,
    Name,
    Qth,
    GridSquare,
    TxPwr,
    Comment,
    QslSDate,
    QslRDate,
    QslSent,
    QslRcvd,
    Eor,
    Eoh
};

struct TagName {
    QByteArrayView name;
    Tag tag;
};

const TagName kTags[] = {{"QSO_DATE", Tag::QsoDate},
                         {"TIME_ON", Tag::TimeOn},
                         {"BAND", Tag::Band},
                         {"MODE", Tag::Mode},
                         {"CALL", Tag::Call},
                         {"RST_SENT", Tag::RstSent},
                         {"RST_RCVD", Tag::RstRcvd},
                         {"DOK", Tag::Dok},
                         {"NAME", Tag::Name},
                         {"QTH", Tag::Qth},
                         {"GRIDSQUARE", Tag::GridSquare},
                         {"TX_PWR", Tag::TxPwr},
                         {"COMMENT", Tag::Comment},
                         {"QSLSDATE", Tag::QslSDate},
                         {"QSLRDATE", Tag::QslRDate},
                         {"QSL_SENT", Tag::QslSent},
                         {"QSL_RCVD", Tag::QslRcvd},
                         {"EOR", Tag::Eor},
                         {"EOH", Tag::Eoh}};

// The five fields without which a record is not imported, with their tags.
const std::pair<QsoField, const char*> kRequired[] = {{QsoField::Date, "QSO_DATE"},
                                                      {QsoField::Utc, "TIME_ON"},
                                                      {QsoField::Band, "BAND"},
                                                      {QsoField::Mode, "MODE"},
                                                      {QsoField::Call, "CALL"}};

bool isNameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// A tag name of up to 16 characters, upper-cased and packed into two words, so that a
// lookup (17 a QSO) is a few integer compares.
struct NameKey {
    quint64 low = 0;
    quint64 high = 0;
    bool operator==(const NameKey& o) const { return low == o.low && high == o.high; }
};

std::optional<NameKey> keyOf(QByteArrayView name) {
    char upper[16] = {};
    if (name.size() > qsizetype(sizeof upper))
        return std::nullopt;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char c = name[i];
        upper[i] = c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
    }
    NameKey key;
    std::memcpy(&key.low, upper, 8);
    std::memcpy(&key.high, upper + 8, 8);
    return key;
}

Tag lookup(QByteArrayView name) {
    static const auto keys = [] {
        std::array<NameKey, std::size(kTags)> k;
        for (size_t i = 0; i < k.size(); ++i)
            k[i] = *keyOf(kTags[i].name);
        return k;
    }();
    const std::optional<NameKey> key = keyOf(name);
    if (!key)
        return Tag::Unknown;
    for (size_t i = 0; i < keys.size(); ++i) {
        if (keys[i] == *key)
            return kTags[i].tag;
    }
    return Tag::Unknown;
}

// A well-formed tag: "<NAME:length>", "<NAME:length:type>", "<EOR>" or "<EOH>".
struct ParsedTag {
    Tag tag = Tag::Unknown;
    qsizetype length = -1; // -1 for EOR and EOH
    qsizetype end = 0;     // index after the ">"
};

std::optional<ParsedTag> tagAt(QByteArrayView d, qsizetype pos) {
    qsizetype i = pos + 1;
    while (i < d.size() && isNameChar(d[i]))
        ++i;
    if (i == pos + 1 || i >= d.size())
        return std::nullopt;
    ParsedTag t;
    t.tag = lookup(d.sliced(pos + 1, i - pos - 1));
    if (d[i] == '>') {
        if (t.tag != Tag::Eor && t.tag != Tag::Eoh)
            return std::nullopt;
        t.end = i + 1;
        return t;
    }
    if (d[i] != ':')
        return std::nullopt;
    const qsizetype digitsStart = ++i;
    qsizetype length = 0;
    while (i < d.size() && d[i] >= '0' && d[i] <= '9') {
        // No value can be longer than the data; larger numbers are capped, not wrapped.
        if (length < d.size())
            length = length * 10 + (d[i] - '0');
        ++i;
    }
    if (i == digitsStart || i >= d.size())
        return std::nullopt;
    if (d[i] == ':') {
        ++i;
        while (i < d.size() && isLetter(d[i]))
            ++i;
    }
    if (i >= d.size() || d[i] != '>')
        return std::nullopt;
    t.length = length;
    t.end = i + 1;
    return t;
}

// yyyymmdd -> dd.mm.yyyy
QByteArray adifDate(const QByteArray& v) {
    if (v.size() != 8)
        return v.mid(6, 2) + '.' + v.mid(4, 2) + '.' + v.left(4);
    const char* d = v.constData();
    const char out[10] = {d[6], d[7], '.', d[4], d[5], '.', d[0], d[1], d[2], d[3]};
    return QByteArray(out, 10);
}

// hhmm or hhmmss -> hh:mm:ss
QByteArray adifTime(const QByteArray& v) {
    if (v.size() != 4 && v.size() != 6)
        return v.left(2) + ':' + v.mid(2, 2) + ':' + (v.size() == 6 ? v.mid(4, 2) : "00");
    const char* t = v.constData();
    const bool seconds = v.size() == 6;
    const char out[8] = {
        t[0], t[1], ':', t[2], t[3], ':', seconds ? t[4] : '0', seconds ? t[5] : '0'};
    return QByteArray(out, 8);
}

// A lone CR or LF would break the log's one-line-per-QSO format: in the comments every
// line break becomes CR LF, elsewhere a blank.
void normaliseLineBreaks(TQsoRecord& rec) {
    for (int i = 0; i < kQsoFieldCount; ++i) {
        QByteArray& f = rec.fields[i];
        if (f.isEmpty() || (!f.contains('\r') && !f.contains('\n')))
            continue;
        if (i == static_cast<int>(QsoField::Comments)) {
            f.replace("\r\n", "\n").replace('\r', '\n').replace("\n", "\r\n");
        } else {
            f.replace("\r\n", " ").replace('\r', ' ').replace('\n', ' ');
        }
    }
}

// Other programs write "50W", "2.5" or "QDX". What Repair could not convert (or would
// stop on, like "XMW") goes to the comments with "1W", as Repair does with it.
QByteArray importPower(const QByteArray& raw, TQsoRecord& rec) {
    if (!raw.isEmpty() &&
        std::all_of(raw.begin(), raw.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return raw + 'W';
    QByteArray power = raw.trimmed();
    if (power.isEmpty())
        return "1W";
    power.replace('.', ',');
    const QByteArray upper = power.toUpper(); // ASCII letters only, as Repair does
    if (!upper.endsWith('W') && GermanFormat::parseDecimal(power))
        return power + 'W';
    std::optional<QByteArray> converted;
    try {
        converted = QsoRepair::normalisePower(upper);
    } catch (const DaluError&) {
    }
    if (converted)
        return power;
    rec[QsoField::Comments] += " / " + upper;
    return "1W";
}

class Parser {
public:
    Parser(QByteArrayView data, const RecordSink& sink, const ProgressCallback& progress)
        : m_sink(sink), m_progress(progress, data.size()) {
        m_offset = data.startsWith(Utf8Text::kBom) ? Utf8Text::kBom.size() : 0;
        m_data = data.sliced(m_offset);
        m_utf8 = Utf8Text::isValid(m_data);
    }

    ReadResult run() {
        qsizetype pos = 0;
        while (!m_result.cancelled) {
            const char* lt = static_cast<const char*>(
                std::memchr(m_data.data() + pos, '<', m_data.size() - pos));
            if (!lt)
                break;
            const qsizetype at = lt - m_data.data();
            const std::optional<ParsedTag> tag = tagAt(m_data, at);
            if (!tag) {
                pos = at + 1;
                continue;
            }
            pos = tag->length < 0 ? tag->end : take(*tag);
            if (tag->tag == Tag::Eor)
                finishRecord(tag->end);
            else if (tag->tag == Tag::Eoh && m_recordNumber == 0)
                clearRecord();
        }
        if (m_inRecord && !m_result.cancelled)
            finishRecord(m_data.size());
        if (!m_result.cancelled)
            m_result.cancelled = !m_progress.finish();
        return std::move(m_result);
    }

private:
    // Takes the value of a field tag, stores it and returns the index after the value.
    qsizetype take(const ParsedTag& tag) {
        m_inRecord = true;
        const qsizetype start = tag.end;
        const qsizetype end = std::min(m_data.size() - start, tag.length) + start;
        const QByteArrayView span = m_data.sliced(start, end - start);
        // Most values are plain ASCII with a true length: then no byte needs a look.
        const bool plain = !span.contains('<') && Utf8Text::isAscii(span);
        const qsizetype q = plain ? end : scanValue(tag);
        if (tag.tag != Tag::Unknown) {
            const QByteArrayView raw = m_data.sliced(start, q - start);
            store(tag.tag, m_utf8 && !plain && !Utf8Text::isAscii(raw)
                               ? Utf8Text::toCp1252(raw)
                               : QByteArray(raw.data(), raw.size()));
        }
        return q;
    }

    // The value's end counted in characters (UTF-8) or bytes, cut at a well-formed tag.
    qsizetype scanValue(const ParsedTag& tag) const {
        qsizetype q = tag.end;
        qsizetype chars = 0;
        while (q < m_data.size()) {
            const char c = m_data[q];
            if (m_utf8 && !Utf8Text::startsCharacter(c)) {
                ++q;
                continue;
            }
            if (chars == tag.length || (c == '<' && tagAt(m_data, q)))
                break;
            ++chars;
            ++q;
        }
        return q;
    }

    void store(Tag tag, QByteArray v) {
        TQsoRecord& r = m_record;
        switch (tag) {
        case Tag::QsoDate:
            r[QsoField::Date] = v.isEmpty() ? QByteArray() : adifDate(v);
            break;
        case Tag::TimeOn:
            r[QsoField::Utc] = v.isEmpty() ? QByteArray() : adifTime(v);
            break;
        case Tag::TxPwr:
            m_power = std::move(v);
            break;
        case Tag::QslSDate:
        case Tag::QslRDate:
            if (!v.isEmpty())
                r[tag == Tag::QslSDate ? QsoField::QslOut : QsoField::QslIn] = adifDate(v);
            break;
        case Tag::QslSent:
        case Tag::QslRcvd: {
            QByteArray& qsl = r[tag == Tag::QslSent ? QsoField::QslOut : QsoField::QslIn];
            if (v == "Y" && qsl.isEmpty())
                qsl = "01.01.1901";
            break;
        }
        default:
            storePlain(tag, std::move(v));
        }
    }

    // The tags whose value goes to its field as it is or in another letter case.
    void storePlain(Tag tag, QByteArray v) {
        enum Case { Keep, Upper, Lower };
        static const struct {
            Tag tag;
            QsoField field;
            Case letterCase;
        } kPlain[] = {
            {Tag::Band, QsoField::Band, Lower},          {Tag::Mode, QsoField::Mode, Upper},
            {Tag::Call, QsoField::Call, Upper},          {Tag::RstSent, QsoField::RstTx, Keep},
            {Tag::RstRcvd, QsoField::RstRx, Keep},       {Tag::Dok, QsoField::Dok, Upper},
            {Tag::Name, QsoField::Name, Keep},           {Tag::Qth, QsoField::Qth, Keep},
            {Tag::GridSquare, QsoField::Locator, Upper}, {Tag::Comment, QsoField::Comments, Keep}};
        for (const auto& p : kPlain) {
            if (p.tag != tag)
                continue;
            // Qt changes the case of ASCII letters only, as Repair does.
            m_record[p.field] = p.letterCase == Upper   ? std::move(v).toUpper()
                                : p.letterCase == Lower ? std::move(v).toLower()
                                                        : std::move(v);
        }
    }

    void clearRecord() {
        m_record = TQsoRecord();
        m_power.clear();
        m_inRecord = false;
    }

    void finishRecord(qsizetype end) {
        ++m_recordNumber;
        const bool complete =
            std::all_of(std::begin(kRequired), std::end(kRequired),
                        [&](const auto& r) { return !m_record[r.first].isEmpty(); });
        if (complete) {
            m_record[QsoField::TxPwr] = importPower(m_power, m_record);
            normaliseLineBreaks(m_record);
            m_sink(m_record);
            ++m_result.accepted;
        } else {
            SkippedRecord skip;
            skip.recordNumber = m_recordNumber;
            skip.call = m_record[QsoField::Call];
            for (const auto& [field, tagName] : kRequired) {
                if (m_record[field].isEmpty())
                    skip.missingTags.append(tagName);
            }
            m_result.skipped.append(std::move(skip));
        }
        clearRecord();
        m_result.cancelled = !m_progress.update(m_offset + end);
    }

    const RecordSink& m_sink;
    ProgressReporter m_progress;
    QByteArrayView m_data;
    qsizetype m_offset = 0;
    bool m_utf8 = false;
    TQsoRecord m_record;
    QByteArray m_power;
    bool m_inRecord = false;
    qint64 m_recordNumber = 0;
    ReadResult m_result;
};

} // namespace

QString SkippedRecord::reason() const {
    QStringList tags;
    for (const QByteArray& t : missingTags)
        tags.append(QString::fromLatin1(t));
    const QString who =
        call.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(QString::fromLatin1(call));
    return QStringLiteral("Record %1%2: no %3")
        .arg(recordNumber)
        .arg(who, tags.join(QStringLiteral(", ")));
}

ReadResult read(QByteArrayView data, const RecordSink& sink, const ProgressCallback& progress) {
    return Parser(data, sink, progress).run();
}

} // namespace AdifReader
