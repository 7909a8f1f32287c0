#include "udpmulticastsinglemsg.h"

#include "crc8.h"
#include "udpmulticastcreator.h"

void UdpMulticastSingleMsg::appendTagBlock(QString& text) const {
    const qsizetype start = text.size();
    const auto separate = [&text, start] {
        if (text.size() > start) {
            text += QLatin1Char(',');
        }
    };
    if (udpGroupTag) {
        udpGroupTag->appendTo(text);
    }
    separate();
    udpSourceTag.appendTo(text);
    if (udpDestinationTag) {
        separate();
        udpDestinationTag->appendTo(text);
    }
    if (udpCounterTag) {
        separate();
        udpCounterTag->appendTo(text);
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
    const quint8 checksum = CRC8::checksumValue(QStringView(text).sliced(tagsStart));
    text += QLatin1Char('*');
    CRC8::appendChecksum(text, checksum);
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
