#include "multicastsocket.h"
#include "multicasttesting.h"
#include "nmeasettings.h"
#include "udp_61162_450.h"
#include "udpmulticastcreator.h"
#include "udpmulticastparser.h"
#include "udpsrp.h"
#include "waitfor.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {
const QString kWakeUpAll = QStringLiteral("$PNRVICM,1,98*6D\r\n");

// Names outside the list fall back to NAVD, the unit's default group.
TEST(GroupMapping, NameIndexAddressAndPort) {
    const std::tuple<const char*, int, const char*, quint16> groups[] = {
        {"MISC", 0, "239.192.0.1", 60001},
        {"NAVD", 3, "239.192.0.4", 60004},
        {"PROP", 7, "239.192.0.8", 60008},
    };
    for (const auto& [name, index, address, port] : groups) {
        EXPECT_EQ(UDP_61162_450::groupNameToIndex(name), index);
        EXPECT_EQ(UDP_61162_450::groupIndexToName(index), name);
        EXPECT_EQ(UDP_61162_450::groupIpAddress(index), QHostAddress(address));
        EXPECT_EQ(UDP_61162_450::groupPort(index), port);
    }
    EXPECT_EQ(UDP_61162_450::groupNameToIndex("navd"), 3);
    EXPECT_EQ(UDP_61162_450::groupNameToIndex(""), 3);
    EXPECT_EQ(UDP_61162_450::groupIndexToName(-1), "NAVD");
    EXPECT_EQ(UDP_61162_450::groupIndexToName(8), "NAVD");
}

const QString kToOther = "\\s:II0102,d:VD0102,n:13*53\\" + kFixedSentence;
const QString kToUs = "\\s:II0102,d:VD0101,n:13*50\\" + kFixedSentence;
const QString kBroadcast = "\\s:II0102,n:14*37\\";
// Name, datagram, standby, accepted.
const std::tuple<const char*, QString, bool, bool> kFilters[] = {
    {"ToAnotherUnit", kToOther, false, false},
    {"ToAnotherUnitInStandby", kToOther, true, false},
    {"ToThisUnit", kToUs, false, true},
    {"ToThisUnitInStandby", kToUs, true, true},
    {"FromAlertMaster", "\\s:QZ1111,n:15*3E\\" + kFixedSentence, false, true},
    {"BroadcastOutsideStandby", kBroadcast + kFixedSentence, false, false},
    {"BroadcastInStandby", kBroadcast + kFixedSentence, true, false},
    {"WakeUpOutsideStandby", kBroadcast + kWakeUpAll, false, false},
    {"WakeUpInStandby", kBroadcast + kWakeUpAll, true, true},
    {"WakeUpNotAlone",
     "\\s:II0102,g:1-2-7,n:3*44\\" + kWakeUpAll + "\\s:II0102,g:2-2-7,n:4*40\\" + kFixedSentence,
     true, false},
    // The unit hears its own datagrams on the same host: its wake-up must not return.
    {"OwnWakeUp", "\\s:VD0101,n:14*26\\" + kWakeUpAll, true, false},
    // Sound tags from the alert master, but a line that does not hold.
    {"InvalidGroup", "\\s:QZ1111,n:15*3E\\$GPZZZ,1*51\r\n", false, false},
};

TEST(Filter, PassesOnlyWhatIsForThisUnit) {
    for (const auto& [name, datagram, standby, accepted] : kFilters) {
        const auto group = UdpMulticastParser::parseUdpAsciMsg(datagram);
        EXPECT_EQ(UDP_61162_450::acceptsGroup(*group, "VD0101", standby), accepted) << name;
    }
}

class TransportTest : public ::testing::Test {
protected:
    void SetUp() override {
        NmeaSettings::setSourceSfi("VD0101");
        transport.setInterfaceName("lo");
    }
    // Sends until the transport emits a group holding `part`: the first notification after
    // init is thrown away by design.
    bool deliver(MulticastSocket& sender, const QByteArray& datagram, const QString& part) {
        for (int attempt = 0; attempt < 20; ++attempt) {
            sender.send(datagram);
            if (waitFor([&] { return emittedContaining(part) > 0; }, 100)) {
                return true;
            }
        }
        return false;
    }
    qsizetype emittedContaining(const QString& part) const {
        return std::count_if(emitted.begin(), emitted.end(), [&](const UdpMulticastGroupMsgPtr& g) {
            return g->getBuffer().contains(part);
        });
    }
    // Sends a datagram through the transport and waits until the group's listener hears it.
    bool sentAndHeard(const QHostAddress& group, quint16 port) {
        GroupListener listener(group, port);
        const QByteArray datagram =
            UdpMulticastCreator::createGroupMessage({fixedSentence(), fixedSentence()})
                .getCompletMsgArray();
        return listener.opened && transport.sendMulticastMsg(datagram) == datagram.size() &&
               waitFor([&] { return listener.heard.contains(datagram); });
    }

    UDP_61162_450 transport;
    QList<UdpMulticastGroupMsgPtr> emitted;
};

TEST_F(TransportTest, SendsOnTheConfiguredGroupAndAGroupChangeRebuildsTheSocket) {
    EXPECT_EQ(transport.sendMulticastMsg("UdPbC"), 0); // no socket yet
    REQUIRE_LOOPBACK_MULTICAST();
    ASSERT_TRUE(transport.init());
    EXPECT_EQ(transport.groupAddress(), QHostAddress("239.192.0.4"));
    EXPECT_TRUE(sentAndHeard(QHostAddress("239.192.0.4"), 60004));
    transport.setGroupName("PROP");
    EXPECT_TRUE(transport.isBound());
    EXPECT_EQ(transport.udpPort(), 60008);
    EXPECT_TRUE(sentAndHeard(QHostAddress("239.192.0.8"), 60008));
}

TEST_F(TransportTest, EmitsOnlyGroupsThatPassTheFilter) {
    REQUIRE_LOOPBACK_MULTICAST();
    ASSERT_TRUE(transport.init());
    QObject::connect(&transport, &UDP_61162_450::sigHandleUdpMulticast,
                     [this](const UdpMulticastGroupMsgPtr& group) { emitted << group; });
    MulticastSocket sender;
    ASSERT_TRUE(sender.open(QHostAddress("239.192.0.4"), 60004, "lo"));
    ASSERT_TRUE(deliver(sender, wire("\\s:QZ1111*42\\" + kFixedSentence), "s:QZ1111"));

    // Sent in this order on one socket: only the last may come through, and the datagrams
    // before it have been handled when it arrives.
    sender.send(wire("\\s:II0102,d:VD0102*29\\$GPZZZ,2*53\r\n"));
    sender.send(QByteArray("XdPbC\0\\s:II0102,d:VD0101*2A\\$GPZZZ,2*53\r\n", 41));
    sender.send(wire("\\s:II0102,d:VD0101*2A\\$GPZZZ,2*53\r\n"));
    ASSERT_TRUE(waitFor([&] { return emittedContaining("d:VD0101") > 0; }));
    EXPECT_EQ(emittedContaining("d:VD0102"), 0);
    EXPECT_EQ(emittedContaining("d:VD0101"), 1);
}

TEST(Srp, SendsAndHearsServiceRequestsOnItsOwnGroup) {
    REQUIRE_LOOPBACK_MULTICAST();
    NmeaSettings::setSourceSfi("VD0101");
    UdpSRP srp;
    srp.setInterfaceName("lo");
    ASSERT_TRUE(srp.init());
    GroupListener listener(UdpSRP::groupAddress(), UdpSRP::udpPort);
    ASSERT_TRUE(listener.opened);
    QList<UdpMulticastGroupMsgPtr> heard;
    QObject::connect(&srp, &UdpSRP::sigHandleUdpMulticast,
                     [&](const UdpMulticastGroupMsgPtr& group) { heard << group; });

    const QByteArray own =
        UdpMulticastCreator::createSingleMsg(fixedSentence("$PNRVSRP,0,AA,BB*57\r\n"))
            .getCompletMsgArray();
    EXPECT_EQ(srp.sendMulticastMsg(own), own.size());
    ASSERT_TRUE(waitFor([&] { return listener.heard.contains(own); }));

    MulticastSocket peer;
    ASSERT_TRUE(peer.open(UdpSRP::groupAddress(), UdpSRP::udpPort, "lo"));
    peer.send(wire("\\s:II0102*4A\\" + kFixedSentence));
    peer.send(wire("\\s:II0102*4A\\$PNRVSRP,0,AA,BB*57\r\n"));
    ASSERT_TRUE(waitFor([&] { return !heard.isEmpty(); }));
    spinFor(50);
    ASSERT_EQ(heard.size(), 1); // not its own SRP, not a sentence other than SRP
    EXPECT_EQ(heard[0]->msgsList[0].udpSourceTag.getTag(), "II0102");
}
} // namespace
