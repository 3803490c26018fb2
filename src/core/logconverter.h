#pragma once

#include "adifreader.h"
#include "htmltable.h"
#include "progress.h"
#include "repairedlog.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The converter's jobs on files: imports, exports, repair and append. Every job writes
// its target through a temporary file, so a job that fails (an unreadable source, a
// full disk) or is cancelled through its progress callback leaves the target as it was.
// Failures throw DaluError.
namespace LogConverter {

// The default credit line of the text and HTML exports.
extern const QByteArray kCreatedWith;

// Lines of logs (repair, append, the target of an import) or rows of a table (HTML
// import) that could not be read as a QSO.
struct Rejects {
    QList<RejectedLine> lines; // the first kListedRejects
    qint64 count = 0;
    QStringList files; // where the lines of each log were kept aside
};

struct ImportSummary {
    qint64 imported = 0;
    QList<AdifReader::SkippedRecord> skipped; // the first AdifReader::kListedSkips
    qint64 skippedCount = 0;
    qint64 unmappableRecords = 0; // QSOs holding a "?" for a character without equivalent
    bool cancelled = false;       // then nothing was written
    Rejects rejects;
};

struct JobResult {
    qint64 records = 0; // QSOs written (by repair and append: in the target as a whole)
    bool cancelled = false;
    Rejects rejects;
    qint64 emptyRows = 0; // HTML import: rows without any text, skipped
};

// Appends the QSOs of an ADIF file to the log (created when missing) and repairs the
// log. Progress counts bytes of the ADIF file.
ImportSummary importAdif(const QString& adifPath, const QString& logPath,
                         const ProgressCallback& progress = {});

// The QSOs of the logs, in the order given, into one file. A target that is one of the
// logs is refused. Progress counts bytes of the logs read (the text export reads them
// twice).
JobResult exportAdif(const QStringList& logPaths, const QString& outPath,
                     const ProgressCallback& progress = {});
JobResult exportText(const QStringList& logPaths, const QString& outPath,
                     const QByteArray& createdWith = kCreatedWith,
                     const ProgressCallback& progress = {});
JobResult exportHtml(const QStringList& logPaths, const QString& outPath,
                     const QByteArray& createdWith = kCreatedWith,
                     const ProgressCallback& progress = {});

// The first table of an HTML file.
HtmlTable::Grid loadHtml(const QString& htmlPath);

// Appends the table's rows from startRow on (the first table row is 1; below 1 counts
// as 1) to the log (created when missing), fields by the column assignment (field
// numbers 1 to 16, 0 for none), and repairs the log. Empty rows are skipped and counted;
// a row without a readable date, time or call is skipped and named. Progress counts rows.
JobResult importHtmlRows(const HtmlTable::Grid& grid, const QList<int>& assignment, int startRow,
                         const QString& logPath, const ProgressCallback& progress = {});

// Repairs each log in turn; lines that cannot be read as a QSO are kept aside beside
// their log. A log without a readable QSO is refused (DaluError) and left unchanged. A
// cancel leaves the log being repaired unchanged.
JobResult repair(const QStringList& logPaths, const ProgressCallback& progress = {});

// Appends the QSOs of the sources, in order, to the target (created when missing) and
// repairs it. Every source is read as it was before the job began, the target too when
// it is among them.
JobResult append(const QString& targetPath, const QStringList& sourcePaths,
                 const ProgressCallback& progress = {});

} // namespace LogConverter
