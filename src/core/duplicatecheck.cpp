#include "duplicatecheck.h"

#include "asciicase.h"
#include "cp1252.h"

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

int firstDuplicateIn(const Criteria& criteria, const MaskQso& mask, const QList<CompactQso>& qsos) {
    const QString call = upperAsciiLetters(mask.call);
    const QByteArray bytes = toCp1252(call);
    // A call the file's code page cannot hold exactly is compared as text throughout.
    const bool byBytes = fromCp1252(bytes) == call;
    auto text = [](const CompactQso& q, QsoField f) {
        return fromCp1252(q.field(static_cast<int>(f)));
    };
    for (qsizetype i = 0; i < qsos.size(); ++i) {
        const CompactQso& q = qsos.at(i);
        if (byBytes) {
            const QByteArrayView stored = q.field(static_cast<int>(QsoField::Call));
            if (stored.size() != bytes.size())
                continue;
            bool same = true;
            for (qsizetype k = 0; same && k < stored.size(); ++k) {
                const char c = stored[k];
                same = (c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c) == bytes[k];
            }
            if (!same)
                continue;
        }
        if (matches(criteria, mask, text(q, QsoField::Call), text(q, QsoField::Band),
                    text(q, QsoField::Mode), text(q, QsoField::Date)))
            return int(i) + 1;
    }
    return 0;
}

} // namespace DuplicateCheck
