#include "regularfile.h"

#include "daluerror.h"
#include "uitexts.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace RegularFile {

int openForReading(const QString& path) {
    // Non-blocking, so that opening a FIFO returns at once; the flag is dropped again
    // once the file is known to be regular.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw DaluError::fromErrno(uiText("Fehler beim \u00d6ffnen von"), path);
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        throw DaluError(
            uiText("\"%1\" ist keine gewöhnliche Datei und wird nicht gelesen.").arg(path));
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

QByteArray readAll(const QString& path, qint64 limit) {
    const int fd = openForReading(path);
    QByteArray data;
    struct stat st;
    if (::fstat(fd, &st) == 0 && st.st_size > limit) {
        ::close(fd);
        throw DaluError(uiText("\"%1\" ist größer als %2 MB und wird nicht gelesen.")
                            .arg(path)
                            .arg(limit / (1024 * 1024)));
    }
    data.resize(qsizetype(st.st_size));
    qsizetype done = 0;
    for (;;) {
        if (done == data.size()) {
            // The file may have grown since fstat(); the limit still holds.
            if (data.size() >= limit + 1)
                break;
            data.resize(std::min<qint64>(limit + 1, data.size() + 65536));
        }
        const ssize_t got = ::read(fd, data.data() + done, size_t(data.size() - done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int error = errno;
            ::close(fd);
            errno = error;
            throw DaluError::fromErrno(uiText("Fehler beim Lesen von"), path);
        }
        if (got == 0)
            break;
        done += got;
    }
    ::close(fd);
    if (done > limit)
        throw DaluError(uiText("\"%1\" ist größer als %2 MB und wird nicht gelesen.")
                            .arg(path)
                            .arg(limit / (1024 * 1024)));
    data.truncate(done);
    return data;
}

void syncFolderOf(const QString& path) {
    const int fd = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        (void)::fsync(fd);
        ::close(fd);
    }
}

namespace {
Stamp stampOf(const struct stat& st) {
    return {true, qint64(st.st_size), qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec,
            quint64(st.st_ino)};
}
} // namespace

Stamp Stamp::of(const QString& path) {
    struct stat st;
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return stampOf(st);
}

Stamp Stamp::ofOpen(int fd) {
    struct stat st;
    if (fd < 0 || ::fstat(fd, &st) != 0)
        return {};
    return stampOf(st);
}

} // namespace RegularFile
