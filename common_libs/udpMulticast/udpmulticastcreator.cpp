#include "udpmulticastcreator.h"

#include "nmeasettings.h"

#include <QStringList>

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

// One sentence of an object that holds several, for the line that carries it.
class OneOfSeveral : public ClonableMessage<OneOfSeveral> {
public:
    OneOfSeveral(const NmeaMessage& whole, const QString& sentence)
        : ClonableMessage(whole.messageType()) {
        setMsgInfo(whole.talkerId(), whole.manufacturerId(), QString(), sentence,
                   whole.isPropriatary());
    }
    bool setParams(const QStringList&) override { return false; }
};

// The sentences of a text, each through its CR LF.
QStringList sentencesOf(const QString& text) {
    const QLatin1String lineEnd("\r\n");
    QStringList sentences;
    qsizetype start = 0;
    while (start < text.size()) {
        const qsizetype end = text.indexOf(lineEnd, start);
        const qsizetype next = end < 0 ? text.size() : end + lineEnd.size();
        sentences.append(text.sliced(start, next - start));
        start = next;
    }
    return sentences;
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
UdpMulticastCreator::createSingleDatagram(const NmeaMessagePtr& message,
                                          const std::optional<UdpDestinationTag>& destination) {
    const QStringList sentences = sentencesOf(message->getMsgBuffer());
    if (sentences.size() <= 1) {
        UdpMulticastGroupMsg single;
        single.msgsList.append(build(message, std::nullopt, destination));
        return single;
    }
    QList<NmeaMessagePtr> parts;
    parts.reserve(sentences.size());
    for (const QString& sentence : sentences) {
        parts.append(std::make_shared<OneOfSeveral>(*message, sentence));
    }
    return buildGroup(parts, destination);
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
