// WSJT-X beside a 10,000-QSO log: how long from a "QSO logged" datagram until the QSO is in
// the log file and in the list, and how long the window stays frozen while 1,000 decodes
// arrive within a second (a 5 ms heartbeat timer records its longest gap between ticks).
#include "busylog.h"
#include "decodesmodel.h"
#include "mainform.h"
#include "qsogridmodel.h"
#include "qsolists.h"
#include "tempprogramdir.h"
#include "wsjtxlink.h"
#include "wsjtxreceiver.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QUdpSocket>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kQsos = 10000;
const QString kId = QStringLiteral("WSJT-X");

QByteArray qsoDatagram(int i) {
    Wsjtx::QsoLogged q;
    q.timeOn = q.timeOff = QDateTime::currentDateTimeUtc();
    q.dxCall = QStringLiteral("K%1XYZ").arg(i);
    q.dxGrid = QStringLiteral("FN42");
    q.txFrequency = 14075500;
    q.mode = QStringLiteral("FT8");
    q.reportSent = QStringLiteral("-10");
    q.reportReceived = QStringLiteral("-12");
    q.txPower = QStringLiteral("50W");
    return Wsjtx::encodeQsoLogged(kId, q);
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TempProgramDir dir;
    QApplication app(argc, argv);
    dir.copyDataFiles();
    LogBuilder::writeLog(dir.file("big.log"), BusyLog::records(kQsos, 20, true));
    dir.writeFile("Dalu.ini", "[Allgemein]\r\nLastLogFileName=big.log\r\n"
                              "[WSJT-X]\r\nEnabled=1\r\nPort=0\r\n");
    TMainForm form;
    form.show();
    auto* link = form.findChild<WsjtxLink*>();
    const quint16 port = link->receiver().localPort();
    QUdpSocket peer;
    peer.bind(QHostAddress::LocalHost, 0);

    // Each QSO on its own: datagram sent, then the event loop until the list has its row.
    double worstQso = 0;
    for (int i = 0; i < 20; ++i) {
        const int rows = form.lists().upper()->rowCount();
        QElapsedTimer t;
        t.start();
        peer.writeDatagram(qsoDatagram(i), QHostAddress::LocalHost, port);
        while (form.lists().upper()->rowCount() == rows && t.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        worstQso = std::max(worstQso, t.nsecsElapsed() / 1e6);
    }
    std::printf("%d QSOs in the log: datagram to log and list, worst of 20: %.1f ms\n", kQsos,
                worstQso);

    // 1,000 CQ decodes spread over a second, each in its own period burst of 200.
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0, longest = 0;
    QTimer heartbeat;
    heartbeat.setInterval(5);
    QObject::connect(&heartbeat, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longest = std::max(longest, now - last);
        last = now;
    });
    Wsjtx::Decode d;
    d.isNew = true;
    d.mode = QStringLiteral("~");
    int sent = 0;
    QTimer burst;
    burst.setInterval(200);
    QObject::connect(&burst, &QTimer::timeout, [&] {
        if (sent >= 1000)
            return;
        d.time = QTime(12, 0, 0).addSecs(15 * (sent / 200));
        for (int i = 0; i < 200; ++i, ++sent) {
            d.deltaFrequency = quint32(200 + i * 10);
            d.message =
                QStringLiteral("CQ %1%2AB JO%3").arg("DL").arg(sent % 10).arg(sent % 90 + 10);
            peer.writeDatagram(Wsjtx::encodeDecode(kId, d), QHostAddress::LocalHost, port);
        }
    });
    last = clock.nsecsElapsed();
    heartbeat.start();
    burst.start();
    while (link->receiver().counts().taken < 20 + 1000 && clock.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    burst.stop();
    std::printf("1,000 decodes in %.0f ms: longest stall of the window %.1f ms, %d rows shown\n",
                clock.nsecsElapsed() / 1e6, longest / 1e6, link->decodes().rowCount());
    return 0;
}
