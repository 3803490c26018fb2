#pragma once

#include "qsorecord.h"

#include <QByteArray>
#include <QList>
#include <QMetaType>
#include <QString>

// Builds QSO records and log file contents for tests.
namespace LogBuilder {

// A complete record numbered n, with a call derived from n unless given.
TQsoRecord qso(int n, const QByteArray& call = {});
// count such records, numbered from first.
QList<TQsoRecord> qsos(int count, int first = 1);

// Sets fields by name: {"Call", "DL1ABC"}, {"Band", "2m"}, ... (names as in the header).
TQsoRecord record(std::initializer_list<std::pair<const char*, QByteArray>> fields);

// The header line and one CR LF terminated line per record.
QByteArray logContent(const QList<TQsoRecord>& records);

// Header line and the given raw lines, each terminated by CR LF.
QByteArray rawLog(const QList<QByteArray>& lines);

void writeLog(const QString& path, const QList<TQsoRecord>& records);
// The records of the log at path; none when there is no such file.
QList<TQsoRecord> readLog(const QString& path);

} // namespace LogBuilder

Q_DECLARE_METATYPE(TQsoRecord)
