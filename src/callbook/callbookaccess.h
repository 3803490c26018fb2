#pragma once

#include "callbookinfo.h"

#include <QByteArray>
#include <QLibrary>
#include <QString>

#include <cstdint>
#include <functional>

// Access to the callbook library, loaded at run time. The object is usable only when the
// library was found with all three functions and the database path fits its buffer;
// otherwise problem() says why and nothing is ever called.
class TCallBook {
public:
    // folder: the callbook folder (the directory of the file chosen on the options page).
    // The library "libraccd32a.so.1" (or ".so") is taken from there, else from the
    // program's own folders; never from the working directory or the system's path.
    explicit TCallBook(const QString& folder);
    ~TCallBook();
    TCallBook(const TCallBook&) = delete;
    TCallBook& operator=(const TCallBook&) = delete;

    bool isAvailable() const { return m_getCallInfo != nullptr; }
    // Why the callbook is not usable, in the current language; empty when it is.
    QString problem() const;
    QString libraryFileName() const { return m_library.fileName(); }

    TCallInfo GetCallInfo(const QString& call) const;
    // The same lookup as a job holding copies of all it needs: it may run on another
    // thread, even after this object is gone (a library stuck in its database).
    std::function<TCallInfo()> lookupJob(const QString& call) const;
    // -3 for a database of format 1 without error, else the library's error code.
    int CheackDataBaseFormat() const;
    // The library's version number; 0 when there is no usable library.
    quint16 GetCallBookVersion() const;

private:
    using GetCallInfoFn = std::int32_t (*)(std::int16_t*, char*, const char*, const char*);
    using GetVersionNrFn = std::int32_t (*)(std::uint16_t*);
    using CheckDatabaseFormatFn = std::int32_t (*)(std::int16_t*, std::int16_t*, const char*);

    enum class Problem { None, PathTooLong, LibraryNotFound, LibraryNotLoaded, FunctionMissing };

    bool load(const QString& libraryFile);
    void setProblem(Problem problem, const QString& detail);

    QByteArray m_databasePath; // at most 83 bytes, NUL-terminated by QByteArray
    QLibrary m_library;
    GetCallInfoFn m_getCallInfo = nullptr;
    GetVersionNrFn m_getVersionNr = nullptr;
    CheckDatabaseFormatFn m_checkDatabaseFormat = nullptr;
    Problem m_problem = Problem::None;
    QString m_problemDetail;
};
