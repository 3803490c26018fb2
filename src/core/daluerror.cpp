#include "daluerror.h"

#include <cerrno>
#include <cstring>

DaluError::DaluError(const QString& message)
    : std::runtime_error(message.toStdString()), m_message(message) {}

DaluError DaluError::io(const QString& action, const QString& path, const QString& osText) {
    return DaluError(QStringLiteral("%1 \"%2\": %3").arg(action, path, osText));
}

DaluError DaluError::fromErrno(const QString& action, const QString& path) {
    return io(action, path, QString::fromLocal8Bit(std::strerror(errno)));
}
