#include "wsjtxreceiver.h"

#include "daluerror.h"
#include "meminifile.h"
#include "settingskeys.h"
#include "uitexts.h"

#include <QHostInfo>
#include <QNetworkDatagram>
#include <QUdpSocket>

WsjtxReceiver::WsjtxReceiver(QObject* parent) : QObject(parent) {
    m_silenceWatch.setInterval(1000);
    connect(&m_silenceWatch, &QTimer::timeout, this, &WsjtxReceiver::checkSilence);
}

WsjtxReceiver::~WsjtxReceiver() = default;

void WsjtxReceiver::start(const WsjtxEndpoint& endpoint) {
    stop();
    m_endpoint = endpoint;
    const QHostAddress address(endpoint.address);
    if (address.isNull())
        throw DaluError(uiText("WSJT-X: %1 ist keine IP-Adresse").arg(endpoint.address));
    auto socket = std::make_unique<QUdpSocket>(this);
    // Several loggers share a multicast group, so the port is shared then.
    const bool group = address.isMulticast();
    const bool bound = group ? socket->bind(QHostAddress::AnyIPv4, endpoint.port,
                                            QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)
                             : socket->bind(address, endpoint.port);
    if (!bound || (group && !socket->joinMulticastGroup(address)))
        throw DaluError(QStringLiteral("WSJT-X: %1:%2: %3")
                            .arg(endpoint.address)
                            .arg(endpoint.port)
                            .arg(socket->errorString()));
    m_namedHosts.clear();
    if (!endpoint.namedHost.trimmed().isEmpty()) {
        const QHostAddress literal(endpoint.namedHost.trimmed());
        m_namedHosts = literal.isNull()
                           ? QHostInfo::fromName(endpoint.namedHost.trimmed()).addresses()
                           : QList<QHostAddress>{literal};
    }
    m_socket = socket.release();
    connect(m_socket, &QUdpSocket::readyRead, this, &WsjtxReceiver::readPending);
    m_silenceWatch.start();
}

quint16 WsjtxReceiver::localPort() const {
    return m_socket ? m_socket->localPort() : 0;
}

void WsjtxReceiver::stop() {
    m_silenceWatch.stop();
    delete m_socket;
    m_socket = nullptr;
    if (!m_peerId.isEmpty()) {
        m_peerId.clear();
        m_peerAddress.clear();
        emit peerChanged();
    }
}

void WsjtxReceiver::readPending() {
    while (m_socket && m_socket->hasPendingDatagrams()) {
        const QNetworkDatagram d = m_socket->receiveDatagram(Wsjtx::kMaxDatagram + 1);
        take(d.data(), d.senderAddress(), quint16(d.senderPort()));
    }
}

bool WsjtxReceiver::accepted(const QHostAddress& sender) const {
    if (sender.isLoopback())
        return true;
    const QHostAddress v4(sender.toIPv4Address());
    for (const QHostAddress& host : m_namedHosts) {
        if (host.isEqual(sender, QHostAddress::TolerantConversion) || host == v4)
            return true;
    }
    return false;
}

void WsjtxReceiver::take(const QByteArray& datagram, const QHostAddress& sender,
                         quint16 senderPort) {
    if (!accepted(sender)) {
        ++m_foreign;
        return;
    }
    const auto m = m_counts.decode(datagram);
    if (!m)
        return;
    m_peerAddress = sender;
    m_peerPort = senderPort;
    heard(m->id);
    if (const auto* s = std::get_if<Wsjtx::Status>(&m->body)) {
        m_status = *s;
        emit statusChanged();
    } else if (const auto* d = std::get_if<Wsjtx::Decode>(&m->body)) {
        emit decoded(*d);
    } else if (std::holds_alternative<Wsjtx::Clear>(m->body)) {
        emit cleared();
    } else if (std::holds_alternative<Wsjtx::Close>(m->body)) {
        m_peerId.clear();
        emit peerChanged();
    } else if (const auto* q = std::get_if<Wsjtx::QsoLogged>(&m->body)) {
        const TQsoRecord rec = WsjtxQso::fromLogged(*q, m_endpoint.time);
        if (m_recent.take(rec))
            emit qsoArrived(rec);
    } else if (const auto* a = std::get_if<Wsjtx::LoggedAdif>(&m->body)) {
        const auto rec = WsjtxQso::fromAdif(a->adif, m_endpoint.time);
        if (rec && m_recent.take(*rec))
            emit qsoArrived(*rec);
    }
}

void WsjtxReceiver::heard(const QString& id) {
    m_lastHeard.start();
    if (id != m_peerId || m_silent) {
        m_peerId = id;
        m_silent = false;
        emit peerChanged();
    }
}

void WsjtxReceiver::checkSilence() {
    if (m_peerId.isEmpty() || m_silent || !m_lastHeard.isValid() ||
        m_lastHeard.elapsed() < kSilentAfterSeconds * 1000)
        return;
    m_silent = true;
    emit peerChanged();
}

bool WsjtxReceiver::send(const QByteArray& datagram) {
    if (!m_socket || m_peerId.isEmpty() || m_peerPort == 0)
        return false;
    return m_socket->writeDatagram(datagram, m_peerAddress, m_peerPort) == datagram.size();
}

WsjtxEndpoint wsjtxEndpointOf(const TMemIniFile& settings) {
    WsjtxEndpoint e;
    e.address = SettingsKeys::read(settings, SettingsKeys::WsjtxAddress).trimmed();
    e.port = quint16(qBound(0, SettingsKeys::read(settings, SettingsKeys::WsjtxPort), 65535));
    e.namedHost = SettingsKeys::read(settings, SettingsKeys::WsjtxHost).trimmed();
    e.time = SettingsKeys::read(settings, SettingsKeys::WsjtxTimeOfEnd) ? WsjtxQso::TimeOf::End
                                                                        : WsjtxQso::TimeOf::Start;
    return e;
}
