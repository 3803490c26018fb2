// Times the ADIF export and import of 100,000 QSOs: the parse alone and the full import
// (parse, append, repair). With --write FILE it only writes the ADIF file; with
// --read FILE it times the import of that file.
#include "adifreader.h"
#include "logconverter.h"
#include "logfile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kQsos = 100000;
constexpr int kRuns = 5;

// A QSO with most fields in use, as its log line.
QByteArray qsoLine(int n) {
    char line[256];
    const int size = std::snprintf(
        line, sizeof line,
        "%d;%02d.06.2004;%02d:31:00;%s;%s;QX%dABC;59;59;Z10;Erika;Kiel;JO54AH;10W;%s;%s;", n,
        1 + n % 28, n % 24, n % 2 ? "2m" : "20m", n % 3 ? "FM" : "SSB", n,
        n % 10 ? "nice signal" : "first QSO#13#10via repeater", n % 3 ? "02.07.2004" : "");
    return QByteArray(line, size);
}

template <typename F> double bestOf(int runs, F&& f) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    return best;
}

void report(const char* what, double ms) {
    std::printf("%-38s %8.1f ms\n", what, ms);
}

QString writeAdif(const QString& adiPath, const QTemporaryDir& dir) {
    const QString log = dir.filePath(QStringLiteral("source.log"));
    QFile f(log);
    if (!f.open(QIODevice::WriteOnly))
        return {};
    QByteArray content = QsoLine::kHeader + "\r\n";
    for (int n = 1; n <= kQsos; ++n)
        content += qsoLine(n) + "\r\n";
    f.write(content);
    f.close();
    report("export-adif of 100,000 QSOs",
           bestOf(kRuns, [&] { LogConverter::exportAdif({log}, adiPath); }));
    return log;
}

int readAdif(const QString& adiPath, const QTemporaryDir& dir) {
    QFile f(adiPath);
    if (!f.open(QIODevice::ReadOnly))
        return 1;
    const QByteArray data = f.readAll();
    qint64 records = 0;
    report("our parse (best of 5)",
           bestOf(kRuns, [&] { records = AdifReader::read(data, [](TQsoRecord&) {}).accepted; }));
    const QString target = dir.filePath(QStringLiteral("target.log"));
    report("our full import (parse, append, Repair)", bestOf(kRuns, [&] {
               QFile::remove(target);
               LogConverter::importAdif(adiPath, target);
           }));
    std::printf("records imported: %lld\n", static_cast<long long>(records));
    return records == kQsos ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[]) {
    QTemporaryDir dir;
    if (argc == 3 && std::strcmp(argv[1], "--write") == 0)
        return writeAdif(QString::fromLocal8Bit(argv[2]), dir).isEmpty() ? 1 : 0;
    if (argc == 3 && std::strcmp(argv[1], "--read") == 0)
        return readAdif(QString::fromLocal8Bit(argv[2]), dir);
    const QString adi = dir.filePath(QStringLiteral("bench.adi"));
    if (writeAdif(adi, dir).isEmpty())
        return 1;
    return readAdif(adi, dir);
}
