#include "udpmulticastgroupmsg.h"

#include "udpmulticastcreator.h"

QString UdpMulticastGroupMsg::getBuffer() const {
    QString text;
    for (const UdpMulticastSingleMsg& line : msgsList) {
        text += line.getBuffer();
    }
    return text;
}

QByteArray UdpMulticastGroupMsg::getCompletMsgArray() const {
    return UdpMulticastCreator::getMulticastPrefixHeader() + getBuffer().toLatin1();
}
