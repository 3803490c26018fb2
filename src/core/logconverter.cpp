#include "logconverter.h"

#include "adifwriter.h"
#include "atomicfilewriter.h"
#include "daluerror.h"
#include "htmlexport.h"
#include "logfile.h"
#include "qsorepair.h"
#include "regularfile.h"
#include "textexport.h"
#include "uitexts.h"

#include <QFile>
#include <QFileInfo>

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

// Writes a log as Repair leaves it: header, then every record renumbered from 1 and
// normalised, in one pass instead of an append and a repair per record. Nothing
// reaches the log before commit().
class RepairedLogWriter {
public:
    explicit RepairedLogWriter(const QString& logPath)
        : m_writer(logPath), m_today(QDate::currentDate()), m_now(QTime::currentTime()) {
        m_writer.write(QsoLine::kHeader + kCrLf);
    }

    void add(TQsoRecord rec) {
        // Writing drops ";" anyway; the repair must see the values as they will be read.
        for (QByteArray& f : rec.fields) {
            if (f.contains(';'))
                f.replace(";", "");
        }
        QsoRepair::normalise(rec, int(++m_count), m_today, m_now);
        m_buffer += QsoLine::join(rec);
        m_buffer += kCrLf;
        if (m_buffer.size() > (1 << 20))
            flush();
    }

    // The log's own records, when it exists.
    void addExisting(const QString& logPath) {
        if (!QFileInfo::exists(logPath))
            return;
        ProgressReporter unreported({}, 0);
        qint64 done = 0;
        readLogs({logPath}, unreported, done, [&](const TQsoRecord& rec) { add(rec); });
    }

    qint64 commit() {
        flush();
        TLogFile::refuseEmptying(m_writer.targetPath(), m_count);
        m_writer.commit();
        return m_count;
    }

private:
    void flush() {
        m_writer.write(m_buffer);
        m_buffer.clear();
    }

    AtomicFileWriter m_writer;
    QDate m_today;
    QTime m_now;
    QByteArray m_buffer;
    qint64 m_count = 0;
};

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
        return {records, false};
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
    return {0, true};
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
    log.addExisting(logPath);
    ImportSummary summary;
    const AdifReader::ReadResult result = AdifReader::read(
        data, [&](TQsoRecord& rec) { log.add(std::move(rec)); }, progress);
    if (result.cancelled) {
        summary.cancelled = true;
        return summary;
    }
    log.commit();
    summary.imported = result.accepted;
    summary.skipped = result.skipped;
    summary.skippedCount = result.skippedCount;
    summary.unmappableRecords = result.unmappableRecords;
    return summary;
}

JobResult exportAdif(const QStringList& logPaths, const QString& outPath,
                     const ProgressCallback& progress) {
    ProgressReporter reporter(progress, totalSize(logPaths));
    const QDate today = QDate::currentDate();
    const QTime now = QTime::currentTime();
    return exportRecords(
        logPaths, outPath, AdifWriter::header(),
        [&](const TQsoRecord& rec) { return AdifWriter::record(rec, today, now); }, {}, reporter);
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
    log.addExisting(logPath);
    qint64 imported = 0;
    for (qsizetype r = first; r < grid.rows.size(); ++r) {
        log.add(HtmlTable::recordFromRow(grid.rows[r], assignment));
        if (!reporter.update(++imported))
            return cancelled();
    }
    if (!reporter.finish())
        return cancelled();
    log.commit();
    return {imported, false};
}

JobResult repair(const QStringList& logPaths, const ProgressCallback& progress) {
    ProgressReporter reporter(progress, totalSize(logPaths));
    qint64 done = 0;
    JobResult result;
    for (const QString& path : logPaths) {
        RepairedLogWriter log(path);
        if (!readLogs({path}, reporter, done, [&](const TQsoRecord& rec) { log.add(rec); }))
            return {result.records, true};
        result.records += log.commit();
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
    if (!readLogs(reads, reporter, done, [&](const TQsoRecord& rec) { log.add(rec); }))
        return cancelled();
    if (!reporter.finish())
        return cancelled();
    return {log.commit(), false};
}

} // namespace LogConverter
