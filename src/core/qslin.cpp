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

QString TimeInput::logText() const {
    return QString::fromLatin1(GermanFormat::formatTime(QTime(0, 0).addSecs(first)));
}

TimeInput completeTime(const QString& typed) {
    QString text = typed.trimmed();
    TimeInput out;
    if (text.size() < 2)
        return out;
    int span = 1; // seconds
    if (!text.contains(QLatin1Char(':'))) {
        if (text.size() == 2) {
            text += QStringLiteral(":00");
            span = 3600;
        } else if (text.size() == 4) {
            text = joined(text, {2}, QLatin1Char(':'));
            span = 60;
        } else if (text.size() == 6) {
            text = joined(text, {2, 2}, QLatin1Char(':'));
        }
    } else if (text.count(QLatin1Char(':')) == 1) {
        span = 60;
    }
    const std::optional<QTime> time = GermanFormat::parseTime(text.toLatin1());
    if (!time) {
        out.state = Input::Invalid;
        out.text = text;
        return out;
    }
    out.state = Input::Valid;
    out.first = time->msecsSinceStartOfDay() / 1000 / span * span;
    out.last = out.first + span - 1;
    // Written back as exact as it was given, so that searching again means the same span.
    const QString full = QString::fromLatin1(GermanFormat::formatTime(*time));
    out.text = full.left(span == 3600 ? 2 : span == 60 ? 5 : 8);
    return out;
}

QList<QsoSearch::Criterion> timeCriteria(const TimeInput& time) {
    if (time.state != Input::Valid)
        return {};
    constexpr int kUtc = static_cast<int>(QsoField::Utc);
    const auto at = [](int seconds) {
        return QString::fromLatin1(GermanFormat::formatTime(QTime(0, 0).addSecs(seconds)));
    };
    using Op = QsoSearch::Operator;
    if (time.first == time.last)
        return {{kUtc, Op::Is, at(time.first)}};
    QList<QsoSearch::Criterion> criteria;
    if (time.first > 0)
        criteria.append({kUtc, Op::Greater, at(time.first - 1)});
    if (time.last < 24 * 3600 - 1)
        criteria.append({kUtc, Op::Less, at(time.last + 1)});
    return criteria;
}

} // namespace QslIn
