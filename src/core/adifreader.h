#pragma once

#include "progress.h"
#include "qsorecord.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <functional>

// Reads the QSOs of an ADIF file as other logging programs write it: with or without a
// header, on one line or many, in any letter case, as UTF-8 or Windows-1252. A value is
// taken by its length field, cut where a well-formed next tag begins, so that wrong
// lengths and a "<" inside a comment do no harm, and its trailing blanks and line ends
// are dropped. A file of our own export is read byte for byte by its lengths, so that it
// reads back exactly. Characters Windows-1252 cannot hold become their base letter.
namespace AdifReader {

// A record that was not imported: it lacks one of the five required fields, its date or
// time cannot be read, or the file ends inside it (a truncated file).
struct SkippedRecord {
    qint64 recordNumber = 0;          // position among the file's records, from 1
    QByteArray call;                  // the record's call as converted, may be empty
    QList<QByteArray> missingTags;    // of QSO_DATE, TIME_ON, BAND, MODE, CALL, in this order
    QList<QByteArray> unreadableTags; // QSO_DATE, TIME_ON whose value is no date or time
    bool incomplete = false;          // the file ends inside one of its values

    // "Record 7 (QX1ABC): no BAND, MODE", "Record 8: unreadable QSO_DATE"
    QString reason() const;
};

// How many skipped records are listed one by one; the rest are only counted.
inline constexpr int kListedSkips = 20;

struct ReadResult {
    qint64 accepted = 0;
    QList<SkippedRecord> skipped; // the first kListedSkips of them
    qint64 skippedCount = 0;
    // Records holding a character that Windows-1252 has no letter for (written as "?").
    qint64 unmappableRecords = 0;
    bool cancelled = false;
};

// Receives each record that has a date, time, band, mode and call. "#" is empty; the
// other fields are converted for the log (Repair finishes the job).
using RecordSink = std::function<void(TQsoRecord& record)>;

// Progress is counted in bytes of data. A cancelled read stops at a record's end.
ReadResult read(QByteArrayView data, const RecordSink& sink, const ProgressCallback& progress = {});

} // namespace AdifReader
