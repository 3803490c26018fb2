#pragma once

#include "compactqso.h"

#include <QDate>
#include <QList>
#include <QString>

// Printed labels mark their QSOs as sent all at once.
namespace QslLabelMarks {

// Sets "QSL out" to today on the QSOs at these positions of the log at path, in one atomic
// rewrite that is durable when it returns. Each must still be the QSO listed there (same
// "#", date, time and call); otherwise nothing is written and DaluError says which.
void markSent(const QString& path, const QList<int>& positions, const QList<CompactQso>& listed,
              QDate today);

} // namespace QslLabelMarks
