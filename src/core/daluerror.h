#pragma once

#include <QString>

#include <stdexcept>

// The one error type of the program: file and conversion failures carry a message
// that names what failed, ready to be shown to the operator as it stands, in the interface
// language of the moment it was made.
class DaluError : public std::runtime_error {
public:
    explicit DaluError(const QString& message);

    QString message() const { return m_message; }

    // A failed file operation: what was done, the path and the operating system's text.
    static DaluError io(const QString& action, const QString& path, const QString& osText);
    // The same with the text of the current errno.
    static DaluError fromErrno(const QString& action, const QString& path);
    // The operating system's text for an error number, in the interface language where the
    // program knows it.
    static QString osText(int number);

private:
    QString m_message;
};
