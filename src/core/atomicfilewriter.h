#pragma once

#include "filelock.h"

#include <QByteArray>
#include <QString>

#include <cstdio>
#include <memory>

// Writes a file through a temporary file beside it: the content goes to the temporary
// file, is flushed to disk, and only then replaces the target by an atomic rename. The
// target is never missing or half written. The writer holds the target's write lock
// from construction to the end, so that content read meanwhile stays current. A symbolic
// link is followed: its target is rewritten and the link stays; an existing target keeps
// its mode and (where permitted) its owner. Only a regular file is replaced: a device,
// FIFO, socket or folder at the end of the path is refused and left as it is. Every
// failure throws DaluError.
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(const QString& targetPath);
    ~AtomicFileWriter(); // removes the temporary file unless committed
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    void write(const QByteArray& bytes);
    void write(const char* data, size_t size);
    void commit();

    // The file really written: the target with symbolic links followed.
    const QString& targetPath() const { return m_targetPath; }
    const QString& tempPath() const { return m_tempPath; }

    // Throws DaluError unless the path, links followed, is a regular file or none: for
    // writers that change a file in place.
    static void requireRegularTarget(const QString& path);

    // Temporary files are named "<target>.dalu-XXXXXX.tmp", unique per writer and created
    // exclusively. Removes those left in the folder by writers that were killed; a file
    // still being written (its writer holds a lock on it) stays.
    static int removeLeftovers(const QString& folder);

private:
    QString m_targetPath;
    QString m_tempPath;
    std::unique_ptr<FileWriteLock> m_lock;
    std::FILE* m_file = nullptr;
    bool m_committed = false;
};
