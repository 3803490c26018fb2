// Times a LoTW report of 10,000 confirmations matched against a 100,000-QSO log: the whole
// import as the window and dalu-convert run it (report read, log read, match, side file
// written), five times over a fresh side file.
#include "confirmreport.h"
#include "logbuilder.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

QByteArray tag(const char* name, const QByteArray& value) {
    return '<' + QByteArray(name) + ':' + QByteArray::number(value.size()) + '>' + value;
}

} // namespace

int main() {
    constexpr int kQsos = 100000;
    constexpr int kConfirmations = 10000;
    QTemporaryDir dir(QStringLiteral("bench-confirm-XXXXXX"));
    const QString path = dir.filePath(QStringLiteral("bench.log"));
    QList<TQsoRecord> records;
    QByteArray report = "ARRL Logbook of the World Status Report\nGenerated at 2026-03-02\n"
                        "<PROGRAMID:4>LoTW\n<eoh>\n";
    // 14,000 calls, each worked about seven times on changing days, bands and modes.
    for (int n = 1; n <= kQsos; ++n) {
        TQsoRecord r = LogBuilder::qso(n, "QX" + QByteArray::number(n % 14000) + "ABC");
        const QDate day = QDate(2020, 1, 1).addDays(n / 40);
        const QTime time = QTime(0, 0).addSecs((n * 37) % 86400);
        r[QsoField::Date] = day.toString(QStringLiteral("dd.MM.yyyy")).toLatin1();
        r[QsoField::Utc] = time.toString(QStringLiteral("hh:mm:ss")).toLatin1();
        r[QsoField::Band] = n % 3 ? "20m" : "40m";
        r[QsoField::Mode] = n % 2 ? "FT8" : "CW";
        records.append(r);
        if (n % 10 == 0) {
            report +=
                tag("CALL", r[QsoField::Call]) + tag("BAND", r[QsoField::Band].toUpper()) +
                tag("MODE", r[QsoField::Mode]) + tag("APP_LoTW_MODEGROUP", n % 2 ? "DATA" : "CW") +
                tag("QSO_DATE", day.toString(QStringLiteral("yyyyMMdd")).toLatin1()) +
                tag("TIME_ON", time.addSecs(120).toString(QStringLiteral("hhmmss")).toLatin1()) +
                tag("QSL_RCVD", "Y") + tag("QSLRDATE", "20260215") + "<eor>\n";
        }
    }
    LogBuilder::writeLog(path, records);

    QList<double> times;
    qint64 matched = 0;
    for (int round = 0; round < 5; ++round) {
        QFile::remove(path + QStringLiteral(".confirm"));
        QElapsedTimer t;
        t.start();
        const ConfirmReport::ImportResult result = ConfirmReport::importInto(path, report);
        times.append(t.nsecsElapsed() / 1e6);
        matched = result.outcome.confirmations.size();
    }
    std::sort(times.begin(), times.end());
    std::printf("%d confirmations against %d QSOs, %lld matched: median %.1f ms, max %.1f ms\n",
                kConfirmations, kQsos, static_cast<long long>(matched), times.at(2), times.last());
    return 0;
}
