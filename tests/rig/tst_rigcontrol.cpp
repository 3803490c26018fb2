#include "../entry/maskfixture.h"
#include "bandmode.h"
#include "bandplan.h"
#include "entrypage.h"
#include "rigcontrol.h"
#include "rigoptions.h"
#include "settingsdriver.h"
#include "station.h"
#include "textrows.h"
#include "widgettest.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const QByteArray kDummyRig = "[Rig]\r\nEnabled=1\r\nModel=1\r\n";

struct RigStation : MaskFixture {
    explicit RigStation(const QByteArray& rigIni = kDummyRig)
        : MaskFixture({}, showOnly("") + rigIni), rig(&form->station().rig()) {}
    // Sets the rig, polls it and waits until the mask has taken that reading.
    bool tune(qint64 hz, const QString& mode, double watts = -1) {
        rig->tune(hz, mode, watts);
        return polled(BandPlan::megahertzText(hz));
    }
    bool polled(const QString& statusPart) {
        // A rig just come back may refuse its first open on a loaded machine: ask again, as
        // the retry timer would, without waiting its ten seconds.
        for (int attempt = 0; attempt < 5; ++attempt) {
            rig->pollNow();
            if (QTest::qWaitFor([&] { return rig->statusText().contains(statusPart); }, 4000))
                return true;
        }
        return false;
    }
    QString labels() const {
        return entry.label("BandLabel")->text() + ' ' + entry.label("ModeLabel")->text() + ' ' +
               entry.label("TxPwrLabel")->text();
    }
    // Band, mode and power of the last QSO in the log.
    QString logged() const {
        const QList<QByteArray> f = logLines().last().split(';');
        return QString::fromLatin1(f[3] + ' ' + f[4] + ' ' + f[12]);
    }
    TRigControl* rig;
};

int freeLoopbackPort() {
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bind(s, reinterpret_cast<sockaddr*>(&address), length);
    getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
    close(s);
    return ntohs(address.sin_port);
}

bool accepts(int port) {
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(quint16(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool ok = ::connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(s);
    return ok;
}

// rigctld with hamlib's dummy rig on a loopback port, stopped with the test.
struct Rigctld {
    explicit Rigctld(int port) : port(port) { start(); }
    ~Rigctld() { stop(); }
    bool start() {
        process.start(QStandardPaths::findExecutable("rigctld"),
                      {"-m", "1", "-T", "127.0.0.1", "-t", QString::number(port)});
        return process.waitForStarted() && QTest::qWaitFor([this] { return accepts(port); });
    }
    void stop() {
        process.kill();
        process.waitForFinished();
    }
    int port;
    QProcess process;
};

// A rig server on a loopback port that accepts and then stays mute, or answers every
// request with the given nonsense.
struct FakeRigServer {
    explicit FakeRigServer(const QByteArray& answer = {}) {
        if (!server->listen(QHostAddress::LocalHost))
            qWarning("cannot listen on loopback");
        QObject::connect(server.get(), &QTcpServer::newConnection, [this, answer] {
            while (QTcpSocket* client = server->nextPendingConnection()) {
                clients.append(client);
                QObject::connect(client, &QTcpSocket::readyRead, [this, client, answer] {
                    requests += client->readAll();
                    if (!answer.isEmpty())
                        client->write(answer);
                });
            }
        });
    }
    QByteArray ini() const {
        return "[Rig]\r\nEnabled=1\r\nModel=2\r\nPort=127.0.0.1:" +
               QByteArray::number(server->serverPort()) + "\r\n";
    }
    // Closes every connection: hamlib gives up and a rig thread held up by it ends.
    bool shutDown() {
        server.reset();
        return QTest::qWaitFor([] { return !TRigControl::rigThreadsRunning(); }, 60000);
    }
    std::unique_ptr<QTcpServer> server = std::make_unique<QTcpServer>();
    QList<QTcpSocket*> clients; // owned by the server
    QByteArray requests;        // what hamlib asked
};

} // namespace

class TestRigControl : public QObject {
    Q_OBJECT
private slots:
    void maskFollowsTheDummyRig_data() {
        addTextRows("hz|rigMode", "labels",
                    {{"14.074 MHz data", "14074000|PKTUSB", "20m FT8"},
                     {"12m", "24940000|USB", "12m SSB"},
                     {"6m", "50313000|PKTUSB", "6m FT8"},
                     {"60m, upper edge", "5366500|USB", "60m SSB"}});
    }
    void maskFollowsTheDummyRig() {
        const QString tuned = fetched<QString>("hz|rigMode");
        RigStation s;
        QVERIFY(s.tune(3'600'000, "CW", 50));
        QCOMPARE(s.labels(), QString("80m CW 50W"));
        QVERIFY(s.tune(tuned.section('|', 0, 0).toLongLong(), tuned.section('|', 1)));
        QTEST(s.labels().section(' ', 0, 1), "labels");
        QVERIFY(!s.mask->isBandRed());
    }

    // Out of every band the band is not the rig's: the QSO waits until the operator
    // chooses one. The dummy rig reports a power of 0, which never replaces the mask's.
    void bandOutsideEveryBandMustBeChosen() {
        RigStation s;
        QVERIFY(s.tune(5'400'000, "USB"));
        QCOMPARE(s.labels(), QString("2m SSB 10W")); // the dummy rig starts on 145 MHz
        QVERIFY(s.mask->isBandRed());
        QVERIFY2(s.rig->statusText().contains(
                     "Transceiver: 5,400000 MHz liegt in keinem Band; das Band bleibt 2m."),
                 qPrintable(s.rig->statusText()));
        QTest::mouseDClick(s.entry.label("TxPwrLabel"), Qt::LeftButton);
        s.entry.edit("TxPwrEdit")->setText("100W");
        QTest::keyClick(s.entry.edit("TxPwrEdit"), Qt::Key_Return);
        s.type({"QX1ABC", "59", "57"});
        QVERIFY(s.logLines().isEmpty());
        QVERIFY(s.mask->isEditorShown(TEntryPage::Editor::Band));
        s.entry.list("BandListBox")->setCurrentRow(BandMode::TextToBandIndex("80m"));
        QTest::keyClick(s.entry.list("BandListBox"), Qt::Key_Return);
        QVERIFY(!s.mask->isBandRed());
        s.type({"", "", ""});
        QCOMPARE(s.logged(), QString("80m SSB 100W"));
        // The next QSO follows the rig again: still out of band, so red again.
        QVERIFY(s.mask->isBandRed());
        QVERIFY(s.tune(7'100'000, "LSB"));
        QCOMPARE(s.labels(), QString("40m SSB 100W"));
        QVERIFY(!s.mask->isBandRed());
    }

    void firstReturnFreezesAndManualChoiceWinsUntilCommit() {
        RigStation s;
        QVERIFY(s.tune(14'074'000, "PKTUSB", 50));
        s.type({"QX1ABC"});
        QVERIFY(s.tune(7'100'000, "LSB", 10));
        QCOMPARE(s.labels(), QString("20m FT8 50W"));
        s.type({"59", "57"});
        QCOMPARE(s.logged(), QString("20m FT8 50W"));
        QCOMPARE(s.labels(), QString("40m SSB 10W")); // the next QSO follows the rig at once
        // A band chosen by hand wins over the rig until the commit, Escape included.
        QVERIFY(s.tune(14'074'000, "USB"));
        QTest::mouseDClick(s.entry.label("BandLabel"), Qt::LeftButton);
        s.entry.list("BandListBox")->setCurrentRow(BandMode::TextToBandIndex("80m"));
        QTest::keyClick(s.entry.list("BandListBox"), Qt::Key_Return);
        QVERIFY(s.tune(7'020'000, "CW"));
        QCOMPARE(s.entry.label("BandLabel")->text(), QString("80m"));
        QCOMPARE(s.entry.label("ModeLabel")->text(), QString("CW")); // not chosen by hand: follows
        QTest::keyClick(s.entry.edit("CallEdit"), Qt::Key_Escape);
        QVERIFY(s.tune(7'030'000, "CW"));
        QCOMPARE(s.entry.label("BandLabel")->text(), QString("80m"));
        s.type({"QX2ABC", "59", "57"});
        QCOMPARE(s.logged().left(7), QString("80m CW "));
        QCOMPARE(s.entry.label("BandLabel")->text(), QString("40m"));
    }

    // Before the rigctld test: once hamlib has talked to a real server, a later mute one
    // may see hamlib give up early, and the closing test would no longer catch its fault.
    void rigServerThatNeverAnswersShowsNoConnection_data() {
        QTest::addColumn<QByteArray>("answer");
        QTest::newRow("accepts and stays mute") << QByteArray();
        QTest::newRow("answers nonsense") << QByteArray("RPRT x\n\x01\xff garbage\n");
    }
    void rigServerThatNeverAnswersShowsNoConnection() {
        FakeRigServer rigServer(fetched<QByteArray>("answer"));
        RigStation s(rigServer.ini());
        // Three polls of a second each; hamlib alone would wait 20 s per poll.
        QTRY_COMPARE_WITH_TIMEOUT(s.rig->statusText(), QString("Transceiver: keine Verbindung"),
                                  15000);
        s.stop();
        QVERIFY(rigServer.shutDown());
    }

    void closingDoesNotWaitForAMuteRigServer() {
        FakeRigServer rigServer;
        RigStation s(rigServer.ini());
        // hamlib has asked and waits for the answer.
        QTRY_VERIFY_WITH_TIMEOUT(!rigServer.requests.isEmpty(), 10000);
        QVERIFY(!s.ini().contains("MainForm.Width="));
        QElapsedTimer closing;
        closing.start();
        s.stop();
        // Far below hamlib's 20 s, with room for a loaded machine.
        QVERIFY2(closing.elapsed() < 4000, qPrintable(QString::number(closing.elapsed())));
        QVERIFY(s.ini().contains("MainForm.Width="));
        // Written while the rig thread is still held up by the server.
        QVERIFY(TRigControl::rigThreadsRunning());
        QCOMPARE(rigServer.clients.first()->state(), QAbstractSocket::ConnectedState);
        QVERIFY(rigServer.shutDown());
    }

    void rigctldOnLoopbackAndItsLoss() {
        if (QStandardPaths::findExecutable("rigctld").isEmpty())
            QSKIP("rigctld is not installed");
        Rigctld rigctld(freeLoopbackPort());
        QVERIFY(accepts(rigctld.port));
        RigStation s("[Rig]\r\nEnabled=1\r\nModel=2\r\nPort=127.0.0.1:" +
                     QByteArray::number(rigctld.port) + "\r\n");
        QVERIFY(s.tune(14'074'000, "PKTUSB"));
        QCOMPARE(s.labels().section(' ', 0, 1), QString("20m FT8"));
        rigctld.stop();
        for (int i = 0; i < 3; ++i)
            s.rig->pollNow();
        QTRY_COMPARE(s.rig->statusText(), QString("Transceiver: keine Verbindung"));
        QCOMPARE(s.entry.label("BandLabel")->text(), QString("20m"));
        ShellDriver(s.form).action("EnglishMenu")->trigger();
        QCOMPARE(s.rig->statusText(), QString("Transceiver: no connection"));
        QVERIFY(rigctld.start()); // a fresh dummy rig, on 145 MHz
        QVERIFY(s.polled("145,000000 MHz"));
        QCOMPARE(s.entry.label("BandLabel")->text(), QString("2m"));
    }

    void optionsPageSwitchesTheRigOnAndOff() {
        RigStation s(QByteArray{});
        QVERIFY(!s.rig->isRunning() && s.shell().rigStatus()->isHidden());
        const SettingsDriver page(s.form->optionsPage);
        QVERIFY(!page.edit("RigPortEdit")->isEnabled());
        page.checkBox("RigEnabledChkBox")->setChecked(true);
        QVERIFY(s.rig->isRunning());
        QVERIFY(s.ini().contains("[Rig]\r\nEnabled=1\r\nModel=1\r\nPort=\r\nSpeed=0\r\n"
                                 "DataMode=FT8\r\n"));
        QVERIFY(s.polled("MHz"));
        page.checkBox("RigEnabledChkBox")->setChecked(false);
        QVERIFY(!s.rig->isRunning() && s.shell().rigStatus()->isHidden());
        QVERIFY(s.ini().contains("Enabled=0"));
    }
};

QTEST_MAIN(TestRigControl)
#include "tst_rigcontrol.moc"
