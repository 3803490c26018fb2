#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <memory>

// A read-only INI file as the reference files DXCC.ini and DOK.ini are read: section and
// key names match without regard to case, and a missing file, section or key reads as
// an empty text. Keys and values lose surrounding blanks; the first of two equal keys
// wins; lines starting with ";" and lines with an empty key are ignored.
class TReferenceIni {
public:
    TReferenceIni() = default;
    explicit TReferenceIni(const QByteArray& content); // Windows-1252, CR LF or LF

    QString ReadString(const QString& section, const QString& key) const;

    // The parsed file from a process-wide cache keyed by path (the program has one thread). The
    // file is checked at every call and parsed again when it appeared, vanished, or changed its
    // size or modification time, so an edited file takes effect at the next lookup.
    static std::shared_ptr<const TReferenceIni> cached(const QString& fileName);

private:
    using Section = QHash<QString, QString>; // case-folded key -> value
    QHash<QString, Section> m_sections;      // case-folded section name -> keys
};

// One lookup through the cache: TReferenceIni::cached(fileName)->ReadString(...).
QString readReferenceString(const QString& fileName, const QString& section, const QString& key);
