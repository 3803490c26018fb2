#pragma once

#include "compactqso.h"

#include <QList>
#include <QMetaType>

// What one write to the open log changed, as the station announces it to the lists, the
// status bar and the pages that show QSOs.
struct LogChange {
    enum class Kind {
        Appended, // rows are the new QSOs first, first + 1, ... at the end of the log
        Replaced, // rows are the new contents of QSOs first, first + 1, ...
        Reloaded, // another log, or the same one read again on request
        Rewritten // the file changed as a whole (behind the program, a repair, an import)
    };
    Kind kind = Kind::Reloaded;
    int first = 0; // QSO number (1 ...) of rows.first() for Appended and Replaced
    // In the list's shown form (CompactQso::shownInList), for Appended and Replaced only: a
    // log read as a whole is in Station::qsos().
    QList<CompactQso> rows;

    bool everything() const { return kind == Kind::Reloaded || kind == Kind::Rewritten; }
    int last() const { return first + int(rows.size()) - 1; }
};

Q_DECLARE_METATYPE(LogChange)
