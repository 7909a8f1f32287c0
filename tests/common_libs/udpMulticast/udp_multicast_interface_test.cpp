#include "multicastsocket.h"
#include "multicasttesting.h"
#include "nmeasettings.h"
#include "udp_multicast_interface.h"
#include "udpmulticastparser.h"
#include "waitfor.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {
// Test programs may run side by side on the same groups: each marks its sentences with its
// process id and listens only for those.
QString marker() {
    return QStringLiteral("$VDZZT,%1").arg(QCoreApplication::applicationPid());
}

class SendingTest : public NetworkOnLoopback {
protected:
    static NmeaMessagePtr testSentence(const QString& type = "TST") {
        return fixedSentence(marker() + "\r\n", type);
    }
    // Our datagrams heard on `listener` once there are `count`, parsed.
    static std::vector<std::unique_ptr<UdpMulticastGroupMsg>> heard(const GroupListener& listener,
                                                                    size_t count = 1) {
        waitFor([&] { return listener.parsedContaining(marker()).size() >= count; });
        spinFor(50);
        return listener.parsedContaining(marker());
    }
};

TEST_F(SendingTest, OutputCycleIsOneGroupAndALoneSentenceCarriesItsDestination) {
    ASSERT_TRUE(network.slotSendListOfMsgs({testSentence(), testSentence(), testSentence()}));
    NmeaMessagePtr addressed = testSentence();
    addressed->setDestinationSFI("II0102");
    ASSERT_TRUE(network.slotSendSingleMsg(addressed));
    const auto groups = heard(navd, 2);
    ASSERT_EQ(groups.size(), 2u);
    ASSERT_TRUE(groups[0]->bValid);
    ASSERT_EQ(groups[0]->msgsList.size(), 3);
    for (qsizetype i = 0; i < 3; ++i) {
        const UdpMulticastSingleMsg& line = groups[0]->msgsList[i];
        EXPECT_EQ(line.udpSourceTag.getTag(), "VD0101");
        EXPECT_EQ(line.udpGroupTag.value().groupIndex, i + 1);
        EXPECT_EQ(line.udpGroupTag.value().groupTotal, 3);
        EXPECT_FALSE(line.udpDestinationTag.has_value());
    }
    const UdpMulticastSingleMsg& alone = groups[1]->msgsList.value(0);
    EXPECT_EQ(alone.udpDestinationTag.value().getTag(), "II0102");
    EXPECT_FALSE(alone.udpGroupTag.has_value());
}

// In standby only the handshakes go out. The whole type decides, with its command number:
// ICM 90 is not the standby command ICM 9.
TEST_F(SendingTest, StandbyKeepsOutputBackButLetsHandshakesOut) {
    network.setSystemInStandby(true);
    EXPECT_FALSE(network.slotSendListOfMsgs({testSentence(), testSentence()}));
    for (const char* held : {"VBW", "ICM90", "IDM1"}) {
        EXPECT_FALSE(network.slotSendSingleMsg(testSentence(held))) << held;
    }
    for (const char* passing : {"HBT", "ICM9", "IDM0"}) {
        EXPECT_TRUE(network.slotSendSingleMsg(testSentence(passing))) << passing;
    }
    EXPECT_EQ(heard(navd, 3).size(), 3u);
}

// The identifier is the one of the moment: the display may have changed it since the start.
TEST_F(SendingTest, ARawFrameLeavesAsABinaryImageInOrder) {
    NmeaSettings::setSourceSfi("VD0202");
    network.slotSendBinaryToUDP(QByteArray(1328, 'r'));
    const auto ours = [&] {
        QList<QByteArray> found;
        for (const QByteArray& datagram : navd.heard) {
            if (datagram.startsWith(QByteArray("RaUdP\0\0\1VD0202", 14))) {
                found << datagram;
            }
        }
        return found;
    };
    ASSERT_TRUE(waitFor([&] { return ours().size() >= 2; }));
    EXPECT_EQ(ours()[0].size(), 1400);
    EXPECT_EQ(ours()[1].size(), 35);
    EXPECT_EQ(ours()[1].at(29), '\1') << "the second datagram is numbered 1";
}

TEST_F(SendingTest, ServiceRequestGoesToTheSrpGroup) {
    GroupListener srp(UdpSRP::groupAddress(), UdpSRP::udpPort);
    ASSERT_TRUE(srp.opened);
    ASSERT_TRUE(network.slotSendSingleOnSrpGroup(testSentence("SRP")));
    const auto groups = heard(srp);
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0]->msgsList[0].udpSourceTag.getTag(), "VD0101");
    EXPECT_TRUE(groups[0]->msgsList[0].udpCounterTag.has_value());
    EXPECT_TRUE(heard(navd, 0).empty());
}
} // namespace
