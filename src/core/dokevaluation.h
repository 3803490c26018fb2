#pragma once

#include "evaluationfilter.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include "qsosource.h"

class TLogFile;

// The DOKs of the QSOs a filter selects: those only worked and those confirmed.
namespace DokEvaluation {

struct Lists {
    QList<QByteArray> worked;    // no confirmed QSO
    QList<QByteArray> confirmed; // at least one confirmed QSO
    SkippedQsos skipped;         // QSOs with a DOK that cannot be placed
};

// DOKs are told apart exactly (b01 and B01 are two); both lists come sorted without regard
// to letter case. QSOs without a DOK never count. Throws DaluError on a read error or a
// filter text that cannot be read; lists then holds, sorted, the DOKs found so far.
void evaluate(const QsoSource& log, const EvaluationFilter& filter, Lists& lists);
inline void evaluate(TLogFile& log, const EvaluationFilter& filter, Lists& lists) {
    evaluate(LogFileSource(log), filter, lists);
}

// What DOK.ini says of a DOK. A DOK without a club is a special DOK.
struct Info {
    QString club;
    QString district;
    QString website;
    bool isSpecial() const { return club.isEmpty(); }
};
Info info(const QString& dok, const QString& dokIniPath);

} // namespace DokEvaluation

// Sorts as a list box does: alphabetically without regard to letter case, in the user's
// locale; texts equal but for case in a fixed order.
void sortCaseInsensitive(QList<QByteArray>& texts);
void sortCaseInsensitive(QStringList& texts);
