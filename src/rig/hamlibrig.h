#pragma once

#include "rigfollow.h"

#include <QList>
#include <QString>

struct s_rig;

// Where the transceiver is: hamlib's model number, the serial device or host:port of a
// rigctld, and the serial speed (0 and an empty port: the model's own).
struct RigPortSettings {
    int model = 1;
    QString port;
    int speed = 0;
};

struct RigModelInfo {
    int model;
    QString name; // maker and model, "Yaesu FT-991"
};

// One transceiver opened through hamlib. Not thread-safe: one thread owns it. Every call
// may wait as long as hamlib's time-outs, so the window never calls it directly.
class HamlibRig {
public:
    HamlibRig();
    ~HamlibRig();
    HamlibRig(const HamlibRig&) = delete;
    HamlibRig& operator=(const HamlibRig&) = delete;

    // Every model hamlib knows, sorted by name.
    static QList<RigModelInfo> models();

    // Throws DaluError with hamlib's reason.
    void open(const RigPortSettings& settings);
    void close();
    bool isOpen() const { return m_rig != nullptr; }
    QString name() const;

    // Frequency and mode, and the power where the rig reports it. Throws DaluError when
    // the rig does not answer.
    RigReading read();
    // Sets frequency and mode, and the power from 0 W up.
    void tune(qint64 hz, const QString& mode, double watts);

private:
    s_rig* m_rig = nullptr;
};
