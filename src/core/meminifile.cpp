#include "meminifile.h"

#include "atomicfilewriter.h"
#include "cp1252.h"
#include "daluerror.h"
#include "germanformat.h"
#include "regularfile.h"

#include <QFileInfo>

#include <climits>

namespace {

QString fold(const QString& name) {
    return name.toCaseFolded();
}

QString fold(const QByteArray& rawName) {
    return fromCp1252(rawName).toCaseFolded();
}

std::optional<long long> parseIniInteger(const QByteArray& raw) {
    const QByteArray text = raw.trimmed();
    if (text.startsWith("0x") || text.startsWith("0X")) {
        bool ok = false;
        const long long value = text.mid(2).toLongLong(&ok, 16);
        if (ok && !text.mid(2).startsWith('-') && !text.mid(2).startsWith('+'))
            return value;
        return std::nullopt;
    }
    return GermanFormat::parseInteger(text);
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
    return ini;
}

void TMemIniFile::parse(const QByteArray& content) {
    m_sections.clear();
    m_sectionIndex.clear();
    Section* current = nullptr;
    for (QByteArray line : content.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        const QByteArray trimmed = line.trimmed();
        if (trimmed.isEmpty())
            continue;
        if (trimmed.startsWith('[') && trimmed.endsWith(']')) {
            current = &ensureSection(trimmed.mid(1, trimmed.size() - 2).trimmed());
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (!current || eq < 0)
            continue;
        const QByteArray key = line.left(eq).trimmed();
        const QString folded = fold(key);
        if (!current->keyIndex.contains(folded)) // the first of two equal keys wins
            current->keyIndex.insert(folded, current->entries.size());
        current->entries.append(Entry{key, line.mid(eq + 1)});
    }
}

TMemIniFile::Section& TMemIniFile::ensureSection(const QByteArray& rawName) {
    const QString folded = fold(rawName);
    const auto found = m_sectionIndex.constFind(folded);
    if (found != m_sectionIndex.constEnd())
        return m_sections[*found];
    m_sectionIndex.insert(folded, m_sections.size());
    m_sections.append(Section{rawName, {}, {}});
    return m_sections.last();
}

const TMemIniFile::Section* TMemIniFile::findSection(const QString& name) const {
    const auto found = m_sectionIndex.constFind(fold(name));
    return found == m_sectionIndex.constEnd() ? nullptr : &m_sections.at(*found);
}

const QByteArray* TMemIniFile::findValue(const QString& section, const QString& key) const {
    const Section* s = findSection(section);
    if (!s)
        return nullptr;
    const auto found = s->keyIndex.constFind(fold(key));
    return found == s->keyIndex.constEnd() ? nullptr : &s->entries.at(*found).value;
}

bool TMemIniFile::ValueExists(const QString& section, const QString& key) const {
    return findValue(section, key) != nullptr;
}

QStringList TMemIniFile::ReadSection(const QString& section) const {
    QStringList keys;
    if (const Section* s = findSection(section)) {
        for (const Entry& e : s->entries)
            keys.append(fromCp1252(e.key));
    }
    return keys;
}

QString TMemIniFile::ReadString(const QString& section, const QString& key,
                                const QString& def) const {
    const QByteArray* value = findValue(section, key);
    return value ? fromCp1252(*value) : def;
}

void TMemIniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    // A line break would split the value into a second, bogus line.
    QString clean = value;
    clean.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QByteArray bytes = toCp1252(clean);
    Section& s = ensureSection(toCp1252(section));
    const QString folded = fold(key);
    const auto found = s.keyIndex.constFind(folded);
    if (found != s.keyIndex.constEnd()) {
        s.entries[*found].value = bytes;
        return;
    }
    s.keyIndex.insert(folded, s.entries.size());
    s.entries.append(Entry{toCp1252(key), bytes});
}

int TMemIniFile::ReadInteger(const QString& section, const QString& key, int def) const {
    const QByteArray* value = findValue(section, key);
    if (!value)
        return def;
    const std::optional<long long> number = parseIniInteger(*value);
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
    const QByteArray* value = findValue(section, key);
    if (!value)
        return def;
    return GermanFormat::parseDecimal(*value).value_or(def);
}

void TMemIniFile::WriteFloat(const QString& section, const QString& key, double value) {
    WriteString(section, key, QString::fromLatin1(GermanFormat::formatDecimal(value)));
}

QByteArray TMemIniFile::serialise() const {
    QByteArray out;
    for (const Section& s : m_sections) {
        out += '[' + s.name + "]\r\n";
        for (const Entry& e : s.entries)
            out += e.key + '=' + e.value + "\r\n";
        out += "\r\n";
    }
    return out;
}

void TMemIniFile::UpdateFile() const {
    AtomicFileWriter writer(m_fileName);
    writer.write(serialise());
    writer.commit();
}
