#include "bandmode.h"

namespace BandMode {

namespace {

int indexIgnoringCase(const QStringList& entries, const QString& text) {
    for (int i = 0; i < entries.size(); ++i) {
        if (entries.at(i).compare(text, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

} // namespace

const QStringList& bandTexts() {
    static const QStringList bands = {
        QStringLiteral("1.25cm"), QStringLiteral("3cm"),  QStringLiteral("6cm"),
        QStringLiteral("9cm"),    QStringLiteral("13cm"), QStringLiteral("23cm"),
        QStringLiteral("70cm"),   QStringLiteral("2m"),   QStringLiteral("4m"),
        QStringLiteral("6m"),     QStringLiteral("10m"),  QStringLiteral("12m"),
        QStringLiteral("15m"),    QStringLiteral("17m"),  QStringLiteral("20m"),
        QStringLiteral("30m"),    QStringLiteral("40m"),  QStringLiteral("60m"),
        QStringLiteral("80m"),    QStringLiteral("160m"), QStringLiteral("630m"),
        QStringLiteral("2200m")};
    return bands;
}

const QStringList& modeTexts() {
    static const QStringList modes = {
        QStringLiteral("CW"),   QStringLiteral("SSB"),          QStringLiteral("AM"),
        QStringLiteral("FM"),   QStringLiteral("FT8"),          QStringLiteral("FT4"),
        QStringLiteral("JS8"),  QStringLiteral("PSK31"),        QStringLiteral("RTTY"),
        QStringLiteral("SSTV"), QStringLiteral("DIGITALVOICE"), QStringLiteral("ATV"),
        QStringLiteral("PR"),   QStringLiteral("PSK"),          QStringLiteral("Pactor"),
        QStringLiteral("FAX")};
    return modes;
}

int otherBand() {
    return int(bandTexts().size());
}

int otherMode() {
    return int(modeTexts().size());
}

int TextToBandIndex(const QString& text) {
    const int index = static_cast<int>(bandTexts().indexOf(text.toLower()));
    return index < 0 ? otherBand() : index;
}

int TextToModeIndex(const QString& text) {
    const int index = indexIgnoringCase(modeTexts(), text);
    return index < 0 ? otherMode() : index;
}

QString BandIndexToText(int index) {
    return index >= 0 && index < bandTexts().size() ? bandTexts().at(index) : QString();
}

QString ModeIndexToText(int index) {
    return index >= 0 && index < modeTexts().size() ? modeTexts().at(index) : QString();
}

int matchIndex(const QStringList& entries, const QString& typed) {
    if (typed.isEmpty())
        return -1;
    const int exact = indexIgnoringCase(entries, typed);
    if (exact >= 0)
        return exact;
    for (int i = 0; i < entries.size(); ++i) {
        if (entries.at(i).startsWith(typed, Qt::CaseInsensitive))
            return i;
    }
    return -1;
}

} // namespace BandMode
