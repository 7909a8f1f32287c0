#include "udp_multicast_interface.h"

#include "msgicm.h"
#include "msgsrp.h"
#include "platform.h"
#include "udpmulticastcreator.h"

#include <QDebug>

#include <algorithm>
#include <array>

namespace {
// Standby and wake-up commands, acknowledgements, heartbeats and alert commands.
const std::array<QLatin1String, 6> kStandbyTypes = {QLatin1String("ICM9"),  QLatin1String("ICM98"),
                                                    QLatin1String("ICM99"), QLatin1String("IDM0"),
                                                    QLatin1String("HBT"),   QLatin1String("ALC")};
// What may reach a unit in standby: the standby and wake-up commands, acknowledgements and the
// sleep command.
const std::array<QLatin1String, 5> kStandbyEntries = {QLatin1String("ICM9"), QLatin1String("ICM98"),
                                                      QLatin1String("ICM99"), QLatin1String("IDM0"),
                                                      QLatin1String("SLP")};
constexpr int kWakeUpAll = 98;
constexpr int kStandbyNegotiation = 99;
} // namespace

udp_multicast_interface::udp_multicast_interface(UDP_61162_450* transport, QObject* parent)
    : QObject(parent), m_transport(transport) {
    qRegisterMetaType<NmeaMessagePtr>();
    connect(m_transport, &UDP_61162_450::sigHandleUdpMulticast, this,
            &udp_multicast_interface::slotHandleUdpMulticast);
    connect(&udpSRP, &UdpSRP::sigHandleUdpMulticast, this,
            &udp_multicast_interface::slotHandleUdpMulticast);
}

bool udp_multicast_interface::passesInStandby(const NmeaMessage& message) {
    const QString type = message.fullType();
    return std::any_of(kStandbyTypes.begin(), kStandbyTypes.end(),
                       [&type](QLatin1String allowed) { return type == allowed; });
}

void udp_multicast_interface::setInterfaceName(const QString& interfaceName) {
    m_transport->setInterfaceName(interfaceName);
    udpSRP.setInterfaceName(interfaceName);
}

void udp_multicast_interface::setSystemInStandby(bool standby) {
    m_standby = standby;
    m_transport->setSystemInStandby(standby);
}

bool udp_multicast_interface::init() {
    const bool transportReady = m_transport->init();
    const bool srpReady = udpSRP.init();
    return transportReady && srpReady;
}

bool udp_multicast_interface::slotSendSingleMsg(const NmeaMessagePtr& message) {
    if (!message || (m_standby && !passesInStandby(*message))) {
        return false;
    }
    const QString destination = message->getDestinationSfi();
    const UdpMulticastGroupMsg datagram = UdpMulticastCreator::createSingleDatagram(
        message,
        destination.isEmpty() ? std::nullopt : std::make_optional(UdpDestinationTag(destination)));
    if (m_transport->sendMulticastMsg(datagram.getCompletMsgArray()) <= 0) {
        qDebug() << "Error sending msg on UDP\r\n";
        return false;
    }
    return true;
}

bool udp_multicast_interface::slotSendListOfMsgs(const QList<NmeaMessagePtr>& messages) {
    if (m_standby || messages.isEmpty()) {
        return false;
    }
    const UdpMulticastGroupMsg group = UdpMulticastCreator::createGroupMessageNoDest(messages);
    if (m_transport->sendMulticastMsg(group.getCompletMsgArray()) <= 0) {
        qDebug() << "Error sending UDP multicast msg\r\n";
        return false;
    }
    return true;
}

bool udp_multicast_interface::slotSendSingleOnSrpGroup(const NmeaMessagePtr& message) {
    qDebug() << "slotSendSingleOnSrpGroup\r\n";
    if (!message) {
        return false;
    }
    const QByteArray datagram = UdpMulticastCreator::createSingleMsg(message).getCompletMsgArray();
    if (udpSRP.sendMulticastMsg(datagram) <= 0) {
        qDebug() << "Error sending msg on UDP\r\n";
        return false;
    }
    qDebug().noquote() << "Sent SNR on UDP" << QString::fromLatin1(datagram.mid(6));
    return true;
}

bool udp_multicast_interface::slotSendSRP() {
    const Platform::InterfaceAddress eth0 =
        Platform::interfaceAddress(QStringLiteral("eth0")).value_or(Platform::InterfaceAddress{});
    return slotSendSingleOnSrpGroup(std::make_shared<MsgSRP>(eth0.mac, eth0.ip));
}

bool udp_multicast_interface::entersInStandby(const UdpMulticastGroupMsg& group) {
    if (group.msgsList.size() != 1 || !group.msgsList.front().nmeaMessage) {
        return false;
    }
    const QString type = group.msgsList.front().nmeaMessage->fullType();
    return std::any_of(kStandbyEntries.begin(), kStandbyEntries.end(),
                       [&type](QLatin1String allowed) { return type == allowed; });
}

void udp_multicast_interface::slotHandleUdpMulticast(const UdpMulticastGroupMsgPtr& group) {
    if (!group || !group->bValid || (m_standby && !entersInStandby(*group))) {
        return;
    }
    for (const UdpMulticastSingleMsg& line : group->msgsList) {
        const NmeaMessagePtr& message = line.nmeaMessage;
        if (!message) {
            continue;
        }
        // In standby a wake-up for every unit is this unit's standby negotiation.
        if (auto* icm = dynamic_cast<MsgICM*>(message.get());
            m_standby && icm && icm->commandID() == kWakeUpAll) {
            icm->setCommandID(kStandbyNegotiation);
        }
        Q_EMIT sigSendDiagnosticsInfo(QStringLiteral("LAN"), QStringLiteral("IN"), message);
        message->setSourceSFI(line.udpSourceTag.getTag());
        message->setSourceCluster(line.udpSourceClusterTag.getTag());
        message->setDestinationCluster(line.udpDestinationClustertag.getTag());
        Q_EMIT sigNmeaMsgReceived(message);
    }
}
