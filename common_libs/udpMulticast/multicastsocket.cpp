#include "multicastsocket.h"

#include "udpmulticastcreator.h"
#include "udpmulticastlog.h"

#include <QDebug>
#include <QVariant>

MulticastSocket::MulticastSocket(QObject* parent) : QObject(parent) {}

MulticastSocket::~MulticastSocket() {
    close();
}

bool MulticastSocket::open(const QHostAddress& group, quint16 port, const QString& interfaceName) {
    close();
    m_group = group;
    m_port = port;
    const QNetworkInterface networkInterface = getNetworkInterfaceByName(interfaceName);
    auto* socket = new QUdpSocket(this);
    m_socket = socket;
    if (!socket->bind(QHostAddress::AnyIPv4, port,
                      QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)) {
        return refuse(QStringLiteral("Cannot bind multicast port %1: %2")
                          .arg(port)
                          .arg(socket->errorString()));
    }
    if (!socket->joinMulticastGroup(group, networkInterface)) {
        return refuse(QStringLiteral("Cannot join %1 on %2: %3")
                          .arg(group.toString(), interfaceName, socket->errorString()));
    }
    socket->setSocketOption(QAbstractSocket::MulticastLoopbackOption, QVariant(1));
    socket->setMulticastInterface(networkInterface);
    connect(socket, &QUdpSocket::readyRead, this, &MulticastSocket::readPending);
    return true;
}

// Without the group the unit is deaf and mute on the ship's network: the operator must know.
bool MulticastSocket::refuse(const QString& reason) {
    qCCritical(lcUdpMulticast).noquote() << reason;
    close();
    return false;
}

void MulticastSocket::close() {
    if (m_socket != nullptr) {
        m_socket->disconnect(this);
        m_socket->abort();
        m_socket->deleteLater();
        m_socket = nullptr;
    }
}

bool MulticastSocket::isBound() const {
    return m_socket != nullptr && m_socket->state() == QAbstractSocket::BoundState;
}

qint64 MulticastSocket::send(const QByteArray& datagram) {
    if (!isBound()) {
        return 0;
    }
    return m_socket->writeDatagram(datagram, m_group, m_port);
}

QNetworkInterface MulticastSocket::getNetworkInterfaceByName(const QString& name) {
    for (const QNetworkInterface& candidate : QNetworkInterface::allInterfaces()) {
        qDebug().noquote() << "Network interface: " << candidate.humanReadableName();
        if (candidate.humanReadableName() == name) {
            return candidate;
        }
    }
    // The system then picks the interface by its routes, which may not be the ship's network.
    qCWarning(lcUdpMulticast).noquote() << QStringLiteral("Network interface not found: ") + name;
    return {};
}

std::optional<QString> MulticastSocket::datagramText(const QByteArray& datagram) {
    const QByteArray header = UdpMulticastCreator::getMulticastPrefixHeader();
    if (!datagram.startsWith(header)) {
        return std::nullopt;
    }
    QByteArray text = datagram.mid(header.size());
    const qsizetype nul = text.indexOf('\0');
    if (nul >= 0) {
        text.truncate(nul);
    }
    return QString::fromLatin1(text);
}

// Every waiting datagram is read: one per notification would let a burst pile up.
void MulticastSocket::readPending() {
    QList<QByteArray> datagrams;
    // Read into one buffer as large as any UDP datagram until the socket has none left: asking
    // first whether one waits, or how large it is, would cost a system call per datagram. An
    // empty datagram carries nothing and also ends the burst; the rest wakes the loop again.
    m_receiveBuffer.resize(kMaxDatagram);
    for (;;) {
        const qint64 size = m_socket->readDatagram(m_receiveBuffer.data(), kMaxDatagram);
        if (size <= 0) {
            break;
        }
        datagrams.append(QByteArray(m_receiveBuffer.constData(), size));
    }
    if (!datagrams.isEmpty()) {
        Q_EMIT sigDatagrams(datagrams);
    }
}
