// Starts the real program on a log, commits QSOs through its mask and kills it at random
// moments: every commit it reported is in the log, and the log is always whole.
#include "logbuilder.h"
#include "qsorecord.h"
#include "tempprogramdir.h"
#include "widgettest.h"

#include <QProcess>
#include <QRandomGenerator>

namespace {

// Reads the program's reports; a line "committed CALL" is written once the commit returned.
void collectReports(QProcess& dalu, QSet<QByteArray>& reported) {
    while (dalu.canReadLine()) {
        const QByteArray line = dalu.readLine().trimmed();
        if (line.startsWith("committed "))
            reported.insert(line.mid(10));
    }
}

// The log must be the header and one whole QSO a line, numbered in order, each call once.
QSet<QByteArray> checkedCalls(const QByteArray& content) {
    QList<QByteArray> lines = content.split('\n');
    if (lines.takeLast() != "")
        return {"(last line unterminated)"};
    QSet<QByteArray> calls;
    for (int n = 0; n < lines.size(); ++n) {
        const std::optional<TQsoRecord> r = QsoLine::split(lines[n].chopped(1));
        const bool whole = lines[n].endsWith('\r') &&
                           (n == 0 ? lines[n].chopped(1) == QsoLine::kHeader
                                   : r && (*r)[QsoField::Number] == QByteArray::number(n) &&
                                         !calls.contains((*r)[QsoField::Call]));
        if (!whole)
            return {"(line " + QByteArray::number(n) + " damaged)"};
        if (n > 0)
            calls.insert((*r)[QsoField::Call]);
    }
    return calls;
}

} // namespace

class TestCrashSafety : public QObject {
    Q_OBJECT
private slots:
    void killedProgramKeepsEveryReportedQso() {
        TempProgramDir dir;
        dir.copyDataFiles();
        LogBuilder::writeLog(dir.file("crash.log"), {});
        dir.writeFile("Dalu.ini", "[Allgemein]\r\nLastLogFileName=crash.log\r\n"
                                  "[Vorgaben]\r\nRstTx=59\r\nRstRx=59\r\n");
        qputenv("DALU_STDIN_DRIVER", "1");
        QRandomGenerator random(20261207);
        QSet<QByteArray> reported, sent;
        auto send = [&](QProcess& dalu) {
            const QByteArray call = "QX" + QByteArray::number(sent.size() + 1);
            sent.insert(call);
            dalu.write(call + '\n');
            return call;
        };
        for (int round = 0; round <= 10; ++round) {
            QProcess dalu;
            dalu.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            dalu.start(QStringLiteral(DALU_PROGRAM), {});
            QVERIFY(dalu.waitForStarted());
            for (int i = random.bounded(5); i > 0; --i) {
                const QByteArray call = send(dalu);
                while (!reported.contains(call) && dalu.waitForReadyRead(60000))
                    collectReports(dalu, reported);
                QVERIFY2(reported.contains(call), call);
            }
            // The kill lands before, during or after the commit of the call in flight.
            if (round < 10) {
                send(dalu);
                dalu.waitForBytesWritten();
                dalu.waitForReadyRead(random.bounded(1, 30));
            }
            dalu.kill();
            QVERIFY(dalu.waitForFinished());
            QCOMPARE(dalu.exitStatus(), QProcess::CrashExit);
            collectReports(dalu, reported);
            const QSet<QByteArray> inLog = checkedCalls(dir.readFile("crash.log"));
            QVERIFY2(inLog.contains(reported) && sent.contains(inLog),
                     QList<QByteArray>(inLog.begin(), inLog.end()).join(' '));
        }
        QVERIFY(reported.size() >= 10);
    }
};

QTEST_MAIN(TestCrashSafety)
#include "tst_crashsafety.moc"
