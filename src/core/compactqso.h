#pragma once

#include "qsorecord.h"

#include <QByteArrayView>

// A QSO kept as its one stored line plus where each field starts: one allocation per
// QSO, so lists of 100,000 QSOs fill fast and a million fit in less than twice the file's
// size. Fields are split out only when asked for.
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

    // The line as stored (comments with "#13#10"), without line end.
    const QByteArray& line() const { return m_line; }

private:
    // Where fields 1 ... 15 start, for lines shorter than 256 bytes (nearly all); a longer
    // line has kLong in m_starts[0] and is split again when a field is asked for.
    static constexpr quint8 kLong = 0xFF;
    void keep(const QsoLine::FieldStarts& starts);

    QByteArray m_line;
    std::array<quint8, kQsoFieldCount> m_starts;
};

Q_DECLARE_TYPEINFO(CompactQso, Q_RELOCATABLE_TYPE);
