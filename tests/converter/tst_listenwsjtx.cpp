#include "coretest.h"
#include "filelock.h"
#include "logbuilder.h"
#include "tempprogramdir.h"

#include <QUdpSocket>

namespace {

QByteArray recorded(const char* name) {
    QFile f(QStringLiteral(DALU_WSJTX_DATA "/") + QLatin1String(name));
    if (!f.open(QIODevice::ReadOnly))
        qFatal("missing test data %s", name);
    return f.readAll();
}

// A port nobody listens on now.
quint16 freePort() {
    QUdpSocket probe;
    probe.bind(QHostAddress::LocalHost, 0);
    return probe.localPort();
}

} // namespace

class TestListenWsjtx : public QObject {
    Q_OBJECT
private slots:
    // The QSO announced twice is logged once; SIGTERM ends the command cleanly.
    void logsUntilTerminated() {
        TempProgramDir dir;
        LogBuilder::writeLog(dir.file("a.log"), {});
        const quint16 port = freePort();
        dir.writeFile("Dalu.ini", "[WSJT-X]\r\nPort=" + QByteArray::number(port) + "\r\n");
        QProcess convert;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DALU_HOME"), dir.path());
        convert.setProcessEnvironment(env);
        convert.start(DALU_CONVERT, {QStringLiteral("listen-wsjtx"), dir.file("a.log")});
        QByteArray said;
        QTRY_VERIFY((said += convert.readAllStandardOutput()).contains("Listening"));
        QUdpSocket wsjtx;
        for (const char* name : {"qsologged.bin", "loggedadif.bin"})
            wsjtx.writeDatagram(recorded(name), QHostAddress::LocalHost, port);
        QTRY_VERIFY((said += convert.readAllStandardOutput()).contains("QSO 1: ZS6ABC"));
        convert.terminate();
        QVERIFY(convert.waitForFinished(10000));
        said += convert.readAllStandardOutput();
        QCOMPARE(convert.exitStatus(), QProcess::NormalExit);
        QCOMPARE(convert.exitCode(), 0);
        QVERIFY2(said.contains("Stopped; 1 QSOs logged"), said.constData());
        QCOMPARE(dir.readFile("a.log"),
                 QsoLine::kHeader + "\r\n1;08.12.2026;00:18:58;20m;FT8;ZS6ABC;-15;-09;;Hans;;"
                                    "KG33;50W;erstes FT8 QSO;;\r\n");
    }

    void refusedWhileAWindowHasTheLog() {
        TempProgramDir dir;
        LogBuilder::writeLog(dir.file("a.log"), {});
        const LogOpenLock window(dir.file("a.log"));
        QVERIFY(window.acquired());
        QProcess convert;
        convert.start(DALU_CONVERT, {QStringLiteral("listen-wsjtx"), dir.file("a.log")});
        QVERIFY(convert.waitForFinished(10000));
        QCOMPARE(convert.exitCode(), 1);
        QVERIFY(convert.readAllStandardError().contains("is open in a running Dalu"));
    }
};

QTEST_GUILESS_MAIN(TestListenWsjtx)
#include "tst_listenwsjtx.moc"
