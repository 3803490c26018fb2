#pragma once

#include "hamlibrig.h"
#include "rigfollow.h"

#include <QList>
#include <QObject>

class QLabel;
class QThread;
class QTimer;
class RigPoller;
class TEntryPage;
class TMainForm;

// The entry mask's band, mode and power follow the transceiver while [Rig] Enabled is on.
// The rig is polled on a worker thread (RigPoller): a serial or network rig can take
// hamlib's whole time-out to answer, and the mask must never wait for it. Results come back
// as queued signals; the mask's labels are only ever touched here, on the window's thread.
// While off, nothing runs and the mask behaves as without a transceiver.
class TRigControl : public QObject {
    Q_OBJECT
public:
    TRigControl(TMainForm& mainForm, TEntryPage& mask, QLabel* statusLabel);
    ~TRigControl() override;

    // Start-up and every change on the options page: starts, restarts or stops polling.
    void applySettings();
    // The end of the program: ends polling and closes the rig; a rig thread held up by
    // the rig is left to end on its own.
    void stop();
    // A rig thread left running by stop() or by switching off is still held up: the
    // program's exit does not wait for it.
    static bool rigThreadsRunning();
    bool isRunning() const { return m_thread != nullptr; }
    // The status bar's rig text in the current language.
    void applyLanguage();
    QString statusText() const;
    // Readings taken so far: a test knows a poll has arrived without waiting for time.
    int readingsTaken() const { return m_readings; }

public slots:
    // One poll now instead of at the next tick.
    void pollNow();
    // Sets the rig; the mask follows at the next poll.
    void tune(qint64 hz, const QString& mode, double watts = -1);

private slots:
    void takeReading(const RigReading& reading);
    void connected(const QString& rigName);
    void connectionLost(const QString& reason);
    void pollUnanswered();

private:
    static constexpr int kStopWaitMs = 500;
    static QList<QThread*>& leftRunning();

    void start(const RigPortSettings& settings);
    void switchOff();
    void forgetThread();
    void show(const RigFollow::Labels& labels);
    void setStatus(const QString& text, const QString& detail = {});

    TMainForm& m_mainForm;
    TEntryPage& m_mask;
    QLabel* m_statusLabel;
    RigFollow m_follow;
    QThread* m_thread = nullptr;
    RigPoller* m_poller = nullptr;
    RigPortSettings m_running;
    QTimer* m_watchdog; // one tick per poll: readings missed in a row
    int m_unanswered = 0;
    int m_readings = 0;
    bool m_lost = false;
    QString m_lostReason;
    QString m_rigName;
};
