#include "logfile.h"

#include "atomicfilewriter.h"
#include "daluerror.h"
#include "filelock.h"
#include "linereader.h"
#include "regularfile.h"
#include "repairedlog.h"
#include "uitexts.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray kCrLf = "\r\n";

} // namespace

// The records of the locked file, counted as OpenRead and ReadRecord would read them.
int TLogFile::countRecords(int lockedFd) const {
    const int fd = ::fcntl(lockedFd, F_DUPFD_CLOEXEC, 0);
    if (fd < 0)
        throw DaluError::fromErrno(QStringLiteral("Cannot read"), m_fileName);
    LineReader reader(fd, m_fileName);
    QByteArray line;
    if (!reader.next(line))
        return 0;
    int records = isRecordLine(line) ? 1 : 0;
    while (reader.next(line))
        ++records;
    return records;
}

TLogFile::TLogFile(QString fileName) : m_fileName(std::move(fileName)) {}

TLogFile::~TLogFile() = default;

bool TLogFile::isRecordLine(const QByteArray& line) {
    const qsizetype semicolon = line.indexOf(';');
    if (semicolon <= 0)
        return false;
    for (qsizetype i = 0; i < semicolon; ++i) {
        if (line[i] < '0' || line[i] > '9')
            return false;
    }
    return true;
}

void TLogFile::refuseEmptying(const QString& path, qint64 records) {
    if (records > 0 || !QFile::exists(path))
        return;
    LineReader reader(RegularFile::openForReading(path), path);
    QByteArray first;
    if (!reader.next(first) || first.trimmed().isEmpty() || first.startsWith('#'))
        return;
    throw DaluError(uiText("\"%1\" enthält Text, aber kein lesbares QSO: die Datei wird nicht "
                           "durch ein leeres Log ersetzt.")
                        .arg(path));
}

void TLogFile::NewFile() {
    Close();
    AtomicFileWriter file(m_fileName);
    file.write(QsoLine::kHeader + kCrLf);
    file.commit();
}

void TLogFile::OpenRead() {
    Close();
    m_reader = std::make_unique<LineReader>(RegularFile::openForReading(m_fileName), m_fileName);
    m_lineNumber = 0;
    QByteArray first;
    if (readLine(first) && isRecordLine(first)) {
        m_pendingLine = first;
        m_hasPending = true;
    }
}

bool TLogFile::readLine(QByteArray& line) {
    if (m_hasPending) {
        m_hasPending = false;
        line = std::move(m_pendingLine);
        m_pendingLine = {};
        return true;
    }
    if (!m_reader || !m_reader->next(line))
        return false;
    ++m_lineNumber;
    return true;
}

bool TLogFile::ReadRecord(TQsoRecord& rec) {
    QByteArray line;
    if (!readLine(line))
        return false;
    std::optional<TQsoRecord> parsed = QsoLine::split(line);
    if (!parsed)
        throwTooManyFields();
    rec = std::move(*parsed);
    return true;
}

bool TLogFile::readRecordLine(QByteArray& line, QsoLine::FieldStarts& starts) {
    if (!readLine(line))
        return false;
    if (!QsoLine::fieldStarts(line, starts))
        throwTooManyFields();
    return true;
}

void TLogFile::throwTooManyFields() {
    const int lineNumber = m_lineNumber;
    Close();
    throw DaluError(
        uiText("Zeile %1 von \"%2\" hat mehr als 16 Felder.").arg(lineNumber).arg(m_fileName));
}

void TLogFile::Close() {
    m_reader.reset();
    m_hasPending = false;
    m_pendingLine = {};
}

bool TLogFile::ReadRecordAt(TQsoRecord& rec, int n) {
    OpenRead();
    // Only the record asked for is split into fields; the lines before it are only counted.
    QByteArray skipped;
    for (int i = 1; i < n; ++i) {
        if (!readLine(skipped)) {
            Close();
            return false;
        }
    }
    const bool found = ReadRecord(rec);
    Close();
    return found;
}

void TLogFile::AppendRecord(const TQsoRecord& rec) {
    TQsoRecord copy = rec;
    append(copy, false);
}

int TLogFile::AppendNext(TQsoRecord rec) {
    return append(rec, true);
}

int TLogFile::AppendNext(TQsoRecord rec, const RegularFile::Stamp& known, int knownCount) {
    return append(rec, true, &known, knownCount);
}

int TLogFile::append(TQsoRecord& rec, bool numbered, const RegularFile::Stamp* known,
                     int knownCount) {
    Close();
    AtomicFileWriter::requireRegularTarget(m_fileName); // opening a device may act on it
    const FileWriteLock lock(m_fileName, O_RDWR);
    const int fd = lock.fd();
    if (fd < 0)
        throw DaluError::io(uiText("Fehler beim Anh\u00e4ngen an"), m_fileName,
                            DaluError::osText(ENOENT));
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        throw DaluError(
            uiText("\"%1\" ist keine gewöhnliche Datei und wird nicht gelesen.").arg(m_fileName));
    const off_t oldSize = st.st_size;
    int number = 0;
    if (numbered) {
        const bool unchanged = known && known->exists && RegularFile::Stamp::ofOpen(fd) == *known;
        number = (unchanged ? knownCount : countRecords(fd)) + 1;
        rec[QsoField::Number] = QByteArray::number(number);
    }
    QByteArray line = QsoLine::join(rec) + kCrLf;
    // A last line without its line end would otherwise swallow the new record.
    char last = '\n';
    if (oldSize > 0 && ::pread(fd, &last, 1, oldSize - 1) == 1 && last != '\n' && last != '\r')
        line.prepend(kCrLf);
    auto fail = [&] {
        // Half a record would be read as a bogus QSO: the file goes back to its old size.
        const int error = errno;
        (void)::ftruncate(fd, oldSize);
        errno = error;
        throw DaluError::fromErrno(uiText("Fehler beim Schreiben von"), m_fileName);
    };
    for (qsizetype done = 0; done < line.size();) {
        const ssize_t n =
            ::pwrite(fd, line.constData() + done, size_t(line.size() - done), oldSize + done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            fail();
        done += n;
    }
    // The QSO is on disk when the commit returns.
    if (::fdatasync(fd) != 0)
        fail();
    return number;
}

bool TLogFile::ReplaceRecord(const TQsoRecord& rec, int n) {
    if (n < 1)
        return false;
    Close();
    // The lock comes first: the file read must be the file replaced.
    AtomicFileWriter target(m_fileName);
    // Read whole and written in three pieces: every line but the replaced one stays as it
    // was, without copying the file line by line (a QSL mark rewrites 100,000 lines).
    const QByteArray bytes =
        RegularFile::readAll(target.targetPath(), qint64(2) * 1024 * 1024 * 1024 - 1);
    qsizetype pos = 0;
    qsizetype end = 0;
    qsizetype next = 0;
    int record = 0;
    for (bool first = true; pos < bytes.size(); first = false, pos = next) {
        end = findLineBreak(bytes.constData(), pos, bytes.size());
        next =
            end == bytes.size() ? end : end + lineBreakLength(bytes.constData(), end, bytes.size());
        if (first && !isRecordLine(QByteArray::fromRawData(bytes.constData() + pos, end - pos)))
            continue;
        if (++record < n)
            continue;
        target.write(bytes.constData(), size_t(pos));
        target.write(QsoLine::join(rec) + kCrLf);
        target.write(bytes.constData() + next, size_t(bytes.size() - next));
        const char last = bytes.back();
        if (next < bytes.size() && last != '\n' && last != '\r')
            target.write(kCrLf); // the last line gets the line end it lacked
        target.commit();
        return true;
    }
    return false;
}

void TLogFile::Repair() {
    Close();
    RepairedLogWriter log(m_fileName);
    log.addExisting();
    log.commit();
}
