#pragma once

#include "nmeaparser.h"
#include "udpmulticastparser.h"

#include <QStringList>

#include <memory>

// The text of a datagram as heard on the group (after its header): one line per sentence body
// (without "$" and checksum), under one group tag when there are several, addressed to
// `destination` or, when it is empty, to everyone.
inline QString datagramText(const QStringList& bodies, const QString& source,
                            const QString& destination = {}) {
    QString text;
    for (qsizetype i = 0; i < bodies.size(); ++i) {
        UdpMulticastSingleMsg line;
        line.udpSourceTag = UdpSourceTag(source);
        if (!destination.isEmpty()) {
            line.udpDestinationTag = UdpDestinationTag(destination);
        }
        if (bodies.size() > 1) {
            line.udpGroupTag =
                UdpGroupTag(static_cast<quint16>(i + 1), static_cast<quint16>(bodies.size()), 7);
        }
        line.udpCounterTag = UdpCounterTag(static_cast<quint16>(i));
        line.nmeaMessage = NmeaParser::parse(NmeaMessage::addCrcToMsgBuffer(bodies[i]));
        line.appendTo(text);
    }
    return text;
}

// The same read by the unit's own parser.
inline std::unique_ptr<UdpMulticastGroupMsg>
heardDatagram(const QStringList& bodies, const QString& source, const QString& destination = {}) {
    return UdpMulticastParser::parseUdpAsciMsg(datagramText(bodies, source, destination));
}
