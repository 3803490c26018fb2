#pragma once

#include <QString>

// Advisory locks (flock) that keep two programs from writing one file at once.

// Held by every writer of a file for the whole of its write: a second writer waits up to
// waitMs for it and then refuses with a clear message (DaluError). While the file does
// not exist, its folder is locked instead, so two writers creating it wait too. A file
// replaced by a rename while a writer waited is locked afresh.
class FileWriteLock {
public:
    // How long a writer waits for another (tests shorten it).
    static inline int waitMs = 2000;

    // openFlags: O_RDONLY or O_RDWR for the descriptor handed out by fd().
    explicit FileWriteLock(const QString& path, int openFlags = 0);
    ~FileWriteLock();
    FileWriteLock(const FileWriteLock&) = delete;
    FileWriteLock& operator=(const FileWriteLock&) = delete;

    // The locked file, or -1 when the file is missing and its folder is locked.
    int fd() const { return m_fileFd; }

private:
    int m_fileFd = -1;
    int m_dirFd = -1;
};

// Marks a log as open in one instance of the program for as long as the object lives,
// through a hidden lock file beside it (".name.lock", removed again on release).
class LogOpenLock {
public:
    explicit LogOpenLock(const QString& logPath);
    ~LogOpenLock();
    LogOpenLock(const LogOpenLock&) = delete;
    LogOpenLock& operator=(const LogOpenLock&) = delete;

    // False when another instance holds the log. A folder where no lock file can be
    // made (read-only) counts as free: nobody can write there anyway.
    bool acquired() const { return m_acquired; }

    static QString lockPathOf(const QString& logPath);

private:
    QString m_lockPath;
    int m_fd = -1;
    bool m_acquired = false;
};
