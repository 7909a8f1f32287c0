#pragma once

#include "nmeamessage.h"
#include "udp_61162_450.h"
#include "udpmulticastgroupmsg.h"
#include "udpsrp.h"

#include <QList>
#include <QObject>
#include <QString>

#include <atomic>

// The unit's gateway to the ship's network: one sentence as a one-line datagram (an object
// holding several sentences as one group of a line each), the output cycle's sentences as one
// datagram group, and service requests on the SRP group; received groups are handed on
// sentence by sentence, each stamped with its sender. In standby only the sentences that keep
// the alert and standby handshakes alive leave or enter the unit.
// Lives on the main thread; other threads reach it through queued signals.
class udp_multicast_interface : public QObject {
    Q_OBJECT
public:
    explicit udp_multicast_interface(UDP_61162_450* transport = UDP_61162_450::getInstance(),
                                     QObject* parent = nullptr);

    // Whether a sentence may be sent while the system is in standby.
    static bool passesInStandby(const NmeaMessage& message);
    // Whether a received group may enter while the system is in standby: one sentence that
    // asks for standby or wakes the unit, an acknowledgement, or a sleep command.
    static bool entersInStandby(const UdpMulticastGroupMsg& group);

    // The host interface that plays the board's "eth0", for both sockets.
    void setInterfaceName(const QString& interfaceName);
    void setSystemInStandby(bool standby);
    bool init();
    void updateUdpGroup() { m_transport->updateUdpGroup(); }
    void onChangedIpAddress() { udpSRP.onChangedIpAddress(); }
    UdpSRP& srp() { return udpSRP; }

public Q_SLOTS:
    // Each returns whether a datagram was written.
    bool slotSendSingleMsg(const NmeaMessagePtr& message);
    bool slotSendListOfMsgs(const QList<NmeaMessagePtr>& messages);
    bool slotSendSingleOnSrpGroup(const NmeaMessagePtr& message);
    // Announces the unit on the SRP group with the addresses of the board's "eth0".
    bool slotSendSRP();
    // A group the transport or the SRP socket accepted.
    void slotHandleUdpMulticast(const UdpMulticastGroupMsgPtr& group);

Q_SIGNALS:
    // A received sentence, with its sender's identifier set.
    void sigNmeaMsgReceived(NmeaMessagePtr message);
    // The monitoring echo of a received sentence: channel "LAN", direction "IN".
    void sigSendDiagnosticsInfo(const QString& channel, const QString& direction,
                                NmeaMessagePtr message);

private:
    UDP_61162_450* m_transport;
    UdpSRP udpSRP;
    std::atomic<bool> m_standby{false};
};
