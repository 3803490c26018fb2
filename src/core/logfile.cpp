#include "logfile.h"

#include "atomicfilewriter.h"
#include "daluerror.h"
#include "qsorepair.h"

#include <QFileInfo>

namespace {

const QByteArray kCrLf = "\r\n";

void chopLineEnd(QByteArray& line) {
    if (line.endsWith('\n')) {
        line.chop(1);
        if (line.endsWith('\r'))
            line.chop(1);
    }
}

} // namespace

TLogFile::TLogFile(QString fileName) : m_fileName(std::move(fileName)) {}

TLogFile::~TLogFile() = default;

QString TLogFile::replaceTempPath() const {
    // Only the file name is searched, so that a ".log" in a folder name cannot send the
    // temporary file elsewhere.
    const qsizetype nameStart = m_fileName.lastIndexOf(QLatin1Char('/')) + 1;
    const qsizetype dot = m_fileName.indexOf(QStringLiteral(".log"), nameStart);
    return (dot < 0 ? m_fileName : m_fileName.left(dot)) + QStringLiteral(".tmp");
}

void TLogFile::NewFile() {
    Close();
    QFile file(m_fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw DaluError::io(QStringLiteral("Cannot create"), m_fileName, file.errorString());
    if (file.write(QsoLine::kHeader + kCrLf) < 0 || !file.flush())
        throw DaluError::io(QStringLiteral("Cannot write"), m_fileName, file.errorString());
}

void TLogFile::OpenRead() {
    Close();
    auto file = std::make_unique<QFile>(m_fileName);
    if (!file->open(QIODevice::ReadOnly))
        throw DaluError::io(QStringLiteral("Cannot open"), m_fileName, file->errorString());
    m_file = std::move(file);
    m_lineNumber = 0;
    QByteArray header;
    readLine(header);
}

bool TLogFile::readLine(QByteArray& line) {
    if (!m_file || m_file->atEnd())
        return false;
    line = m_file->readLine();
    if (line.isEmpty() && m_file->error() != QFileDevice::NoError)
        throw DaluError::io(QStringLiteral("Cannot read"), m_fileName, m_file->errorString());
    chopLineEnd(line);
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
    throw DaluError(QStringLiteral("Line %1 of \"%2\" has more than 16 fields.")
                        .arg(lineNumber)
                        .arg(m_fileName));
}

void TLogFile::Close() {
    m_file.reset();
}

bool TLogFile::ReadRecordAt(TQsoRecord& rec, int n) {
    OpenRead();
    TQsoRecord current;
    bool found = false;
    for (int i = 1; ReadRecord(current); ++i) {
        if (i >= n) {
            rec = std::move(current);
            found = true;
            break;
        }
    }
    Close();
    return found;
}

void TLogFile::AppendRecord(const TQsoRecord& rec) {
    Close();
    QFile file(m_fileName);
    if (!file.exists())
        throw DaluError::io(QStringLiteral("Cannot append to"), m_fileName,
                            QStringLiteral("File not found"));
    if (!file.open(QIODevice::ReadWrite))
        throw DaluError::io(QStringLiteral("Cannot append to"), m_fileName, file.errorString());
    QByteArray line = QsoLine::join(rec) + kCrLf;
    // A last line without its line end would otherwise swallow the new record.
    if (file.size() > 0 && file.seek(file.size() - 1) && file.read(1) != "\n")
        line.prepend(kCrLf);
    if (!file.seek(file.size()) || file.write(line) != line.size() || !file.flush())
        throw DaluError::io(QStringLiteral("Cannot write"), m_fileName, file.errorString());
}

bool TLogFile::ReplaceRecord(const TQsoRecord& rec, int n) {
    if (n < 1)
        return false;
    Close();
    QFile source(m_fileName);
    if (!source.open(QIODevice::ReadOnly))
        throw DaluError::io(QStringLiteral("Cannot open"), m_fileName, source.errorString());
    AtomicFileWriter target(m_fileName, replaceTempPath());
    auto copyLine = [&](const QByteArray& line) {
        target.write(line);
        if (!line.endsWith('\n'))
            target.write(kCrLf);
    };
    for (int i = 0; i < n; ++i) {
        if (source.atEnd())
            return false;
        copyLine(source.readLine());
    }
    if (source.atEnd())
        return false;
    source.readLine();
    target.write(QsoLine::join(rec) + kCrLf);
    while (!source.atEnd())
        copyLine(source.readLine());
    if (source.error() != QFileDevice::NoError)
        throw DaluError::io(QStringLiteral("Cannot read"), m_fileName, source.errorString());
    source.close();
    target.commit();
    return true;
}

void TLogFile::Repair() {
    Close();
    AtomicFileWriter target(m_fileName, repairTempPath());
    target.write(QsoLine::kHeader + kCrLf);
    OpenRead();
    TQsoRecord rec;
    int counter = 1;
    // Asking the clock per record would read the time-zone file 100,000 times.
    const QDate today = QDate::currentDate();
    const QTime now = QTime::currentTime();
    while (ReadRecord(rec)) {
        QsoRepair::normalise(rec, counter, today, now);
        target.write(QsoLine::join(rec) + kCrLf);
        ++counter;
    }
    Close();
    target.commit();
}
