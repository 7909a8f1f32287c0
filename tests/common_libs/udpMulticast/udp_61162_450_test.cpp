#include "casename.h"
#include "fixedsentence.h"
#include "multicastsocket.h"
#include "multicasttesting.h"
#include "nmeasettings.h"
#include "udp_61162_450.h"
#include "udpmulticastcreator.h"
#include "udpmulticastparser.h"
#include "udpsrp.h"
#include "waitfor.h"

#include <QNetworkInterface>

#include <gtest/gtest.h>

namespace {
const QString kSentence = QStringLiteral("$GPZZZ,1*50\r\n");
const QString kWakeUpAll = QStringLiteral("$PNRVICM,1,98*6D\r\n");

struct GroupCase {
    QString name;
    int index;
    QString address;
    quint16 port;
};
void PrintTo(const GroupCase& c, std::ostream* os) {
    printCaseName(c, os);
}

class GroupTable : public ::testing::TestWithParam<GroupCase> {};

TEST_P(GroupTable, MapsNameIndexAddressAndPort) {
    const GroupCase& c = GetParam();
    EXPECT_EQ(UDP_61162_450::groupNameToIndex(c.name), c.index);
    EXPECT_EQ(UDP_61162_450::groupIndexToName(c.index), c.name);
    EXPECT_EQ(UDP_61162_450::groupIpAddress(c.index), QHostAddress(c.address));
    EXPECT_EQ(UDP_61162_450::groupPort(c.index), c.port);
}

INSTANTIATE_TEST_SUITE_P(Groups, GroupTable,
                         ::testing::Values(GroupCase{"MISC", 0, "239.192.0.1", 60001},
                                           GroupCase{"TGTD", 1, "239.192.0.2", 60002},
                                           GroupCase{"SATD", 2, "239.192.0.3", 60003},
                                           GroupCase{"NAVD", 3, "239.192.0.4", 60004},
                                           GroupCase{"VDRD", 4, "239.192.0.5", 60005},
                                           GroupCase{"RCOM", 5, "239.192.0.6", 60006},
                                           GroupCase{"TIME", 6, "239.192.0.7", 60007},
                                           GroupCase{"PROP", 7, "239.192.0.8", 60008}));

TEST(GroupMapping, UnknownNamesAndIndexesFallBackToNavd) {
    EXPECT_EQ(UDP_61162_450::groupNameToIndex("navd"), 3);
    EXPECT_EQ(UDP_61162_450::groupNameToIndex(""), 3);
    EXPECT_EQ(UDP_61162_450::groupIndexToName(-1), "NAVD");
    EXPECT_EQ(UDP_61162_450::groupIndexToName(8), "NAVD");
}

struct FilterCase {
    const char* name;
    QString datagram;
    bool standby;
    bool accepted;
};
void PrintTo(const FilterCase& c, std::ostream* os) {
    printCaseName(c, os);
}

class FilterTable : public ::testing::TestWithParam<FilterCase> {};

TEST_P(FilterTable, PassesOnlyWhatIsForThisUnit) {
    const FilterCase& c = GetParam();
    const auto group = UdpMulticastParser::parseUdpAsciMsg(c.datagram);
    EXPECT_EQ(UDP_61162_450::acceptsGroup(*group, "VD0101", c.standby), c.accepted) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, FilterTable,
    ::testing::Values(
        FilterCase{"ToAnotherUnit", "\\s:II0102,d:VD0102,n:13*53\\" + kSentence, false, false},
        FilterCase{"ToAnotherUnitInStandby", "\\s:II0102,d:VD0102,n:13*53\\" + kSentence, true,
                   false},
        FilterCase{"ToThisUnit", "\\s:II0102,d:VD0101,n:13*50\\" + kSentence, false, true},
        FilterCase{"ToThisUnitInStandby", "\\s:II0102,d:VD0101,n:13*50\\" + kSentence, true, true},
        FilterCase{"FromAlertMaster", "\\s:QZ1111,n:15*3E\\" + kSentence, false, true},
        FilterCase{"BroadcastOutsideStandby", "\\s:II0102,n:14*37\\" + kSentence, false, false},
        FilterCase{"BroadcastInStandby", "\\s:II0102,n:14*37\\" + kSentence, true, false},
        FilterCase{"WakeUpOutsideStandby", "\\s:II0102,n:14*37\\" + kWakeUpAll, false, false},
        FilterCase{"WakeUpInStandby", "\\s:II0102,n:14*37\\" + kWakeUpAll, true, true},
        FilterCase{"WakeUpNotAlone",
                   "\\s:II0102,g:1-2-7,n:3*44\\" + kWakeUpAll + "\\s:II0102,g:2-2-7,n:4*40\\" +
                       kSentence,
                   true, false},
        // The unit hears its own datagrams on the same host: its wake-up must not return.
        FilterCase{"OwnWakeUp", "\\s:VD0101,n:14*26\\" + kWakeUpAll, true, false},
        FilterCase{"InvalidGroup", "\\s:QZ1111,n:15*3F\\" + kSentence, false, false}));

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
            if (waitFor([&] { return emittedContaining(part); }, 100)) {
                return true;
            }
        }
        return false;
    }
    bool emittedContaining(const QString& part) const {
        return std::any_of(emitted.begin(), emitted.end(), [&](const UdpMulticastGroupMsgPtr& g) {
            return g->getBuffer().contains(part);
        });
    }

    UDP_61162_450 transport;
    QList<UdpMulticastGroupMsgPtr> emitted;
};

TEST_F(TransportTest, SendsDatagramsOnTheConfiguredGroup) {
    REQUIRE_LOOPBACK_MULTICAST();
    GroupListener listener(QHostAddress("239.192.0.4"), 60004);
    ASSERT_TRUE(listener.opened);
    ASSERT_TRUE(transport.init());
    EXPECT_EQ(transport.groupAddress(), QHostAddress("239.192.0.4"));
    const QByteArray datagram =
        UdpMulticastCreator::createGroupMessage({fixedSentence(), fixedSentence()})
            .getCompletMsgArray();
    EXPECT_EQ(transport.sendMulticastMsg(datagram), datagram.size());
    EXPECT_TRUE(waitFor([&] { return listener.heard.contains(datagram); }));
}

TEST_F(TransportTest, SendingWithoutASocketSendsNothing) {
    EXPECT_FALSE(transport.isBound());
    EXPECT_EQ(transport.sendMulticastMsg("UdPbC"), 0);
}

TEST_F(TransportTest, EmitsOnlyGroupsThatPassTheFilter) {
    REQUIRE_LOOPBACK_MULTICAST();
    ASSERT_TRUE(transport.init());
    QObject::connect(&transport, &UDP_61162_450::sigHandleUdpMulticast,
                     [this](const UdpMulticastGroupMsgPtr& group) { emitted << group; });
    MulticastSocket sender;
    ASSERT_TRUE(sender.open(QHostAddress("239.192.0.4"), 60004, "lo"));
    ASSERT_TRUE(deliver(sender, wire("\\s:QZ1111*42\\" + kSentence), "s:QZ1111"));

    // Sent in this order on one socket: only the last may come through, and the datagrams
    // before it have been handled when it arrives.
    sender.send(wire("\\s:II0102,d:VD0102*29\\$GPZZZ,2*53\r\n"));
    sender.send(QByteArray("XdPbC\0\\s:II0102,d:VD0101*2A\\$GPZZZ,2*53\r\n", 41));
    sender.send(wire("\\s:II0102,d:VD0101*2A\\$GPZZZ,2*53\r\n"));
    ASSERT_TRUE(waitFor([&] { return emittedContaining("d:VD0101"); }));
    EXPECT_FALSE(emittedContaining("d:VD0102"));
    EXPECT_EQ(std::count_if(emitted.begin(), emitted.end(),
                            [](const UdpMulticastGroupMsgPtr& g) {
                                return g->getBuffer().contains("d:VD0101");
                            }),
              1);
}

TEST_F(TransportTest, GroupChangeRebuildsTheSocket) {
    REQUIRE_LOOPBACK_MULTICAST();
    ASSERT_TRUE(transport.init());
    transport.setGroupName("PROP");
    EXPECT_TRUE(transport.isBound());
    EXPECT_EQ(transport.groupAddress(), QHostAddress("239.192.0.8"));
    EXPECT_EQ(transport.udpPort(), 60008);
    GroupListener listener(QHostAddress("239.192.0.8"), 60008);
    ASSERT_TRUE(listener.opened);
    const QByteArray datagram =
        UdpMulticastCreator::createSingleMsg(fixedSentence("$GPZZZ,2*53\r\n")).getCompletMsgArray();
    EXPECT_EQ(transport.sendMulticastMsg(datagram), datagram.size());
    EXPECT_TRUE(waitFor([&] { return listener.heard.contains(datagram); }));
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
    peer.send(wire("\\s:II0102*4A\\" + kSentence));
    peer.send(wire("\\s:II0102*4A\\$PNRVSRP,0,AA,BB*57\r\n"));
    ASSERT_TRUE(waitFor([&] { return !heard.isEmpty(); }));
    spinFor(50);
    ASSERT_EQ(heard.size(), 1); // not its own SRP, not a sentence other than SRP
    EXPECT_EQ(heard[0]->msgsList[0].udpSourceTag.getTag(), "II0102");
}
} // namespace
