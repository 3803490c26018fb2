#include "rigpoller.h"

#include "daluerror.h"

#include <QTimer>

RigPoller::RigPoller() : m_timer(new QTimer(this)) {
    m_timer->setObjectName(QStringLiteral("RigPollTimer"));
    connect(m_timer, &QTimer::timeout, this, &RigPoller::pollNow);
}

RigPoller::~RigPoller() = default;

void RigPoller::start(const RigPortSettings& settings) {
    m_rig.close();
    m_settings = settings;
    m_started = true;
    m_failures = 0;
    m_timer->start(kPollMs);
    pollNow();
}

void RigPoller::ensureOpen() {
    if (m_rig.isOpen())
        return;
    m_rig.open(m_settings);
    if (m_failures >= kFailuresBeforeRetry)
        m_failures = 0; // reached again after the retries
    emit connected(m_rig.name());
}

void RigPoller::pollNow() {
    if (!m_started)
        return;
    try {
        ensureOpen();
        const RigReading now = m_rig.read();
        m_failures = 0;
        m_timer->setInterval(kPollMs);
        emit reading(now);
    } catch (const DaluError& e) {
        failed(e.message());
    }
}

void RigPoller::tune(qint64 hz, const QString& mode, double watts) {
    try {
        ensureOpen();
        m_rig.tune(hz, mode, watts);
    } catch (const DaluError& e) {
        failed(e.message());
    }
}

void RigPoller::failed(const QString& reason) {
    if (++m_failures < kFailuresBeforeRetry)
        return;
    // A rig unplugged or switched off needs to be opened anew once it is back.
    m_rig.close();
    m_timer->setInterval(kRetryMs);
    if (m_failures == kFailuresBeforeRetry)
        emit connectionLost(reason);
}
