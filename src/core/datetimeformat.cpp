#include "datetimeformat.h"

#include "uitexts.h"

#include <QLocale>

namespace DateTimeFormat {

namespace {

QLocale namesLocale() {
    return uiLanguage() == UiLanguage::English ? QLocale(QLocale::English, QLocale::UnitedKingdom)
                                               : QLocale(QLocale::German, QLocale::Germany);
}

QString two(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// How many times the letter at i repeats (case-insensitive).
int runLength(const QString& p, int i) {
    const QChar c = p.at(i).toLower();
    int n = 1;
    while (i + n < p.size() && p.at(i + n).toLower() == c)
        ++n;
    return n;
}

} // namespace

QString longDate(const QDate& date) {
    return namesLocale().toString(date, QStringLiteral("dddd, d. MMMM yyyy"));
}

QString shortDate(const QDate& date) {
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

QString longTime(const QTime& time) {
    return time.toString(QStringLiteral("HH:mm:ss"));
}

QString format(const QString& pattern, const QDateTime& t) {
    const QDate d = t.date();
    const QTime tm = t.time();
    const QLocale names = namesLocale();
    QString out;
    bool afterHour = false;
    int i = 0;
    while (i < pattern.size()) {
        const QChar c = pattern.at(i);
        const QChar lower = c.toLower();
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const int end = pattern.indexOf(c, i + 1);
            const int stop = end < 0 ? pattern.size() : end;
            out += pattern.mid(i + 1, stop - i - 1);
            i = stop + 1;
            continue;
        }
        int n = runLength(pattern, i);
        if (lower == QLatin1Char('d')) {
            n = std::min(n, 6);
            const QString forms[] = {QString::number(d.day()),
                                     two(d.day()),
                                     names.dayName(d.dayOfWeek(), QLocale::ShortFormat),
                                     names.dayName(d.dayOfWeek(), QLocale::LongFormat),
                                     shortDate(d),
                                     longDate(d)};
            out += forms[n - 1];
        } else if (lower == QLatin1Char('m')) {
            n = std::min(n, afterHour ? 2 : 4);
            if (afterHour)
                out += n == 1 ? QString::number(tm.minute()) : two(tm.minute());
            else {
                const QString forms[] = {QString::number(d.month()), two(d.month()),
                                         names.monthName(d.month(), QLocale::ShortFormat),
                                         names.monthName(d.month(), QLocale::LongFormat)};
                out += forms[n - 1];
            }
        } else if (lower == QLatin1Char('y')) {
            out += n <= 2 ? two(d.year() % 100) : QString::number(d.year());
        } else if (lower == QLatin1Char('h')) {
            n = std::min(n, 2);
            out += n == 1 ? QString::number(tm.hour()) : two(tm.hour());
        } else if (lower == QLatin1Char('n')) {
            n = std::min(n, 2);
            out += n == 1 ? QString::number(tm.minute()) : two(tm.minute());
        } else if (lower == QLatin1Char('s')) {
            n = std::min(n, 2);
            out += n == 1 ? QString::number(tm.second()) : two(tm.second());
        } else if (lower == QLatin1Char('t')) {
            n = std::min(n, 2);
            out += n == 1 ? tm.toString(QStringLiteral("HH:mm")) : longTime(tm);
        } else if (lower == QLatin1Char('c')) {
            n = 1;
            out += shortDate(d) + QLatin1Char(' ') + longTime(tm);
        } else if (c == QLatin1Char('/')) {
            n = 1;
            out += QLatin1Char('.');
        } else {
            n = 1;
            out += c;
        }
        // A run of m right after an hour (blanks and separators between) means minutes.
        if (lower == QLatin1Char('h'))
            afterHour = true;
        else if (lower.isLetter())
            afterHour = false;
        i += n;
    }
    return out;
}

} // namespace DateTimeFormat
