#include "adifreader.h"

#include "adifnames.h"
#include "adifvalues.h"
#include "cp1252.h"
#include "germanformat.h"
#include "qsorepair.h"
#include "uitexts.h"
#include "utf8text.h"

#include <QStringList>
#include <QtEndian>

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
    Submode,
    DarcDok,
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
                         {"SUBMODE", Tag::Submode},
                         {"DARC_DOK", Tag::DarcDok},
                         {"EOR", Tag::Eor},
                         {"EOH", Tag::Eoh}};

// The five fields without which a record is not imported, with their tags.
const std::pair<QsoField, const char*> kRequired[] = {{QsoField::Date, "QSO_DATE"},
                                                      {QsoField::Utc, "TIME_ON"},
                                                      {QsoField::Band, "BAND"},
                                                      {QsoField::Mode, "MODE"},
                                                      {QsoField::Call, "CALL"}};

// Byte classes for the scans: a tag name's characters, and what makes a value need a
// closer look (a "<" that may start a tag, a byte beyond ASCII) or a line-break mend.
enum ByteClass : unsigned char { NameChar = 1, Lt = 2, High = 4, LineBreak = 8 };

constexpr std::array<unsigned char, 256> kByteClass = [] {
    std::array<unsigned char, 256> t{};
    for (int c = 0; c < 256; ++c) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_')
            t[c] |= NameChar;
        if (c == '<')
            t[c] |= Lt;
        if (c >= 0x80)
            t[c] |= High;
        if (c == '\r' || c == '\n')
            t[c] |= LineBreak;
    }
    return t;
}();

unsigned char byteClass(char c) {
    return kByteClass[static_cast<unsigned char>(c)];
}

bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

char asciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// A tag name of up to 16 characters, upper-cased and packed into two words, so that a
// lookup (17 a QSO) is a hash and an integer compare.
struct NameKey {
    quint64 low = 0;
    quint64 high = 0;
    qsizetype size = 0;

    bool operator==(const NameKey& o) const { return low == o.low && high == o.high; }
    size_t slot() const { return size_t(((low ^ (high * 31)) * 0x9E3779B97F4A7C15ull) >> 58); }
};

// Eight name characters upper-cased at once: of the characters a name may hold, only the
// lower-case letters have both 0x40 and 0x20 set.
quint64 upperWord(quint64 w) {
    return w ^ ((w >> 1) & w & 0x2020202020202020ull);
}

// The key of the name of size characters at p; end bounds the readable bytes.
NameKey keyOf(const char* p, qsizetype size, const char* end) {
    NameKey key;
    key.size = size;
    if (size > 16)
        return key;
    char padded[16] = {};
    if (end - p < 16) {
        std::memcpy(padded, p, size_t(size));
        p = padded;
    }
    quint64 words[2] = {qFromLittleEndian<quint64>(p), qFromLittleEndian<quint64>(p + 8)};
    for (int i = 0; i < 2; ++i) {
        const qsizetype bytes = std::clamp<qsizetype>(size - 8 * i, 0, 8);
        const quint64 mask = bytes == 8 ? ~quint64(0) : (quint64(1) << (8 * bytes)) - 1;
        words[i] = upperWord(words[i] & mask);
    }
    key.low = words[0];
    key.high = words[1];
    return key;
}

// The known tag names in a small open-addressed table.
class TagTable {
public:
    TagTable() {
        for (const TagName& t : kTags) {
            const NameKey key = keyOf(t.name.data(), t.name.size(), t.name.data() + t.name.size());
            size_t i = key.slot();
            while (m_slots[i].tag != Tag::Unknown)
                i = (i + 1) % kSlots;
            m_slots[i] = {key, t.tag};
        }
    }

    Tag find(const NameKey& key) const {
        if (key.size > 16)
            return Tag::Unknown;
        for (size_t i = key.slot();; i = (i + 1) % kSlots) {
            const Slot& s = m_slots[i];
            if (s.tag == Tag::Unknown || s.key == key)
                return s.tag;
        }
    }

private:
    static constexpr size_t kSlots = 64;
    struct Slot {
        NameKey key;
        Tag tag = Tag::Unknown;
    };
    std::array<Slot, kSlots> m_slots{};
};

const TagTable kTagTable;

// How every file of our export begins; such a file holds Windows-1252 bytes with true
// byte lengths, so its values are taken exactly as they stand.
constexpr QByteArrayView kOwnHeader = "This log was created with Dalu LogConverter";

// A well-formed tag: "<NAME:length>", "<NAME:length:type>", "<EOR>" or "<EOH>".
struct ParsedTag {
    Tag tag = Tag::Unknown;
    qsizetype length = -1; // -1 for EOR and EOH
    qsizetype end = 0;     // index after the ">"
};

std::optional<ParsedTag> tagAt(QByteArrayView d, qsizetype pos) {
    qsizetype i = pos + 1;
    while (i < d.size() && (byteClass(d[i]) & NameChar))
        ++i;
    if (i == pos + 1 || i >= d.size())
        return std::nullopt;
    ParsedTag t;
    t.tag = kTagTable.find(keyOf(d.data() + pos + 1, i - pos - 1, d.data() + d.size()));
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

// Sets a field to the bytes. The parser refills the same record for every QSO, so a
// field's buffer is reused and most values cost no allocation.
void assign(QByteArray& field, QByteArrayView value) {
    if (field.isNull() || !field.isDetached()) {
        field = QByteArray(value.data(), value.size());
        return;
    }
    field.resize(value.size());
    if (!value.isEmpty())
        std::memcpy(field.data(), value.data(), size_t(value.size()));
}

enum class LetterCase { Keep, Upper, Lower };

// Only ASCII letters change case, as Repair does.
void assign(QByteArray& field, QByteArrayView value, LetterCase letterCase) {
    assign(field, value);
    if (letterCase == LetterCase::Keep || field.isEmpty())
        return;
    char* c = field.data();
    char* const end = c + field.size();
    for (; c < end; ++c)
        *c = letterCase == LetterCase::Upper ? asciiUpper(*c) : asciiLower(*c);
}

// The tags whose value goes to its field as it is or in another letter case.
struct PlainField {
    Tag tag;
    QsoField field;
    LetterCase letterCase;
};

constexpr PlainField kPlainFields[] = {{Tag::Band, QsoField::Band, LetterCase::Lower},
                                       {Tag::Mode, QsoField::Mode, LetterCase::Upper},
                                       {Tag::Call, QsoField::Call, LetterCase::Upper},
                                       {Tag::RstSent, QsoField::RstTx, LetterCase::Keep},
                                       {Tag::RstRcvd, QsoField::RstRx, LetterCase::Keep},
                                       {Tag::Dok, QsoField::Dok, LetterCase::Upper},
                                       {Tag::Name, QsoField::Name, LetterCase::Keep},
                                       {Tag::Qth, QsoField::Qth, LetterCase::Keep},
                                       {Tag::GridSquare, QsoField::Locator, LetterCase::Upper},
                                       {Tag::Comment, QsoField::Comments, LetterCase::Keep}};

constexpr auto kPlainFieldOfTag = [] {
    std::array<const PlainField*, static_cast<size_t>(Tag::Eoh) + 1> byTag{};
    for (const PlainField& p : kPlainFields)
        byTag[static_cast<size_t>(p.tag)] = &p;
    return byTag;
}();

// yyyymmdd -> dd.mm.yyyy
void assignDate(QByteArray& field, QByteArrayView v) {
    if (v.size() != 8) {
        const QByteArray b = v.toByteArray();
        field = b.mid(6, 2) + '.' + b.mid(4, 2) + '.' + b.left(4);
        return;
    }
    const char* d = v.data();
    const char out[10] = {d[6], d[7], '.', d[4], d[5], '.', d[0], d[1], d[2], d[3]};
    assign(field, QByteArrayView(out, 10));
}

// hhmm or hhmmss -> hh:mm:ss
void assignTime(QByteArray& field, QByteArrayView v) {
    if (v.size() != 4 && v.size() != 6) {
        const QByteArray b = v.toByteArray();
        field = b.left(2) + ':' + b.mid(2, 2) + ':' + (b.size() == 6 ? b.mid(4, 2) : "00");
        return;
    }
    const char* t = v.data();
    const bool seconds = v.size() == 6;
    const char out[8] = {
        t[0], t[1], ':', t[2], t[3], ':', seconds ? t[4] : '0', seconds ? t[5] : '0'};
    assign(field, QByteArrayView(out, 8));
}

class Parser {
public:
    Parser(QByteArrayView data, const RecordSink& sink, const ProgressCallback& progress)
        : m_sink(sink), m_progress(progress, data.size()) {
        m_offset = data.startsWith(Utf8Text::kBom) ? Utf8Text::kBom.size() : 0;
        m_data = data.sliced(m_offset);
        m_ownExport = m_data.startsWith(kOwnHeader);
    }

    ReadResult run() {
        qsizetype pos = 0;
        while (!m_result.cancelled) {
            const qsizetype at = nextLt(pos);
            if (at < 0)
                break;
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
            finishRecord(m_data.size(), m_valueCut);
        if (!m_result.cancelled)
            m_result.cancelled = !m_progress.finish();
        return std::move(m_result);
    }

private:
    // The next "<" from pos on, -1 for none. It mostly follows at once or after a line
    // break, too near to be worth a call of memchr.
    qsizetype nextLt(qsizetype pos) const {
        const char* d = m_data.data();
        const qsizetype size = m_data.size();
        for (const qsizetype near = std::min(size, pos + 4); pos < near; ++pos) {
            if (d[pos] == '<')
                return pos;
        }
        if (pos >= size)
            return -1;
        const void* lt = std::memchr(d + pos, '<', size_t(size - pos));
        return lt ? static_cast<const char*>(lt) - d : -1;
    }

    // Whether the data are UTF-8 is asked only once a value holds a byte beyond ASCII.
    bool utf8() {
        if (!m_utf8Known) {
            m_utf8 = Utf8Text::isValid(m_data);
            m_utf8Known = true;
        }
        return m_utf8;
    }

    static unsigned char classesOf(QByteArrayView bytes) {
        unsigned char classes = 0;
        for (const char c : bytes)
            classes |= byteClass(c);
        return classes;
    }

    // Takes the value of a field tag, stores it and returns the index after the value.
    qsizetype take(const ParsedTag& tag) {
        m_inRecord = true;
        const qsizetype start = tag.end;
        const qsizetype end = std::min(m_data.size() - start, tag.length) + start;
        unsigned char classes = classesOf(m_data.sliced(start, end - start));
        // Most values are plain ASCII with a true length: then no byte needs a look. Our
        // own files hold Windows-1252 bytes with true byte lengths, whatever the bytes.
        const bool plain = m_ownExport || !(classes & (Lt | High));
        if (plain && tag.length > m_data.size() - start)
            m_valueCut = true;
        const qsizetype q = plain ? end : scanValue(tag);
        if (tag.tag == Tag::Unknown)
            return q;
        QByteArrayView raw = m_data.sliced(start, q - start);
        // Other programs pad values inside the declared length.
        if (!m_ownExport) {
            while (!raw.isEmpty() && isPadding(raw.back()))
                raw.chop(1);
        }
        if (!plain)
            classes = classesOf(raw);
        if (classes & LineBreak)
            m_lineBreaks = true;
        if ((classes & High) && !m_ownExport && utf8()) {
            bool unmappable = false;
            store(tag.tag, Utf8Text::toCp1252(raw, &unmappable));
            m_unmappable = m_unmappable || unmappable;
        } else {
            store(tag.tag, raw);
        }
        return q;
    }

    static bool isPadding(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

    // The value's end counted in characters (UTF-8) or bytes, cut at a well-formed tag.
    qsizetype scanValue(const ParsedTag& tag) {
        const bool countCharacters = utf8();
        qsizetype q = tag.end;
        qsizetype chars = 0;
        while (q < m_data.size()) {
            const char c = m_data[q];
            if (countCharacters && !Utf8Text::startsCharacter(c)) {
                ++q;
                continue;
            }
            if (chars == tag.length || (c == '<' && tagAt(m_data, q)))
                return q;
            ++chars;
            ++q;
        }
        if (chars < tag.length)
            m_valueCut = true;
        return q;
    }

    void store(Tag tag, QByteArrayView v) {
        TQsoRecord& r = m_record;
        switch (tag) {
        case Tag::QsoDate:
        case Tag::TimeOn: {
            QByteArray& f = r[tag == Tag::QsoDate ? QsoField::Date : QsoField::Utc];
            if (v.isEmpty())
                assign(f, {});
            else if (tag == Tag::QsoDate)
                assignDate(f, v);
            else
                assignTime(f, v);
            break;
        }
        case Tag::TxPwr:
            assign(m_power, v);
            break;
        case Tag::Submode:
            assign(m_submode, v, LetterCase::Upper);
            break;
        case Tag::DarcDok:
            assign(m_darcDok, v, LetterCase::Upper);
            break;
        case Tag::QslSDate:
        case Tag::QslRDate:
            if (!v.isEmpty())
                assignDate(r[tag == Tag::QslSDate ? QsoField::QslOut : QsoField::QslIn], v);
            break;
        case Tag::QslSent:
        case Tag::QslRcvd: {
            QByteArray& qsl = r[tag == Tag::QslSent ? QsoField::QslOut : QsoField::QslIn];
            if (v.size() == 1 && v[0] == 'Y' && qsl.isEmpty())
                assign(qsl, "01.01.1901");
            break;
        }
        default:
            if (const PlainField* p = kPlainFieldOfTag[static_cast<size_t>(tag)])
                assign(r[p->field], v, p->letterCase);
        }
    }

    // "100" becomes "100W" at once; anything else goes the long way.
    void storePower() {
        QByteArray& f = m_record[QsoField::TxPwr];
        const qsizetype n = m_power.size();
        if (n == 0 || !std::all_of(m_power.cbegin(), m_power.cend(),
                                   [](char c) { return c >= '0' && c <= '9'; })) {
            f = AdifValues::importPower(m_power, m_record);
            return;
        }
        if (f.isNull() || !f.isDetached())
            f = QByteArray(n + 1, 'W');
        else
            f.resize(n + 1);
        char* out = f.data();
        std::memcpy(out, m_power.constData(), size_t(n));
        out[n] = 'W';
    }

    // The log's names for ADIF's band and mode; the DOK of DARC_DOK when DOK has none.
    void applyNames() {
        QByteArray& band = m_record[QsoField::Band];
        band = AdifNames::bandFromAdif(band);
        QByteArray& mode = m_record[QsoField::Mode];
        mode = AdifNames::modeFromAdif(mode, m_submode);
        if (m_record[QsoField::Dok].isEmpty() && !m_darcDok.isEmpty())
            m_record[QsoField::Dok] = m_darcDok;
    }

    // Empties the record for the next one, keeping the buffers a sink left it.
    void clearRecord() {
        for (QByteArray& f : m_record.fields)
            assign(f, {});
        assign(m_power, {});
        assign(m_submode, {});
        assign(m_darcDok, {});
        m_inRecord = false;
        m_lineBreaks = false;
        m_valueCut = false;
        m_unmappable = false;
    }

    // truncated: the data end inside a value of the record, before its "<EOR>".
    void finishRecord(qsizetype end, bool truncated = false) {
        ++m_recordNumber;
        applyNames();
        const bool complete =
            std::all_of(std::begin(kRequired), std::end(kRequired),
                        [&](const auto& r) { return !m_record[r.first].isEmpty(); });
        // No date or time is made up for a value that is none.
        QList<QByteArray> unreadable;
        if (complete && !GermanFormat::parseDate(m_record[QsoField::Date]))
            unreadable.append("QSO_DATE");
        if (complete && !GermanFormat::parseTime(m_record[QsoField::Utc]))
            unreadable.append("TIME_ON");
        if (complete && unreadable.isEmpty() && !truncated) {
            storePower();
            if (m_lineBreaks)
                AdifValues::normaliseLineBreaks(m_record);
            if (m_unmappable)
                ++m_result.unmappableRecords;
            m_sink(m_record);
            ++m_result.accepted;
        } else if (++m_result.skippedCount <= kListedSkips) {
            SkippedRecord skip;
            skip.recordNumber = m_recordNumber;
            skip.call = m_record[QsoField::Call];
            skip.incomplete = truncated;
            skip.unreadableTags = unreadable;
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
    bool m_utf8Known = false;
    bool m_utf8 = false;
    TQsoRecord m_record;
    QByteArray m_power;
    QByteArray m_submode;
    QByteArray m_darcDok;
    bool m_ownExport = false; // written by our export: Windows-1252, byte lengths
    bool m_inRecord = false;
    bool m_lineBreaks = false; // a stored value holds CR or LF
    bool m_valueCut = false;   // a value of the record was cut short by the data's end
    bool m_unmappable = false; // a value held a character Windows-1252 has no letter for
    qint64 m_recordNumber = 0;
    ReadResult m_result;
};

} // namespace

QString SkippedRecord::reason() const {
    const QString who = call.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(fromCp1252(call));
    if (incomplete)
        return uiText("Datensatz %1%2: unvollst\u00e4ndig, die Datei endet darin")
            .arg(QString::number(recordNumber), who);
    QStringList tags;
    for (const QByteArray& tag : missingTags.isEmpty() ? unreadableTags : missingTags)
        tags.append(QString::fromLatin1(tag));
    return uiText(missingTags.isEmpty() ? "Datensatz %1%2: nicht lesbar %3"
                                        : "Datensatz %1%2: es fehlt %3")
        .arg(QString::number(recordNumber), who, tags.join(QStringLiteral(", ")));
}

ReadResult read(QByteArrayView data, const RecordSink& sink, const ProgressCallback& progress) {
    return Parser(data, sink, progress).run();
}

} // namespace AdifReader
