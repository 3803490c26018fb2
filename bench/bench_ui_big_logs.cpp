// The operator's waits and dalu-convert's commands on generated logs of 100,000, 300,000 and
// 1,000,000 QSOs (other sizes as arguments), with wall and processor time, peak memory, and
// the ratio of the largest log to the smallest, which must stay linear (at most 11x for 10x).
//
// Each size runs in processes of its own so that peak memory belongs to one size: the
// window in a child of this program (--window), each command as dalu-convert itself.
#include "busylog.h"
#include "evaluationsdriver.h"
#include "logfile.h"
#include "mainform.h"
#include "navigator.h"
#include "qsldriver.h"
#include "station.h"

#include "browsedriver.h"
#include "dokpage.h"
#include "dxccpage.h"
#include "locatorpage.h"
#include "qsocountspage.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char** environ;

namespace {

struct Figure {
    double wallMs = 0;
    double cpuMs = 0;
    double peakMiB = 0;
};

double cpuNow() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 +
           (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

double statusMiB(const char* key) {
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(qstrlen(key)).trimmed().split(' ').first().toDouble() / 1024;
    return 0;
}

// The median run of an action, each run shown before the next starts.
template <typename F> Figure median(int runs, F&& action) {
    QList<Figure> figures;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        const double cpu = cpuNow();
        t.start();
        action(i);
        QApplication::processEvents();
        figures.append({t.nsecsElapsed() / 1e6, cpuNow() - cpu, 0});
    }
    std::sort(figures.begin(), figures.end(),
              [](const Figure& a, const Figure& b) { return a.wallMs < b.wallMs; });
    return figures.at(figures.size() / 2);
}

void print(const char* what, const Figure& f) {
    std::printf("%s\t%.1f\t%.1f\t%.1f\n", what, f.wallMs, f.cpuMs, f.peakMiB);
    std::fflush(stdout);
}

// A busy station's log: repeated calls, ten bands, six modes, DOKs, squares, QSL marks and
// a comment now and then; about 88 bytes a line.
void writeLog(const QString& path, int count) {
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(QsoLine::kHeader + "\r\n");
    const char* const bands[] = {"160m", "80m", "40m", "30m", "20m",
                                 "17m",  "15m", "10m", "2m",  "70cm"};
    const char* const modes[] = {"CW", "SSB", "FM", "RTTY", "FT8", "FT4"};
    const QList<TQsoRecord> base = BusyLog::records(1000, 20, true);
    QRandomGenerator random(7);
    QByteArray chunk;
    for (int n = 1; n <= count; ++n) {
        TQsoRecord r = base.at(random.bounded(1000));
        r[QsoField::Number] = QByteArray::number(n);
        const QDate day = QDate(2000, 1, 1).addDays(qint64(n) * 9000 / count);
        r[QsoField::Date] = day.toString(QStringLiteral("dd.MM.yyyy")).toLatin1();
        r[QsoField::Call] = r[QsoField::Call].left(r[QsoField::Call].size() - 1) +
                            char('A' + n % 26) +
                            QByteArray::number(random.bounded(count / 100 + 1));
        r[QsoField::Band] = bands[random.bounded(10)];
        r[QsoField::Mode] = modes[random.bounded(6)];
        r[QsoField::Name] = random.bounded(2) ? "Erika" : "Hans-Jürgen";
        r[QsoField::Qth] = random.bounded(2) ? "Kiel" : "Garmisch-P.";
        r[QsoField::QslOut] = n < count * 8 / 10 && random.bounded(4) ? r[QsoField::Date] : "";
        r[QsoField::Comments] = random.bounded(10) == 0 ? "via QX1MGR" : "";
        chunk += QsoLine::join(r) + "\r\n";
        if (chunk.size() > (1 << 20)) {
            file.write(chunk);
            chunk.clear();
        }
    }
    file.write(chunk);
}

// The window on the log of dir: each wait of the operator, as a median.
int runWindow(int count) {
    QApplication::setAttribute(Qt::AA_Use96Dpi);
    const double before = statusMiB("VmRSS:");
    QElapsedTimer t;
    t.start();
    const double cpu0 = cpuNow();
    TMainForm form;
    form.show();
    QApplication::processEvents();
    print("window start", {t.nsecsElapsed() / 1e6, cpuNow() - cpu0, statusMiB("VmHWM:")});
    print("log held in memory", {0, 0, statusMiB("VmRSS:") - before});
    Station& station = form.station();
    Navigator& navigator = form.navigator();
    const int middle = count / 2;

    print("edit save", median(5, [&](int i) {
              navigator.editQso({middle + i, Navigator::ReturnTo::List, {}, {}});
              QApplication::processEvents();
              namedChild<QLineEdit>(&form, QStringLiteral("eNameEdit"))
                  ->setText(QStringLiteral("Name%1").arg(i));
              t.restart();
              namedChild<QPushButton>(&form, QStringLiteral("eOkBtn"))->click();
          }));

    navigator.showPage(Navigator::Page::Entry);
    QApplication::processEvents();
    print("commit", median(5, [&](int i) {
              auto* call = namedChild<QLineEdit>(&form, QStringLiteral("CallEdit"));
              call->setFocus();
              QTest::keyClicks(call, QStringLiteral("QX%1ZZ").arg(i));
              for (int k = 0; k < 3; ++k)
                  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
          }));

    navigator.showPage(Navigator::Page::Search);
    QApplication::processEvents();
    const BrowseDriver::Search search(form.searchPage);
    search.sEdit[0]->setText(QStringLiteral("QX5"));
    print("search", median(3, [&](int) { search.SearchBtn->click(); }));

    navigator.showPage(Navigator::Page::Evaluations);
    QApplication::processEvents();
    const QslDriver qsl(&form);
    print("QSL out list", median(3, [&](int) { qsl.qslPage()->createList(); }));
    qsl.outGrid()->setFocus();
    print("QSL mark", median(5, [&](int) {
              qsl.outGrid()->setCurrentIndex(
                  qsl.outModel()->index(qsl.outModel()->qsoCount() / 2, 0));
              QTest::keyClick(qsl.outGrid(), Qt::Key_Return);
          }));
    TQsoRecord card;
    print("QSL in: find", median(3, [&](int i) {
              station.log()->ReadRecordAt(card, middle - 100 - i);
              qsl.enterCard(QString::fromLatin1(card[QsoField::Call]),
                            QString::fromLatin1(card[QsoField::Date]),
                            QString::fromLatin1(card[QsoField::Utc].left(5)));
              if (form.currentPage() != Navigator::Page::Edit)
                  qFatal("the card's QSO did not open");
          }));
    print("QSL in: save", median(1, [&](int) { qsl.saveEdited(); }));

    navigator.showPage(Navigator::Page::Evaluations);
    const EvaluationsDriver e(&form);
    for (const char* page : {"loc", "dok", "dxcc"})
        e.filterEdit(page, "StopNumberEdit")->setText(QString::number(count * 2));
    print("evaluation counts",
          median(3, [&](int) { e.page<TQsoCountsPage>()->AnzahlQsosTSShow(); }));
    print("evaluation squares",
          median(3, [&](int) { e.page<TLocatorPage>()->locAuswertenBtnClick(); }));
    print("evaluation DOKs", median(3, [&](int) { e.page<TDokPage>()->dokOkBtnClick(); }));
    print("evaluation DXCC", median(3, [&](int) { e.page<TDxccPage>()->dxccStartBtnClick(); }));
    print("window peak", {0, 0, statusMiB("VmHWM:")});
    return station.qsoCount() == count + 5 ? 0 : 1;
}

// One run of a command: wall and processor time of the child and its peak memory.
Figure runCommand(const QStringList& args) {
    QList<QByteArray> bytes;
    std::vector<char*> argv;
    for (const QString& a : args)
        bytes.append(QFile::encodeName(a));
    for (QByteArray& b : bytes)
        argv.push_back(b.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    QElapsedTimer t;
    t.start();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        qFatal("cannot start %s", argv[0]);
    int status = 0;
    rusage u{};
    wait4(pid, &status, 0, &u);
    posix_spawn_file_actions_destroy(&actions);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        std::fprintf(stderr, "failed: %s\n", qPrintable(args.join(' ')));
    return {t.nsecsElapsed() / 1e6,
            (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 +
                (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3,
            u.ru_maxrss / 1024.0};
}

using Table = QMap<QString, QMap<int, Figure>>;

void measureSize(const QString& self, const QString& convert, const QString& dir, int count,
                 Table& table, QStringList& order) {
    const QString log = dir + QStringLiteral("/big.log");
    writeLog(log, count);
    QProcess window;
    window.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    window.start(self, {QStringLiteral("--window"), dir, QString::number(count)});
    window.waitForFinished(-1);
    for (const QByteArray& line : window.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> cells = line.split('\t');
        if (cells.size() != 4)
            continue;
        const QString name = QString::fromUtf8(cells[0]);
        if (!order.contains(name))
            order.append(name);
        table[name][count] = {cells[1].toDouble(), cells[2].toDouble(), cells[3].toDouble()};
    }
    // The log as it was generated, for every command.
    writeLog(log, count);
    const auto command = [&](const QString& name, const QStringList& args) {
        if (!order.contains(name))
            order.append(name);
        table[name][count] = runCommand(QStringList{convert} + args);
    };
    const QString adif = dir + QStringLiteral("/big.adi");
    const QString html = dir + QStringLiteral("/big.htm");
    command(QStringLiteral("convert export-adif"),
            {QStringLiteral("export-adif"), adif, log, QStringLiteral("--force")});
    command(QStringLiteral("convert export-html"),
            {QStringLiteral("export-html"), html, log, QStringLiteral("--force")});
    command(QStringLiteral("convert export-txt"),
            {QStringLiteral("export-txt"), dir + QStringLiteral("/big.txt"), log,
             QStringLiteral("--force")});
    QFile::remove(dir + QStringLiteral("/imported.log"));
    command(QStringLiteral("convert import-adif"),
            {QStringLiteral("import-adif"), adif, dir + QStringLiteral("/imported.log")});
    QFile::remove(dir + QStringLiteral("/fromhtml.log"));
    command(QStringLiteral("convert import-html"),
            {QStringLiteral("import-html"), html, dir + QStringLiteral("/fromhtml.log")});
    command(QStringLiteral("convert repair"),
            {QStringLiteral("repair"), dir + QStringLiteral("/imported.log")});
    QFile::remove(dir + QStringLiteral("/both.log"));
    command(QStringLiteral("convert append"),
            {QStringLiteral("append"), dir + QStringLiteral("/both.log"), log});
    for (const char* kind : {"counts", "confirmed", "squares", "doks", "dxcc"})
        command(QStringLiteral("convert evaluate %1").arg(QLatin1String(kind)),
                {QStringLiteral("evaluate"), QLatin1String(kind), log});
    command(QStringLiteral("convert qsl-out"),
            {QStringLiteral("qsl-out"), log, QStringLiteral("--first-qso"),
             QStringLiteral("--band"), QStringLiteral("--mode")});
    // The physical floor of a durable rewrite: the file copied and flushed to disk.
    table[QStringLiteral("floor: cp + sync")][count] =
        runCommand({QStringLiteral("/bin/sh"), QStringLiteral("-c"),
                    QStringLiteral("cp '%1' '%2.copy' && sync '%2.copy'").arg(log, dir + "/big")});
    if (!order.contains(QStringLiteral("floor: cp + sync")))
        order.append(QStringLiteral("floor: cp + sync"));
    for (const char* file : {"big.log", "big.adi", "big.htm", "big.txt", "imported.log",
                             "fromhtml.log", "both.log", "big.copy"})
        QFile::remove(dir + QLatin1Char('/') + QLatin1String(file));
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 4 && qstrcmp(argv[1], "--window") == 0) {
        qputenv("DALU_HOME", argv[2]);
        QApplication app(argc, argv);
        return runWindow(atoi(argv[3]));
    }
    QCoreApplication app(argc, argv);
    // The generated log alone, for profiling a command on it.
    if (argc == 4 && qstrcmp(argv[1], "--generate") == 0) {
        writeLog(QString::fromLocal8Bit(argv[3]), atoi(argv[2]));
        return 0;
    }
    QList<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.append(atoi(argv[i]));
    if (sizes.isEmpty())
        sizes = {100000, 300000, 1000000};
    const QString self = QCoreApplication::applicationFilePath();
    const QString convert =
        QCoreApplication::applicationDirPath() + QStringLiteral("/../bin/dalu-convert");
    // Beside the build, not in a RAM-backed /tmp: the writes must pay for reaching the disk.
    QDir().mkpath(QStringLiteral("bench-big-logs"));
    const QString dir = QDir(QStringLiteral("bench-big-logs")).absolutePath();
    for (const char* file : {"DXCC.ini", "DOK.ini", "deutsch.lng"})
        QFile::copy(QStringLiteral(DALU_DATA_DIR "/") + QLatin1String(file),
                    dir + QLatin1Char('/') + QLatin1String(file));
    QFile ini(dir + QStringLiteral("/Dalu.ini"));
    ini.open(QIODevice::WriteOnly);
    ini.write("[Allgemein]\r\nLastLogFileName=big.log\r\nEigenesCall=QX1BEN\r\nEigenerLocator="
              "JO43SQ\r\n[Presets]\r\nRSTTX=59\r\nRSTRX=59\r\n"
              "[ShowAtStartUp]\r\ne=0\r\nf=0\r\nh=0\r\ni=0\r\nj=0\r\nk=0\r\nl=0\r\n"
              "[QSL]\r\nFirstQso=1\r\nBand=1\r\nMode=1\r\n");
    ini.close();

    Table table;
    QStringList order;
    for (int count : sizes) {
        std::fprintf(stderr, "measuring %d QSOs ...\n", count);
        measureSize(self, convert, dir, count, table, order);
    }
    std::printf("%-28s", "wall ms (cpu ms) [peak MiB]");
    for (int count : sizes)
        std::printf(" | %22d", count);
    std::printf(" | ratio wall, cpu, MiB\n");
    for (const QString& name : order) {
        std::printf("%-28s", qPrintable(name));
        const QMap<int, Figure>& row = table.value(name);
        for (int count : sizes) {
            const Figure f = row.value(count);
            std::printf(" | %7.0f (%5.0f) [%4.0f]", f.wallMs, f.cpuMs, f.peakMiB);
        }
        const Figure a = row.value(sizes.first());
        const Figure b = row.value(sizes.last());
        const auto ratio = [](double x, double y) { return x > 0.5 ? y / x : 0.0; };
        std::printf(" | %5.1fx %5.1fx %5.1fx\n", ratio(a.wallMs, b.wallMs), ratio(a.cpuMs, b.cpuMs),
                    ratio(a.peakMiB, b.peakMiB));
    }
    QDir(dir).removeRecursively();
    return 0;
}
