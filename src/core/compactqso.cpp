#include "compactqso.h"

namespace {
constexpr int kComments = static_cast<int>(QsoField::Comments);
}

CompactQso::CompactQso() : CompactQso(TQsoRecord{}) {}

CompactQso::CompactQso(QByteArray line, const QsoLine::FieldStarts& starts)
    : m_line(std::move(line)), m_starts(starts) {}

CompactQso::CompactQso(const TQsoRecord& record) : m_line(QsoLine::join(record)) {
    QsoLine::fieldStarts(m_line, m_starts);
}

QByteArrayView CompactQso::field(int index) const {
    if (index < 0 || index >= kQsoFieldCount)
        return {};
    const int start = std::min<int>(m_starts[index], static_cast<int>(m_line.size()));
    const int end = std::min<int>(m_starts[index + 1] - 1, static_cast<int>(m_line.size()));
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
