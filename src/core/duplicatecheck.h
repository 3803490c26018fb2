#pragma once

#include "compactqso.h"
#include "qsorecord.h"

#include <QList>

#include <QString>

// Which fields besides the call must be equal for an earlier QSO to count as a duplicate,
// and the comparison itself.
namespace DuplicateCheck {

struct Criteria {
    bool band = false;
    bool mode = false;
    bool date = false;
    bool operator==(const Criteria& o) const {
        return band == o.band && mode == o.mode && date == o.date;
    }
};

struct ParsedOptions {
    Criteria criteria;
    // The value was shorter than three characters or held a non-digit among them; those
    // characters were read as "0".
    bool mended = false;
};

// "Options" of "Doppel-Check": character 1 band, 2 mode, 3 date; "1" switches it on.
// Characters after the third are ignored.
ParsedOptions parseOptions(const QString& options);
// Always three characters "0" or "1".
QString formatOptions(const Criteria& criteria);

// What the mask shows of the QSO being entered.
struct MaskQso {
    QString call;
    QString band;
    QString mode;
    QString date;
};

// The call always (whole text, letters upper-cased); band and date exactly, mode
// upper-cased, each only when its switch is on.
bool matches(const Criteria& criteria, const MaskQso& mask, const QString& call,
             const QString& band, const QString& mode, const QString& date);

// The first of rows 1 ... rowCount - 1 that is a duplicate of the mask, or 0 when none is.
// field(row, QsoField) gives a row's field as text.
template <typename FieldOf>
int firstDuplicate(const Criteria& criteria, const MaskQso& mask, int rowCount, FieldOf field) {
    for (int row = 1; row < rowCount; ++row) {
        if (matches(criteria, mask, field(row, QsoField::Call), field(row, QsoField::Band),
                    field(row, QsoField::Mode), field(row, QsoField::Date)))
            return row;
    }
    return 0;
}

// The same over the QSOs of a log (row 1 is qsos[0]): calls are compared as bytes first, so
// a million QSOs take milliseconds, not a text conversion each.
int firstDuplicateIn(const Criteria& criteria, const MaskQso& mask, const QList<CompactQso>& qsos);

} // namespace DuplicateCheck
