#include "qsosource.h"

#include "logfile.h"

void LogFileSource::forEach(const Visitor& visit) const {
    m_log.forEachLine([&](const QByteArray& line, const QsoLine::FieldStarts& starts) {
        visit(CompactQso(line, starts), m_log.lineNumber());
    });
}

void QsoListSource::forEach(const Visitor& visit) const {
    int line = m_firstLine;
    for (const CompactQso& qso : m_qsos)
        visit(qso, line++);
}
