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

QStringList toList(const char* const* texts, int count) {
    QStringList list;
    for (int i = 0; i < count; ++i)
        list.append(QString::fromLatin1(texts[i]));
    return list;
}

} // namespace

const QStringList& bandTexts() {
    static const QStringList bands = toList(kBands, kOtherBand);
    return bands;
}

const QStringList& modeTexts() {
    static const QStringList modes = toList(kModes, kOtherMode);
    return modes;
}

int TextToBandIndex(const QString& text) {
    const int index = static_cast<int>(bandTexts().indexOf(text.toLower()));
    return index < 0 ? kOtherBand : index;
}

int TextToModeIndex(const QString& text) {
    const int index = indexIgnoringCase(modeTexts(), text);
    return index < 0 ? kOtherMode : index;
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
