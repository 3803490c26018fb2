#include "meminifile.h"

#include "atomicfilewriter.h"
#include "cp1252.h"
#include "daluerror.h"
#include "germanformat.h"

#include <QFile>

#include <climits>

namespace {

bool sameName(const QByteArray& a, const QString& b) {
    return fromCp1252(a).compare(b, Qt::CaseInsensitive) == 0;
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
    QFile file(m_fileName);
    if (!file.exists())
        return;
    if (!file.open(QIODevice::ReadOnly))
        throw DaluError::io(QStringLiteral("Cannot open"), m_fileName, file.errorString());
    parse(file.readAll());
}

void TMemIniFile::parse(const QByteArray& content) {
    m_sections.clear();
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
        current->entries.append(Entry{line.left(eq).trimmed(), line.mid(eq + 1)});
    }
}

TMemIniFile::Section& TMemIniFile::ensureSection(const QByteArray& rawName) {
    for (Section& s : m_sections) {
        if (sameName(s.name, fromCp1252(rawName)))
            return s;
    }
    m_sections.append(Section{rawName, {}});
    return m_sections.last();
}

const TMemIniFile::Section* TMemIniFile::findSection(const QString& name) const {
    for (const Section& s : m_sections) {
        if (sameName(s.name, name))
            return &s;
    }
    return nullptr;
}

const QByteArray* TMemIniFile::findValue(const QString& section, const QString& key) const {
    const Section* s = findSection(section);
    if (!s)
        return nullptr;
    for (const Entry& e : s->entries) {
        if (sameName(e.key, key))
            return &e.value;
    }
    return nullptr;
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
    for (Entry& e : s.entries) {
        if (sameName(e.key, key)) {
            e.value = bytes;
            return;
        }
    }
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
    AtomicFileWriter writer(m_fileName, m_fileName + QStringLiteral(".tmp"));
    writer.write(serialise());
    writer.commit();
}
