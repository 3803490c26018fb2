#include "compactqso.h"

namespace {
constexpr int kComments = static_cast<int>(QsoField::Comments);
}

CompactQso::CompactQso() : CompactQso(TQsoRecord{}) {}

CompactQso::CompactQso(QByteArray line, const QsoLine::FieldStarts& starts)
    : m_line(std::move(line)) {
    keep(starts);
}

CompactQso::CompactQso(const TQsoRecord& record) : m_line(QsoLine::join(record)) {
    QsoLine::FieldStarts starts;
    QsoLine::fieldStarts(m_line, starts);
    keep(starts);
}

void CompactQso::keep(const QsoLine::FieldStarts& starts) {
    if (m_line.size() >= kLong) {
        m_starts[0] = kLong;
        return;
    }
    for (int i = 0; i < kQsoFieldCount; ++i)
        m_starts[i] = quint8(starts[i]);
}

QByteArrayView CompactQso::field(int index) const {
    if (index < 0 || index >= kQsoFieldCount)
        return {};
    const int size = static_cast<int>(m_line.size());
    int start = 0;
    int end = 0;
    if (m_starts[0] == kLong) {
        QsoLine::FieldStarts starts;
        QsoLine::fieldStarts(m_line, starts);
        start = starts[index];
        end = starts[index + 1] - 1;
    } else {
        // A missing field starts one past the line's end; the last one ends with the line.
        start = m_starts[index];
        end = index + 1 < kQsoFieldCount ? m_starts[index + 1] - 1 : size;
    }
    start = std::min(start, size);
    end = std::min(end, size);
    return QByteArrayView(m_line).sliced(start, std::max(0, end - start));
}

TQsoRecord CompactQso::toRecord() const {
    TQsoRecord record;
    for (int i = 0; i < kQsoFieldCount; ++i)
        record.fields[i] = field(i).toByteArray();
    record.fields[kComments].replace("#13#10", "\r\n");
    return record;
}

CompactQso CompactQso::shownInList() const {
    if (!field(kComments).contains(QByteArrayView("#13#10")))
        return *this;
    TQsoRecord shown = toRecord();
    shown.fields[kComments].replace("\r\n", " ");
    return CompactQso(shown);
}
