#include "hamlibrig.h"

#include "daluerror.h"
#include "uitexts.h"

#include <hamlib/rig.h>

#include <algorithm>
#include <mutex>

namespace {

// Hamlib writes its debugging to standard error unless told not to; once for the process.
void quietHamlib() {
    static std::once_flag once;
    std::call_once(once, [] {
        rig_set_debug(RIG_DEBUG_NONE);
        rig_load_all_backends();
    });
}

QString reason(int code) {
    return QString::fromLatin1(rigerror2(code)).trimmed();
}

void check(int code, const char* what) {
    if (code != RIG_OK)
        throw DaluError(QStringLiteral("Hamlib %1: %2").arg(QLatin1String(what), reason(code)));
}

void setConf(RIG* rig, const char* name, const QString& value) {
    check(rig_set_conf(rig, rig_token_lookup(rig, name), value.toLocal8Bit().constData()), name);
}

int collectModel(const rig_caps* caps, rig_ptr_t data) {
    static_cast<QList<RigModelInfo>*>(data)->append(
        {int(caps->rig_model), QStringLiteral("%1 %2").arg(QString::fromLatin1(caps->mfg_name),
                                                           QString::fromLatin1(caps->model_name))});
    return 1; // go on
}

} // namespace

HamlibRig::HamlibRig() {
    quietHamlib();
}

HamlibRig::~HamlibRig() {
    close();
}

QList<RigModelInfo> HamlibRig::models() {
    quietHamlib();
    QList<RigModelInfo> list;
    rig_list_foreach(collectModel, &list);
    std::sort(list.begin(), list.end(), [](const RigModelInfo& a, const RigModelInfo& b) {
        const int byName = a.name.compare(b.name, Qt::CaseInsensitive);
        return byName != 0 ? byName < 0 : a.model < b.model;
    });
    return list;
}

void HamlibRig::open(const RigPortSettings& settings) {
    close();
    RIG* rig = rig_init(settings.model);
    if (!rig)
        throw DaluError(uiText("Hamlib: kein Transceiver-Modell %1").arg(settings.model));
    try {
        if (!settings.port.isEmpty())
            setConf(rig, "rig_pathname", settings.port);
        if (settings.speed > 0)
            setConf(rig, "serial_speed", QString::number(settings.speed));
        // Every poll asks the rig itself: a rig that went away must show as gone.
        rig_set_cache_timeout_ms(rig, HAMLIB_CACHE_ALL, 0);
        check(rig_open(rig), "open");
    } catch (...) {
        rig_cleanup(rig);
        throw;
    }
    m_rig = rig;
}

void HamlibRig::close() {
    if (!m_rig)
        return;
    rig_close(m_rig);
    rig_cleanup(m_rig);
    m_rig = nullptr;
}

QString HamlibRig::name() const {
    if (!m_rig)
        return {};
    return QStringLiteral("%1 %2").arg(QString::fromLatin1(m_rig->caps->mfg_name),
                                       QString::fromLatin1(m_rig->caps->model_name));
}

RigReading HamlibRig::read() {
    if (!m_rig)
        throw DaluError(uiText("Hamlib: der Transceiver ist nicht ge\u00f6ffnet"));
    freq_t freq = 0;
    check(rig_get_freq(m_rig, RIG_VFO_CURR, &freq), "get_freq");
    // A rig server answering nonsense can leave hamlib content with no frequency at all.
    if (!(freq > 0))
        throw DaluError(QStringLiteral("Hamlib get_freq: no frequency"));
    rmode_t mode = RIG_MODE_NONE;
    pbwidth_t width = 0;
    check(rig_get_mode(m_rig, RIG_VFO_CURR, &mode, &width), "get_mode");
    RigReading reading;
    reading.frequencyHz = qint64(freq);
    reading.mode = QString::fromLatin1(rig_strrmode(mode));
    // Power is optional: a rig without it, or one that fails to say, still gives band and mode.
    value_t level{};
    unsigned int milliwatts = 0;
    if (rig_has_get_level(m_rig, RIG_LEVEL_RFPOWER) &&
        rig_get_level(m_rig, RIG_VFO_CURR, RIG_LEVEL_RFPOWER, &level) == RIG_OK &&
        rig_power2mW(m_rig, &milliwatts, level.f, freq, mode) == RIG_OK)
        reading.watts = milliwatts / 1000.0;
    return reading;
}

void HamlibRig::tune(qint64 hz, const QString& mode, double watts) {
    if (!m_rig)
        throw DaluError(uiText("Hamlib: der Transceiver ist nicht ge\u00f6ffnet"));
    check(rig_set_freq(m_rig, RIG_VFO_CURR, freq_t(hz)), "set_freq");
    check(rig_set_mode(m_rig, RIG_VFO_CURR, rig_parse_mode(mode.toLatin1().constData()),
                       RIG_PASSBAND_NOCHANGE),
          "set_mode");
    if (watts < 0)
        return;
    float level = 0;
    check(rig_mW2power(m_rig, &level, unsigned(watts * 1000), freq_t(hz),
                       rig_parse_mode(mode.toLatin1().constData())),
          "mW2power");
    value_t value{};
    value.f = level;
    check(rig_set_level(m_rig, RIG_VFO_CURR, RIG_LEVEL_RFPOWER, value), "set_level");
}
