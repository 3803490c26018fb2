#include "qsllabelmarks.h"

#include "atomicfilewriter.h"
#include "daluerror.h"
#include "logfile.h"
#include "qslcards.h"
#include "regularfile.h"
#include "uitexts.h"

#include <QFileInfo>
#include <QHash>

namespace QslLabelMarks {

namespace {

const QByteArray kCrLf("\r\n");

DaluError notListed(int position, const QString& path) {
    return DaluError(uiText("QSO %1 des Logs \"%2\" ist nicht mehr das dort gelistete QSO; "
                            "nichts wurde geschrieben. Bitte die Liste neu erstellen.")
                         .arg(position)
                         .arg(QFileInfo(path).fileName()));
}

} // namespace

void markSent(const QString& path, const QList<int>& positions, const QList<CompactQso>& listed,
              QDate today) {
    QHash<int, CompactQso> wanted;
    for (int i = 0; i < positions.size(); ++i)
        wanted.insert(positions.at(i), listed.at(i));
    // The lock comes first: the file read must be the file replaced.
    AtomicFileWriter target(path);
    const QByteArray bytes =
        RegularFile::readAll(target.targetPath(), qint64(2) * 1024 * 1024 * 1024 - 1);
    QByteArray out;
    out.reserve(bytes.size() + positions.size() * 12);
    int record = 0;
    int marked = 0;
    qsizetype pos = 0;
    for (bool first = true; pos < bytes.size(); first = false) {
        qsizetype end = pos;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        const QByteArray line = bytes.mid(pos, end - pos);
        pos = end + (bytes.mid(end, 2) == kCrLf ? 2 : 1);
        if (!(first && !TLogFile::isRecordLine(line)) && wanted.contains(++record)) {
            const CompactQso& was = wanted.value(record);
            std::optional<TQsoRecord> rec = QsoLine::split(line);
            for (QsoField f : {QsoField::Number, QsoField::Date, QsoField::Utc, QsoField::Call}) {
                if (!rec || (*rec)[f] != was.field(int(f)))
                    throw notListed(record, path);
            }
            out += QsoLine::join(QslCards::marked(*rec, QslCards::Mark::Sent, today)) + kCrLf;
            ++marked;
            continue;
        }
        out += line + kCrLf;
    }
    if (marked != wanted.size()) {
        for (int p : positions) {
            if (p < 1 || p > record)
                throw notListed(p, path);
        }
    }
    target.write(out);
    target.commit();
}

} // namespace QslLabelMarks
