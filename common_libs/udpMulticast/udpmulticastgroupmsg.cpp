#include "udpmulticastgroupmsg.h"

#include "udpmulticastcreator.h"

QString UdpMulticastGroupMsg::getBuffer() const {
    QString text;
    text.reserve(msgsList.size() * UdpMulticastSingleMsg::kLineReserve);
    for (const UdpMulticastSingleMsg& line : msgsList) {
        line.appendTo(text);
    }
    return text;
}

QByteArray UdpMulticastGroupMsg::getCompletMsgArray() const {
    return UdpMulticastCreator::datagram(getBuffer());
}
