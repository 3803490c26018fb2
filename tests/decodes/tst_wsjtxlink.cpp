#include "decodesmodel.h"
#include "sessionfixture.h"
#include "wsjtxlink.h"
#include "wsjtxreceiver.h"

#include <QFile>
#include <QLabel>
#include <QNetworkDatagram>
#include <QSignalSpy>
#include <QTableView>
#include <QUdpSocket>

namespace {

QByteArray recorded(const char* name) {
    QFile f(QStringLiteral(DALU_WSJTX_DATA "/") + QLatin1String(name));
    if (!f.open(QIODevice::ReadOnly))
        qFatal("missing test data %s", name);
    return f.readAll();
}

const QByteArray kOld = "1;05.06.2024;17:31:00;40m;CW;ZS6ABC;599;579;;Erika;Kiel;JO54AH;10W;;;\r\n";
const QByteArray kLogged =
    "2;08.12.2026;00:18:58;20m;FT8;ZS6ABC;-15;-09;;Hans;;KG33;50W;erstes FT8 QSO;;\r\n";

// Listening on a free port of this machine; the test's socket stands in for WSJT-X.
struct LinkFixture : SessionFixture {
    LinkFixture() : SessionFixture(nullptr) {
        dir.writeFile("a.log", QsoLine::kHeader + "\r\n" + kOld);
        start("[Allgemein]\r\nLastLogFileName=a.log\r\n[Doppel-Check]\r\nOptions=000\r\n"
              "[WSJT-X]\r\nEnabled=1\r\nPort=0\r\n");
        link = form->findChild<WsjtxLink*>();
        peer.bind(QHostAddress::LocalHost, 0);
    }
    void send(const QByteArray& datagram) {
        peer.writeDatagram(datagram, QHostAddress::LocalHost, link->receiver().localPort());
    }
    QByteArray log() const { return dir.readFile("a.log"); }
    QString notice() const { return namedChild<QLabel>(form, "WsjtxNoticeLabel")->text(); }

    WsjtxLink* link = nullptr;
    QUdpSocket peer;
};

} // namespace

class TestWsjtxLink : public QObject {
    Q_OBJECT
private slots:
    // The QSO comes as a message and as an ADIF record: one line, exactly, and the QSO
    // being typed in the mask stays as it is; the duplicate is told, not asked.
    void qsoLoggedOnceWithoutTouchingTheMask() {
        LinkFixture f;
        QVERIFY(f.link->receiver().listening());
        auto* call = namedChild<QLineEdit>(f.form, "CallEdit");
        call->setFocus();
        QTest::keyClicks(call, "DL9ZZ");
        f.send(recorded("qsologged.bin"));
        f.send(recorded("loggedadif.bin"));
        QTRY_COMPARE(f.log(), QsoLine::kHeader + "\r\n" + kOld + kLogged);
        QTRY_COMPARE(f.link->receiver().counts().taken, 2);
        QCOMPARE(call->text(), QStringLiteral("DL9ZZ"));
        QVERIFY(call->hasFocus());
        QCOMPARE(f.session->mainForm()->lists().upper()->rowCount(), 2);
        QVERIFY2(f.notice().contains("QSO 2") && f.notice().contains("QSO 1"),
                 qPrintable(f.notice()));
    }

    void keptWithoutLogAndLoggedWhenOneIsOpened() {
        LinkFixture f;
        f.form->station().closeLog();
        f.send(recorded("qsologged.bin"));
        QTRY_VERIFY(f.notice().contains("1"));
        QCOMPARE(f.log(), QsoLine::kHeader + "\r\n" + kOld);
        QVERIFY(f.form->station().openLog(f.dir.file("a.log")));
        QCOMPARE(f.log(), QsoLine::kHeader + "\r\n" + kOld + kLogged);
    }

    void otherHostsOnlyWhenNamed() {
        WsjtxReceiver r;
        QSignalSpy arrived(&r, &WsjtxReceiver::qsoArrived);
        r.take(recorded("qsologged.bin"), QHostAddress(QStringLiteral("192.0.2.7")), 2237);
        QCOMPARE(r.foreignDatagrams(), 1);
        WsjtxEndpoint e;
        e.port = 0;
        e.namedHost = QStringLiteral("192.0.2.7");
        r.start(e);
        r.take(recorded("qsologged.bin"), QHostAddress(QStringLiteral("192.0.2.7")), 2237);
        QCOMPARE(arrived.count(), 1);
        QCOMPARE(r.peerId(), QStringLiteral("WSJT-X - dalutest"));
    }

    // The station worked shows in the dock's line; CQ callers fill the list, a new period
    // replaces them, and Return asks WSJT-X to call the chosen one.
    void statusDecodesAndReply() {
        LinkFixture f;
        f.send(recorded("heartbeat.bin"));
        f.send(recorded("status.bin"));
        auto* dx = namedChild<QLabel>(f.form, "WsjtxDxLabel");
        QTRY_VERIFY2(dx->text().startsWith("DX: ZS6ABC"), qPrintable(dx->text()));
        QVERIFY2(dx->text().contains("20m FT8"), qPrintable(dx->text()));
        QVERIFY(namedChild<QLabel>(f.form, "WsjtxPeerLabel")->text().contains("14,074000"));
        Wsjtx::Decode d;
        d.isNew = true;
        d.time = QTime(0, 20, 0);
        d.mode = QStringLiteral("~");
        for (int i = 0; i < 200; ++i) {
            d.deltaFrequency = quint32(200 + i * 10);
            d.message = QStringLiteral("CQ DX K%1ABC FN42").arg(i);
            f.send(Wsjtx::encodeDecode(QStringLiteral("WSJT-X - dalutest"), d));
        }
        d.message = QStringLiteral("DL1XYZ ZS6ABC -12");
        f.send(Wsjtx::encodeDecode(QStringLiteral("WSJT-X - dalutest"), d));
        DecodesModel& model = f.link->decodes();
        QTRY_COMPARE(f.link->receiver().counts().taken, 203);
        QCOMPARE(model.rowCount(), 200);
        QCOMPARE(model.row(0).caller.call, QStringLiteral("K0ABC"));
        QCOMPARE(model.row(0).value, DecodeValue::Value::NewDxcc);
        d.time = QTime(0, 20, 15);
        d.message = QStringLiteral("CQ ZS6ABC KG33");
        d.snr = -7;
        f.send(Wsjtx::encodeDecode(QStringLiteral("WSJT-X - dalutest"), d));
        QTRY_COMPARE(model.rowCount(), 1);
        QCOMPARE(model.row(0).value, DecodeValue::Value::NewOnBand);
        auto* view = namedChild<QTableView>(f.form, "DecodesView");
        view->setCurrentIndex(model.index(0, 0));
        QTest::keyClick(view, Qt::Key_Return);
        QTRY_VERIFY(f.peer.hasPendingDatagrams());
        const auto reply = Wsjtx::decodeReply(f.peer.receiveDatagram().data());
        QVERIFY(reply);
        QCOMPARE(reply->message, QStringLiteral("CQ ZS6ABC KG33"));
        QCOMPARE(reply->time, QTime(0, 20, 15));
        QCOMPARE(reply->snr, -7);
    }
};

QTEST_MAIN(TestWsjtxLink)
#include "tst_wsjtxlink.moc"
