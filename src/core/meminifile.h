#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

// An INI file held wholly in memory: reads and writes touch memory only, UpdateFile
// rewrites the file. Section and key names match without regard to case.
class TMemIniFile {
public:
    explicit TMemIniFile(QString fileName); // a missing file reads as empty
    // An empty image bound to the file, which is not read (it could not be): the next
    // UpdateFile writes there and reports its own failure.
    static TMemIniFile unread(QString fileName);

    const QString& FileName() const { return m_fileName; }

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
    // temporary file so that a crash never leaves a half-written file.
    void UpdateFile() const;

    // The file as UpdateFile writes it.
    QByteArray serialise() const;
    void parse(const QByteArray& content);

private:
    struct Entry {
        QByteArray key;
        QByteArray value;
    };
    struct Section {
        QByteArray name;
        QList<Entry> entries;
        QHash<QString, qsizetype> keyIndex; // folded key -> its first entry
    };

    TMemIniFile() = default;
    Section& ensureSection(const QByteArray& rawName);
    const Section* findSection(const QString& name) const;
    const QByteArray* findValue(const QString& section, const QString& key) const;

    QString m_fileName;
    QList<Section> m_sections;
    // Folded section name -> index: thousands of sections must not make lookups slow.
    QHash<QString, qsizetype> m_sectionIndex;
};
