#pragma once

#include "multicastsocket.h"
#include "udpmulticastgroupmsg.h"

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QString>

// The service-request socket on 239.192.0.56:60056, where units announce themselves with SRP
// sentences. Received SRP groups for this unit (not addressed elsewhere, not its own) are
// emitted to the network handler.
class UdpSRP : public QObject {
    Q_OBJECT
public:
    explicit UdpSRP(QObject* parent = nullptr);

    static QHostAddress groupAddress() { return QHostAddress(QStringLiteral("239.192.0.56")); }
    static constexpr quint16 udpPort = 60056;

    static bool acceptsGroup(const UdpMulticastGroupMsg& group, const QString& ownSfi);

    // The host interface that plays the board's "eth0"; takes effect at the next init.
    void setInterfaceName(const QString& interfaceName) { m_interfaceName = interfaceName; }
    bool init() { return initUdpMulticast(); }
    bool initUdpMulticast();
    // The unit's address changed: the membership is taken again.
    void onChangedIpAddress();
    bool isBound() const { return m_socket.isBound(); }

    // Bytes written; 0 when the socket is not bound.
    qint64 sendMulticastMsg(const QByteArray& datagram) { return m_socket.send(datagram); }

Q_SIGNALS:
    void sigHandleUdpMulticast(UdpMulticastGroupMsgPtr group);

public Q_SLOTS:
    void processPendingDatagrams(const QList<QByteArray>& datagrams);

private:
    MulticastSocket m_socket;
    QString m_interfaceName = QStringLiteral("eth0");
};
