#pragma once

#include "nmeamessage.h"
#include "udpmulticastgroupmsg.h"
#include "udpmulticastsinglemsg.h"
#include "udptags.h"

#include <QByteArray>
#include <QList>

// Wraps the unit's sentences into datagram lines. The source is the unit's own
// system-function identifier, read at each call, since the display may change it at run time.
// The line counter (0..999, then 0) and the group id (1..99, then 1) are shared by every
// sender of the process and may be stepped from any thread.
class UdpMulticastCreator {
public:
    static UdpMulticastSingleMsg createSingleMsg(const NmeaMessagePtr& message);
    static UdpMulticastSingleMsg createSingleMsg(const NmeaMessagePtr& message,
                                                 const UdpDestinationTag& destination);
    static UdpMulticastSingleMsg createSingleMsg(const NmeaMessagePtr& message,
                                                 const UdpGroupTag& group);
    static UdpMulticastSingleMsg createSingleMsg(const NmeaMessagePtr& message,
                                                 const UdpGroupTag& group,
                                                 const UdpDestinationTag& destination);
    static UdpMulticastSingleMsg createSingleMsgNoDest(const NmeaMessagePtr& message);
    static UdpMulticastSingleMsg createSingleMsgWithPairedDest(const NmeaMessagePtr& message);
    // The datagram for a sentence object sent on its own. Each line carries exactly one
    // sentence, so an object that holds several (a long alert list) becomes one group with a
    // line per sentence, all under one group tag; one sentence stays a lone ungrouped line.
    static UdpMulticastGroupMsg
    createSingleDatagram(const NmeaMessagePtr& message,
                         const std::optional<UdpDestinationTag>& destination);

    static UdpMulticastGroupMsg createGroupMessage(const QList<NmeaMessagePtr>& messages);
    static UdpMulticastGroupMsg createGroupMessage(const QList<NmeaMessagePtr>& messages,
                                                   const UdpDestinationTag& destination);
    static UdpMulticastGroupMsg createGroupMessageNoDest(const QList<NmeaMessagePtr>& messages);
    static UdpMulticastGroupMsg createGroupMessageWithDest(const QList<NmeaMessagePtr>& messages,
                                                           const UdpDestinationTag& destination);

    // The display unit the junction box is paired with.
    static QString getPairedSFI() { return QStringLiteral("ER0001"); }
    static QByteArray getMulticastPrefixHeader() { return QByteArray("UdPbC", 6); }
    // The header followed by the lines, as Latin-1 bytes.
    static QByteArray datagram(const QString& lines);

private:
    static UdpMulticastSingleMsg build(const NmeaMessagePtr& message,
                                       const std::optional<UdpGroupTag>& group,
                                       const std::optional<UdpDestinationTag>& destination);
    static UdpMulticastGroupMsg buildGroup(const QList<NmeaMessagePtr>& messages,
                                           const std::optional<UdpDestinationTag>& destination);
};
