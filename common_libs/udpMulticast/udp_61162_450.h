#pragma once

#include "multicastsocket.h"
#include "udpmulticastgroupmsg.h"

#include <QByteArray>
#include <QHostAddress>
#include <QMutex>
#include <QNetworkInterface>
#include <QObject>
#include <QString>

#include <atomic>

// The unit's socket on its IEC 61162-450 group. Groups by index:
//
//   0 MISC 239.192.0.1:60001   2 SATD 239.192.0.3:60003   4 VDRD 239.192.0.5:60005   6 TIME ...7
//   1 TGTD 239.192.0.2:60002   3 NAVD 239.192.0.4:60004   5 RCOM 239.192.0.6:60006   7 PROP ...8
//
// The configuration sets the group name and the interface (the host interface that plays the
// board's "eth0") and the standby state; a group or interface change rebuilds the socket.
// Received datagrams are parsed and filtered; what passes is emitted to the network handler.
class UDP_61162_450 : public QObject {
    Q_OBJECT
public:
    explicit UDP_61162_450(QObject* parent = nullptr);
    // The instance of the process.
    static UDP_61162_450* getInstance();

    static int groupNameToIndex(const QString& groupName);
    static QString groupIndexToName(int index);
    static QHostAddress groupIpAddress(int index);
    static quint16 groupPort(int index);

    // Whether a parsed group is for this unit: valid, not its own, addressed to it or from
    // the alert-management master QZ1111; other broadcasts only in standby and only a lone
    // ICM 98 (wake-up).
    static bool acceptsGroup(const UdpMulticastGroupMsg& group, const QString& ownSfi,
                             bool standby);

    // Both rebuild the socket when changed after init.
    void setGroupName(const QString& groupName);
    QString groupName() const;
    void setInterfaceName(const QString& interfaceName);
    void setSystemInStandby(bool standby) { m_standby = standby; }

    bool init();
    bool initUdpMulticast();
    void recalculateGroupIpAndPort();
    void resetNetworkInterface();
    void updateUdpGroup() { resetNetworkInterface(); }
    static QNetworkInterface getNetworkInterfaceByName(const QString& name);

    QHostAddress groupAddress() const { return m_groupAddress; }
    quint16 udpPort() const { return m_udpPort; }
    bool isBound() const { return m_socket.isBound(); }
    // Parses and filters one received datagram; emits what is for this unit.
    void handleDatagram(const QByteArray& datagram);

    // Bytes written; 0 when the socket is not bound.
    qint64 sendMulticastMsg(const QByteArray& datagram);

Q_SIGNALS:
    void sigHandleUdpMulticast(UdpMulticastGroupMsgPtr group);

public Q_SLOTS:
    void processPendingDatagrams(const QList<QByteArray>& datagrams);

private:
    void changeSetting(QString& setting, const QString& value);

    QMutex m_mutex;
    MulticastSocket m_socket;
    QString m_groupName = QStringLiteral("NAVD");
    QString m_interfaceName = QStringLiteral("eth0");
    QHostAddress m_groupAddress;
    quint16 m_udpPort = 0;
    bool m_firstStart = true;
    // Settings given before init only take effect at init.
    bool m_initialised = false;
    std::atomic<bool> m_standby{false};
};
