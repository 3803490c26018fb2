#include "dxcc.h"

#include "asciicase.h"
#include "programdir.h"
#include "referenceini.h"

namespace {

// Drops the last n characters when the one before them is "/".
void dropSuffixAfterSlash(QString& text, qsizetype n) {
    if (text.size() >= n + 1 && text.at(text.size() - n - 1) == QLatin1Char('/'))
        text.chop(n + 1);
}

} // namespace

QString defaultDxccIniPath() {
    return programFile(QStringLiteral("DXCC.ini"));
}

QString ExtractCall(const QString& call) {
    QString text = upperAsciiLetters(call);
    dropSuffixAfterSlash(text, 0); // a trailing "/"
    dropSuffixAfterSlash(text, 1); // "/P"
    dropSuffixAfterSlash(text, 2); // "/MM"
    return text;
}

QString CallToDxcc(const QString& call, const QString& dxccIniPath) {
    if (call.size() < 3)
        return {};
    return CallToDxcc(call, *TReferenceIni::cached(dxccIniPath));
}

QString CallToDxcc(const QString& call, const TReferenceIni& dxccIni) {
    if (call.size() < 3)
        return {};
    for (qsizetype n = 3; n >= 1; --n) {
        const QString entity = dxccIni.ReadString(QStringLiteral("DXCC"), call.left(n));
        if (!entity.isEmpty())
            return entity;
    }
    return {};
}
