#include "referenceini.h"

#include "cp1252.h"
#include "daluerror.h"
#include "regularfile.h"

#include <QFile>

#ifdef Q_OS_LINUX
#include <sys/stat.h>
#else
#include <QDateTime>
#include <QFileInfo>
#endif

namespace {

// What tells an edited file from the one parsed last time. One stat() per lookup: a
// search calls the DXCC lookup once per QSO, and QFileInfo's modification time costs a
// conversion to local time on top of the system call.
struct FileStamp {
    bool exists = false;
    qint64 size = -1;
    qint64 modifiedNs = 0;

    bool operator==(const FileStamp& o) const {
        return exists == o.exists && size == o.size && modifiedNs == o.modifiedNs;
    }
};

#ifdef Q_OS_LINUX
FileStamp stampOf(const QString& fileName) {
    struct stat st;
    if (fileName.isEmpty() || ::stat(QFile::encodeName(fileName).constData(), &st) != 0)
        return {};
    return {true, static_cast<qint64>(st.st_size),
            static_cast<qint64>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}
#else
FileStamp stampOf(const QString& fileName) {
    const QFileInfo info(fileName);
    if (!info.exists())
        return {};
    return {true, info.size(), info.lastModified().toMSecsSinceEpoch() * 1000000};
}
#endif

struct CacheEntry {
    FileStamp stamp;
    std::shared_ptr<const TReferenceIni> ini;
};

QString fold(const QString& name) {
    return name.toCaseFolded();
}

} // namespace

TReferenceIni::TReferenceIni(const QByteArray& content) {
    Section* current = nullptr;
    for (const QByteArray& rawLine : content.split('\n')) {
        const QByteArray line = rawLine.trimmed(); // also drops the CR of CR LF
        if (line.isEmpty() || line.startsWith(';'))
            continue;
        if (line.startsWith('[')) {
            const qsizetype close = line.indexOf(']');
            const QByteArray name = line.mid(1, close < 0 ? -1 : close - 1).trimmed();
            current = &m_sections[fold(fromCp1252(name))];
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (!current || eq < 0)
            continue;
        const QString key = fold(fromCp1252(line.left(eq).trimmed()));
        if (!key.isEmpty() && !current->contains(key))
            current->insert(key, fromCp1252(line.mid(eq + 1).trimmed()));
    }
}

QString TReferenceIni::ReadString(const QString& section, const QString& key) const {
    const auto s = m_sections.constFind(fold(section));
    if (s == m_sections.constEnd())
        return {};
    return s->value(fold(key));
}

std::shared_ptr<const TReferenceIni> TReferenceIni::cached(const QString& fileName) {
    static QHash<QString, CacheEntry> cache;
    static const auto empty = std::make_shared<const TReferenceIni>();

    const FileStamp stamp = stampOf(fileName);
    CacheEntry& entry = cache[fileName];
    if (entry.ini && entry.stamp == stamp)
        return entry.ini;

    if (!stamp.exists) {
        entry = {};
        return empty;
    }
    try {
        entry = {stamp, std::make_shared<const TReferenceIni>(RegularFile::readAll(fileName))};
    } catch (const DaluError& e) {
        // Looked up at every keystroke: no message box, and the same file is not tried
        // again until it changes. A file that is no regular one or too large reads empty.
        qWarning("%s", qPrintable(e.message()));
        entry = {stamp, empty};
    }
    return entry.ini;
}

QString readReferenceString(const QString& fileName, const QString& section, const QString& key) {
    return TReferenceIni::cached(fileName)->ReadString(section, key);
}
