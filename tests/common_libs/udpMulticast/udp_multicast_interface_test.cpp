#include "casename.h"
#include "fixedsentence.h"
#include "msgicm.h"
#include "msgidm.h"
#include "multicastsocket.h"
#include "multicasttesting.h"
#include "nmeasettings.h"
#include "udp_multicast_interface.h"
#include "udpmulticastparser.h"
#include "waitfor.h"

#include <QCoreApplication>
#include <QNetworkInterface>

#include <gtest/gtest.h>

namespace {
struct StandbyCase {
    const char* name;
    NmeaMessagePtr message;
    bool passes;
};
void PrintTo(const StandbyCase& c, std::ostream* os) {
    printCaseName(c, os);
}

class StandbyTable : public ::testing::TestWithParam<StandbyCase> {};

TEST_P(StandbyTable, LetsOnlyTheHandshakesOut) {
    EXPECT_EQ(udp_multicast_interface::passesInStandby(*GetParam().message), GetParam().passes)
        << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Sentences, StandbyTable,
    ::testing::Values(StandbyCase{"Standby", std::make_shared<MsgICM>(1, 9), true},
                      StandbyCase{"WakeUpAll", std::make_shared<MsgICM>(1, 98), true},
                      StandbyCase{"Negotiation", std::make_shared<MsgICM>(1, 99), true},
                      StandbyCase{"OtherCommand", std::make_shared<MsgICM>(1, 15), false},
                      StandbyCase{"CommandNumberPrefix", std::make_shared<MsgICM>(1, 90), false},
                      StandbyCase{"Acknowledgement", std::make_shared<MsgIDM>(1, 0), true},
                      StandbyCase{"ConnectionRequest", std::make_shared<MsgIDM>(1, 1), false},
                      StandbyCase{"Heartbeat", fixedSentence("$VDHBT,60,A,1*hh\r\n", "HBT"), true},
                      StandbyCase{"AlertCommand", fixedSentence("$VDALC,*hh\r\n", "ALC"), true},
                      StandbyCase{"Speed", fixedSentence("$VDVBW,*hh\r\n", "VBW"), false}));

// Test programs may run side by side on the same groups: each marks its sentences with its
// process id and listens only for those.
QString marker() {
    return QStringLiteral("$VDZZT,%1").arg(QCoreApplication::applicationPid());
}

class SendingTest : public ::testing::Test {
protected:
    void SetUp() override {
        REQUIRE_LOOPBACK_MULTICAST();
        NmeaSettings::setSourceSfi("VD0101");
        network.setInterfaceName("lo");
        ASSERT_TRUE(network.init());
        ASSERT_TRUE(navd.opened);
    }
    static NmeaMessagePtr testSentence(const QString& type = "TST") {
        return fixedSentence(marker() + "\r\n", type);
    }

    static std::vector<std::unique_ptr<UdpMulticastGroupMsg>> ours(const GroupListener& listener) {
        return listener.parsedContaining(marker());
    }

    UDP_61162_450 transport;
    udp_multicast_interface network{&transport};
    GroupListener navd{QHostAddress("239.192.0.4"), 60004};
};

TEST_F(SendingTest, OutputCycleIsOneGroupWithConsecutiveCounters) {
    ASSERT_TRUE(network.slotSendListOfMsgs({testSentence(), testSentence(), testSentence()}));
    ASSERT_TRUE(waitFor([&] { return ours(navd).size() == 1; }));
    const auto groups = ours(navd);
    const UdpMulticastGroupMsg& group = *groups[0];
    ASSERT_TRUE(group.bValid);
    ASSERT_EQ(group.msgsList.size(), 3);
    for (qsizetype i = 0; i < 3; ++i) {
        const UdpMulticastSingleMsg& line = group.msgsList[i];
        EXPECT_EQ(line.udpSourceTag.getTag(), "VD0101");
        EXPECT_EQ(line.udpGroupTag->groupIndex, i + 1);
        EXPECT_EQ(line.udpGroupTag->groupTotal, 3);
        EXPECT_EQ(line.udpGroupTag->groupID, group.msgsList[0].udpGroupTag->groupID);
        EXPECT_EQ(line.udpCounterTag->counter,
                  (group.msgsList[0].udpCounterTag->counter + i) % 1000);
    }
}

TEST_F(SendingTest, SingleSentenceCarriesItsDestination) {
    NmeaMessagePtr addressed = testSentence();
    addressed->setDestinationSFI("II0102");
    ASSERT_TRUE(network.slotSendSingleMsg(addressed));
    ASSERT_TRUE(waitFor([&] { return ours(navd).size() == 1; }));
    const auto groups = ours(navd);
    const UdpMulticastSingleMsg& line = groups[0]->msgsList[0];
    ASSERT_TRUE(line.udpDestinationTag.has_value());
    EXPECT_EQ(line.udpDestinationTag->getTag(), "II0102");
    EXPECT_FALSE(line.udpGroupTag.has_value());
}

TEST_F(SendingTest, SentenceObjectHoldingTwoSentencesIsOneAddressedGroup) {
    NmeaMessagePtr twoSentences = fixedSentence(marker() + "\r\n" + marker() + "\r\n", "ALC");
    twoSentences->setDestinationSFI("CA1235");
    ASSERT_TRUE(network.slotSendSingleMsg(twoSentences));
    ASSERT_TRUE(waitFor([&] { return ours(navd).size() == 1; }));
    const auto groups = ours(navd);
    const UdpMulticastGroupMsg& group = *groups[0];
    ASSERT_TRUE(group.bValid);
    ASSERT_EQ(group.msgsList.size(), 2);
    for (qsizetype i = 0; i < 2; ++i) {
        const UdpMulticastSingleMsg& line = group.msgsList[i];
        EXPECT_EQ(line.udpGroupTag->groupIndex, i + 1);
        EXPECT_EQ(line.udpGroupTag->groupTotal, 2);
        EXPECT_EQ(line.udpGroupTag->groupID, group.msgsList[0].udpGroupTag->groupID);
        EXPECT_EQ(line.udpDestinationTag->getTag(), "CA1235");
    }
}

TEST_F(SendingTest, StandbyKeepsOutputBackButLetsHeartbeatsOut) {
    network.setSystemInStandby(true);
    EXPECT_FALSE(network.slotSendListOfMsgs({testSentence(), testSentence()}));
    EXPECT_FALSE(network.slotSendSingleMsg(testSentence("VBW")));
    ASSERT_TRUE(network.slotSendSingleMsg(testSentence("HBT")));
    ASSERT_TRUE(waitFor([&] { return !ours(navd).empty(); }));
    spinFor(50);
    const auto groups = ours(navd);
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0]->msgsList.size(), 1);
}

TEST_F(SendingTest, ServiceRequestGoesToTheSrpGroup) {
    GroupListener srp(UdpSRP::groupAddress(), UdpSRP::udpPort);
    ASSERT_TRUE(srp.opened);
    ASSERT_TRUE(network.slotSendSingleOnSrpGroup(testSentence("SRP")));
    ASSERT_TRUE(waitFor([&] { return ours(srp).size() == 1; }));
    const auto groups = ours(srp);
    EXPECT_EQ(groups[0]->msgsList[0].udpSourceTag.getTag(), "VD0101");
    EXPECT_TRUE(groups[0]->msgsList[0].udpCounterTag.has_value());
    spinFor(50);
    EXPECT_TRUE(ours(navd).empty());
}
} // namespace
