#include "udp_multicast_interface.h"

#include "binaryimageblock.h"
#include "msgicm.h"
#include "msgidm.h"
#include "msgsrp.h"
#include "nmeasettings.h"
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
constexpr int kGoodbye = 97;
constexpr int kAcknowledgement = 0;
constexpr int kConnection = 1;
constexpr int kDisplayHeartbeat = 40;
constexpr int kMessageVersion = 1;
// Adding this to a display's silence unpairs it.
constexpr int kUnpair = MsgsAckedStatus::kSilenceLimitS + 1;
const QString kRawImageDestination = QStringLiteral("XXXXXX");
const QString kRawImageToken = QStringLiteral("RaUdP");

// The command number of an ICM or IDM; -1 for any other sentence.
template <class Command> int commandOf(const NmeaMessage& message) {
    const auto* command = dynamic_cast<const Command*>(&message);
    return command ? command->commandID() : -1;
}

// The addresses of the board's "eth0"; empty when the host has no interface playing it.
Platform::InterfaceAddress eth0Address() {
    return Platform::interfaceAddress(QStringLiteral("eth0"))
        .value_or(Platform::InterfaceAddress{});
}

NmeaMessagePtr connectionReply(const QString& word) {
    return std::make_shared<MsgIDM>(
        kMessageVersion, kConnection,
        QStringList{word, QLatin1String(udp_multicast_interface::kSoftwareVersion),
                    eth0Address().mac});
}
} // namespace

udp_multicast_interface::udp_multicast_interface(UDP_61162_450* transport, QObject* parent)
    : QObject(parent), m_transport(transport) {
    qRegisterMetaType<NmeaMessagePtr>();
    connect(m_transport, &UDP_61162_450::sigHandleUdpMulticast, this,
            &udp_multicast_interface::slotHandleUdpMulticast);
    connect(&udpSRP, &UdpSRP::sigHandleUdpMulticast, this,
            &udp_multicast_interface::slotHandleUdpMulticast);
    connect(&sendingTimer, &PlatformTimer::timeout, this,
            &udp_multicast_interface::sendingTimerTimeout);
    sendingTimer.start(kSendingPeriodMs);
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

bool udp_multicast_interface::slotSendSingleMsg(const NmeaMessagePtr& message, bool ack) {
    if (!message || (m_standby && !passesInStandby(*message))) {
        return false;
    }
    const QString destination = message->getDestinationSfi();
    const UdpMulticastGroupMsg datagram = UdpMulticastCreator::createSingleDatagram(
        message,
        destination.isEmpty() ? std::nullopt : std::make_optional(UdpDestinationTag(destination)));
    const bool sent = m_transport->sendMulticastMsg(datagram.getCompletMsgArray()) > 0;
    if (!sent) {
        qDebug() << "Error sending msg on UDP\r\n";
    }
    // A sentence the displays must acknowledge waits even when this send failed: the sending
    // timer repeats it.
    const QString type = msgsSendingStack::getFullType(*message);
    if (ack && ackedStatus.messageNeedsAck(type)) {
        ackedStatus.resetMsgAcked(type);
        sendingStack.addSingleTostack(message);
    }
    return sent;
}

bool udp_multicast_interface::slotSendListOfMsgs(const QList<NmeaMessagePtr>& messages, bool ack) {
    if (m_standby || messages.isEmpty()) {
        return false;
    }
    const UdpMulticastGroupMsg group = UdpMulticastCreator::createGroupMessageNoDest(messages);
    const bool sent = m_transport->sendMulticastMsg(group.getCompletMsgArray()) > 0;
    if (!sent) {
        qDebug() << "Error sending UDP multicast msg\r\n";
    }
    if (!ack) {
        return sent;
    }
    bool waits = false;
    for (const QString& type : msgsSendingStack::fullTypes(messages)) {
        if (ackedStatus.messageNeedsAck(type)) {
            ackedStatus.resetMsgAcked(type);
            waits = true;
        }
    }
    if (waits) {
        sendingStack.addGroupToStack(messages);
    }
    return sent;
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
    const Platform::InterfaceAddress eth0 = eth0Address();
    return slotSendSingleOnSrpGroup(std::make_shared<MsgSRP>(eth0.mac, eth0.ip));
}

void udp_multicast_interface::slotNetworkRestarted() {
    m_transport->resetNetworkInterface();
    udpSRP.onChangedIpAddress();
    slotSendSRP();
}

void udp_multicast_interface::slotSendBinaryToUDP(const QByteArray& frame) {
    // The identifier is read now: the display may have changed it since the start.
    const BinaryImageBlock block(frame, NmeaSettings::sourceSfi(), kRawImageDestination,
                                 kRawImageToken);
    for (int i = 0; i < block.getDatagramCount(); ++i) {
        if (m_transport->sendMulticastMsg(block.getDatagram(unsigned(i))) <= 0) {
            qDebug() << "Error sending UDP Binary multicast msg\r\n";
        }
    }
}

NmeaMessagePtr udp_multicast_interface::getAckMsg(bool group, const QString& fullTypes) {
    return std::make_shared<MsgIDM>(
        kMessageVersion, kAcknowledgement,
        QStringList{group ? QStringLiteral("1") : QStringLiteral("0"), fullTypes});
}

void udp_multicast_interface::sendingTimerTimeout() {
    sendingTimer.start(kSendingPeriodMs);
    if (!m_standby) {
        for (const NmeaMessagePtr& waiting : sendingStack.singles()) {
            slotSendSingleMsg(waiting, false);
        }
        for (const QList<NmeaMessagePtr>& waiting : sendingStack.groups()) {
            slotSendListOfMsgs(waiting, false);
        }
        ackedStatus.increaseDisconnectCounters(1);
    }
    checkExpiryTime();
}

void udp_multicast_interface::checkExpiryTime() {
    const QStringList& types = ackedStatus.requiredTypes();
    for (int i = 0; i < types.size(); ++i) {
        if (!ackedStatus.getMessageAcked(types[i]) && ackedStatus.isExpired(i)) {
            // Handled as if every paired display had acknowledged it.
            for (const QString& device : ackedStatus.devices()) {
                ackedStatus.ackMsg(types[i], device);
            }
        }
    }
    dropAcknowledged();
}

void udp_multicast_interface::dropAcknowledged() {
    sendingStack.removeAcknowledged(
        [this](const QString& type) { return ackedStatus.getMessageAcked(type); });
}

void udp_multicast_interface::disconnectFromPaired() {
    ackedStatus.increaseDisconnectCounters(kUnpair);
}

void udp_multicast_interface::handleAckMsg(const QString& sender, const QStringList& parameters) {
    const QString kind = parameters.value(0);
    const QString acknowledged = parameters.value(1);
    if (kind == QLatin1String("0")) {
        ackedStatus.ackMsg(acknowledged, sender);
    } else if (kind == QLatin1String("1")) {
        for (const QList<NmeaMessagePtr>& waiting : sendingStack.groups()) {
            if (msgsSendingStack::getListFullType(waiting) == acknowledged) {
                ackedStatus.ackMsgList(msgsSendingStack::fullTypes(waiting), sender);
            }
        }
    } else {
        return;
    }
    dropAcknowledged();
}

void udp_multicast_interface::handleConnectionRequest(const QString& sender,
                                                      const QStringList& parameters) {
    if (parameters.value(0) != QLatin1String("Request")) {
        return;
    }
    const QString mac = parameters.value(2);
    // A bridge has a few displays; a flood of identifiers must not grow the tables without end.
    const bool room =
        ackedStatus.isPaired(sender, mac) ||
        (!ackedStatus.isPaired(sender) && ackedStatus.devices().size() < kMaxPairedDisplays);
    const bool allowed = parameters.value(1) == QLatin1String(kSoftwareVersion) && room;
    if (allowed) {
        ackedStatus.addPairedDevice(sender, mac);
    }
    // Addressed to the one that asked: another display hearing it must not take it as its own.
    const NmeaMessagePtr reply =
        connectionReply(allowed ? QStringLiteral("Confirm") : QStringLiteral("Deny"));
    reply->setDestinationSFI(sender);
    slotSendSingleMsg(reply, false);
}

bool udp_multicast_interface::fromUnpairedDuringDemo(const QString& sender) const {
    return m_demoActive && m_demoActive() && !ackedStatus.isPaired(sender);
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
    if (!group || (m_standby && !entersInStandby(*group)) || !group->bValid ||
        group->msgsList.isEmpty()) {
        return;
    }
    for (const UdpMulticastSingleMsg& line : group->msgsList) {
        if (!line.nmeaMessage) {
            return;
        }
    }
    if (group->msgsList.size() == 1) {
        handleSingle(group->msgsList.front());
    } else {
        handleGroup(*group);
    }
}

void udp_multicast_interface::handleSingle(const UdpMulticastSingleMsg& line) {
    const NmeaMessagePtr& message = line.nmeaMessage;
    const QString sender = line.udpSourceTag.getTag();
    if (fromUnpairedDuringDemo(sender) && message->messageType() != QLatin1String("EPV")) {
        return;
    }
    // In standby a wake-up for every unit is this unit's standby negotiation.
    if (auto* icm = dynamic_cast<MsgICM*>(message.get());
        m_standby && icm && icm->commandID() == kWakeUpAll) {
        icm->setCommandID(kStandbyNegotiation);
    }
    Q_EMIT sigSendDiagnosticsInfo(QStringLiteral("LAN"), QStringLiteral("IN"), message);
    const auto* idm = dynamic_cast<const MsgIDM*>(message.get());
    // Missing parameters read as empty: such a sentence then matches nothing.
    const QStringList parameters = idm ? idm->msgParameters() : QStringList();
    switch (commandOf<MsgIDM>(*message)) {
    case kAcknowledgement:
        handleAckMsg(sender, parameters);
        return;
    case kConnection:
        handleConnectionRequest(sender, parameters);
        return;
    case kDisplayHeartbeat:
        if (ackedStatus.isPaired(parameters.value(0), parameters.value(1))) {
            ackedStatus.resetDisconnectCounter(parameters.value(0));
        }
        break;
    default:
        break;
    }
    const QString type = msgsSendingStack::getFullType(*message);
    if (ackedStatus.messageNeedsAck(type)) {
        slotSendSingleMsg(getAckMsg(false, type));
    }
    if (commandOf<MsgICM>(*message) == kGoodbye && ackedStatus.isPaired(sender)) {
        ackedStatus.removePairedDevice(sender);
        return;
    }
    passOn(line);
}

void udp_multicast_interface::handleGroup(const UdpMulticastGroupMsg& group) {
    if (fromUnpairedDuringDemo(group.msgsList.front().udpSourceTag.getTag())) {
        return;
    }
    bool needsAck = false;
    QString types;
    for (const UdpMulticastSingleMsg& line : group.msgsList) {
        Q_EMIT sigSendDiagnosticsInfo(QStringLiteral("LAN"), QStringLiteral("IN"),
                                      line.nmeaMessage);
        const QString type = msgsSendingStack::getFullType(*line.nmeaMessage);
        needsAck = needsAck || ackedStatus.messageNeedsAck(type);
        types += type;
        passOn(line);
    }
    if (needsAck) {
        slotSendSingleMsg(getAckMsg(true, types));
    }
}

void udp_multicast_interface::passOn(const UdpMulticastSingleMsg& line) {
    const NmeaMessagePtr& message = line.nmeaMessage;
    message->setSourceSFI(line.udpSourceTag.getTag());
    message->setSourceCluster(line.udpSourceClusterTag.getTag());
    message->setDestinationCluster(line.udpDestinationClustertag.getTag());
    Q_EMIT sigNmeaMsgReceived(message);
}
