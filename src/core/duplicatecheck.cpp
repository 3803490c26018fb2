#include "duplicatecheck.h"

#include "asciicase.h"

namespace DuplicateCheck {

ParsedOptions parseOptions(const QString& options) {
    ParsedOptions parsed;
    bool* flags[] = {&parsed.criteria.band, &parsed.criteria.mode, &parsed.criteria.date};
    for (int i = 0; i < 3; ++i) {
        const QChar c = i < options.size() ? options.at(i) : QChar();
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            parsed.mended = true;
        *flags[i] = c == QLatin1Char('1');
    }
    return parsed;
}

QString formatOptions(const Criteria& criteria) {
    QString text;
    for (bool flag : {criteria.band, criteria.mode, criteria.date})
        text.append(flag ? QLatin1Char('1') : QLatin1Char('0'));
    return text;
}

bool matches(const Criteria& criteria, const MaskQso& mask, const QString& call,
             const QString& band, const QString& mode, const QString& date) {
    if (upperAsciiLetters(call) != upperAsciiLetters(mask.call))
        return false;
    if (criteria.band && band != mask.band)
        return false;
    if (criteria.mode && upperAsciiLetters(mode) != upperAsciiLetters(mask.mode))
        return false;
    return !criteria.date || date == mask.date;
}

} // namespace DuplicateCheck
