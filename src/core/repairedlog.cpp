#include "repairedlog.h"

#include "atomicfilewriter.h"
#include "daluerror.h"
#include "logfile.h"
#include "regularfile.h"
#include "uitexts.h"

#include <QFileInfo>

namespace {

const QByteArray kCrLf = "\r\n";

} // namespace

QString RejectedLine::text() const {
    const QString what = QsoRepair::problemText(problem);
    if (file.isEmpty())
        return uiText("Zeile %1: %2").arg(QString::number(line), what);
    return uiText("%1, Zeile %2: %3").arg(QFileInfo(file).fileName(), QString::number(line), what);
}

RepairedLogWriter::RepairedLogWriter(const QString& logPath)
    : m_logPath(logPath), m_writer(std::make_unique<AtomicFileWriter>(logPath)),
      m_today(QDate::currentDate()), m_logExisted(QFileInfo::exists(logPath)) {
    m_writer->write(QsoLine::kHeader + kCrLf);
}

RepairedLogWriter::~RepairedLogWriter() = default;

QString RepairedLogWriter::rejectedPath(const QString& logPath) {
    return logPath + QStringLiteral(".rejected");
}

QsoRepair::Problem RepairedLogWriter::add(TQsoRecord rec) {
    // Writing drops ";" anyway; the repair must see the values as they will be read.
    for (QByteArray& f : rec.fields) {
        if (f.contains(';'))
            f.replace(";", "");
    }
    const QsoRepair::Problem problem = QsoRepair::normalise(rec, int(m_count + 1), m_today);
    if (problem == QsoRepair::Problem::None)
        write(rec);
    return problem;
}

void RepairedLogWriter::addLine(const QByteArray& line, const QString& file, qint64 lineNumber) {
    const std::optional<TQsoRecord> rec = QsoLine::split(line);
    const QsoRepair::Problem problem = rec ? add(*rec) : QsoRepair::Problem::TooManyFields;
    if (problem == QsoRepair::Problem::None)
        return;
    m_rejectedLines += line + kCrLf;
    if (++m_rejectedCount <= kListedRejects)
        m_rejected.append({file, lineNumber, problem});
}

void RepairedLogWriter::addExisting() {
    if (!QFileInfo::exists(m_logPath))
        return;
    TLogFile(m_logPath).forEachRawLine(
        [&](const QByteArray& line, qint64 number) { addLine(line, m_logPath, number); });
}

void RepairedLogWriter::write(const TQsoRecord& rec) {
    ++m_count;
    m_buffer += QsoLine::join(rec);
    m_buffer += kCrLf;
    if (m_buffer.size() > (1 << 20))
        flush();
}

void RepairedLogWriter::flush() {
    m_writer->write(m_buffer);
    m_buffer.clear();
}

qint64 RepairedLogWriter::commit() {
    flush();
    if (m_count == 0 && m_rejectedCount > 0)
        throw DaluError(
            uiText("\"%1\" enthält kein lesbares QSO und bleibt unverändert.").arg(m_logPath));
    TLogFile::refuseEmptying(m_writer->targetPath(), m_count);
    // The lines kept aside are on disk before the log without them replaces the old one.
    // A log that did not exist holds its folder's lock until committed, which the rejected
    // file would wait for; its rejected lines came from other logs, which still hold them.
    if (m_logExisted)
        keepRejected();
    m_writer->commit();
    if (!m_logExisted) {
        m_writer.reset();
        keepRejected();
    }
    return m_count;
}

void RepairedLogWriter::keepRejected() {
    if (m_rejectedCount == 0)
        return;
    AtomicFileWriter rejected(rejectedPath(m_logPath));
    if (QFileInfo::exists(rejected.targetPath()))
        rejected.write(
            RegularFile::readAll(rejected.targetPath(), qint64(2) * 1024 * 1024 * 1024 - 1));
    rejected.write(m_rejectedLines);
    rejected.commit();
}
