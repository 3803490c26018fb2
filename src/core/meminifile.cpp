#include "meminifile.h"

#include "atomicfilewriter.h"
#include "cp1252.h"
#include "daluerror.h"
#include "germanformat.h"
#include "regularfile.h"
#include "uitexts.h"

#include <QFileInfo>

#include <array>
#include <climits>
#include <cstring>
#include <utility>

namespace {

// Marks a value stored as UTF-8 (the UTF-8 byte order mark).
constexpr QByteArrayView kUtf8Marker("\xEF\xBB\xBF");

// Each Windows-1252 byte's character, case folded: names compare through this table.
const std::array<char16_t, 256>& foldTable() {
    static const std::array<char16_t, 256> table = [] {
        std::array<char16_t, 256> t{};
        for (int b = 0; b < 256; ++b) {
            const char byte = char(b);
            t[size_t(b)] = fromCp1252(QByteArrayView(&byte, 1)).at(0).toCaseFolded().unicode();
        }
        return t;
    }();
    return table;
}

quint32 foldedHash(QByteArrayView name, quint32 seed) {
    const auto& fold = foldTable();
    quint32 h = 2166136261u ^ (seed * 0x9E3779B9u);
    for (const char c : name) {
        h ^= fold[uchar(c)];
        h *= 16777619u;
    }
    return h ^ (h >> 16);
}

bool sameFolded(QByteArrayView a, QByteArrayView b) {
    if (a.size() != b.size())
        return false;
    const auto& fold = foldTable();
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (fold[uchar(a[i])] != fold[uchar(b[i])])
            return false;
    }
    return true;
}

std::optional<long long> parseIniInteger(QByteArrayView raw) {
    const QByteArray text = raw.trimmed().toByteArray();
    if (text.startsWith("0x") || text.startsWith("0X")) {
        bool ok = false;
        const long long value = text.mid(2).toLongLong(&ok, 16);
        if (ok && !text.mid(2).startsWith('-') && !text.mid(2).startsWith('+'))
            return value;
        return std::nullopt;
    }
    return GermanFormat::parseInteger(text);
}

QString limitText(qint64 limit) {
    return QString::number(limit / (1024 * 1024));
}

} // namespace

TMemIniFile::TMemIniFile(QString fileName) : m_fileName(std::move(fileName)) {
    if (!QFileInfo::exists(m_fileName))
        return;
    parse(RegularFile::readAll(m_fileName));
}

TMemIniFile TMemIniFile::unread(QString fileName) {
    TMemIniFile ini;
    ini.m_fileName = std::move(fileName);
    ini.m_unread = true;
    return ini;
}

QByteArray TMemIniFile::encodeValue(const QString& value) {
    const QByteArray cp1252 = toCp1252(value);
    if (!cp1252.startsWith(kUtf8Marker) && fromCp1252(cp1252) == value)
        return cp1252;
    return kUtf8Marker.toByteArray() + value.toUtf8();
}

QString TMemIniFile::decodeValue(QByteArrayView bytes) {
    if (bytes.startsWith(kUtf8Marker)) {
        const QByteArrayView utf8 = bytes.sliced(kUtf8Marker.size());
        const QString text = QString::fromUtf8(utf8);
        if (text.toUtf8() == utf8) // valid UTF-8; other bytes are Windows-1252 text
            return text;
    }
    return fromCp1252(bytes);
}

namespace {

// Calls onSection(name) or onKey(key, value) for each line that is one, in file order.
template <typename OnSection, typename OnKey>
void forEachIniLine(const QByteArray& content, OnSection onSection, OnKey onKey) {
    const char* p = content.constData();
    const char* const end = p + content.size();
    while (p < end) {
        const char* nl = static_cast<const char*>(std::memchr(p, '\n', size_t(end - p)));
        const char* lineEnd = nl ? nl : end;
        QByteArrayView line(p, lineEnd - p);
        p = nl ? nl + 1 : end;
        if (line.endsWith('\r'))
            line.chop(1);
        const QByteArrayView trimmed = line.trimmed();
        if (trimmed.isEmpty())
            continue;
        if (trimmed.startsWith('[') && trimmed.endsWith(']')) {
            onSection(trimmed.sliced(1, trimmed.size() - 2).trimmed());
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (eq >= 0)
            onKey(line.first(eq).trimmed(), line.sliced(eq + 1));
    }
}

} // namespace

void TMemIniFile::parse(const QByteArray& content) {
    m_pool.clear();
    m_garbage = 0;
    m_sections.clear();
    m_entries.clear();
    m_sectionSlots.clear();
    m_entrySlots.clear();
    // Counted first, so that every table is sized once: no doubling copies at the peak.
    qsizetype sections = 0, keys = 0, bytes = 0;
    forEachIniLine(
        content,
        [&](QByteArrayView name) {
            ++sections;
            bytes += name.size();
        },
        [&](QByteArrayView key, QByteArrayView value) {
            ++keys;
            bytes += key.size() + value.size();
        });
    m_pool.reserve(bytes);
    m_sections.reserve(size_t(sections));
    m_entries.reserve(size_t(keys));
    growSlots(m_sectionSlots, sections, true);
    growSlots(m_entrySlots, keys, false);
    quint32 current = kNone;
    forEachIniLine(
        content, [&](QByteArrayView name) { current = ensureSection(name); },
        [&](QByteArrayView key, QByteArrayView value) {
            if (current != kNone)
                addEntry(current, key, value);
        });
}

TMemIniFile::Span TMemIniFile::store(QByteArrayView data) {
    if (quint64(m_pool.size()) + quint64(data.size()) >= quint64(UINT32_MAX))
        throw DaluError(uiText("\"%1\" ist größer als %2 MB und wird nicht gelesen.")
                            .arg(m_fileName)
                            .arg(limitText(RegularFile::kSmallFileLimit)));
    const Span s{quint32(m_pool.size()), quint32(data.size())};
    m_pool.append(data);
    return s;
}

void TMemIniFile::setValue(Entry& e, QByteArrayView value) {
    if (value.size() <= qsizetype(e.value.len)) {
        // Fits in place: the pool does not grow with repeated writes of a key.
        std::memcpy(m_pool.data() + e.value.pos, value.data(), size_t(value.size()));
        m_garbage += e.value.len - value.size();
        e.value.len = quint32(value.size());
        return;
    }
    m_garbage += e.value.len;
    e.value = store(value);
    if (m_garbage > 65536 && m_garbage > m_pool.size() / 2)
        compactPool();
}

void TMemIniFile::compactPool() {
    const QByteArray old = std::exchange(m_pool, QByteArray());
    m_pool.reserve(old.size() - m_garbage);
    auto move = [&](Span& s) {
        const Span moved{quint32(m_pool.size()), s.len};
        m_pool.append(old.constData() + s.pos, s.len);
        s = moved;
    };
    for (Section& s : m_sections)
        move(s.name);
    for (Entry& e : m_entries) {
        move(e.key);
        move(e.value);
    }
    m_garbage = 0;
}

void TMemIniFile::growSlots(std::vector<quint32>& table, qsizetype count, bool sections) {
    if (qsizetype(table.size()) >= 2 * (count + 1))
        return;
    size_t size = std::max<size_t>(16, table.size());
    while (qsizetype(size) < 2 * (count + 1))
        size *= 2;
    std::vector<quint32> grown(size, 0);
    const quint32 mask = quint32(grown.size() - 1);
    for (const quint32 slot : table) {
        if (slot == 0)
            continue;
        const quint32 i = slot - 1;
        quint32 at = sections ? foldedHash(bytes(m_sections[i].name), 0)
                              : foldedHash(bytes(m_entries[i].key), m_entries[i].section + 1);
        for (at &= mask; grown[at] != 0; at = (at + 1) & mask) {
        }
        grown[at] = slot;
    }
    table.swap(grown);
}

quint32 TMemIniFile::findSection(QByteArrayView rawName) const {
    if (m_sectionSlots.empty())
        return kNone;
    const quint32 mask = quint32(m_sectionSlots.size() - 1);
    for (quint32 at = foldedHash(rawName, 0) & mask; m_sectionSlots[at] != 0;
         at = (at + 1) & mask) {
        const quint32 i = m_sectionSlots[at] - 1;
        if (sameFolded(bytes(m_sections[i].name), rawName))
            return i;
    }
    return kNone;
}

quint32 TMemIniFile::ensureSection(QByteArrayView rawName) {
    const quint32 found = findSection(rawName);
    if (found != kNone)
        return found;
    growSlots(m_sectionSlots, qsizetype(m_sections.size()), true);
    const quint32 index = quint32(m_sections.size());
    m_sections.push_back(Section{store(rawName), kNone, kNone});
    const quint32 mask = quint32(m_sectionSlots.size() - 1);
    quint32 at = foldedHash(rawName, 0) & mask;
    while (m_sectionSlots[at] != 0)
        at = (at + 1) & mask;
    m_sectionSlots[at] = index + 1;
    return index;
}

quint32 TMemIniFile::findEntry(quint32 section, QByteArrayView rawKey) const {
    if (m_entrySlots.empty())
        return kNone;
    const quint32 mask = quint32(m_entrySlots.size() - 1);
    for (quint32 at = foldedHash(rawKey, section + 1) & mask; m_entrySlots[at] != 0;
         at = (at + 1) & mask) {
        const quint32 i = m_entrySlots[at] - 1;
        if (m_entries[i].section == section && sameFolded(bytes(m_entries[i].key), rawKey))
            return i;
    }
    return kNone;
}

void TMemIniFile::addEntry(quint32 section, QByteArrayView rawKey, QByteArrayView value) {
    const bool indexed = findEntry(section, rawKey) == kNone; // the first of two equal keys wins
    const quint32 index = quint32(m_entries.size());
    const Span key = store(rawKey);
    m_entries.push_back(Entry{key, store(value), section, kNone});
    Section& s = m_sections[section];
    if (s.last == kNone)
        s.first = index;
    else
        m_entries[s.last].next = index;
    s.last = index;
    if (!indexed)
        return;
    growSlots(m_entrySlots, qsizetype(m_entries.size()), false);
    const quint32 mask = quint32(m_entrySlots.size() - 1);
    quint32 at = foldedHash(rawKey, section + 1) & mask;
    while (m_entrySlots[at] != 0)
        at = (at + 1) & mask;
    m_entrySlots[at] = index + 1;
}

const TMemIniFile::Entry* TMemIniFile::findValue(const QString& section, const QString& key) const {
    const quint32 s = findSection(toCp1252(section));
    if (s == kNone)
        return nullptr;
    const quint32 e = findEntry(s, toCp1252(key));
    return e == kNone ? nullptr : &m_entries[e];
}

bool TMemIniFile::ValueExists(const QString& section, const QString& key) const {
    return findValue(section, key) != nullptr;
}

QStringList TMemIniFile::ReadSection(const QString& section) const {
    QStringList keys;
    const quint32 s = findSection(toCp1252(section));
    if (s == kNone)
        return keys;
    for (quint32 e = m_sections[s].first; e != kNone; e = m_entries[e].next)
        keys.append(fromCp1252(bytes(m_entries[e].key)));
    return keys;
}

QString TMemIniFile::ReadString(const QString& section, const QString& key,
                                const QString& def) const {
    const Entry* e = findValue(section, key);
    return e ? decodeValue(bytes(e->value)) : def;
}

void TMemIniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    // A line break would split the value into a second, bogus line.
    QString clean = value;
    clean.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QByteArray bytes = encodeValue(clean);
    const quint32 s = ensureSection(toCp1252(section));
    const QByteArray rawKey = toCp1252(key);
    const quint32 e = findEntry(s, rawKey);
    if (e != kNone)
        setValue(m_entries[e], bytes);
    else
        addEntry(s, rawKey, bytes);
}

int TMemIniFile::ReadInteger(const QString& section, const QString& key, int def) const {
    const Entry* e = findValue(section, key);
    if (!e)
        return def;
    const std::optional<long long> number = parseIniInteger(bytes(e->value));
    if (!number || *number < INT_MIN || *number > INT_MAX)
        return def;
    return static_cast<int>(*number);
}

void TMemIniFile::WriteInteger(const QString& section, const QString& key, int value) {
    WriteString(section, key, QString::number(value));
}

bool TMemIniFile::ReadBool(const QString& section, const QString& key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void TMemIniFile::WriteBool(const QString& section, const QString& key, bool value) {
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

double TMemIniFile::ReadFloat(const QString& section, const QString& key, double def) const {
    const Entry* e = findValue(section, key);
    if (!e)
        return def;
    return GermanFormat::parseDecimal(bytes(e->value)).value_or(def);
}

void TMemIniFile::WriteFloat(const QString& section, const QString& key, double value) {
    WriteString(section, key, QString::fromLatin1(GermanFormat::formatDecimal(value)));
}

QByteArray TMemIniFile::serialise() const {
    QByteArray out;
    out.reserve(m_pool.size() - m_garbage + qsizetype(m_sections.size()) * 6 +
                qsizetype(m_entries.size()) * 3);
    for (const Section& s : m_sections) {
        out += '[';
        out += bytes(s.name);
        out += "]\r\n";
        for (quint32 i = s.first; i != kNone; i = m_entries[i].next) {
            out += bytes(m_entries[i].key);
            out += '=';
            out += bytes(m_entries[i].value);
            out += "\r\n";
        }
        out += "\r\n";
    }
    return out;
}

void TMemIniFile::UpdateFile() const {
    if (m_unread)
        return;
    const QByteArray content = serialise();
    if (content.size() > RegularFile::kSmallFileLimit)
        throw DaluError(uiText("Die Einstellungen wurden nicht gespeichert: \"%1\" würde größer "
                               "als %2 MB und könnte nicht mehr gelesen werden.")
                            .arg(m_fileName)
                            .arg(limitText(RegularFile::kSmallFileLimit)));
    AtomicFileWriter writer(m_fileName);
    writer.write(content);
    writer.commit();
}
