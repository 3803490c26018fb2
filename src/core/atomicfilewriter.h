#pragma once

#include <QByteArray>
#include <QString>

#include <cstdio>

// Writes a file through a temporary file beside it: the content goes to the temporary
// file, is flushed to disk, and only then replaces the target by an atomic rename. The
// target is never missing or half written. Every failure throws DaluError.
class AtomicFileWriter {
public:
    AtomicFileWriter(QString targetPath, QString tempPath);
    ~AtomicFileWriter(); // removes the temporary file unless committed
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    void write(const QByteArray& bytes);
    void write(const char* data, size_t size);
    void commit();

    const QString& tempPath() const { return m_tempPath; }

private:
    QString m_targetPath;
    QString m_tempPath;
    std::FILE* m_file = nullptr;
    bool m_committed = false;
};
