#pragma once

#include "evaluationfilter.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include "qsosource.h"

class TLogFile;

// The DXCC entities of the QSOs a filter selects, and all entities of DXCC.ini.
namespace DxccEvaluation {

enum class State { NotWorked = 0, Worked = 1, Confirmed = 2 };

struct Entry {
    QString name;
    State state;
    // The name with its state digit, the text the lists are sorted by.
    QString sortText() const { return name + QChar(u'0' + int(state)); }
};

// A QSO whose call is too short to name an entity.
struct ShortCall {
    QByteArray call;
    QByteArray number;
};

struct Worked {
    QList<Entry> entries;        // sorted; one per entity, names compared without case
    QList<ShortCall> shortCalls; // skipped, in log order
    SkippedQsos skipped;         // QSOs that cannot be placed
};

// Reads the log; QSOs whose call names no entity are left out. Throws DaluError on a read
// error or a filter text that cannot be read.
Worked evaluate(const QsoSource& log, const EvaluationFilter& filter, const QString& dxccIniPath);
inline Worked evaluate(TLogFile& log, const EvaluationFilter& filter, const QString& dxccIniPath) {
    return evaluate(LogFileSource(log), filter, dxccIniPath);
}

// The worked entries merged with every entity line after "[DXCC]" in the file, read as
// plain lines; the rest as not worked. Throws DaluError when the file cannot be read.
QList<Entry> withAllEntities(const QList<Entry>& worked, const QString& dxccIniPath);
QList<Entry> withAllEntities(const QList<Entry>& worked, const QByteArray& dxccIniContent);

int count(const QList<Entry>& entries, State state);
void sort(QList<Entry>& entries);

} // namespace DxccEvaluation
