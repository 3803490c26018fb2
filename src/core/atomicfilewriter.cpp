#include "atomicfilewriter.h"

#include "daluerror.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

QByteArray nativePath(const QString& path) {
    return QFile::encodeName(path);
}

void syncDirectoryOf(const QString& path) {
    const QByteArray dir = nativePath(QFileInfo(path).absolutePath());
    const int fd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

AtomicFileWriter::AtomicFileWriter(QString targetPath, QString tempPath)
    : m_targetPath(std::move(targetPath)), m_tempPath(std::move(tempPath)) {
    m_file = std::fopen(nativePath(m_tempPath).constData(), "wb");
    if (!m_file)
        throw DaluError::fromErrno(QStringLiteral("Cannot create the temporary file"), m_tempPath);
}

AtomicFileWriter::~AtomicFileWriter() {
    if (m_file)
        std::fclose(m_file);
    if (!m_committed)
        std::remove(nativePath(m_tempPath).constData());
}

void AtomicFileWriter::write(const QByteArray& bytes) {
    write(bytes.constData(), static_cast<size_t>(bytes.size()));
}

void AtomicFileWriter::write(const char* data, size_t size) {
    if (size > 0 && std::fwrite(data, 1, size, m_file) != size)
        throw DaluError::fromErrno(QStringLiteral("Cannot write"), m_tempPath);
}

void AtomicFileWriter::commit() {
    // A read-only target is not to be replaced behind the operator's back.
    if (::access(nativePath(m_targetPath).constData(), F_OK) == 0 &&
        ::access(nativePath(m_targetPath).constData(), W_OK) != 0)
        throw DaluError::fromErrno(QStringLiteral("Cannot replace"), m_targetPath);
    if (std::fflush(m_file) != 0 || ::fsync(fileno(m_file)) != 0)
        throw DaluError::fromErrno(QStringLiteral("Cannot write"), m_tempPath);
    const int closed = std::fclose(m_file);
    m_file = nullptr;
    if (closed != 0)
        throw DaluError::fromErrno(QStringLiteral("Cannot write"), m_tempPath);
    if (std::rename(nativePath(m_tempPath).constData(), nativePath(m_targetPath).constData()) != 0)
        throw DaluError::fromErrno(QStringLiteral("Cannot replace"), m_targetPath);
    m_committed = true;
    syncDirectoryOf(m_targetPath);
}
