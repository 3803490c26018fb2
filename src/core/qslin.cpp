#include "qslin.h"

#include "germanformat.h"

#include <QDate>

namespace QslIn {

namespace {

// Cuts digits into groups joined by a separator: "051224" with {2, 2} and "." gives
// "05.12.24".
QString joined(const QString& digits, std::initializer_list<int> groups, QChar separator) {
    QString out;
    int at = 0;
    for (int length : groups) {
        out += digits.mid(at, length) + separator;
        at += length;
    }
    return out + digits.mid(at);
}

} // namespace

Input completeDate(const QString& typed, int currentYear) {
    QString text = typed.trimmed();
    if (text.size() < 4)
        return {};
    if (!text.contains(QLatin1Char('.'))) {
        if (text.size() == 4)
            text = joined(text, {2, 2}, QLatin1Char('.')) + QString::number(currentYear);
        else if (text.size() == 6)
            text = joined(text, {2, 2}, QLatin1Char('.')).insert(6, QStringLiteral("20"));
        else if (text.size() == 8)
            text = joined(text, {2, 2}, QLatin1Char('.'));
    }
    const std::optional<QDate> date =
        GermanFormat::parseDate(text.toLatin1(), QDate(currentYear, 1, 1));
    if (!date)
        return {Input::Invalid, text};
    return {Input::Valid, QString::fromLatin1(GermanFormat::formatDate(*date))};
}

Input completeTime(const QString& typed) {
    QString text = typed.trimmed();
    if (text.size() < 2)
        return {};
    if (!text.contains(QLatin1Char(':'))) {
        if (text.size() == 2)
            text += QStringLiteral(":00");
        else if (text.size() == 4)
            text = joined(text, {2}, QLatin1Char(':'));
        else if (text.size() == 6)
            text = joined(text, {2, 2}, QLatin1Char(':'));
    }
    const std::optional<QTime> time = GermanFormat::parseTime(text.toLatin1());
    if (!time)
        return {Input::Invalid, text};
    return {Input::Valid, QString::fromLatin1(GermanFormat::formatTime(*time))};
}

} // namespace QslIn
