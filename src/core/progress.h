#pragma once

#include <QtGlobal>

#include <functional>

// Told how far a long job has come (done of total, in the job's own unit); returns false
// to cancel the job.
using ProgressCallback = std::function<bool(qint64 done, qint64 total)>;

// Calls a progress callback at most about a hundred times per job, so that a window
// repainting on each call does not slow the job down.
class ProgressReporter {
public:
    ProgressReporter(ProgressCallback callback, qint64 total);

    // Returns false once the callback asked to cancel.
    bool update(qint64 done);
    // Reports the end; returns false if the callback cancels even then.
    bool finish();
    bool cancelled() const { return m_cancelled; }

private:
    ProgressCallback m_callback;
    qint64 m_total;
    qint64 m_step;
    qint64 m_next;
    bool m_cancelled = false;
};
