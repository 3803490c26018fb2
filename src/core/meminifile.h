#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

// An INI file held wholly in memory: reads and writes touch memory only, UpdateFile
// rewrites the file. Section and key names match without regard to case.
//
// Values are Windows-1252 as other programs expect; a value that Windows-1252 cannot hold
// (a path with "Ł") is written as UTF-8 behind the marker EF BB BF, so that it reads back
// exactly.
class TMemIniFile {
public:
    explicit TMemIniFile(QString fileName); // a missing file reads as empty
    // An empty image bound to a file that could not be read: the settings live in memory
    // only and UpdateFile never writes over that file.
    static TMemIniFile unread(QString fileName);

    const QString& FileName() const { return m_fileName; }
    // False for an image of a file that could not be read: UpdateFile leaves the file.
    bool savesToFile() const { return !m_unread; }

    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    void WriteString(const QString& section, const QString& key, const QString& value);
    int ReadInteger(const QString& section, const QString& key, int def) const;
    void WriteInteger(const QString& section, const QString& key, int value);
    bool ReadBool(const QString& section, const QString& key, bool def) const;
    void WriteBool(const QString& section, const QString& key, bool value);
    double ReadFloat(const QString& section, const QString& key, double def) const;
    void WriteFloat(const QString& section, const QString& key, double value);

    bool ValueExists(const QString& section, const QString& key) const;
    QStringList ReadSection(const QString& section) const; // key names in file order

    // Writes every section in memory order, each followed by an empty line, through a
    // temporary file so that a crash never leaves a half-written file. Content larger than
    // the reader accepts is refused (DaluError), so that what is written can be read back;
    // an unread image writes nothing.
    void UpdateFile() const;

    // The file as UpdateFile writes it.
    QByteArray serialise() const;
    void parse(const QByteArray& content);

    // Raw stored bytes <-> text, as WriteString and ReadString convert values.
    static QByteArray encodeValue(const QString& value);
    static QString decodeValue(QByteArrayView bytes);

private:
    // Names, keys and values live in one byte pool and the records hold offsets into it:
    // a file of a million tiny sections must cost a few times its size, not a heap block
    // and a hash table per section.
    struct Span {
        quint32 pos = 0;
        quint32 len = 0;
    };
    struct Entry {
        Span key;
        Span value;
        quint32 section;
        quint32 next; // the section's next entry in file order, or kNone
    };
    struct Section {
        Span name;
        quint32 first;
        quint32 last;
    };
    static constexpr quint32 kNone = 0xFFFFFFFFu;

    TMemIniFile() = default;
    QByteArrayView bytes(Span s) const { return QByteArrayView(m_pool).sliced(s.pos, s.len); }
    Span store(QByteArrayView data);
    void setValue(Entry& e, QByteArrayView value);
    void compactPool();
    quint32 ensureSection(QByteArrayView rawName);
    quint32 findSection(QByteArrayView rawName) const;
    // The first entry of the section with this key, or kNone.
    quint32 findEntry(quint32 section, QByteArrayView rawKey) const;
    void addEntry(quint32 section, QByteArrayView rawKey, QByteArrayView value);
    const Entry* findValue(const QString& section, const QString& key) const;
    void growSlots(std::vector<quint32>& table, qsizetype count, bool sections);

    QString m_fileName;
    bool m_unread = false;
    QByteArray m_pool;
    qsizetype m_garbage = 0; // pool bytes of values since replaced
    std::vector<Section> m_sections;
    std::vector<Entry> m_entries;
    // Open addressing: index + 1 of a section (by folded name) or of an entry (by section
    // and folded key); 0 is an empty slot. Sizes are powers of two.
    std::vector<quint32> m_sectionSlots;
    std::vector<quint32> m_entrySlots;
};
