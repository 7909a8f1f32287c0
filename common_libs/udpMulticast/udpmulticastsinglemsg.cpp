#include "udpmulticastsinglemsg.h"

#include "crc8.h"
#include "udpmulticastcreator.h"

#include <QStringList>

QString UdpMulticastSingleMsg::tagBlock() const {
    QStringList tags;
    if (udpGroupTag) {
        tags << udpGroupTag->getBuffer();
    }
    tags << udpSourceTag.getBuffer();
    if (udpDestinationTag) {
        tags << udpDestinationTag->getBuffer();
    }
    if (udpCounterTag) {
        tags << udpCounterTag->getBuffer();
    }
    return tags.join(QLatin1Char(','));
}

QString UdpMulticastSingleMsg::getBuffer() const {
    const QString tags = tagBlock();
    const QString sentence = nmeaMessage ? nmeaMessage->getMsgBuffer() : QString();
    return QLatin1Char('\\') + tags + QLatin1Char('*') + CRC8::calculateChecksum(tags) +
           QLatin1Char('\\') + sentence;
}

QByteArray UdpMulticastSingleMsg::getCompletMsgArray() const {
    return UdpMulticastCreator::getMulticastPrefixHeader() + getBuffer().toLatin1();
}
