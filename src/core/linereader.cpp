#include "linereader.h"

#include "daluerror.h"
#include "readpulse.h"
#include "uitexts.h"

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr qsizetype kChunk = 1 << 16;
}

LineReader::LineReader(int fd, QString path) : m_fd(fd), m_path(std::move(path)) {
    struct stat st;
    if (::fstat(m_fd, &st) == 0)
        m_size = st.st_size;
}

LineReader::~LineReader() {
    ::close(m_fd);
}

bool LineReader::fill() {
    if (m_eof)
        return false;
    if (m_pos > 0) {
        m_buffer.remove(0, m_pos);
        m_pos = 0;
    }
    const qsizetype old = m_buffer.size();
    // Doubling keeps a very long line from being copied at every chunk.
    if (m_buffer.capacity() < old + kChunk)
        m_buffer.reserve(std::max(2 * m_buffer.capacity(), old + kChunk));
    m_buffer.resize(old + kChunk);
    ssize_t got;
    do
        got = ::read(m_fd, m_buffer.data() + old, size_t(kChunk));
    while (got < 0 && errno == EINTR);
    if (got < 0) {
        m_buffer.resize(old);
        throw DaluError::fromErrno(uiText("Fehler beim Lesen von"), m_path);
    }
    m_buffer.resize(old + got);
    m_eof = got == 0;
    m_read += got;
    ReadPulse::beat(m_read, std::max(m_size, m_read));
    return got > 0;
}

qsizetype findLineBreak(const char* data, qsizetype from, qsizetype size) {
    while (from < size && data[from] != '\n' && data[from] != '\r')
        ++from;
    return from;
}

qsizetype lineBreakLength(const char* data, qsizetype at, qsizetype size) {
    return data[at] == '\r' && at + 1 < size && data[at + 1] == '\n' ? 2 : 1;
}

bool LineReader::next(QByteArray& line, QByteArray* ending) {
    qsizetype scan = m_pos;
    for (;;) {
        const char* data = m_buffer.constData();
        const qsizetype size = m_buffer.size();
        const qsizetype i = findLineBreak(data, scan, size);
        if (i < size) {
            if (data[i] == '\r' && i + 1 == size && !m_eof) {
                // A CR at the buffer's end: whether LF follows decides the line end.
                const qsizetype offset = i - m_pos;
                fill();
                scan = m_pos + offset;
                continue;
            }
            const qsizetype endLength = lineBreakLength(data, i, size);
            line = m_buffer.mid(m_pos, i - m_pos);
            if (ending)
                *ending = m_buffer.mid(i, endLength);
            m_pos = i + endLength;
            return true;
        }
        const qsizetype offset = size - m_pos;
        if (!fill()) {
            if (m_pos >= m_buffer.size())
                return false;
            line = m_buffer.mid(m_pos);
            if (ending)
                ending->clear();
            m_pos = m_buffer.size();
            return true;
        }
        scan = m_pos + offset;
    }
}
