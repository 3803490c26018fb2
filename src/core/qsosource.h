#pragma once

#include "compactqso.h"

#include <QList>

#include <functional>

class TLogFile;

// The QSOs an evaluation or a search runs over, in log order: a log file read line by line
// (scripts), or the QSOs the window already holds, which spares reading the file again.
class QsoSource {
public:
    // The QSO and the line of the file it stands on (the header is line 1).
    using Visitor = std::function<void(const CompactQso& qso, int line)>;

    virtual ~QsoSource() = default;
    virtual void forEach(const Visitor& visit) const = 0;
};

// Reads the file at every pass; a line with too many fields throws DaluError.
class LogFileSource : public QsoSource {
public:
    explicit LogFileSource(TLogFile& log) : m_log(log) {}
    void forEach(const Visitor& visit) const override;

private:
    TLogFile& m_log;
};

// QSOs held in memory, as read from a file whose first QSO stood on line firstLine.
class QsoListSource : public QsoSource {
public:
    explicit QsoListSource(const QList<CompactQso>& qsos, int firstLine = 2)
        : m_qsos(qsos), m_firstLine(firstLine) {}
    void forEach(const Visitor& visit) const override;

private:
    const QList<CompactQso>& m_qsos;
    int m_firstLine;
};
