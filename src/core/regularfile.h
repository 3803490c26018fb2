#pragma once

#include <QByteArray>
#include <QString>

// Reading files named by settings or by the operator without hanging on them: only
// regular files are opened (a FIFO or a device would block or never end), and whole-file
// reads stop at a size limit. Failures throw DaluError with the path.
namespace RegularFile {

// Settings, language and reference files are a few kilobytes; this leaves ample room.
inline constexpr qint64 kSmallFileLimit = 16 * 1024 * 1024;

// A descriptor open for reading (close-on-exec), or a DaluError when the path is no
// regular file or cannot be opened.
int openForReading(const QString& path);

// The whole content of a regular file of at most limit bytes.
QByteArray readAll(const QString& path, qint64 limit = kSmallFileLimit);

// Flushes the folder holding path: a name created or renamed there survives a crash only
// once its folder is on disk too. Best effort: a folder that cannot be opened is left.
void syncFolderOf(const QString& path);

// What tells a changed file from the one seen before: size, modification time and
// identity (a file replaced by another has a new inode).
struct Stamp {
    bool exists = false;
    qint64 size = -1;
    qint64 modifiedNs = 0;
    quint64 inode = 0;

    static Stamp of(const QString& path);
    static Stamp ofOpen(int fd);
    bool operator==(const Stamp& o) const {
        return exists == o.exists && size == o.size && modifiedNs == o.modifiedNs &&
               inode == o.inode;
    }
    bool operator!=(const Stamp& o) const { return !(*this == o); }
};

} // namespace RegularFile
