#pragma once

#include "busyprogress.h"
#include "daluerror.h"
#include "errorboundary.h"
#include "evaluationfilter.h"
#include "qsosearch.h"

#include <QApplication>
#include <QColor>
#include <QList>
#include <QString>

class QDateEdit;
class QLineEdit;
class QWidget;

// What the evaluation pages share: the busy cursor, their filter controls, their colours,
// the search criteria of a drill-down and messages that list many items.
class Station;

namespace Evaluation {

// Runs action under the busy cursor, with a progress dialog for a long log; an error it raises is
// shown once the normal cursor is back. Returns whether it succeeded.
template <typename F> bool runBusy(QWidget* parent, F&& action) {
    QString error;
    {
        const BusyProgress busy(parent);
        try {
            action();
            return true;
        } catch (const std::exception& e) {
            const auto* dalu = dynamic_cast<const DaluError*>(&e);
            error = dalu ? dalu->message() : QString::fromLocal8Bit(e.what());
        }
    }
    ErrorBoundary::show(parent, error);
    return false;
}

// Bands, modes, date range and QSO-number range, named prefix + "BandEdit", ... as the
// language files know them.
struct FilterControls {
    FilterControls(const char* prefix, QWidget* parent);
    // The dates mean whole days: the start from its first, the stop to its last moment.
    EvaluationFilter filter() const;

    QLineEdit* bandEdit;
    QLineEdit* modeEdit;
    QDateEdit* startDatePicker;
    QDateEdit* stopDatePicker;
    QLineEdit* startNumberEdit;
    QLineEdit* stopNumberEdit;
};

QColor colour(quint32 redLowBlueHigh);
// Black or white, whichever reads better on the background (contrast ratio of the two
// relative luminances, as the web's accessibility rules define it).
QColor legibleTextOn(const QColor& background);
double contrastRatio(const QColor& a, const QColor& b);
inline const QColor kWorkedColour(0, 128, 0);
inline const QColor kConfirmedColour(255, 0, 0);

inline constexpr int kBandField = 3;
inline constexpr int kModeField = 4;
inline constexpr int kDokField = 8;
inline constexpr int kLocatorField = 11;
inline constexpr int kQslInField = 15;
// Criterion rows 2 ... for "confirmed only": QSL In is not empty.
inline const QsoSearch::Criterion kConfirmedRow{kQslInField, QsoSearch::Operator::IsNot, QString()};

// One message box for a list of complaints: a few shown, all of them under "Details".
void showMessages(QWidget* parent, const QStringList& messages);

// What the options page counts as confirmed besides a paper card, for the open log (its
// confirmations read; throws DaluError when they cannot be read).
ConfirmedBy confirmedBy(Station& station);
// The filter with that added.
EvaluationFilter withConfirmations(EvaluationFilter filter, Station& station);

} // namespace Evaluation
