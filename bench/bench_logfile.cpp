// Times a full read, a commit (append, synced to disk), a replace of the middle record and a
// repair of a 100,000-QSO log.
#include "logbuilder.h"
#include "logfile.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

TQsoRecord makeQso(int n) {
    TQsoRecord r = LogBuilder::qso(n);
    r[QsoField::Utc] = "17:31:00";
    r[QsoField::Comments] = n % 10 ? QByteArray() : QByteArray("first QSO\r\nvia repeater");
    return r;
}

template <typename F> void timed(const char* what, F&& f) {
    QElapsedTimer t;
    t.start();
    f();
    std::printf("%-34s %8.1f ms\n", what, t.nsecsElapsed() / 1e6);
}

} // namespace

int main() {
    constexpr int kQsos = 100000;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.log"));
    TLogFile log(path);
    timed("write 100,000 QSOs", [&] {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        QByteArray content = QsoLine::kHeader + "\r\n";
        for (int n = 1; n <= kQsos; ++n)
            content += QsoLine::join(makeQso(n)) + "\r\n";
        f.write(content);
    });
    int count = 0;
    timed("full read", [&] { log.forEachRecord([&](const TQsoRecord&) { ++count; }); });
    // A commit must stay well under 20 ms although every append is synced to disk.
    std::vector<double> commits;
    for (int i = 1; i <= 21; ++i) {
        QElapsedTimer t;
        t.start();
        log.AppendRecord(makeQso(kQsos + i));
        commits.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(commits.begin(), commits.end());
    std::printf("%-34s %8.1f ms (max %.1f ms)\n", "commit (median of 21)", commits[10],
                commits.back());
    count = 0;
    log.forEachRecord([&](const TQsoRecord&) { ++count; });
    count -= 21;
    timed("ReplaceRecord of the middle record",
          [&] { log.ReplaceRecord(makeQso(kQsos / 2), kQsos / 2); });
    timed("Repair", [&] { log.Repair(); });
    std::printf("records read: %d\n", count);
    return count == kQsos ? 0 : 1;
}
