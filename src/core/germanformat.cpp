#include "germanformat.h"

#include <QList>

#include <cmath>
#include <cstdio>

namespace GermanFormat {

namespace {

QByteArrayView trimmed(QByteArrayView text) {
    while (!text.isEmpty() && static_cast<unsigned char>(text.front()) <= ' ')
        text = text.sliced(1);
    while (!text.isEmpty() && static_cast<unsigned char>(text.back()) <= ' ')
        text.chop(1);
    return text;
}

bool allDigits(QByteArrayView text) {
    if (text.isEmpty())
        return false;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

// Splits at separator; empty when any part is not 1 to maxDigits digits.
QList<QByteArrayView> digitParts(QByteArrayView text, char separator, qsizetype maxDigits) {
    QList<QByteArrayView> parts;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == separator) {
            const QByteArrayView part = text.sliced(start, i - start);
            if (!allDigits(part) || part.size() > maxDigits)
                return {};
            parts.append(part);
            start = i + 1;
        }
    }
    return parts;
}

int toInt(QByteArrayView digits) {
    int value = 0;
    for (char c : digits)
        value = value * 10 + (c - '0');
    return value;
}

int expandYear(int twoDigits, int currentYear) {
    int year = (currentYear / 100) * 100 + twoDigits;
    if (year > currentYear + 20)
        year -= 100;
    else if (year < currentYear - 79)
        year += 100;
    return year;
}

} // namespace

std::optional<QDate> parseDate(QByteArrayView text, QDate today) {
    const QList<QByteArrayView> parts = digitParts(trimmed(text), '.', 4);
    if (parts.size() < 2 || parts.size() > 3 || parts[0].size() > 2 || parts[1].size() > 2)
        return std::nullopt;
    int year = today.year();
    if (parts.size() == 3) {
        if (parts[2].size() != 2 && parts[2].size() != 4)
            return std::nullopt;
        year = toInt(parts[2]);
        if (parts[2].size() == 2)
            year = expandYear(year, today.year());
    }
    const QDate date(year, toInt(parts[1]), toInt(parts[0]));
    if (!date.isValid())
        return std::nullopt;
    return date;
}

QByteArray formatDate(QDate date) {
    char text[16];
    const int n = std::snprintf(text, sizeof text, "%02d.%02d.%04d", date.day(), date.month(),
                                date.year());
    return QByteArray(text, n);
}

std::optional<QTime> parseTime(QByteArrayView text) {
    const QList<QByteArrayView> parts = digitParts(trimmed(text), ':', 2);
    if (parts.size() < 2 || parts.size() > 3)
        return std::nullopt;
    const QTime time(toInt(parts[0]), toInt(parts[1]), parts.size() == 3 ? toInt(parts[2]) : 0);
    if (!time.isValid())
        return std::nullopt;
    return time;
}

QByteArray formatTime(QTime time) {
    char text[16];
    const int n = std::snprintf(text, sizeof text, "%02d:%02d:%02d", time.hour(), time.minute(),
                                time.second());
    return QByteArray(text, n);
}

std::optional<long long> parseInteger(QByteArrayView text) {
    text = trimmed(text);
    bool ok = false;
    const long long value = QByteArray(text.data(), text.size()).toLongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}

std::optional<double> parseDecimal(QByteArrayView text) {
    text = trimmed(text);
    if (text.isEmpty() || text.contains('.'))
        return std::nullopt;
    QByteArray c(text.data(), text.size());
    c.replace(',', '.');
    for (char ch : c) {
        if (!((ch >= '0' && ch <= '9') || ch == '.' || ch == '+' || ch == '-' || ch == 'e' ||
              ch == 'E'))
            return std::nullopt;
    }
    bool ok = false;
    const double value = c.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QByteArray formatDecimal(double value) {
    if (value == 0)
        value = 0; // no "-0"
    QByteArray text = QByteArray::number(value, 'g', 15);
    text.replace('.', ',');
    return text;
}

} // namespace GermanFormat
