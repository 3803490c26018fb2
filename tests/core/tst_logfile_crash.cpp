// Kills writers in the middle of their work: every file must stay whole, old or new, and
// the temporary files they leave are removed at the next start.
#include "atomicfilewriter.h"
#include "coretest.h"
#include "killpoints.h"
#include "logbuilder.h"
#include "logconverter.h"
#include "logfile.h"
#include "logjournal.h"
#include "meminifile.h"
#include "tempprogramdir.h"

#include <csignal>
#include <functional>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

using LogBuilder::readLog;

namespace {

QList<TQsoRecord> records(int count, const QByteArray& power = "100W") {
    QList<TQsoRecord> list;
    for (int n = 1; n <= count; ++n) {
        list.append(LogBuilder::qso(n));
        list.last()[QsoField::TxPwr] = power;
    }
    return list;
}

// Where the kill of the given number lands among the file-changing calls of one version
// (1: before the first). Few calls: each in turn; many: the last ten, where a rewrite
// flushes and replaces its file, and ten spread over the writing before.
long killPoint(int kill, long callsPerVersion) {
    if (callsPerVersion < 1)
        return 1;
    if (callsPerVersion <= 20)
        return kill % callsPerVersion + 1;
    return kill < 10 ? callsPerVersion - kill : 1 + (kill - 10) * (callsPerVersion - 10) / 10;
}

} // namespace

class TestLogFileCrash : public QObject {
    Q_OBJECT
private slots:
    void killedWriterLeavesWholeFile_data() {
        QTest::addColumn<QString>("writer");
        for (const char* writer : {"edit", "journal", "repair", "commit", "settings", "converter"})
            QTest::newRow(writer) << writer;
    }
    void killedWriterLeavesWholeFile() {
        QFETCH(QString, writer);
        TempProgramDir dir;
        const QString log = dir.file("crash.log");
        // write(v) writes version v; whole() tells whether the file is one of the versions.
        std::function<void(int)> write;
        std::function<bool()> whole;
        if (writer == "edit") {
            LogBuilder::writeLog(log, records(300));
            write = [&](int v) {
                TQsoRecord rec = records(150).last();
                rec[QsoField::Call] = "V" + QByteArray::number(v);
                TLogFile(log).ReplaceRecord(rec, 150);
            };
            whole = [&] {
                QList<TQsoRecord> now = readLog(log);
                if (now.size() != 300 || !now[149][QsoField::Call].startsWith('V'))
                    return false;
                now[149] = records(150).last();
                return now == records(300);
            };
        } else if (writer == "journal") {
            // A big log's edit: kept in the journal, then folded into the log.
            LogBuilder::writeLog(log, records(300));
            const auto line150 = [&] { return QsoLine::join(readLog(log).at(149)); };
            write = [&, line150](int v) {
                LogJournal::fold(log); // what a killed writer left
                TQsoRecord rec = records(150).last();
                rec[QsoField::Call] = "V" + QByteArray::number(v);
                if (!LogJournal::append(log, {150, line150(), QsoLine::join(rec)},
                                        RegularFile::Stamp::of(log)))
                    throw std::runtime_error("the log changed behind the journal");
                LogJournal::fold(log);
            };
            whole = [&] {
                LogJournal::fold(log);
                QList<TQsoRecord> now = readLog(log);
                if (now.size() != 300 || !now[149][QsoField::Call].startsWith('V') ||
                    LogJournal::exists(log))
                    return false;
                now[149] = records(150).last();
                return now == records(300);
            };
        } else if (writer == "repair") {
            LogBuilder::writeLog(log, records(300, "100")); // the repair appends the W
            write = [&](int) { TLogFile(log).Repair(); };
            whole = [&] { return readLog(log) == records(300); };
        } else if (writer == "commit") {
            LogBuilder::writeLog(log, {});
            write = [&, count = 0](int) mutable {
                if (count == 0)
                    count = int(readLog(log).size());
                TLogFile(log).AppendRecord(records(++count).last());
            };
            whole = [&] { return readLog(log) == records(int(readLog(log).size())); };
        } else if (writer == "settings") {
            write = [&](int v) {
                TMemIniFile ini(dir.file("Dalu.ini"));
                for (int key = 0; key < 200; ++key)
                    ini.WriteInteger("Crash", QString::number(key), v);
                ini.UpdateFile();
            };
            whole = [&] {
                const TMemIniFile ini(dir.file("Dalu.ini"));
                const int v = ini.ReadInteger("Crash", "0", 0);
                for (int key = 1; key < 200; ++key)
                    if (ini.ReadInteger("Crash", QString::number(key), -1) != v)
                        return false;
                return v >= 1;
            };
        } else {
            LogBuilder::writeLog(dir.file("source.log"), records(20));
            write = [&](int) { LogConverter::append(log, {dir.file("source.log")}); };
            whole = [&] { return !readLog(log).isEmpty() && readLog(log).size() % 20 == 0; };
        }

        int killedInRewrite = 0;
        const QStringList temporary = {"*.dalu-*.tmp"};
        for (int kill = 0; kill < 20; ++kill) {
            int stopped[2];
            QCOMPARE(pipe(stopped), 0);
            const pid_t child = fork();
            if (child == 0) {
                prctl(PR_SET_PDEATHSIG, SIGKILL); // a test stopped by its time limit ends it too
                ::close(stopped[0]);
                try {
                    KillPoints::arm();
                    write(kill * 1000 + 1);
                    // The next versions stop at the chosen call and wait for the kill.
                    KillPoints::arm(killPoint(kill, KillPoints::calls()), stopped[1]);
                    for (int v = kill * 1000 + 2;; ++v)
                        write(v);
                } catch (...) {
                }
                _exit(1);
            }
            ::close(stopped[1]);
            // Nothing to read: the writer failed and ended on its own.
            QVERIFY(KillPoints::killStopped(child, stopped[0]));
            QVERIFY2(whole(), qPrintable(QString("after kill %1").arg(kill)));
            killedInRewrite += !QDir(dir.path()).entryList(temporary, QDir::Files).isEmpty();
        }
        // The kills did land inside rewrites (an append has no temporary file), and the next
        // start clears what they left.
        QVERIFY(writer == "commit" || killedInRewrite > 0);
        AtomicFileWriter::removeLeftovers(dir.path());
        QVERIFY(QDir(dir.path()).entryList(temporary, QDir::Files).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestLogFileCrash)
#include "tst_logfile_crash.moc"
