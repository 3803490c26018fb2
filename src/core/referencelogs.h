#pragma once

#include "compactqso.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The reference logs: up to four further log files besides the open log, searched for
// what is already known of a station.
namespace ReferenceLogs {

// The reference logs to read: empty paths and paths naming no existing file are dropped.
QStringList existingFiles(const QStringList& paths);

// The standard function: the first QSO whose base call (ExtractCall) equals the call's,
// searched in the open log (if any), then in reference logs 1 to 4; it stops there.
std::optional<TQsoRecord> findStation(const QString& openLogPath, const QStringList& referencePaths,
                                      const QString& call);

// The luxury function's table: the open log's QSOs in file order, then those of the
// reference logs in their order, with an empty "#". Read from disk once per call entered,
// then filtered in memory at every keystroke.
class Table {
public:
    // A reference log named exactly like the open log is left out. Throws DaluError when a
    // file cannot be read; the rows read before stay.
    void build(const QString& openLogPath, const QStringList& referencePaths);
    void clear();
    int size() const { return static_cast<int>(m_rows.size()); }
    const CompactQso& row(int i) const { return m_rows.at(i).qso; }

    // The rows whose base call begins with the call's base call and, when given, whose DOK
    // and locator begin with the typed ones (exact, letter case counts); in table order.
    QList<CompactQso> filter(const QString& call, const QString& dok, const QString& locator) const;

private:
    struct Row {
        CompactQso qso;
        QByteArray baseCall;
    };
    void read(const QString& path, bool keepNumber);

    QList<Row> m_rows;
};

// The line with its "#" field emptied, as reference-log rows show it.
CompactQso withoutNumber(const QByteArray& line, const QsoLine::FieldStarts& starts);

} // namespace ReferenceLogs
