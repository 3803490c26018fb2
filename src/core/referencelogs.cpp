#include "referencelogs.h"

#include "cp1252.h"
#include "dxcc.h"
#include "logfile.h"

#include <QFileInfo>

namespace ReferenceLogs {

namespace {

constexpr int kCall = static_cast<int>(QsoField::Call);
constexpr int kDok = static_cast<int>(QsoField::Dok);
constexpr int kLocator = static_cast<int>(QsoField::Locator);

QByteArray baseCallOf(QByteArrayView call) {
    return toCp1252(ExtractCall(fromCp1252(call)));
}

bool beginsWith(QByteArrayView field, const QByteArray& typed) {
    return typed.isEmpty() || field.startsWith(typed);
}

} // namespace

QStringList existingFiles(const QStringList& paths) {
    QStringList files;
    for (const QString& path : paths) {
        if (!path.isEmpty() && QFileInfo(path).isFile())
            files.append(path);
    }
    return files;
}

std::optional<TQsoRecord> findStation(const QString& openLogPath, const QStringList& referencePaths,
                                      const QString& call) {
    const QString wanted = ExtractCall(call);
    QStringList files = existingFiles(referencePaths);
    if (!openLogPath.isEmpty())
        files.prepend(openLogPath);
    for (const QString& path : files) {
        TLogFile log(path);
        log.OpenRead();
        TQsoRecord rec;
        while (log.ReadRecord(rec)) {
            if (ExtractCall(fromCp1252(rec[QsoField::Call])) == wanted) {
                log.Close();
                return rec;
            }
        }
        log.Close();
    }
    return std::nullopt;
}

CompactQso withoutNumber(const QByteArray& line, const QsoLine::FieldStarts& starts) {
    // Field 0 ends at the first separator: keep the line from there on and move every
    // field start by as much.
    const int cut = std::min<int>(starts[1] - 1, static_cast<int>(line.size()));
    QsoLine::FieldStarts shifted;
    shifted[0] = 0;
    for (int i = 1; i <= kQsoFieldCount; ++i)
        shifted[i] = starts[i] - cut;
    return CompactQso(line.mid(cut), shifted);
}

void Table::build(const QString& openLogPath, const QStringList& referencePaths) {
    m_rows.clear();
    if (!openLogPath.isEmpty())
        read(openLogPath, true);
    for (const QString& path : existingFiles(referencePaths)) {
        if (path != openLogPath)
            read(path, false);
    }
}

void Table::read(const QString& path, bool keepNumber) {
    TLogFile log(path);
    log.forEachLine([&](const QByteArray& line, const QsoLine::FieldStarts& starts) {
        CompactQso qso = keepNumber ? CompactQso(line, starts) : withoutNumber(line, starts);
        qso = qso.shownInList();
        QByteArray base = baseCallOf(qso.field(kCall));
        m_rows.append({std::move(qso), std::move(base)});
    });
}

void Table::clear() {
    m_rows.clear();
}

QList<CompactQso> Table::filter(const QString& call, const QString& dok,
                                const QString& locator) const {
    const QByteArray typedCall = toCp1252(ExtractCall(call));
    const QByteArray typedDok = toCp1252(dok);
    const QByteArray typedLocator = toCp1252(locator);
    QList<CompactQso> matches;
    for (const Row& r : m_rows) {
        if (r.baseCall.startsWith(typedCall) && beginsWith(r.qso.field(kDok), typedDok) &&
            beginsWith(r.qso.field(kLocator), typedLocator))
            matches.append(r.qso);
    }
    return matches;
}

} // namespace ReferenceLogs
