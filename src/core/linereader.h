#pragma once

#include <QByteArray>
#include <QString>

// The line-end rule, for bytes already in memory: the first CR or LF at or after from
// (size when there is none), and the length of the line end found there (2 for CR LF).
qsizetype findLineBreak(const char* data, qsizetype from, qsizetype size);
qsizetype lineBreakLength(const char* data, qsizetype at, qsizetype size);

// Reads a file line by line through a buffer. A line ends at CR LF, LF or a lone CR (old
// Mac files); the last line may lack its end. Lines may be of any length.
class LineReader {
public:
    LineReader(int fd, QString path); // takes the descriptor
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // The next line without its end, and the end as it was ("" for the last line without
    // one). False at the end of the file. A read error throws DaluError.
    bool next(QByteArray& line, QByteArray* ending = nullptr);

private:
    bool fill(); // appends more bytes to the buffer; false at the end of the file

    int m_fd;
    QString m_path;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    qint64 m_read = 0; // bytes read from the file, for the read pulse
    qint64 m_size = 0;
    bool m_eof = false;
};
