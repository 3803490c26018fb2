#pragma once

#include "hamlibrig.h"

#include <QObject>

class QTimer;

// Lives on its own thread and owns the hamlib rig there, so that a rig slow to answer or
// gone never holds up the window: it polls every second and posts what it read. After
// three failures in a row it closes the rig and tries again every ten seconds.
class RigPoller : public QObject {
    Q_OBJECT
public:
    static constexpr int kPollMs = 1000;
    static constexpr int kRetryMs = 10000;
    static constexpr int kFailuresBeforeRetry = 3;

    RigPoller();
    ~RigPoller() override;

public slots:
    // (Re)opens the rig with these settings at the next poll and starts polling.
    void start(const RigPortSettings& settings);
    // One poll now (or one attempt to reach the rig again), as the timer would.
    void pollNow();
    // Sets the rig (the dummy rig in tests and demonstrations).
    void tune(qint64 hz, const QString& mode, double watts);

signals:
    void reading(const RigReading& reading);
    void connected(const QString& rigName);
    // Three failures in a row; reason is hamlib's text.
    void connectionLost(const QString& reason);

private:
    void ensureOpen();
    void failed(const QString& reason);

    HamlibRig m_rig;
    RigPortSettings m_settings;
    QTimer* m_timer;
    bool m_started = false;
    int m_failures = 0;
};
