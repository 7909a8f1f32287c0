#pragma once

#include "nmeamessage.h"
#include "udptags.h"

#include <QByteArray>
#include <QString>

#include <optional>

// Why a received line was refused; the wire values are kept for the service log.
enum UdpMsgStatus {
    UDP_MSG_OK = 0,
    UDP_MISS_SOURCE = 1,
    UDP_ERR_SRC_FORMAT = 2,
    UDP_ERR_DEST_FORMAT = 3,
    UDP_ERR_GROUP_FORMAT = 4,
    UDP_ERR_MISS_COUNTER = 5,
    UDP_ERR_COUNT_FORMAT = 6,
    UDP_ERR_TAG_FORMAT = 7,
    UDP_ERR_TAG_CRC = 10,
    UDP_ERR_SRC_CLUST_FORMAT = 11,
    UDP_ERR_DEST_CLUST_FORMAT = 12,
};

// One line of a datagram: a tag block and the sentence it carries.
//
//   \g:1-3-17,s:VD0101,d:II0102,n:042*hh\$VDVBW,...*hh<CR><LF>
//
// Tags in this order (group first when present, then source, destination, counter), joined by
// ","; hh is the XOR of the tag characters between the first "\" and "*", as for sentences.
// Cluster tags are read from peers but never sent.
class UdpMulticastSingleMsg {
public:
    // The tags joined, without the surrounding "\" and checksum.
    QString tagBlock() const;
    // The line text: "\" + tags + "*" + checksum + "\" + sentence.
    QString getBuffer() const;
    // Appends the line text to text, for a datagram of several lines.
    void appendTo(QString& text) const;
    // Room for a tag block with every tag the unit sends and a full-length sentence.
    static constexpr qsizetype kLineReserve = 48 + NmeaMessage::kMaxSentenceLength;
    // A one-line datagram: header and line.
    QByteArray getCompletMsgArray() const;

    UdpSourceTag udpSourceTag;
    std::optional<UdpDestinationTag> udpDestinationTag;
    std::optional<UdpCounterTag> udpCounterTag;
    std::optional<UdpGroupTag> udpGroupTag;
    UdpSourceClusterTag udpSourceClusterTag;
    UdpDestinationClusterTag udpDestinationClustertag;
    NmeaMessagePtr nmeaMessage;
    UdpMsgStatus msgStatus = UDP_MSG_OK;

private:
    void appendTagBlock(QString& text) const;
};
