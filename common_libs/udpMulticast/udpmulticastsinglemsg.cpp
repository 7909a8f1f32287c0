#include "udpmulticastsinglemsg.h"

#include "crc8.h"
#include "udpmulticastcreator.h"

// The source tag is always there; the group tag comes before it, the others after it.
void UdpMulticastSingleMsg::appendTagBlock(QString& text) const {
    if (udpGroupTag) {
        text += udpGroupTag->getBuffer();
        text += QLatin1Char(',');
    }
    text += udpSourceTag.getBuffer();
    if (udpDestinationTag) {
        text += QLatin1Char(',');
        text += udpDestinationTag->getBuffer();
    }
    if (udpCounterTag) {
        text += QLatin1Char(',');
        text += udpCounterTag->getBuffer();
    }
}

QString UdpMulticastSingleMsg::tagBlock() const {
    QString text;
    appendTagBlock(text);
    return text;
}

void UdpMulticastSingleMsg::appendTo(QString& text) const {
    text += QLatin1Char('\\');
    const qsizetype tagsStart = text.size();
    appendTagBlock(text);
    CRC8::appendChecksumOf(text, tagsStart);
    text += QLatin1Char('\\');
    if (nmeaMessage) {
        text += nmeaMessage->getMsgBuffer();
    }
}

QString UdpMulticastSingleMsg::getBuffer() const {
    QString text;
    text.reserve(kLineReserve);
    appendTo(text);
    return text;
}

QByteArray UdpMulticastSingleMsg::getCompletMsgArray() const {
    return UdpMulticastCreator::datagram(getBuffer());
}
