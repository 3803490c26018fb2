#include "qslcardfile.h"

#include "daluerror.h"
#include "regularfile.h"
#include "uitexts.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace QslCardFile {

namespace {

QByteArray native(const QString& path) {
    return QFile::encodeName(path);
}

// Renames without replacing: true when done, false when the file system cannot rename
// to here (another file system, or no atomic no-replace rename); throws otherwise.
bool renameNoReplace(const QString& from, const QString& to) {
    if (::renameat2(AT_FDCWD, native(from).constData(), AT_FDCWD, native(to).constData(),
                    RENAME_NOREPLACE) == 0)
        return true;
    if (errno == EXDEV || errno == EINVAL || errno == ENOSYS)
        return false;
    throw DaluError::fromErrno(uiText("Fehler beim Verschieben der Karte nach"), to);
}

struct Fd {
    int fd = -1;
    ~Fd() {
        if (fd >= 0)
            ::close(fd);
    }
};

// Copies into a new file of its own beside the card and flushes it to disk.
void copyToNewFile(const QString& from, const QString& to) {
    Fd in{::open(native(from).constData(), O_RDONLY | O_CLOEXEC)};
    if (in.fd < 0)
        throw DaluError::fromErrno(uiText("Fehler beim \u00d6ffnen von"), from);
    Fd out{::open(native(to).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644)};
    if (out.fd < 0)
        throw DaluError::fromErrno(uiText("Fehler beim Anlegen von"), to);
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(in.fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw DaluError::fromErrno(uiText("Fehler beim Lesen von"), from);
        if (got == 0)
            break;
        for (ssize_t done = 0; done < got;) {
            const ssize_t put = ::write(out.fd, buffer + done, size_t(got - done));
            if (put < 0 && errno != EINTR)
                throw DaluError::fromErrno(uiText("Fehler beim Schreiben von"), to);
            done += std::max<ssize_t>(put, 0);
        }
    }
    if (::fsync(out.fd) != 0)
        throw DaluError::fromErrno(uiText("Fehler beim Schreiben von"), to);
}

} // namespace

QString folder(const QString& stored, const QString& programDir) {
    QString path = stored.isEmpty() ? programDir : stored;
    while (path.size() > 1 && (path.endsWith(QLatin1Char('/')) || path.endsWith(QLatin1Char('\\'))))
        path.chop(1);
    return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

QString eQslInFileName(const QString& folder, const QString& call, QDate date, QTime time) {
    QString name = call;
    for (QChar& c : name) {
        if (c == QLatin1Char('/'))
            c = QLatin1Char('-');
        else if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() - 'A' + 'a');
    }
    return folder + name + QLatin1Char('-') + date.toString(QStringLiteral("ddMMyy")) +
           time.toString(QStringLiteral("HHmmss")) + QStringLiteral(".jpg");
}

void moveCard(const QString& from, const QString& to) {
    if (QFileInfo::exists(to) || QFileInfo(to).isSymLink()) {
        errno = EEXIST;
        throw DaluError::fromErrno(uiText("Fehler beim Verschieben der Karte nach"), to);
    }
    if (renameNoReplace(from, to)) {
        RegularFile::syncFolderOf(to);
        return;
    }
    // Copied under a name of its own first, so that the card name never shows a half
    // copied image.
    const QString part = to + QStringLiteral(".part");
    // A leftover of a move that was killed is this move's own file: it goes, so that it
    // never blocks the card.
    if (::unlink(native(part).constData()) != 0 && errno != ENOENT)
        throw DaluError::fromErrno(QStringLiteral("Cannot delete"), part);
    try {
        copyToNewFile(from, part);
        if (::link(native(part).constData(), native(to).constData()) != 0 &&
            !renameNoReplace(part, to))
            throw DaluError::fromErrno(uiText("Fehler beim Verschieben der Karte nach"), to);
    } catch (...) {
        std::remove(native(part).constData());
        throw;
    }
    std::remove(native(part).constData());
    RegularFile::syncFolderOf(to);
    if (::unlink(native(from).constData()) != 0)
        throw DaluError::fromErrno(uiText("Die Karte liegt am Ziel; Fehler beim L\u00f6schen von"),
                                   from);
}

} // namespace QslCardFile
