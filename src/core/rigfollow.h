#pragma once

#include <QMetaType>
#include <QString>

#include <optional>

// One poll of the transceiver, as plain values.
struct RigReading {
    qint64 frequencyHz = 0;
    QString mode;      // the rig's mode as hamlib names it ("USB", "PKTUSB", ...)
    double watts = -1; // below 0: the rig does not report its power
};
Q_DECLARE_METATYPE(RigReading)

// Band, mode and power of the entry mask following the transceiver: which rig values
// become which mask texts, and when the mask keeps its own.
class RigFollow {
public:
    enum Field { Band, Mode, Power, FieldCount };

    // What the mask shows after a reading; an empty text leaves its label as it is.
    struct Labels {
        QString band;
        QString mode;
        QString power;
        bool outOfBand = false; // the frequency lies in no band of the band table
        // Out of band while the band follows the rig: the mask's band is no longer the
        // rig's, so the operator must choose one before the QSO can be committed.
        bool bandUnknown = false;
        QString unknownMode; // a rig mode the mode table has no entry for
    };

    // The mode table's text for a rig mode; digital modes on a sideband (PKTUSB, PKTLSB,
    // PKTAM) become dataMode. Empty for a mode the table cannot hold.
    static QString maskMode(const QString& rigMode, const QString& dataMode);
    // "100W", "2,5W": whole watts from 10 W, tenths below.
    static QString powerText(double watts);

    void setDataMode(const QString& dataMode);
    // The first Return of a QSO: its band, mode and power stay.
    void freeze();
    // The mask is cleared: the values follow the rig again.
    void release();
    // Chosen in a pop-up editor: wins over the rig until the QSO is committed.
    void setManual(Field field);
    void committed();

    // Takes a reading and says what to show.
    Labels take(const RigReading& reading);
    // What to show for the last reading, after the mask was released or committed.
    Labels current() const;
    std::optional<RigReading> last() const { return m_last; }

private:
    bool follows(Field field) const { return !m_frozen && !m_manual[field]; }

    std::optional<RigReading> m_last;
    QString m_dataMode = QStringLiteral("FT8");
    bool m_frozen = false;
    bool m_manual[FieldCount] = {};
};
