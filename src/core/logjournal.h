#pragma once

#include "regularfile.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Changes of single QSOs of a big log, kept beside it ("NAME.log.journal") until they are
// folded into it: an edit or a QSL mark of a million-QSO log costs one line appended and
// flushed, not a rewrite of the whole file. An entry holds the QSO's position, the line it
// replaces and the new line, and ends with a checksum: an entry torn by a crash was never
// reported saved and is left out. Folding rewrites the log once, as every rewrite
// (lock, temporary file, fsync, rename), and then removes the journal; a journal left by a
// crash after that rename is recognised entry by entry, so nothing is applied twice.
namespace LogJournal {

// Logs smaller than this are rewritten at once: the journal pays only where a rewrite
// costs more than a wait the operator notices (tests lower it).
inline qint64 minLogBytes = qint64(4) * 1024 * 1024;

struct Entry {
    int position = 0; // of the QSO in the log, 1 ...
    QByteArray oldLine;
    QByteArray newLine;
};

QString pathOf(const QString& logPath);
bool exists(const QString& logPath);

// One entry as a line of the journal, with its line end.
QByteArray encode(const Entry& entry);
// The entries of a journal's bytes, up to the first torn or unreadable one.
QList<Entry> decode(const QByteArray& bytes);

// Appends an entry under the log's write lock and flushes it to disk. Refuses (false,
// nothing written) when the log file is no longer as stamped: another program wrote it.
bool append(const QString& logPath, const Entry& entry, const RegularFile::Stamp& expected);

struct Folded {
    int applied = 0;
    // The log file as found under the lock, and as left by the fold (the same when nothing
    // was to fold).
    RegularFile::Stamp before, after;
    // Entries whose QSO holds neither the line they replace nor one that they or a later
    // entry wrote: the log was changed behind them. They are kept in
    // "NAME.log.journal.rejected" for the operator.
    QList<Entry> rejected;
};

// Folds the journal, if any, into the log at logPath. Throws DaluError when the log cannot
// be read or written; the journal then stays.
Folded fold(const QString& logPath);

// The rejected entries named for a message; empty when none.
QString describe(const Folded& folded, const QString& logPath);

} // namespace LogJournal
