// Times a full read, a replace of the middle record and a repair of a 100,000-QSO log.
#include "logbuilder.h"
#include "logfile.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

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
    timed("ReplaceRecord of the middle record",
          [&] { log.ReplaceRecord(makeQso(kQsos / 2), kQsos / 2); });
    timed("Repair", [&] { log.Repair(); });
    std::printf("records read: %d\n", count);
    return count == kQsos ? 0 : 1;
}
