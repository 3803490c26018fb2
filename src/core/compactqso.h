#pragma once

#include "qsorecord.h"

#include <QByteArrayView>

// A QSO kept as its one stored line plus where each field starts: one allocation per
// QSO, so lists of 100,000 QSOs fill fast. Fields are split out only when asked for.
class CompactQso {
public:
    CompactQso();
    // From a record line as read (before the comments' "#13#10" is decoded).
    CompactQso(QByteArray line, const QsoLine::FieldStarts& starts);
    explicit CompactQso(const TQsoRecord& record);

    QByteArrayView field(int index) const;
    TQsoRecord toRecord() const; // comments with CR LF line breaks
    bool isEmpty() const { return m_line.size() == kQsoFieldCount - 1; }

    // As the lists show it: every line break of the comments as one blank.
    CompactQso shownInList() const;

private:
    QByteArray m_line;
    QsoLine::FieldStarts m_starts;
};

Q_DECLARE_TYPEINFO(CompactQso, Q_RELOCATABLE_TYPE);
