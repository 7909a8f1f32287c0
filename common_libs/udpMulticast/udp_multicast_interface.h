#pragma once

#include "nmeamessage.h"
#include "udp_61162_450.h"
#include "udpsrp.h"

#include <QList>
#include <QObject>
#include <QString>

#include <atomic>

// The unit's sending gateway to the ship's network: one sentence as a one-line datagram (an
// object holding several sentences as one group of a line each), the output cycle's sentences
// as one datagram group, and service requests on the SRP group.
// In standby only the sentences that keep the alert and standby handshakes alive leave the
// unit. Lives on the main thread; other threads reach it through queued signals.
class udp_multicast_interface : public QObject {
    Q_OBJECT
public:
    explicit udp_multicast_interface(UDP_61162_450* transport = UDP_61162_450::getInstance(),
                                     QObject* parent = nullptr);

    // Whether a sentence may be sent while the system is in standby.
    static bool passesInStandby(const NmeaMessage& message);

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

private:
    UDP_61162_450* m_transport;
    UdpSRP udpSRP;
    std::atomic<bool> m_standby{false};
};
