// Kills writers in the middle of their work: every file must stay whole, old or new, and
// the temporary files they leave are removed at the next start.
#include "atomicfilewriter.h"
#include "logbuilder.h"
#include "logconverter.h"
#include "logfile.h"
#include "meminifile.h"
#include "tempprogramdir.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTest>

#include <csignal>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QList<TQsoRecord> records(int count, const QByteArray& power = "100W") {
    QList<TQsoRecord> list;
    for (int n = 1; n <= count; ++n) {
        list.append(LogBuilder::qso(n));
        list.last()[QsoField::TxPwr] = power;
    }
    return list;
}

QList<TQsoRecord> readLog(const QString& path) {
    QList<TQsoRecord> list;
    TLogFile(path).forEachRecord([&](const TQsoRecord& r) { list.append(r); });
    return list;
}

QStringList leftovers(const TempProgramDir& dir) {
    return QDir(dir.path()).entryList({"*.dalu-*.tmp"}, QDir::Files);
}

} // namespace

class TestLogFileCrash : public QObject {
    Q_OBJECT
private slots:
    void killedWriterLeavesWholeFile_data();
    void killedWriterLeavesWholeFile();
};

void TestLogFileCrash::killedWriterLeavesWholeFile_data() {
    QTest::addColumn<QString>("writer");
    QTest::newRow("edit") << "edit";
    QTest::newRow("repair") << "repair";
    QTest::newRow("commit") << "commit";
    QTest::newRow("settings") << "settings";
    QTest::newRow("converter") << "converter";
}

void TestLogFileCrash::killedWriterLeavesWholeFile() {
    QFETCH(QString, writer);
    TempProgramDir dir;
    const QString log = dir.file("crash.log");
    const QString ini = dir.file("Dalu.ini");
    // Version v of each writer's file; check() tells whether the file is one of them.
    std::function<void(int)> write;
    std::function<bool()> check;
    if (writer == "edit") {
        LogBuilder::writeLog(log, records(300));
        write = [&](int v) {
            TQsoRecord rec = LogBuilder::qso(150, "V" + QByteArray::number(v));
            rec[QsoField::TxPwr] = "100W";
            TLogFile(log).ReplaceRecord(rec, 150);
        };
        check = [&] {
            QList<TQsoRecord> now = readLog(log), old = records(300);
            if (now.size() != 300 || !now[149][QsoField::Call].startsWith('V'))
                return false;
            now[149] = old[149];
            return now == old;
        };
    } else if (writer == "repair") {
        LogBuilder::writeLog(log, records(300, "100")); // repaired, every power gets its W
        write = [&](int) { TLogFile(log).Repair(); };
        check = [&] { return readLog(log) == records(300); };
    } else if (writer == "commit") {
        LogBuilder::writeLog(log, {});
        write = [&, count = 0](int) mutable {
            if (count == 0)
                count = int(readLog(log).size());
            TQsoRecord rec = LogBuilder::qso(++count);
            rec[QsoField::TxPwr] = "100W";
            TLogFile(log).AppendRecord(rec);
        };
        check = [&] {
            const QList<TQsoRecord> now = readLog(log);
            return !now.isEmpty() && now == records(int(now.size()));
        };
    } else if (writer == "settings") {
        write = [&](int v) {
            TMemIniFile settings(ini);
            for (int key = 0; key < 200; ++key)
                settings.WriteInteger("Crash", QString("Key%1").arg(key), v);
            settings.UpdateFile();
        };
        check = [&] {
            const TMemIniFile settings(ini);
            const int v = settings.ReadInteger("Crash", "Key0", 0);
            for (int key = 1; key < 200; ++key) {
                if (settings.ReadInteger("Crash", QString("Key%1").arg(key), -1) != v)
                    return false;
            }
            return v >= 1;
        };
    } else {
        LogBuilder::writeLog(dir.file("source.log"), records(20));
        write = [&](int) { LogConverter::append(log, {dir.file("source.log")}); };
        check = [&] {
            const QList<TQsoRecord> now = readLog(log);
            return !now.isEmpty() && now.size() % 20 == 0;
        };
    }

    QRandomGenerator random(20261207);
    int killedInRewrite = 0;
    for (int kill = 0; kill < 20; ++kill) {
        int ready[2];
        QCOMPARE(pipe(ready), 0);
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            try {
                write(kill * 1000 + 1);
                (void)!::write(ready[1], "x", 1); // the first version is on disk
                for (int v = kill * 1000 + 2;; ++v)
                    write(v);
            } catch (...) {
            }
            _exit(1);
        }
        char byte = 0;
        QCOMPARE(::read(ready[0], &byte, 1), 1);
        ::close(ready[0]);
        ::close(ready[1]);
        usleep(useconds_t(random.bounded(0, 3000)));
        ::kill(child, SIGKILL);
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        // Killed while still writing, never ended on its own (an error would end it).
        QVERIFY(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
        QVERIFY2(check(), qPrintable(QString("after kill %1").arg(kill)));
        if (!leftovers(dir).isEmpty())
            ++killedInRewrite;
    }
    // The kills did land inside rewrites (an append leaves no temporary file), and the
    // next start clears what they left.
    if (writer != "commit")
        QVERIFY(killedInRewrite > 0);
    AtomicFileWriter::removeLeftovers(dir.path());
    QVERIFY(leftovers(dir).isEmpty());
}

QTEST_GUILESS_MAIN(TestLogFileCrash)
#include "tst_logfile_crash.moc"
