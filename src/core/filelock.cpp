#include "filelock.h"

#include "daluerror.h"
#include "uitexts.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray native(const QString& path) {
    return QFile::encodeName(path);
}

bool sameFile(int fd, const QByteArray& path) {
    struct stat a, b;
    return ::fstat(fd, &a) == 0 && ::stat(path.constData(), &b) == 0 && a.st_dev == b.st_dev &&
           a.st_ino == b.st_ino;
}

// Tries the lock every 20 ms until it is had or the wait runs out.
bool lockWaiting(int fd, int waitMs) {
    for (int waited = 0;; waited += 20) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            return true;
        if (errno != EWOULDBLOCK && errno != EINTR)
            return true; // a file system without locks: write as before
        if (waited >= waitMs)
            return false;
        ::usleep(20000);
    }
}

} // namespace

FileWriteLock::FileWriteLock(const QString& path, int openFlags) {
    const QByteArray file = native(path);
    const QByteArray dir = native(QFileInfo(path).absolutePath());
    for (;;) {
        int fd = ::open(file.constData(), openFlags | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0 && errno == EACCES && openFlags == O_RDONLY) // a file one may only write
            fd = ::open(file.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0) {
            if (!lockWaiting(fd, waitMs)) {
                ::close(fd);
                break;
            }
            if (sameFile(fd, file)) {
                ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
                m_fileFd = fd;
                return;
            }
            ::close(fd); // replaced meanwhile: lock the new file
            continue;
        }
        if (errno != ENOENT)
            throw DaluError::fromErrno(uiText("Fehler beim \u00d6ffnen von"), path);
        const int dirFd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dirFd < 0)
            throw DaluError::fromErrno(uiText("Fehler beim Anlegen von"), path);
        if (!lockWaiting(dirFd, waitMs)) {
            ::close(dirFd);
            break;
        }
        if (::access(file.constData(), F_OK) != 0) {
            m_dirFd = dirFd;
            return;
        }
        ::close(dirFd); // created meanwhile: lock the file itself
    }
    throw DaluError(uiText("\"%1\" wird gerade von einem anderen Programm geschrieben. Bitte "
                           "später noch einmal versuchen.")
                        .arg(path));
}

FileWriteLock::~FileWriteLock() {
    if (m_fileFd >= 0)
        ::close(m_fileFd);
    if (m_dirFd >= 0)
        ::close(m_dirFd);
}

QString LogOpenLock::lockPathOf(const QString& logPath) {
    const QFileInfo info(logPath);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".lock");
}

LogOpenLock::LogOpenLock(const QString& logPath) : m_lockPath(lockPathOf(logPath)) {
    const QByteArray path = native(m_lockPath);
    // A releasing holder removes the file: a lock won on the removed file is taken again.
    for (int attempt = 0; attempt < 10; ++attempt) {
        // A link or a FIFO planted under the lock's name is neither followed nor waited on.
        const int fd =
            ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
        if (fd < 0) {
            m_acquired = true;
            return;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const bool busy = errno == EWOULDBLOCK;
            ::close(fd);
            m_acquired = !busy;
            return;
        }
        if (sameFile(fd, path)) {
            m_fd = fd;
            m_acquired = true;
            return;
        }
        ::close(fd);
    }
}

LogOpenLock::~LogOpenLock() {
    if (m_fd < 0)
        return;
    ::unlink(native(m_lockPath).constData());
    ::close(m_fd);
}
