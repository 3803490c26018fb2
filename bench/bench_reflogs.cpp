// Times the luxury reference-log function: the table built from an open log and four
// reference logs of 25,000 QSOs each when the first character of a call is typed, and the
// refilter at every further keystroke (call, DOK, locator). Budget: 500 ms and 50 ms.
#include "logfile.h"
#include "referencelogs.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kQsosPerLog = 25000;
constexpr int kRuns = 5;

// Mostly German calls, so that a first "D" matches most of the table: the worst case.
TQsoRecord makeQso(int log, int n) {
    static const char* const prefixes[] = {"DL", "DK", "DJ", "DB", "DO", "DF", "DG",
                                           "DH", "OE", "PA", "ON", "G",  "F",  "HB9"};
    const int k = n * 7 + log * 13;
    TQsoRecord r;
    r[QsoField::Number] = QByteArray::number(n);
    r[QsoField::Date] = QByteArray::number(1 + n % 28).rightJustified(2, '0') + ".06.2004";
    r[QsoField::Utc] = "17:31:00";
    r[QsoField::Band] = n % 2 ? "2m" : "20m";
    r[QsoField::Mode] = n % 3 ? "FM" : "SSB";
    QByteArray call = prefixes[k % 14] + QByteArray::number(k % 10);
    call += char('A' + k % 26);
    call += char('A' + (k / 26) % 26);
    call += char('A' + (k / 676) % 26);
    if (n % 9 == 0)
        call += "/P";
    r[QsoField::Call] = call;
    r[QsoField::RstTx] = "59";
    r[QsoField::RstRx] = "59";
    r[QsoField::Dok] =
        QByteArray(1, char('A' + k % 26)) + QByteArray::number(k % 40).rightJustified(2, '0');
    r[QsoField::Name] = "Erika";
    r[QsoField::Qth] = "Kiel";
    r[QsoField::Locator] = QByteArray("JO") + QByteArray::number(30 + k % 40) + char('A' + k % 24) +
                           char('A' + (k / 24) % 24);
    r[QsoField::TxPwr] = "10W";
    r[QsoField::Comments] = n % 10 ? QByteArray() : QByteArray("first QSO\r\nvia repeater");
    return r;
}

void writeLog(const QString& path, int log) {
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    QByteArray content = QsoLine::kHeader + "\r\n";
    for (int n = 1; n <= kQsosPerLog; ++n)
        content += QsoLine::join(makeQso(log, n)) + "\r\n";
    f.write(content);
}

struct Step {
    const char* what;
    QString call, dok, locator;
};

double ms(const QElapsedTimer& t) {
    return t.nsecsElapsed() / 1e6;
}

} // namespace

int main() {
    QTemporaryDir dir;
    const QString open = dir.filePath(QStringLiteral("open.log"));
    writeLog(open, 0);
    QStringList refs;
    for (int i = 1; i <= 4; ++i) {
        refs.append(dir.filePath(QStringLiteral("ref%1.log").arg(i)));
        writeLog(refs.last(), i);
    }
    const std::vector<Step> steps = {{"keystroke: DL", "DL", "", ""},
                                     {"keystroke: DL1", "DL1", "", ""},
                                     {"keystroke: DL1A", "DL1A", "", ""},
                                     {"keystroke: DL1 + DOK B", "DL1", "B", ""},
                                     {"keystroke: DL1 + DOK B + locator JO", "DL1", "B", "JO"},
                                     {"keystroke: D (back to one character)", "D", "", ""}};

    std::vector<double> first;
    std::vector<std::vector<double>> keystrokes(steps.size());
    int firstMatches = 0;
    for (int run = 0; run < kRuns; ++run) {
        ReferenceLogs::Table table;
        QElapsedTimer t;
        t.start();
        table.build(open, refs);
        firstMatches = static_cast<int>(table.filter(QStringLiteral("D"), {}, {}).size());
        first.push_back(ms(t));
        for (size_t s = 0; s < steps.size(); ++s) {
            t.restart();
            const QList<CompactQso> rows =
                table.filter(steps[s].call, steps[s].dok, steps[s].locator);
            keystrokes[s].push_back(ms(t));
            if (rows.size() > table.size())
                return 2;
        }
    }
    auto report = [](const char* what, std::vector<double> v) {
        std::sort(v.begin(), v.end());
        std::printf("%-42s median %7.1f ms   max %7.1f ms\n", what, v[v.size() / 2], v.back());
        return v.back();
    };
    std::printf("open log + 4 reference logs, %d QSOs each; %d runs\n", kQsosPerLog, kRuns);
    const double worstFirst = report("first character D (read + filter)", first);
    std::printf("%-42s %d rows\n", "  matches of D", firstMatches);
    double worstKey = 0;
    for (size_t s = 0; s < steps.size(); ++s)
        worstKey = std::max(worstKey, report(steps[s].what, keystrokes[s]));
    const bool ok = worstFirst < 500 && worstKey < 50;
    std::printf("%s\n", ok ? "within budget (500 ms / 50 ms)" : "OVER BUDGET (500 ms / 50 ms)");
    return ok ? 0 : 1;
}
