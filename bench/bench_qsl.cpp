// Times the QSL out list over a 100,000-QSO log (rule "first QSO with the call" with band,
// mode, day and year) and marking a stack of 200 cards, each mark read, rewritten and
// flushed to disk as the QSL page does it.
#include "compactqso.h"
#include "logbuilder.h"
#include "logfile.h"
#include "qslcards.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

// Calls repeat every 7 QSOs with changing band, mode and day, so the index has work to do.
TQsoRecord makeQso(int n) {
    TQsoRecord r = LogBuilder::qso(n, "QX" + QByteArray::number(n % 14000) + "ABC");
    r[QsoField::Comments] = n % 10 ? QByteArray() : QByteArray("first QSO\r\nvia repeater");
    return r;
}

double msSince(const QElapsedTimer& t) {
    return t.nsecsElapsed() / 1e6;
}

void report(const char* what, QList<double> times) {
    std::sort(times.begin(), times.end());
    std::printf("%lld %s: median %.1f ms, 90%% %.1f ms, max %.1f ms\n",
                static_cast<long long>(times.size()), what, times.at(times.size() / 2),
                times.at(times.size() * 9 / 10), times.last());
}

} // namespace

int main() {
    constexpr int kQsos = 100000;
    constexpr int kMarks = 200;
    // Beside the build, not in a RAM-backed /tmp: the marks must pay for reaching the disk.
    QTemporaryDir dir(QStringLiteral("bench-qsl-XXXXXX"));
    const QString path = dir.filePath(QStringLiteral("bench.log"));
    QList<TQsoRecord> records;
    for (int n = 1; n <= kQsos; ++n)
        records.append(makeQso(n));
    LogBuilder::writeLog(path, records);
    TLogFile log(path);

    // Built five times, as the page does it: read the log, then the rule over it.
    QElapsedTimer t;
    QList<CompactQso> qsos;
    QList<int> list;
    QList<double> reads;
    QList<double> rules;
    for (int round = 0; round < 5; ++round) {
        qsos.clear();
        t.restart();
        log.forEachLine([&](const QByteArray& line, const QsoLine::FieldStarts& starts) {
            qsos.append(CompactQso(line, starts).shownInList());
        });
        reads.append(msSince(t));
        t.restart();
        list = QslCards::outList(qsos, {true, true, true, true, true});
        rules.append(msSince(t));
    }
    std::printf("QSL out list of %d QSOs, %lld listed:\n", kQsos,
                static_cast<long long>(list.size()));
    report("reads of the log", reads);
    report("rules over it (first QSO, band, mode, day, year)", rules);

    // The operator's stack: the last 200 listed QSOs, the far end of the file, Enter each.
    QList<double> times;
    const QDate today = QDate::currentDate();
    for (qsizetype i = list.size() - kMarks; i < list.size(); ++i) {
        const int position = list.at(i);
        t.restart();
        QslCards::markInLog(log, position, qsos.at(position - 1), QslCards::Mark::Sent, today);
        times.append(msSince(t));
    }
    report("marks at the end of the log", times);
    // Where the time of a mark goes: finding the QSO, and the rewrite flushed to disk.
    QList<double> finds;
    QList<double> rewrites;
    for (int i = 0; i < 20; ++i) {
        TQsoRecord record;
        t.restart();
        log.ReadRecordAt(record, kQsos - i);
        finds.append(msSince(t));
        t.restart();
        log.ReplaceRecord(record, kQsos - i);
        rewrites.append(msSince(t));
    }
    report("ReadRecordAt near the end", finds);
    report("ReplaceRecord near the end", rewrites);
    return list.isEmpty() ? 1 : 0;
}
