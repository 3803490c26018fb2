#pragma once

#include "readpulse.h"

#include <QElapsedTimer>
#include <QPointer>

#include <memory>

class QProgressDialog;
class QWidget;

// Keeps the windows painting while a long read of the log runs on the user-interface
// thread: the busy cursor from the start; at most every 50 ms the pending events are
// handled, keys and clicks held back until the job ends so that nothing starts in the
// middle of it; after 300 ms a progress dialog shows how far the read has come.
class BusyProgress {
public:
    explicit BusyProgress(QWidget* parent);
    ~BusyProgress();
    BusyProgress(const BusyProgress&) = delete;
    BusyProgress& operator=(const BusyProgress&) = delete;

    // Longest time between two turns of the event loop, and when the dialog shows.
    static constexpr int kEventsMs = 50;
    static constexpr int kDialogMs = 300;

private:
    void beat(qint64 done, qint64 total);

    QPointer<QWidget> m_parent;
    QElapsedTimer m_clock;
    qint64 m_lastEvents = 0;
    bool m_inEvents = false;
    std::unique_ptr<QProgressDialog> m_dialog;
    ReadPulse m_pulse;
};
