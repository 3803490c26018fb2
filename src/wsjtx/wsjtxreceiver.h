#pragma once

#include "qsorecord.h"
#include "wsjtxmessage.h"
#include "wsjtxqso.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QTimer>

class QUdpSocket;

// Where to listen for WSJT-X or JTDX and whom to believe.
struct WsjtxEndpoint {
    QString address = QStringLiteral("127.0.0.1"); // or a multicast group such as 224.0.0.1
    quint16 port = 2237;
    QString namedHost; // another host whose datagrams are taken; empty: this machine only
    WsjtxQso::TimeOf time = WsjtxQso::TimeOf::Start;
};

// Takes the datagrams of WSJT-X or JTDX from the network and makes them into what the log
// and the window need: each QSO once, the sender's state, its decodes. No window.
class WsjtxReceiver : public QObject {
    Q_OBJECT
public:
    explicit WsjtxReceiver(QObject* parent = nullptr);
    ~WsjtxReceiver() override;

    // Binds the socket; throws DaluError naming address and port when it cannot.
    void start(const WsjtxEndpoint& endpoint);
    void stop();
    bool listening() const { return m_socket != nullptr; }
    quint16 localPort() const; // the bound port (0 asks the system for a free one)

    // One datagram as if it had come from sender (the socket hands each one here).
    void take(const QByteArray& datagram, const QHostAddress& sender, quint16 senderPort);

    const Wsjtx::DecodeCounts& counts() const { return m_counts; }
    int foreignDatagrams() const { return m_foreign; }
    // The program that spoke last, its state, and whether it has gone quiet.
    QString peerId() const { return m_peerId; }
    const Wsjtx::Status& status() const { return m_status; }
    bool silent() const { return m_silent; }

    // Replies go to the program that spoke last; false when none has.
    bool send(const QByteArray& datagram);

    // Seconds without a heartbeat after which the program counts as gone (it sends one
    // every 15 s).
    static constexpr int kSilentAfterSeconds = 35;

signals:
    void qsoArrived(const TQsoRecord& rec);
    void statusChanged();
    void decoded(const Wsjtx::Decode& decode);
    void cleared();
    // A program appeared, said goodbye or fell silent: the status bar's text changes.
    void peerChanged();

private:
    void readPending();
    bool accepted(const QHostAddress& sender) const;
    void heard(const QString& id);
    void checkSilence();

    QUdpSocket* m_socket = nullptr;
    WsjtxEndpoint m_endpoint;
    QList<QHostAddress> m_namedHosts;
    Wsjtx::DecodeCounts m_counts;
    WsjtxQso::RecentQsos m_recent;
    int m_foreign = 0;
    QString m_peerId;
    QHostAddress m_peerAddress;
    quint16 m_peerPort = 0;
    Wsjtx::Status m_status;
    QElapsedTimer m_lastHeard;
    QTimer m_silenceWatch;
    bool m_silent = false;
};

class TMemIniFile;
// The endpoint the options page set.
WsjtxEndpoint wsjtxEndpointOf(const TMemIniFile& settings);
