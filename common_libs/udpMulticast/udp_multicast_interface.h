#pragma once

#include "msgsackedstatus.h"
#include "msgssendingstack.h"
#include "nmeamessage.h"
#include "platformtimer.h"
#include "udp_61162_450.h"
#include "udpmulticastgroupmsg.h"
#include "udpsrp.h"

#include <QList>
#include <QObject>
#include <QString>

#include <atomic>
#include <functional>

// The unit's gateway to the ship's network: one sentence as a one-line datagram (an object
// holding several sentences as one group of a line each), the output cycle's sentences as one
// datagram group, service requests on the SRP group and raw sensor frames as binary images;
// received groups are handed on sentence by sentence, each stamped with its sender. In standby
// only the sentences that keep the alert and standby handshakes alive leave or enter the unit.
//
// It pairs display units: a display asks with IDM 1 "Request" and its software version and
// MAC, and is confirmed when the version is this unit's. Configuration and command sentences
// sent to the displays wait for every paired display's IDM 0 acknowledgement and are repeated
// each second, for at most 5 s while a display is paired, and until one pairs otherwise;
// the unit acknowledges such sentences it receives at once. A display silent for more than
// 60 s (its IDM 40 heartbeat resets the count) or saying goodbye with ICM 97 is unpaired.
// Lives on the main thread; other threads reach it through queued signals.
class udp_multicast_interface : public QObject {
    Q_OBJECT
public:
    // The software version a display must have to pair.
    static constexpr const char* kSoftwareVersion = KC40_VERSION_TEXT;
    static constexpr int kSendingPeriodMs = 1000;
    static constexpr qsizetype kMaxPairedDisplays = 8;

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
    // While demonstration playback runs, only paired displays (and EPV) are listened to.
    void setDemoPlaybackCheck(std::function<bool()> check) { m_demoActive = std::move(check); }

    // The identifier is paired with this MAC.
    bool isDisplayConnected(const QString& sfi, const QString& mac) const {
        return ackedStatus.isPaired(sfi, mac);
    }
    const MsgsAckedStatus& acknowledgements() const { return ackedStatus; }
    const msgsSendingStack& waitingForAck() const { return sendingStack; }
    // The acknowledgement of one sentence ("0") or of a datagram of several ("1").
    static NmeaMessagePtr getAckMsg(bool group, const QString& fullTypes);

public Q_SLOTS:
    // Each returns whether a datagram was written. With ack, sentences that a display must
    // acknowledge wait on the stack, sent or not, and are repeated by the sending timer.
    bool slotSendSingleMsg(const NmeaMessagePtr& message, bool ack = true);
    bool slotSendListOfMsgs(const QList<NmeaMessagePtr>& messages, bool ack = true);
    bool slotSendSingleOnSrpGroup(const NmeaMessagePtr& message);
    // Announces the unit on the SRP group with the addresses of the board's "eth0".
    bool slotSendSRP();
    // The board's network came back with new settings: both sockets join their groups again
    // on the interface as it now is, and the unit announces its new address.
    void slotNetworkRestarted();
    // A raw sensor frame, as the datagrams of one binary image.
    void slotSendBinaryToUDP(const QByteArray& frame);
    // A group the transport or the SRP socket accepted.
    void slotHandleUdpMulticast(const UdpMulticastGroupMsgPtr& group);
    // The display was lost: every display must pair again.
    void disconnectFromPaired();

Q_SIGNALS:
    // A received sentence, with its sender's identifier set.
    void sigNmeaMsgReceived(NmeaMessagePtr message);
    // The monitoring echo of a received sentence: channel "LAN", direction "IN".
    void sigSendDiagnosticsInfo(const QString& channel, const QString& direction,
                                NmeaMessagePtr message);

private:
    void sendingTimerTimeout();
    void checkExpiryTime();
    // Takes off the stack whatever is now acknowledged.
    void dropAcknowledged();
    void handleAckMsg(const QString& sender, const QStringList& parameters);
    void handleConnectionRequest(const QString& sender, const QStringList& parameters);
    void handleSingle(const UdpMulticastSingleMsg& line);
    void handleGroup(const UdpMulticastGroupMsg& group);
    void passOn(const UdpMulticastSingleMsg& line);
    bool fromUnpairedDuringDemo(const QString& sender) const;

    UDP_61162_450* m_transport;
    UdpSRP udpSRP;
    PlatformTimer sendingTimer;
    MsgsAckedStatus ackedStatus;
    msgsSendingStack sendingStack;
    std::atomic<bool> m_standby{false};
    std::function<bool()> m_demoActive;
};
