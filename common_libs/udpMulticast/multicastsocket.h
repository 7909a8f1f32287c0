#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QNetworkInterface>
#include <QObject>
#include <QString>
#include <QUdpSocket>

#include <optional>

// A UDP socket on one IPv4 multicast group, joined on one named interface. The socket is
// bound to the IPv4 wildcard (a dual-stack bind makes IPv4 joins fail on some hosts) with the
// port shared, so that other listeners of the ship's network on the same host keep working.
// Loopback stays on: tools and a virtual board on the same host hear the unit; the unit's own
// receive filter drops what it sent itself.
class MulticastSocket : public QObject {
    Q_OBJECT
public:
    explicit MulticastSocket(QObject* parent = nullptr);
    ~MulticastSocket() override;

    // Replaces any socket held before; false (and no socket) when bind or join fails.
    bool open(const QHostAddress& group, quint16 port, const QString& interfaceName);
    void close();
    bool isBound() const;

    // Bytes written to the group; 0 when the socket is not bound, -1 when the write failed.
    qint64 send(const QByteArray& datagram);

    // An interface found by its name; an invalid one when there is none.
    static QNetworkInterface getNetworkInterfaceByName(const QString& name);
    // The text after the "UdPbC" NUL header up to the next NUL; nothing for other datagrams.
    static std::optional<QString> datagramText(const QByteArray& datagram);

Q_SIGNALS:
    // The datagrams waiting at one notification, in order, headers included.
    void sigDatagrams(const QList<QByteArray>& datagrams);

private Q_SLOTS:
    void readPending();

private:
    bool refuse(const QString& reason);

    // Owned; replaced sockets are deleted later, as one may be inside its own notification.
    QUdpSocket* m_socket = nullptr;
    static constexpr qint64 kMaxDatagram = 65536;
    QByteArray m_receiveBuffer;
    QHostAddress m_group;
    quint16 m_port = 0;
};
