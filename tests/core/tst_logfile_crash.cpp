// Kills a process that rewrites a log at random moments: the log must always be whole.
#include "logbuilder.h"
#include "logfile.h"
#include "tempprogramdir.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSet>
#include <QTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

class TestLogFileCrash : public QObject {
    Q_OBJECT
private slots:
    void killedRewriteNeverLosesTheLog();
};

void TestLogFileCrash::killedRewriteNeverLosesTheLog() {
    TempProgramDir dir;
    const QString path = dir.file("crash.log");
    QList<TQsoRecord> records;
    for (int n = 1; n <= 300; ++n)
        records.append(LogBuilder::qso(n));
    // Two valid states: record 150 as "QX150ABC" or as "QX150NEW". Repair keeps either.
    const TQsoRecord oldRecord = records[149];
    TQsoRecord newRecord = oldRecord;
    newRecord[QsoField::Call] = "QX150NEW";
    const QByteArray oldContent = LogBuilder::logContent(records);
    records[149] = newRecord;
    const QByteArray newContent = LogBuilder::logContent(records);
    dir.writeFile("crash.log", oldContent);

    QRandomGenerator random(20261206);
    const int kills = 200;
    for (int i = 0; i < kills; ++i) {
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            try {
                TLogFile log(path);
                for (int round = 0;; ++round) {
                    log.ReplaceRecord(round % 2 ? oldRecord : newRecord, 150);
                    if (round % 5 == 0)
                        log.Repair();
                }
            } catch (...) {
                _exit(1);
            }
        }
        usleep(static_cast<useconds_t>(random.bounded(500, 15000)));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        const QByteArray content = dir.readFile("crash.log");
        QVERIFY2(content == oldContent || content == newContent,
                 qPrintable(QStringLiteral("kill %1 left %2 bytes").arg(i).arg(content.size())));
    }
}

QTEST_GUILESS_MAIN(TestLogFileCrash)
#include "tst_logfile_crash.moc"
