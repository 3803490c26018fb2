#pragma once

#include "qsorecord.h"
#include "qsorepair.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>

#include <memory>

class AtomicFileWriter;

// A line of a log, or a row of a table, that could not be read as a QSO.
struct RejectedLine {
    QString file;    // the log it came from; empty for a row of a table
    qint64 line = 0; // its line in the log (the header is line 1), or its table row
    QsoRepair::Problem problem = QsoRepair::Problem::None;

    // "a.log, line 7: no readable date" ("row 7: ..." for a table) in the language of
    // the interface.
    QString text() const;
};

// How many rejected lines a report names one by one; the rest are only counted.
inline constexpr int kListedRejects = 20;

// Writes a log as the repair leaves it: header, then every QSO renumbered from 1 and
// normalised. Nothing is made up: a line that cannot be read as a QSO is kept aside in
// the file "<log>.rejected" beside the log, exactly as it was, and named in the report.
// Nothing reaches the log (or the rejected file) before commit().
class RepairedLogWriter {
public:
    explicit RepairedLogWriter(const QString& logPath);
    ~RepairedLogWriter();
    RepairedLogWriter(const RepairedLogWriter&) = delete;
    RepairedLogWriter& operator=(const RepairedLogWriter&) = delete;

    // A record of an import; written only when it reads as a QSO.
    QsoRepair::Problem add(TQsoRecord rec);
    // Line number lineNumber of the log file (without its line end).
    void addLine(const QByteArray& line, const QString& file, qint64 lineNumber);
    // The log's own lines, when it exists.
    void addExisting();

    // Keeps the rejected lines aside (added to a rejected file already there), then
    // replaces the log. A log that would be left without any QSO while the file holds
    // text, or while lines were rejected, is refused unchanged (DaluError).
    qint64 commit();

    qint64 rejectedCount() const { return m_rejectedCount; }
    const QList<RejectedLine>& rejected() const { return m_rejected; } // the first listed
    static QString rejectedPath(const QString& logPath);

private:
    void write(const TQsoRecord& rec);
    void flush();
    void keepRejected();

    QString m_logPath;
    std::unique_ptr<AtomicFileWriter> m_writer;
    QDate m_today;
    bool m_logExisted;
    QByteArray m_buffer;
    qint64 m_count = 0;
    QByteArray m_rejectedLines;
    QList<RejectedLine> m_rejected;
    qint64 m_rejectedCount = 0;
};
