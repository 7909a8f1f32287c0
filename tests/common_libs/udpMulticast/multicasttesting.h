#pragma once

#include "multicastsocket.h"
#include "nmeasettings.h"
#include "udp_multicast_interface.h"
#include "udpmulticastcreator.h"
#include "udpmulticastparser.h"

#include <QByteArray>
#include <QHostAddress>
#include <QNetworkInterface>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

// A sentence with a fixed text, standing in for any sentence the unit sends.
class FixedSentence : public ClonableMessage<FixedSentence> {
public:
    explicit FixedSentence(const QString& text, const QString& type) : ClonableMessage(type) {
        setMsgInfo(QStringLiteral("GP"), QString(), QString(), text, false);
    }
    bool setParams(const QStringList&) override { return true; }
};

inline const QString kFixedSentence = QStringLiteral("$GPZZZ,1*50\r\n");

inline NmeaMessagePtr fixedSentence(const QString& text = kFixedSentence,
                                    const QString& type = QStringLiteral("ZZZ")) {
    return std::make_shared<FixedSentence>(text, type);
}

// Multicast needs the interface's MULTICAST flag ("ip link set lo multicast on").
inline bool loopbackCanMulticast() {
    const QNetworkInterface lo = QNetworkInterface::interfaceFromName("lo");
    return lo.isValid() && lo.flags().testFlag(QNetworkInterface::CanMulticast);
}

#define REQUIRE_LOOPBACK_MULTICAST()                                                               \
    if (!loopbackCanMulticast()) {                                                                 \
        GTEST_SKIP() << "interface lo cannot multicast; run 'ip link set lo multicast on'";        \
    }

// A datagram as it travels: header, then the lines.
inline QByteArray wire(const QString& lines) {
    return UdpMulticastCreator::getMulticastPrefixHeader() + lines.toLatin1();
}

// Keeps every datagram heard on one group of the loopback interface.
class GroupListener {
public:
    GroupListener(const QHostAddress& group, quint16 port) {
        opened = socket.open(group, port, QStringLiteral("lo"));
        QObject::connect(&socket, &MulticastSocket::sigDatagrams,
                         [this](const QList<QByteArray>& datagrams) { heard += datagrams; });
    }
    // The datagrams whose text holds `part`, parsed.
    std::vector<std::unique_ptr<UdpMulticastGroupMsg>> parsedContaining(const QString& part) const {
        std::vector<std::unique_ptr<UdpMulticastGroupMsg>> groups;
        for (const QByteArray& datagram : heard) {
            const std::optional<QString> text = MulticastSocket::datagramText(datagram);
            if (text && text->contains(part)) {
                groups.push_back(UdpMulticastParser::parseUdpAsciMsg(*text));
            }
        }
        return groups;
    }

    MulticastSocket socket;
    QList<QByteArray> heard;
    bool opened = false;
};

// The unit's network interface on the loopback interface, with the unit's identifier, and a
// listener on its group (NAVD).
class NetworkOnLoopback : public ::testing::Test {
protected:
    void SetUp() override {
        REQUIRE_LOOPBACK_MULTICAST();
        NmeaSettings::setSourceSfi("VD0101");
        network.setInterfaceName("lo");
        ASSERT_TRUE(network.init());
        ASSERT_TRUE(navd.opened);
    }

    UDP_61162_450 transport;
    udp_multicast_interface network{&transport};
    GroupListener navd{QHostAddress("239.192.0.4"), 60004};
};
