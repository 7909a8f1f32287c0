#pragma once

#include "udperrorcounter.h"
#include "udpmulticastgroupmsg.h"
#include "udpmulticastsinglemsg.h"

#include <QByteArrayView>
#include <QHash>
#include <QLatin1StringView>
#include <QString>

#include <memory>

// Reads the text of a received datagram (after the "UdPbC" NUL header) into its lines.
//
// Each line is checked in this order, and only its first fault is reported: framing (73),
// tag checksum (71), tags (72), then the sentence (70 checksum, 74 too long, 76 other). A
// text over 1454 characters is reported with 75 and its lines are still checked. Any fault
// leaves the group invalid, so the whole datagram is dropped. Stateless apart from the error
// counter: callable from any thread.
class UdpMulticastParser {
public:
    static UdpErrorCounter errorCounter;

    static constexpr qsizetype kMaxDatagramText = 1454;

    // Never null.
    static std::unique_ptr<UdpMulticastGroupMsg> parseUdpAsciMsg(const QString& text);
    // One line ending CR LF; fills `line`, reports the fault and returns false when it is bad.
    static bool parseOneMsg(const QString& text, UdpMulticastSingleMsg& line);
    // The source identifier in the first line's tag block when that block is framed, its
    // checksum holds and its tags are well formed; empty otherwise. Read from the datagram's
    // bytes after the header, up to a NUL, without converting them. Nothing is counted: a
    // receiver uses it to drop what it sent itself before parsing the whole datagram.
    static QLatin1StringView firstSourceTag(QByteArrayView lines);

private:
    using Tags = QHash<QChar, QString>;

    // Marks the line and counts the fault. Nothing is logged: a faulty or hostile device on
    // the network may send thousands of bad datagrams a second, and the error table holds
    // what the service engineer needs.
    static bool fail(UdpMsgStatus status, int errorId, UdpMulticastSingleMsg& line);
    static bool splitTags(const QString& tagBlock, Tags& tags);
    static bool getGroupTag(const Tags& tags, UdpMulticastSingleMsg& line);
    static bool getSourceTag(const Tags& tags, UdpMulticastSingleMsg& line);
    static bool getMsgIndexTag(const Tags& tags, UdpMulticastSingleMsg& line);
    static bool getDestinationTag(const Tags& tags, UdpMulticastSingleMsg& line);
    static bool getMsgSourceCluster(const Tags& tags, UdpMulticastSingleMsg& line);
    static bool getMsgDestinationCluster(const Tags& tags, UdpMulticastSingleMsg& line);
    static bool readCluster(const Tags& tags, QChar key, UdpMsgStatus status,
                            UdpMulticastSingleMsg& line, QString& cluster);
    static bool parseSentence(const QString& sentence, UdpMulticastSingleMsg& line);
};
