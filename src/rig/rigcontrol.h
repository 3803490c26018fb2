#pragma once

#include "hamlibrig.h"
#include "rigfollow.h"

#include <QList>
#include <QObject>

#include <functional>

class QThread;
class QTimer;
class RigPoller;
class TMemIniFile;

// The entry mask's band, mode and power follow the transceiver while [Rig] Enabled is on.
// The rig is polled on a worker thread (RigPoller): a serial or network rig can take
// hamlib's whole time-out to answer, and the mask must never wait for it. Results come back
// as queued signals and leave here, on the owner's thread, as rigValues and statusChanged.
// While off, nothing runs and the mask behaves as without a transceiver.
class TRigControl : public QObject {
    Q_OBJECT
public:
    // The settings are read at each applySettings: the file is loaded after the link exists.
    explicit TRigControl(std::function<const TMemIniFile&()> settings, QObject* parent = nullptr);
    ~TRigControl() override;

    // What the mask shows now (band and mode): the status names the values a reading left
    // as they were, and switching off takes back the band's red mark.
    void setMaskReader(std::function<RigFollow::Labels()> read) { m_maskShows = std::move(read); }

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
    QString statusText() const { return m_statusText; }
    // Readings taken so far: a test knows a poll has arrived without waiting for time.
    int readingsTaken() const { return m_readings; }

public slots:
    // One poll now instead of at the next tick.
    void pollNow();
    // Sets the rig; the mask follows at the next poll.
    void tune(qint64 hz, const QString& mode, double watts = -1);
    // The mask's moments: the first Return of a QSO freezes band, mode and power; a cleared
    // mask or a committed QSO follows the rig again; a value chosen by hand wins until the
    // commit.
    void qsoStarted();
    void maskCleared();
    void valueChosen(RigFollow::Field field);
    void qsoCommitted();

signals:
    // What the mask shows after a reading; an empty text leaves that value as it is.
    void rigValues(const RigFollow::Labels& labels);
    // The status bar's text and its detail (rig name or reason); shown while isRunning().
    void statusChanged(const QString& text, const QString& detail);

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
    void resetStatus();

    std::function<const TMemIniFile&()> m_settings;
    std::function<RigFollow::Labels()> m_maskShows;
    QString m_statusText;
    QString m_statusDetail;
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
