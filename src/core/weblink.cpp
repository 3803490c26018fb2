#include "weblink.h"

#include <QRegularExpression>
#include <QUrl>

namespace WebLink {

QString openable(const QString& address) {
    const QString text = address.trimmed();
    // A scheme is letters, digits, "+", "-" or "." before the first ":"; "host:8080" is a
    // host with its port, not a scheme.
    static const QRegularExpression scheme(
        QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]*):(?!\\d+(/|$))"));
    const QRegularExpressionMatch match = scheme.match(text);
    QString candidate;
    if (match.hasMatch()) {
        const QString name = match.captured(1).toLower();
        if (name != QLatin1String("http") && name != QLatin1String("https"))
            return {};
        candidate = text;
    } else if (!text.isEmpty() && text.at(0).isLetterOrNumber()) {
        candidate = QStringLiteral("https://") + text;
    } else {
        return {};
    }
    const QUrl url(candidate, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty())
        return {};
    return candidate;
}

} // namespace WebLink
