#include "logjournal.h"

#include "atomicfilewriter.h"
#include "daluerror.h"
#include "filelock.h"
#include "linereader.h"
#include "logfile.h"
#include "uitexts.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace LogJournal {

namespace {

QByteArray native(const QString& path) {
    return QFile::encodeName(path);
}

quint64 checksum(QByteArrayView bytes) {
    quint64 h = 14695981039346656037ull; // FNV-1a
    for (char c : bytes) {
        h ^= quint8(c);
        h *= 1099511628211ull;
    }
    return h;
}

void writeAll(int fd, const QByteArray& bytes, const QString& path) {
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw DaluError::fromErrno(uiText("Fehler beim Schreiben von"), path);
        done += n;
    }
}

// Opens the journal for appending; a link or anything else than a regular file is refused.
int openJournal(const QString& path, bool& created) {
    const QByteArray name = native(path);
    int fd = ::open(name.constData(), O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    created = fd >= 0;
    if (fd < 0 && errno == EEXIST)
        fd = ::open(name.constData(), O_WRONLY | O_APPEND | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        throw DaluError::fromErrno(uiText("Fehler beim Schreiben von"), path);
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        throw DaluError(
            uiText("\"%1\" ist keine gewöhnliche Datei und wird nicht gelesen.").arg(path));
    }
    return fd;
}

// Where each record line of the log starts and ends, and the length of its line break.
struct Line {
    qsizetype start, end, next;
};

QList<Line> recordLines(const QByteArray& bytes) {
    QList<Line> lines;
    const char* data = bytes.constData();
    for (qsizetype pos = 0; pos < bytes.size();) {
        const qsizetype end = findLineBreak(data, pos, bytes.size());
        const qsizetype next =
            end == bytes.size() ? end : end + lineBreakLength(data, end, bytes.size());
        if (pos > 0 || TLogFile::isRecordLine(bytes.mid(pos, end - pos)))
            lines.append({pos, end, next});
        pos = next;
    }
    return lines;
}

} // namespace

QString pathOf(const QString& logPath) {
    return logPath + QStringLiteral(".journal");
}

bool exists(const QString& logPath) {
    struct stat st;
    return ::lstat(native(pathOf(logPath)).constData(), &st) == 0;
}

QByteArray encode(const Entry& entry) {
    QByteArray line =
        QByteArray::number(entry.position) + ';' + QByteArray::number(entry.oldLine.size()) + ';' +
        QByteArray::number(entry.newLine.size()) + ';' + entry.oldLine + entry.newLine + ';';
    line += QByteArray::number(checksum(line), 16) + "\r\n";
    return line;
}

QList<Entry> decode(const QByteArray& bytes) {
    QList<Entry> entries;
    for (qsizetype pos = 0; pos < bytes.size();) {
        const qsizetype end = bytes.indexOf("\r\n", pos);
        if (end < 0)
            break; // torn: the entry never was complete on disk
        const QByteArray line = bytes.mid(pos, end - pos);
        pos = end + 2;
        const qsizetype sum = line.lastIndexOf(';');
        bool ok = false;
        if (sum < 0 || line.mid(sum + 1).toULongLong(&ok, 16) != checksum(line.first(sum + 1)) ||
            !ok)
            break;
        const QList<QByteArray> head = line.first(sum).split(';');
        if (head.size() < 4)
            break;
        Entry e;
        bool okN = false, okOld = false, okNew = false;
        e.position = head[0].toInt(&okN);
        const int oldSize = head[1].toInt(&okOld);
        const int newSize = head[2].toInt(&okNew);
        const qsizetype body = head[0].size() + head[1].size() + head[2].size() + 3;
        if (!okN || !okOld || !okNew || oldSize < 0 || newSize < 0 ||
            body + oldSize + newSize != sum)
            break;
        e.oldLine = line.mid(body, oldSize);
        e.newLine = line.mid(body + oldSize, newSize);
        entries.append(e);
    }
    return entries;
}

bool append(const QString& logPath, const Entry& entry, const RegularFile::Stamp& expected) {
    const FileWriteLock lock(logPath, O_RDONLY);
    if (!expected.exists || RegularFile::Stamp::ofOpen(lock.fd()) != expected)
        return false;
    const QString path = pathOf(logPath);
    bool created = false;
    const int fd = openJournal(path, created);
    try {
        writeAll(fd, encode(entry), path);
        if (::fdatasync(fd) != 0)
            throw DaluError::fromErrno(uiText("Fehler beim Schreiben von"), path);
    } catch (...) {
        ::close(fd);
        throw;
    }
    ::close(fd);
    if (created)
        RegularFile::syncFolderOf(path);
    return true;
}

Folded fold(const QString& logPath) {
    Folded folded;
    const QString path = pathOf(logPath);
    if (!exists(logPath)) {
        folded.before = folded.after = RegularFile::Stamp::of(logPath);
        return folded;
    }
    AtomicFileWriter target(logPath);
    folded.before = RegularFile::Stamp::of(target.targetPath());
    folded.after = folded.before;
    const QByteArray journal = RegularFile::readAll(path, qint64(1) << 30);
    const QList<Entry> entries = decode(journal);
    const QByteArray bytes =
        RegularFile::readAll(target.targetPath(), qint64(2) * 1024 * 1024 * 1024 - 1);
    const QList<Line> lines = recordLines(bytes);
    auto fileLine = [&](int position) {
        const Line& l = lines.at(position - 1);
        return bytes.mid(l.start, l.end - l.start);
    };
    QHash<int, QByteArray> current;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const Entry& e = entries.at(i);
        if (e.position < 1 || e.position > lines.size()) {
            folded.rejected.append(e);
            continue;
        }
        const QByteArray now =
            current.contains(e.position) ? current.value(e.position) : fileLine(e.position);
        if (now == e.oldLine) {
            current.insert(e.position, e.newLine);
            ++folded.applied;
            continue;
        }
        // Folded before, and the journal outlived the rename that took it in.
        bool done = false;
        for (qsizetype j = i; j < entries.size() && !done; ++j)
            done = entries.at(j).position == e.position && entries.at(j).newLine == now;
        if (!done)
            folded.rejected.append(e);
    }
    bool changed = false;
    for (auto it = current.cbegin(); it != current.cend(); ++it)
        changed = changed || it.value() != fileLine(it.key());
    if (changed) {
        QList<int> positions = current.keys();
        std::sort(positions.begin(), positions.end());
        qsizetype pos = 0;
        for (int position : positions) {
            const Line& l = lines.at(position - 1);
            target.write(bytes.constData() + pos, size_t(l.start - pos));
            target.write(current.value(position));
            target.write(l.next > l.end ? bytes.mid(l.end, l.next - l.end) : QByteArray("\r\n"));
            pos = l.next;
        }
        target.write(bytes.constData() + pos, size_t(bytes.size() - pos));
        target.commit();
        folded.after = RegularFile::Stamp::of(target.targetPath()); // still under the lock
    }
    if (!folded.rejected.isEmpty()) {
        const QString aside = path + QStringLiteral(".rejected");
        bool created = false;
        const int fd = openJournal(aside, created);
        QByteArray kept;
        for (const Entry& e : folded.rejected)
            kept += encode(e);
        writeAll(fd, kept, aside);
        ::fsync(fd);
        ::close(fd);
    }
    if (::unlink(native(path).constData()) != 0 && errno != ENOENT)
        throw DaluError::fromErrno(uiText("Fehler beim Schreiben von"), path);
    RegularFile::syncFolderOf(path);
    return folded;
}

QString describe(const Folded& folded, const QString& logPath) {
    if (folded.rejected.isEmpty())
        return {};
    QStringList numbers;
    for (const Entry& e : folded.rejected)
        numbers.append(QString::number(e.position));
    return uiText("Das Log \"%1\" wurde von einem anderen Programm geändert, bevor die "
                  "Änderungen der QSOs %2 eingetragen waren; sie sind nicht eingetragen und "
                  "stehen in \"%3\".")
        .arg(logPath, numbers.join(QStringLiteral(", ")), pathOf(logPath) + ".rejected");
}

} // namespace LogJournal
