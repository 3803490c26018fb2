#include "rigfollow.h"

#include "bandplan.h"

#include <QHash>

#include <cmath>

QString RigFollow::maskMode(const QString& rigMode, const QString& dataMode) {
    static const QHash<QString, QString> table = {
        {QStringLiteral("CW"), QStringLiteral("CW")},
        {QStringLiteral("CWR"), QStringLiteral("CW")},
        {QStringLiteral("CWN"), QStringLiteral("CW")},
        {QStringLiteral("USB"), QStringLiteral("SSB")},
        {QStringLiteral("LSB"), QStringLiteral("SSB")},
        {QStringLiteral("ECSSUSB"), QStringLiteral("SSB")},
        {QStringLiteral("ECSSLSB"), QStringLiteral("SSB")},
        {QStringLiteral("AM"), QStringLiteral("AM")},
        {QStringLiteral("AMS"), QStringLiteral("AM")},
        {QStringLiteral("AMN"), QStringLiteral("AM")},
        {QStringLiteral("SAM"), QStringLiteral("AM")},
        {QStringLiteral("SAL"), QStringLiteral("AM")},
        {QStringLiteral("SAH"), QStringLiteral("AM")},
        {QStringLiteral("FM"), QStringLiteral("FM")},
        {QStringLiteral("FMN"), QStringLiteral("FM")},
        {QStringLiteral("WFM"), QStringLiteral("FM")},
        // Data on FM is packet radio at these speeds.
        {QStringLiteral("PKTFM"), QStringLiteral("PR")},
        {QStringLiteral("PKTFMN"), QStringLiteral("PR")},
        {QStringLiteral("RTTY"), QStringLiteral("RTTY")},
        {QStringLiteral("RTTYR"), QStringLiteral("RTTY")},
        {QStringLiteral("PSK"), QStringLiteral("PSK")},
        {QStringLiteral("PSKR"), QStringLiteral("PSK")},
        {QStringLiteral("FAX"), QStringLiteral("FAX")}};
    const QString upper = rigMode.toUpper();
    if (upper == QLatin1String("PKTUSB") || upper == QLatin1String("PKTLSB") ||
        upper == QLatin1String("PKTAM"))
        return dataMode;
    return table.value(upper);
}

QString RigFollow::powerText(double watts) {
    const double tenths = std::round(watts * 10);
    if (watts >= 10 || std::fmod(tenths, 10) == 0)
        return QString::number(std::llround(watts)) + QLatin1Char('W');
    return QStringLiteral("%1,%2W").arg(qint64(tenths) / 10).arg(qint64(tenths) % 10);
}

void RigFollow::setDataMode(const QString& dataMode) {
    m_dataMode = dataMode;
}

void RigFollow::freeze() {
    m_frozen = true;
}

void RigFollow::release() {
    m_frozen = false;
}

void RigFollow::setManual(Field field) {
    m_manual[field] = true;
}

void RigFollow::committed() {
    m_frozen = false;
    for (bool& manual : m_manual)
        manual = false;
}

RigFollow::Labels RigFollow::take(const RigReading& reading) {
    m_last = reading;
    return current();
}

RigFollow::Labels RigFollow::current() const {
    Labels labels;
    if (!m_last)
        return labels;
    const QString band = BandPlan::bandOfFrequency(m_last->frequencyHz);
    const QString mode = maskMode(m_last->mode, m_dataMode);
    labels.outOfBand = band.isEmpty();
    if (mode.isEmpty() && !m_last->mode.isEmpty())
        labels.unknownMode = m_last->mode;
    if (follows(Band)) {
        labels.band = band;
        labels.bandUnknown = labels.outOfBand;
    }
    if (follows(Mode))
        labels.mode = mode;
    // A rig that reports no power, or none worth a tenth of a watt (the dummy rig says 0),
    // must not replace the power the operator typed.
    if (follows(Power) && std::round(m_last->watts * 10) > 0)
        labels.power = powerText(m_last->watts);
    return labels;
}
