#include "progress.h"

#include <algorithm>

ProgressReporter::ProgressReporter(ProgressCallback callback, qint64 total)
    : m_callback(std::move(callback)), m_total(std::max<qint64>(total, 0)),
      m_step(std::max<qint64>(m_total / 100, 1)), m_next(0) {}

bool ProgressReporter::update(qint64 done) {
    if (m_cancelled)
        return false;
    if (!m_callback || done < m_next)
        return true;
    m_next = done + m_step;
    m_cancelled = !m_callback(std::min(done, m_total), m_total);
    return !m_cancelled;
}

bool ProgressReporter::finish() {
    if (m_cancelled)
        return false;
    if (m_callback)
        m_cancelled = !m_callback(m_total, m_total);
    return !m_cancelled;
}
