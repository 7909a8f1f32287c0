#include "udpmulticastcreator.h"

#include "nmeasettings.h"

#include <atomic>

namespace {
std::atomic<quint16> g_lineCounter{0};
std::atomic<quint16> g_groupId{1};

// Takes the current value and steps it on, wrapping from last to first, in one atomic step.
quint16 takeAndStep(std::atomic<quint16>& counter, quint16 first, quint16 last) {
    quint16 current = counter.load();
    while (!counter.compare_exchange_weak(
        current, current >= last ? first : static_cast<quint16>(current + 1))) {
    }
    return current;
}
} // namespace

UdpMulticastSingleMsg
UdpMulticastCreator::build(const NmeaMessagePtr& message, const std::optional<UdpGroupTag>& group,
                           const std::optional<UdpDestinationTag>& destination) {
    UdpMulticastSingleMsg line;
    line.udpSourceTag = UdpSourceTag(NmeaSettings::sourceSfi());
    line.udpDestinationTag = destination;
    line.udpGroupTag = group;
    line.udpCounterTag = UdpCounterTag(takeAndStep(g_lineCounter, 0, 999));
    line.nmeaMessage = message;
    return line;
}

UdpMulticastGroupMsg
UdpMulticastCreator::buildGroup(const QList<NmeaMessagePtr>& messages,
                                const std::optional<UdpDestinationTag>& destination) {
    const quint16 id = takeAndStep(g_groupId, 1, 99);
    const auto total = static_cast<quint16>(messages.size());
    UdpMulticastGroupMsg group;
    for (quint16 index = 1; index <= total; ++index) {
        group.msgsList.append(
            build(messages[index - 1], UdpGroupTag(index, total, id), destination));
    }
    return group;
}

UdpMulticastSingleMsg UdpMulticastCreator::createSingleMsg(const NmeaMessagePtr& message) {
    return build(message, std::nullopt, std::nullopt);
}

UdpMulticastSingleMsg UdpMulticastCreator::createSingleMsg(const NmeaMessagePtr& message,
                                                           const UdpDestinationTag& destination) {
    return build(message, std::nullopt, destination);
}

UdpMulticastSingleMsg UdpMulticastCreator::createSingleMsg(const NmeaMessagePtr& message,
                                                           const UdpGroupTag& group) {
    return build(message, group, std::nullopt);
}

UdpMulticastSingleMsg UdpMulticastCreator::createSingleMsg(const NmeaMessagePtr& message,
                                                           const UdpGroupTag& group,
                                                           const UdpDestinationTag& destination) {
    return build(message, group, destination);
}

UdpMulticastSingleMsg UdpMulticastCreator::createSingleMsgNoDest(const NmeaMessagePtr& message) {
    return build(message, std::nullopt, std::nullopt);
}

UdpMulticastSingleMsg
UdpMulticastCreator::createSingleMsgWithPairedDest(const NmeaMessagePtr& message) {
    return build(message, std::nullopt, UdpDestinationTag(getPairedSFI()));
}

UdpMulticastGroupMsg
UdpMulticastCreator::createGroupMessage(const QList<NmeaMessagePtr>& messages) {
    return buildGroup(messages, std::nullopt);
}

UdpMulticastGroupMsg UdpMulticastCreator::createGroupMessage(const QList<NmeaMessagePtr>& messages,
                                                             const UdpDestinationTag& destination) {
    return buildGroup(messages, destination);
}

UdpMulticastGroupMsg
UdpMulticastCreator::createGroupMessageNoDest(const QList<NmeaMessagePtr>& messages) {
    return buildGroup(messages, std::nullopt);
}

UdpMulticastGroupMsg
UdpMulticastCreator::createGroupMessageWithDest(const QList<NmeaMessagePtr>& messages,
                                                const UdpDestinationTag& destination) {
    return buildGroup(messages, destination);
}

QByteArray UdpMulticastCreator::datagram(const QString& lines) {
    const QByteArray header = getMulticastPrefixHeader();
    QByteArray bytes;
    bytes.reserve(header.size() + lines.size());
    bytes += header;
    bytes += lines.toLatin1();
    return bytes;
}
