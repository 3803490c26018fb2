#include "bandmode.h"

namespace BandMode {

const QStringList& bandTexts() {
    static const QStringList bands = {
        QStringLiteral("13cm"), QStringLiteral("23cm"), QStringLiteral("70cm"),
        QStringLiteral("2m"),   QStringLiteral("10m"),  QStringLiteral("15m"),
        QStringLiteral("17m"),  QStringLiteral("20m"),  QStringLiteral("30m"),
        QStringLiteral("40m"),  QStringLiteral("80m"),  QStringLiteral("160m")};
    return bands;
}

const QStringList& modeTexts() {
    static const QStringList modes = {
        QStringLiteral("CW"),     QStringLiteral("SSB"),  QStringLiteral("AM"),
        QStringLiteral("FM"),     QStringLiteral("SSTV"), QStringLiteral("ATV"),
        QStringLiteral("PR"),     QStringLiteral("PSK"),  QStringLiteral("RTTY"),
        QStringLiteral("Pactor"), QStringLiteral("FAX")};
    return modes;
}

int TextToBandIndex(const QString& text) {
    const int index = static_cast<int>(bandTexts().indexOf(text.toLower()));
    return index < 0 ? kOtherBand : index;
}

int TextToModeIndex(const QString& text) {
    const QString upper = text.toUpper();
    for (int i = 0; i < modeTexts().size(); ++i) {
        if (modeTexts().at(i).toUpper() == upper)
            return i;
    }
    return kOtherMode;
}

QString BandIndexToText(int index) {
    return index >= 0 && index < bandTexts().size() ? bandTexts().at(index) : QString();
}

QString ModeIndexToText(int index) {
    return index >= 0 && index < modeTexts().size() ? modeTexts().at(index) : QString();
}

} // namespace BandMode
