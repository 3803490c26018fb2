#pragma once

#include <QString>

#include <stdexcept>

// The one error type of the program: file and conversion failures carry a message
// that names what failed, ready to be shown to the operator as it stands.
class DaluError : public std::runtime_error {
public:
    explicit DaluError(const QString& message);

    QString message() const { return m_message; }

    // A failed file operation: what was done, the path and the operating system's text.
    static DaluError io(const QString& action, const QString& path, const QString& osText);
    // The same with the text of the current errno.
    static DaluError fromErrno(const QString& action, const QString& path);

private:
    QString m_message;
};
