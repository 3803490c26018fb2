#include "rigcontrol.h"

#include "bandplan.h"
#include "meminifile.h"
#include "rigpoller.h"
#include "settingskeys.h"
#include "uitexts.h"

#include <QThread>
#include <QTimer>

#include <algorithm>

#include <clocale>

TRigControl::TRigControl(std::function<const TMemIniFile&()> settings, QObject* parent)
    : QObject(parent), m_settings(std::move(settings)), m_watchdog(new QTimer(this)) {
    m_watchdog->setObjectName(QStringLiteral("RigWatchdogTimer"));
    m_watchdog->setInterval(RigPoller::kPollMs);
    connect(m_watchdog, &QTimer::timeout, this, &TRigControl::pollUnanswered);
}

TRigControl::~TRigControl() {
    // Whoever listened may be going too: the end says nothing more.
    m_maskShows = nullptr;
    blockSignals(true);
    stop();
}

void TRigControl::qsoStarted() {
    m_follow.freeze();
}

void TRigControl::maskCleared() {
    m_follow.release();
    show(m_follow.current());
}

void TRigControl::valueChosen(RigFollow::Field field) {
    m_follow.setManual(field);
}

void TRigControl::qsoCommitted() {
    m_follow.committed();
    show(m_follow.current());
}

void TRigControl::applySettings() {
    const TMemIniFile& ini = m_settings();
    m_follow.setDataMode(SettingsKeys::read(ini, SettingsKeys::RigDataMode));
    if (!SettingsKeys::read(ini, SettingsKeys::RigEnabled)) {
        switchOff();
        return;
    }
    const RigPortSettings settings{SettingsKeys::read(ini, SettingsKeys::RigModel),
                                   SettingsKeys::read(ini, SettingsKeys::RigPort),
                                   SettingsKeys::read(ini, SettingsKeys::RigSpeed)};
    if (m_thread && settings.model == m_running.model && settings.port == m_running.port &&
        settings.speed == m_running.speed) {
        show(m_follow.current()); // only the data mode changed
        return;
    }
    start(settings);
}

void TRigControl::start(const RigPortSettings& settings) {
    if (!m_thread) {
        // hamlib switches LC_NUMERIC to "C" and back on the rig thread, restoring a name
        // it read before the switch: unless the name is "C" already, glibc has freed it by
        // then, and every thread's C number formatting flips meanwhile. The program formats
        // its numbers itself, so "C" for good costs nothing.
        std::setlocale(LC_NUMERIC, "C");
        m_thread = new QThread(this);
        m_thread->setObjectName(QStringLiteral("RigThread"));
        m_poller = new RigPoller;
        m_poller->moveToThread(m_thread);
        // The rig is closed on its own thread when the thread ends.
        connect(m_thread, &QThread::finished, m_poller, &QObject::deleteLater);
        connect(m_poller, &RigPoller::reading, this, &TRigControl::takeReading);
        connect(m_poller, &RigPoller::connected, this, &TRigControl::connected);
        connect(m_poller, &RigPoller::connectionLost, this, &TRigControl::connectionLost);
        m_thread->start();
    }
    m_running = settings;
    m_lost = false;
    m_unanswered = 0;
    m_watchdog->start();
    m_rigName.clear();
    resetStatus();
    RigPoller* poller = m_poller;
    QMetaObject::invokeMethod(
        poller, [poller, settings] { poller->start(settings); }, Qt::QueuedConnection);
}

void TRigControl::stop() {
    if (!m_thread)
        return;
    // The end of the program: a poll under way is given a moment to end, so that the rig
    // is closed on its own thread. A rig that does not answer keeps hamlib waiting far
    // longer (20 s for a mute rig server); the program does not wait for it.
    m_thread->quit();
    if (m_thread->wait(kStopWaitMs)) {
        delete m_thread;
        forgetThread();
        return;
    }
    switchOff();
}

void TRigControl::switchOff() {
    if (!m_thread)
        return;
    // Switched off on the options page: the window does not wait for a poll under way;
    // the thread ends (closing the rig) and is deleted on its own.
    disconnect(m_poller, nullptr, this, nullptr);
    QThread* thread = m_thread;
    thread->setParent(nullptr);
    leftRunning().append(thread);
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    connect(thread, &QObject::destroyed, [thread] { leftRunning().removeOne(thread); });
    thread->quit();
    forgetThread();
}

QList<QThread*>& TRigControl::leftRunning() {
    static QList<QThread*> threads;
    return threads;
}

bool TRigControl::rigThreadsRunning() {
    const QList<QThread*>& threads = leftRunning();
    return std::any_of(threads.begin(), threads.end(),
                       [](const QThread* thread) { return thread->isRunning(); });
}

void TRigControl::forgetThread() {
    m_watchdog->stop();
    m_thread = nullptr;
    m_poller = nullptr;
    m_lost = false;
    resetStatus();
    if (m_maskShows) {
        // The band stays as shown, without the mark of a band the rig left unknown.
        RigFollow::Labels unmarked;
        unmarked.band = m_maskShows().band;
        emit rigValues(unmarked);
    }
}

void TRigControl::pollNow() {
    if (m_poller)
        QMetaObject::invokeMethod(m_poller, &RigPoller::pollNow, Qt::QueuedConnection);
}

void TRigControl::tune(qint64 hz, const QString& mode, double watts) {
    RigPoller* poller = m_poller;
    if (poller)
        QMetaObject::invokeMethod(
            poller, [poller, hz, mode, watts] { poller->tune(hz, mode, watts); },
            Qt::QueuedConnection);
}

void TRigControl::takeReading(const RigReading& reading) {
    ++m_readings;
    m_unanswered = 0;
    m_lost = false;
    show(m_follow.take(reading));
}

void TRigControl::connected(const QString& rigName) {
    // Opened is not answered: the connection counts as back with the first reading.
    m_rigName = rigName;
    applyLanguage();
}

void TRigControl::pollUnanswered() {
    // Counted here, not on the rig thread: a rig server that accepts and stays mute holds
    // hamlib there for many seconds per poll, and the operator must see that at once.
    if (++m_unanswered < RigPoller::kFailuresBeforeRetry || m_lost)
        return;
    m_lost = true;
    applyLanguage();
}

void TRigControl::connectionLost(const QString& reason) {
    m_lost = true;
    m_lostReason = reason;
    applyLanguage();
}

void TRigControl::show(const RigFollow::Labels& labels) {
    if (!m_thread)
        return;
    emit rigValues(labels);
    applyLanguage();
}

void TRigControl::applyLanguage() {
    if (!m_thread)
        return;
    if (m_lost) {
        setStatus(uiText("Transceiver: keine Verbindung"), m_lostReason);
        return;
    }
    const std::optional<RigReading> last = m_follow.last();
    if (!last) {
        setStatus(QString(), m_rigName);
        return;
    }
    const RigFollow::Labels labels = m_follow.current();
    const RigFollow::Labels shown = m_maskShows ? m_maskShows() : RigFollow::Labels{};
    const QString mhz = BandPlan::megahertzText(last->frequencyHz);
    QStringList parts;
    if (labels.outOfBand)
        parts << uiText("Transceiver: %1 MHz liegt in keinem Band; das Band bleibt %2.")
                     .arg(mhz, shown.band);
    if (!labels.unknownMode.isEmpty())
        parts << uiText("Transceiver: die Betriebsart %1 fehlt in der Mode-Liste; der Mode "
                        "bleibt %2.")
                     .arg(labels.unknownMode, shown.mode);
    if (parts.isEmpty())
        parts << QStringLiteral("Transceiver: %1 MHz %2").arg(mhz, last->mode);
    setStatus(parts.join(QStringLiteral("  ")), m_rigName);
}

void TRigControl::setStatus(const QString& text, const QString& detail) {
    if (m_statusText == text && m_statusDetail == detail)
        return;
    m_statusText = text;
    m_statusDetail = detail;
    emit statusChanged(text, detail);
}

// Started or switched off: announced even when the text stays empty, since whether the
// status shows at all follows isRunning().
void TRigControl::resetStatus() {
    m_statusText.clear();
    m_statusDetail.clear();
    emit statusChanged(m_statusText, m_statusDetail);
}
