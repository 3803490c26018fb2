#include "atomicfilewriter.h"

#include "daluerror.h"
#include "regularfile.h"
#include "uitexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char kTempMarker[] = ".dalu-";

QByteArray nativePath(const QString& path) {
    return QFile::encodeName(path);
}

// The file a chain of symbolic links ends at (the path itself when it is none).
QString followLinks(QString path) {
    for (int depth = 0; depth < 40; ++depth) {
        const QFileInfo info(path);
        if (!info.isSymLink())
            return path;
        path = info.symLinkTarget();
    }
    return path;
}

// Only a regular file (or none yet) may be replaced: a device, FIFO, socket or folder, or a
// link chain that never ends, is left as it is.
void requireRegular(const QString& target) {
    struct stat st;
    const QByteArray path = nativePath(target);
    if (::lstat(path.constData(), &st) != 0) {
        if (errno == ENOENT)
            return;
        throw DaluError::fromErrno(uiText("Fehler beim Schreiben von"), target);
    }
    if (!S_ISREG(st.st_mode))
        throw DaluError(
            uiText("\"%1\" ist keine gewöhnliche Datei und wird nicht überschrieben.").arg(target));
}

QString randomSuffix() {
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString s;
    for (int i = 0; i < 6; ++i)
        s += QLatin1Char(letters[QRandomGenerator::global()->bounded(int(sizeof letters) - 1)]);
    return s;
}

} // namespace

AtomicFileWriter::AtomicFileWriter(const QString& targetPath)
    : m_targetPath(followLinks(targetPath)) {
    requireRegular(m_targetPath);
    m_lock = std::make_unique<FileWriteLock>(m_targetPath);
    int fd = -1;
    for (int attempt = 0; fd < 0; ++attempt) {
        m_tempPath =
            m_targetPath + QLatin1String(kTempMarker) + randomSuffix() + QStringLiteral(".tmp");
        fd = ::open(nativePath(m_tempPath).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                    0666);
        if (fd < 0 && (errno != EEXIST || attempt > 100))
            throw DaluError::fromErrno(uiText("Fehler beim Anlegen der tempor\u00e4ren Datei"),
                                       m_tempPath);
    }
    // Marks the file as being written, for removeLeftovers() of another process.
    ::flock(fd, LOCK_EX | LOCK_NB);
    struct stat st;
    if (::stat(nativePath(m_targetPath).constData(), &st) == 0) {
        ::fchmod(fd, st.st_mode & 07777);
        if (::fchown(fd, st.st_uid, st.st_gid) != 0) {
            // Only the owner may be kept where permitted; the group alone may still be.
            (void)::fchown(fd, uid_t(-1), st.st_gid);
        }
    }
    m_file = ::fdopen(fd, "wb");
    if (!m_file) {
        ::close(fd);
        ::unlink(nativePath(m_tempPath).constData());
        throw DaluError::fromErrno(uiText("Fehler beim Schreiben von"), m_tempPath);
    }
}

AtomicFileWriter::~AtomicFileWriter() {
    if (!m_committed)
        ::unlink(nativePath(m_tempPath).constData());
    if (m_file)
        std::fclose(m_file);
}

void AtomicFileWriter::write(const QByteArray& bytes) {
    write(bytes.constData(), static_cast<size_t>(bytes.size()));
}

void AtomicFileWriter::write(const char* data, size_t size) {
    if (size > 0 && std::fwrite(data, 1, size, m_file) != size)
        throw DaluError::fromErrno(uiText("Fehler beim Schreiben von"), m_tempPath);
}

void AtomicFileWriter::commit() {
    // A read-only target is not to be replaced behind the operator's back.
    if (::access(nativePath(m_targetPath).constData(), F_OK) == 0 &&
        ::access(nativePath(m_targetPath).constData(), W_OK) != 0)
        throw DaluError::fromErrno(uiText("Fehler beim Ersetzen von"), m_targetPath);
    requireRegular(m_targetPath); // it may have been swapped for another kind meanwhile
    if (std::fflush(m_file) != 0 || ::fsync(fileno(m_file)) != 0)
        throw DaluError::fromErrno(uiText("Fehler beim Schreiben von"), m_tempPath);
    if (std::rename(nativePath(m_tempPath).constData(), nativePath(m_targetPath).constData()) != 0)
        throw DaluError::fromErrno(uiText("Fehler beim Ersetzen von"), m_targetPath);
    m_committed = true;
    const int closed = std::fclose(m_file);
    m_file = nullptr;
    RegularFile::syncFolderOf(m_targetPath);
    if (closed != 0)
        throw DaluError::fromErrno(uiText("Fehler beim Schreiben von"), m_targetPath);
}

void AtomicFileWriter::requireRegularTarget(const QString& path) {
    requireRegular(followLinks(path));
}

int AtomicFileWriter::removeLeftovers(const QString& folder) {
    const QDir dir(folder);
    int removed = 0;
    const QStringList names = dir.entryList(
        {QLatin1String("*") + QLatin1String(kTempMarker) + QStringLiteral("??????.tmp")},
        QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        const QByteArray path = nativePath(dir.filePath(name));
        const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::unlink(path.constData()) == 0)
            ++removed;
        ::close(fd);
    }
    return removed;
}
