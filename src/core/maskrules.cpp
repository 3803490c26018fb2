#include "maskrules.h"

#include "cp1252.h"
#include "germanformat.h"

namespace MaskRules {

QString trimmedText(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= ' ')
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= ' ')
        --end;
    return text.mid(begin, end - begin);
}

QDateTime maskUtc(const QDateTime& now, bool automatic, int hours) {
    if (automatic)
        return now.toUTC();
    const QDateTime local = now.toLocalTime();
    return QDateTime(local.date(), local.time(), Qt::UTC).addSecs(qint64(hours) * 3600);
}

QString storableText(const QString& text, bool oneLine) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const bool crLf =
            c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n');
        if (crLf)
            ++i;
        if (crLf || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            out += oneLine ? QLatin1Char(' ') : QLatin1Char('\n');
        else if (c == QLatin1Char(';'))
            out += QLatin1Char(',');
        else if (c.unicode() < ' ' && (oneLine || c != QLatin1Char('\t')))
            out += QLatin1Char(' ');
        else
            out += c;
    }
    return fromCp1252(toCp1252(transliterateForCp1252(out)));
}

QString appendSerial(const QString& report, const QString& serialText) {
    const QString s = trimmedText(serialText);
    if (s.isEmpty() || report.contains(s))
        return report;
    QString base = report;
    while (base.endsWith(QLatin1Char(' ')))
        base.chop(1);
    return base + QLatin1Char(' ') + s;
}

std::optional<QString> nextSerial(const QString& serialText) {
    const std::optional<long long> n = GermanFormat::parseInteger(serialText.toLatin1());
    if (!n)
        return std::nullopt;
    const long long next = *n + 1;
    QString text = QString::number(next < 0 ? -next : next).rightJustified(3, QLatin1Char('0'));
    return next < 0 ? QLatin1Char('-') + text : text;
}

int powerTag(const QString& text) {
    QString number = text;
    if (number.endsWith(QLatin1Char('W')))
        number.chop(1);
    bool ok = false;
    const int watts = number.toInt(&ok);
    return ok ? watts : 0;
}

int powerUp(int watts) {
    return watts < 20 ? watts + 2 : watts + 10;
}

int powerDown(int watts) {
    if (watts >= 30)
        return watts - 10;
    if (watts >= 3)
        return watts - 2;
    return watts;
}

std::optional<int> wholeHours(const QString& text) {
    const std::optional<long long> hours = GermanFormat::parseInteger(text.toLatin1());
    if (!hours || *hours < -24 || *hours > 24)
        return std::nullopt;
    return static_cast<int>(*hours);
}

QString proposedReport(const QString& mode) {
    static const QStringList decibels = {QStringLiteral("FT8"), QStringLiteral("FT4"),
                                         QStringLiteral("JS8")};
    static const QStringList text = {QStringLiteral("CW"),     QStringLiteral("RTTY"),
                                     QStringLiteral("PSK31"),  QStringLiteral("PSK"),
                                     QStringLiteral("Pactor"), QStringLiteral("PR")};
    if (decibels.contains(mode, Qt::CaseInsensitive))
        return {};
    if (text.contains(mode, Qt::CaseInsensitive))
        return QStringLiteral("599");
    return QStringLiteral("59");
}

} // namespace MaskRules
