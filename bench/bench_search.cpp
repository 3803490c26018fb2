// Times searches over a 100,000-QSO log as the search page runs them: a text criterion, an
// ordered one, and the DXCC pseudo-field, which looks up every QSO's call.
#include "logfile.h"
#include "qsorecord.h"
#include "qsosearch.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

namespace {

QByteArray makeLog(int count) {
    const char* const prefixes[] = {"DL", "OE", "W",  "JA",  "VK", "G", "PY", "ON", "F",  "I",
                                    "EA", "SM", "OH", "HB9", "UA", "K", "N",  "LU", "ZS", "VE"};
    QByteArray out = QsoLine::kHeader + "\r\n";
    TQsoRecord r;
    for (int n = 1; n <= count; ++n) {
        r[QsoField::Number] = QByteArray::number(n);
        r[QsoField::Date] = QByteArray::number(1 + n % 28).rightJustified(2, '0') + "." +
                            QByteArray::number(1 + n % 12).rightJustified(2, '0') + "." +
                            QByteArray::number(2000 + n % 20);
        r[QsoField::Utc] = QByteArray::number(n % 24).rightJustified(2, '0') + ":31:00";
        r[QsoField::Band] = n % 2 ? "2m" : "20m";
        r[QsoField::Mode] = n % 3 ? "FM" : "SSB";
        r[QsoField::Call] =
            prefixes[n % 20] + QByteArray::number(n / 20 % 10) + "ABC" + QByteArray::number(n % 97);
        r[QsoField::RstTx] = "59";
        r[QsoField::RstRx] = "59";
        r[QsoField::Name] = "Erika";
        r[QsoField::Locator] = "JO54AH";
        r[QsoField::TxPwr] = QByteArray::number(n % 100) + "W";
        r[QsoField::QslIn] = n % 3 ? QByteArray() : QByteArray("05.06.2004");
        out += QsoLine::join(r) + "\r\n";
    }
    return out;
}

void timeSearch(TLogFile& log, const char* name, const QList<QsoSearch::Criterion>& criteria,
                const QString& dxccIni) {
    QElapsedTimer t;
    t.start();
    QsoSearch::TQsoSearch search(criteria, dxccIni);
    QList<CompactQso> hits;
    QList<int> positions;
    search.findIn(log, hits, positions);
    std::printf("%-44s %8.1f ms (%lld hits)\n", name, t.nsecsElapsed() / 1e6,
                static_cast<long long>(hits.size()));
}

} // namespace

int main() {
    const QString dxccIni =
        QFileInfo(QStringLiteral(__FILE__)).absolutePath() + QStringLiteral("/../data/DXCC.ini");
    if (!QFileInfo::exists(dxccIni)) {
        std::fprintf(stderr, "no DXCC.ini at %s\n", qPrintable(dxccIni));
        return 1;
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.log"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(makeLog(100000)) < 0)
        return 1;
    file.close();
    TLogFile log(path);
    using QsoSearch::Operator;
    timeSearch(log, "100,000 QSOs: Call contains dl1", {{5, Operator::Contains, "dl1"}}, dxccIni);
    timeSearch(log, "100,000 QSOs: Band is 2m, Mode is not FM",
               {{3, Operator::Is, "2m"}, {4, Operator::IsNot, "FM"}}, dxccIni);
    timeSearch(log, "100,000 QSOs: Date after 01.01.2010", {{1, Operator::Greater, "01.01.2010"}},
               dxccIni);
    timeSearch(log, "100,000 QSOs: TX Pwr below 5W", {{12, Operator::Less, "5W"}}, dxccIni);
    timeSearch(log, "100,000 QSOs: UTC before 12:00:00", {{2, Operator::Less, "12:00:00"}},
               dxccIni);
    timeSearch(log, "100,000 QSOs: DXCC contains Germany",
               {{QsoSearch::kDxccField, Operator::Contains, "germany"}}, dxccIni);
    return 0;
}
