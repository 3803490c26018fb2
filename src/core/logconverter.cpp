#include "logconverter.h"

#include "adifwriter.h"
#include "atomicfilewriter.h"
#include "daluerror.h"
#include "htmlexport.h"
#include "logfile.h"
#include "regularfile.h"
#include "textexport.h"
#include "uitexts.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <filesystem>

namespace LogConverter {

const QByteArray kCreatedWith = "Erstellt mit Dalu LogConverter";

namespace {

const QByteArray kCrLf = "\r\n";

// Imports of a million QSOs take a few hundred megabytes.
QByteArray readWholeFile(const QString& path) {
    return RegularFile::readAll(path, qint64(2) * 1024 * 1024 * 1024 - 1);
}

qint64 totalSize(const QStringList& paths) {
    qint64 total = 0;
    for (const QString& path : paths)
        total += QFileInfo(path).size();
    return total;
}

// What a record takes in its log file, to tell progress without asking the file.
qint64 lineSize(const TQsoRecord& rec) {
    qint64 size = kQsoFieldCount + 1;
    for (const QByteArray& f : rec.fields)
        size += f.size();
    return size;
}

// Reads every record of the logs in order; returns false when progress asked to stop.
template <typename F>
bool readLogs(const QStringList& paths, ProgressReporter& progress, qint64& done, F&& callback) {
    for (const QString& path : paths) {
        TLogFile log(path);
        log.OpenRead();
        TQsoRecord rec;
        while (log.ReadRecord(rec)) {
            callback(rec);
            done += lineSize(rec);
            if (!progress.update(done))
                return false;
        }
        log.Close();
    }
    return true;
}

// Reads every line of the logs in order, with its line number; returns false when
// progress asked to stop.
template <typename F>
bool readLogLines(const QStringList& paths, ProgressReporter& progress, qint64& done,
                  F&& callback) {
    for (const QString& path : paths) {
        bool stopped = false;
        TLogFile(path).forEachRawLine([&](const QByteArray& line, qint64 number) {
            if (stopped)
                return;
            callback(line, path, number);
            done += line.size() + kCrLf.size();
            stopped = !progress.update(done);
        });
        if (stopped)
            return false;
    }
    return true;
}

// What a repairing job reports of the lines it kept aside.
void reportRejected(const RepairedLogWriter& log, const QString& logPath, Rejects& rejects) {
    for (const RejectedLine& line : log.rejected()) {
        if (rejects.lines.size() < kListedRejects)
            rejects.lines.append(line);
    }
    rejects.count += log.rejectedCount();
    if (log.rejectedCount() > 0)
        rejects.files.append(RepairedLogWriter::rejectedPath(logPath));
}

// An export never writes over one of the logs it reads (also by another name or link).
void refuseSourceAsTarget(const QStringList& logPaths, const QString& outPath) {
    const std::filesystem::path out(QFile::encodeName(outPath).toStdString());
    for (const QString& log : logPaths) {
        std::error_code error;
        if (std::filesystem::equivalent(QFile::encodeName(log).toStdString(), out, error))
            throw DaluError(uiText("Die Zieldatei \"%1\" ist eine der Dalu-Dateien, aus denen "
                                   "exportiert wird.")
                                .arg(outPath));
    }
}

// An export file written through a temporary file beside it.
class ExportFile {
public:
    explicit ExportFile(const QString& path) : m_writer(path) {}
    void write(const QByteArray& bytes) {
        m_buffer += bytes;
        if (m_buffer.size() > (1 << 20))
            flush();
    }
    JobResult commit(qint64 records) {
        flush();
        m_writer.commit();
        JobResult result;
        result.records = records;
        return result;
    }

private:
    void flush() {
        m_writer.write(m_buffer);
        m_buffer.clear();
    }
    AtomicFileWriter m_writer;
    QByteArray m_buffer;
};

JobResult cancelled() {
    JobResult result;
    result.cancelled = true;
    return result;
}

// Writes header, one piece per record, and footer for the records of the logs.
template <typename RecordText>
JobResult exportRecords(const QStringList& logPaths, const QString& outPath,
                        const QByteArray& header, RecordText&& recordText, const QByteArray& footer,
                        ProgressReporter& progress, qint64 done = 0) {
    refuseSourceAsTarget(logPaths, outPath);
    ExportFile out(outPath);
    out.write(header);
    qint64 records = 0;
    if (!readLogs(logPaths, progress, done, [&](const TQsoRecord& rec) {
            out.write(recordText(rec));
            ++records;
        }))
        return cancelled();
    out.write(footer);
    if (!progress.finish())
        return cancelled();
    return out.commit(records);
}

} // namespace

ImportSummary importAdif(const QString& adifPath, const QString& logPath,
                         const ProgressCallback& progress) {
    const QByteArray data = readWholeFile(adifPath);
    RepairedLogWriter log(logPath);
    log.addExisting();
    ImportSummary summary;
    // The reader passes only records with a readable date and time and a call.
    qint64 dropped = 0;
    const AdifReader::ReadResult result = AdifReader::read(
        data,
        [&](TQsoRecord& rec) {
            if (log.add(std::move(rec)) != QsoRepair::Problem::None)
                ++dropped;
        },
        progress);
    if (result.cancelled) {
        summary.cancelled = true;
        return summary;
    }
    log.commit();
    summary.imported = result.accepted - dropped;
    summary.skipped = result.skipped;
    summary.skippedCount = result.skippedCount + dropped;
    summary.unmappableRecords = result.unmappableRecords;
    reportRejected(log, logPath, summary.rejects);
    return summary;
}

JobResult exportAdif(const QStringList& logPaths, const QString& outPath,
                     const ProgressCallback& progress) {
    ProgressReporter reporter(progress, totalSize(logPaths));
    const QDate today = QDate::currentDate();
    return exportRecords(
        logPaths, outPath, AdifWriter::header(),
        [&](const TQsoRecord& rec) { return AdifWriter::record(rec, today); }, {}, reporter);
}

JobResult exportText(const QStringList& logPaths, const QString& outPath,
                     const QByteArray& createdWith, const ProgressCallback& progress) {
    refuseSourceAsTarget(logPaths, outPath);
    const qint64 size = totalSize(logPaths);
    ProgressReporter reporter(progress, 2 * size);
    FixedWidthTable table;
    qint64 done = 0;
    if (!readLogs(logPaths, reporter, done, [&](const TQsoRecord& rec) { table.measure(rec); }))
        return cancelled();
    return exportRecords(
        logPaths, outPath, table.header(), [&](const TQsoRecord& rec) { return table.line(rec); },
        table.footer(createdWith), reporter, done);
}

JobResult exportHtml(const QStringList& logPaths, const QString& outPath,
                     const QByteArray& createdWith, const ProgressCallback& progress) {
    QStringList names;
    for (const QString& path : logPaths)
        names.append(QFileInfo(path).fileName());
    ProgressReporter reporter(progress, totalSize(logPaths));
    return exportRecords(logPaths, outPath, HtmlExport::documentStart(names), &HtmlExport::row,
                         HtmlExport::documentEnd(createdWith), reporter);
}

HtmlTable::Grid loadHtml(const QString& htmlPath) {
    return HtmlTable::load(readWholeFile(htmlPath));
}

JobResult importHtmlRows(const HtmlTable::Grid& grid, const QList<int>& assignment, int startRow,
                         const QString& logPath, const ProgressCallback& progress) {
    const qsizetype first = std::max(startRow, 1) - 1;
    ProgressReporter reporter(progress, std::max<qint64>(grid.rows.size() - first, 0));
    RepairedLogWriter log(logPath);
    log.addExisting();
    JobResult result;
    for (qsizetype r = first; r < grid.rows.size(); ++r) {
        const TQsoRecord rec = HtmlTable::recordFromRow(grid.rows[r], assignment);
        if (std::all_of(rec.fields.begin(), rec.fields.end(),
                        [](const QByteArray& f) { return f.trimmed().isEmpty(); })) {
            ++result.emptyRows;
        } else if (const QsoRepair::Problem problem = log.add(rec);
                   problem != QsoRepair::Problem::None) {
            if (++result.rejects.count <= kListedRejects)
                result.rejects.lines.append({QString(), r + 1, problem});
        } else {
            ++result.records;
        }
        if (!reporter.update(r - first + 1))
            return cancelled();
    }
    if (!reporter.finish())
        return cancelled();
    log.commit();
    return result;
}

JobResult repair(const QStringList& logPaths, const ProgressCallback& progress) {
    ProgressReporter reporter(progress, totalSize(logPaths));
    qint64 done = 0;
    JobResult result;
    for (const QString& path : logPaths) {
        RepairedLogWriter log(path);
        if (!readLogLines({path}, reporter, done,
                          [&](const QByteArray& line, const QString& file, qint64 number) {
                              log.addLine(line, file, number);
                          })) {
            result.cancelled = true;
            return result;
        }
        result.records += log.commit();
        reportRejected(log, path, result.rejects);
    }
    result.cancelled = !reporter.finish();
    return result;
}

JobResult append(const QString& targetPath, const QStringList& sourcePaths,
                 const ProgressCallback& progress) {
    QStringList reads = sourcePaths;
    if (QFileInfo::exists(targetPath))
        reads.prepend(targetPath);
    ProgressReporter reporter(progress, totalSize(reads));
    RepairedLogWriter log(targetPath);
    qint64 done = 0;
    // The target is rewritten through a temporary file, so reading it as a source sees
    // it as it was before the job.
    if (!readLogLines(reads, reporter, done,
                      [&](const QByteArray& line, const QString& file, qint64 number) {
                          log.addLine(line, file, number);
                      }))
        return cancelled();
    if (!reporter.finish())
        return cancelled();
    JobResult result;
    result.records = log.commit();
    reportRejected(log, targetPath, result.rejects);
    return result;
}

} // namespace LogConverter
