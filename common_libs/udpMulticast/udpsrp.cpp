#include "udpsrp.h"

#include "nmeasettings.h"
#include "udpmulticastparser.h"

#include <QDebug>

UdpSRP::UdpSRP(QObject* parent) : QObject(parent) {
    qRegisterMetaType<UdpMulticastGroupMsgPtr>();
    connect(&m_socket, &MulticastSocket::sigDatagrams, this, &UdpSRP::processPendingDatagrams);
}

bool UdpSRP::acceptsGroup(const UdpMulticastGroupMsg& group, const QString& ownSfi) {
    if (!group.bValid || group.msgsList.isEmpty()) {
        return false;
    }
    const UdpMulticastSingleMsg& first = group.msgsList.first();
    if (first.udpSourceTag.getTag() == ownSfi) {
        return false;
    }
    if (first.udpDestinationTag && !first.udpDestinationTag->getTag().isEmpty() &&
        first.udpDestinationTag->getTag() != ownSfi) {
        qDebug() << "REMOVE MESSAGES WITH WITH WRONG DESTINATION  ";
        return false;
    }
    return first.nmeaMessage && first.nmeaMessage->messageType() == QLatin1String("SRP");
}

bool UdpSRP::initUdpMulticast() {
    return m_socket.open(groupAddress(), udpPort, m_interfaceName);
}

void UdpSRP::onChangedIpAddress() {
    qDebug() << "UdpSNR Changed IP";
    initUdpMulticast();
}

void UdpSRP::processPendingDatagrams(const QList<QByteArray>& datagrams) {
    for (const QByteArray& datagram : datagrams) {
        const std::optional<QString> text = MulticastSocket::datagramText(datagram);
        if (!text) {
            continue;
        }
        UdpMulticastGroupMsgPtr group = UdpMulticastParser::parseUdpAsciMsg(*text);
        if (acceptsGroup(*group, NmeaSettings::sourceSfi())) {
            qDebug() << "Received SRP ";
            Q_EMIT sigHandleUdpMulticast(group);
        }
    }
}
