#include "qsorecord.h"

#include "germanformat.h"

const QByteArray QsoLine::kHeader =
    "#;Date;UTC;Band;Mode;Call;RST TX;RST RX;DOK;Name;QTH;Locator;TX Pwr;Comments;QSL out;QSL in";

bool TQsoRecord::isEmpty() const {
    for (const QByteArray& f : fields) {
        if (!f.isEmpty())
            return false;
    }
    return true;
}

bool TQsoRecord::hasValidDate() const {
    return GermanFormat::parseDate((*this)[QsoField::Date]).has_value();
}

bool TQsoRecord::hasValidTime() const {
    return GermanFormat::parseTime((*this)[QsoField::Utc]).has_value();
}

std::optional<TQsoRecord> QsoLine::split(const QByteArray& line) {
    TQsoRecord record;
    qsizetype start = 0;
    int index = 0;
    for (;;) {
        const qsizetype sep = line.indexOf(';', start);
        if (index >= kQsoFieldCount)
            return std::nullopt;
        if (sep < 0) {
            record.fields[index] = line.mid(start);
            break;
        }
        record.fields[index++] = line.mid(start, sep - start);
        start = sep + 1;
    }
    record[QsoField::Comments].replace("#13#10", "\r\n");
    return record;
}

bool QsoLine::fieldStarts(const QByteArray& line, FieldStarts& starts) {
    const int size = static_cast<int>(line.size());
    int field = 0;
    starts[0] = 0;
    for (int i = 0; i < size; ++i) {
        if (line[i] != ';')
            continue;
        if (++field >= kQsoFieldCount)
            return false;
        starts[field] = i + 1;
    }
    for (int f = field + 1; f <= kQsoFieldCount; ++f)
        starts[f] = size + 1;
    return true;
}

QByteArray QsoLine::join(const TQsoRecord& record) {
    qsizetype size = kQsoFieldCount - 1;
    for (const QByteArray& field : record.fields)
        size += field.size();
    QByteArray line;
    line.reserve(size);
    constexpr int comments = static_cast<int>(QsoField::Comments);
    for (int i = 0; i < kQsoFieldCount; ++i) {
        if (i > 0)
            line.append(';');
        const QByteArray& field = record.fields[i];
        const qsizetype n = field.size();
        for (qsizetype k = 0; k < n; ++k) {
            const char c = field[k];
            if (c == ';')
                continue;
            if (c != '\r' && c != '\n') {
                line.append(c);
                continue;
            }
            // A raw line break would split the record: CR LF, a lone CR and a lone LF are
            // each one line break of the comments, and a blank anywhere else.
            if (c == '\r' && k + 1 < n && field[k + 1] == '\n')
                ++k;
            line.append(i == comments ? QByteArrayView("#13#10") : QByteArrayView(" "));
        }
    }
    return line;
}
