#include "msgsackedstatus.h"
#include "msgssendingstack.h"
#include "multicasttesting.h"
#include "nmeaparser.h"
#include "nmeasettings.h"
#include "platformtimer.h"
#include "udp_multicast_interface.h"
#include "waitfor.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {
const QString kMac = QStringLiteral("00:11:22:33:44:55");

struct AckCase {
    const char* name;
    QStringList paired;
    QStringList acknowledging; // in order; a device may be unknown
    bool acknowledged;
};

// A type sent to the displays is acknowledged once every paired display has answered; nobody
// answers for a display, and without any display nothing acknowledges it.
TEST(MsgsAckedStatus, ATypeWaitsForEveryPairedDisplay) {
    const AckCase cases[] = {
        {"the one display", {"RV0001"}, {"RV0001"}, true},
        {"one of two", {"RV0001", "RV0002"}, {"RV0001"}, false},
        {"one of two twice", {"RV0001", "RV0002"}, {"RV0001", "RV0001"}, false},
        {"both of two", {"RV0001", "RV0002"}, {"RV0002", "RV0001"}, true},
        {"an unpaired device", {"RV0001"}, {"RV0009"}, false},
        {"no display at all", {}, {"RV0001"}, false},
    };
    for (const AckCase& c : cases) {
        MsgsAckedStatus status;
        for (const QString& sfi : c.paired) {
            status.addPairedDevice(sfi, kMac);
        }
        status.resetMsgAcked("ICM15");
        status.resetMsgAcked("ICM21");
        for (const QString& sfi : c.acknowledging) {
            status.ackMsg("ICM15", sfi);
        }
        EXPECT_EQ(status.getMessageAcked("ICM15"), c.acknowledged) << c.name;
        EXPECT_FALSE(status.getMessageAcked("ICM21")) << c.name << ": another type waits on";
        EXPECT_TRUE(status.getMessageAcked("VBW")) << "a type without acknowledgement";
    }
}

TEST(MsgsAckedStatus, PairingKeepsTheFirstMacAndSilenceBeyondAMinuteUnpairs) {
    MsgsAckedStatus status;
    status.addPairedDevice("RV0001", kMac);
    status.addPairedDevice("RV0001", "00:11:22:33:44:66");
    status.addPairedDevice("RV0002", kMac);
    EXPECT_TRUE(status.isPaired("RV0001", kMac));
    EXPECT_FALSE(status.isPaired("RV0001", "00:11:22:33:44:66"));

    EXPECT_TRUE(status.increaseDisconnectCounters(59).isEmpty());
    status.resetDisconnectCounter("RV0002");
    EXPECT_EQ(status.increaseDisconnectCounters(1), QStringList()) << "heard at 60 s stays";
    EXPECT_EQ(status.increaseDisconnectCounters(1), QStringList{"RV0001"});
    EXPECT_EQ(status.devices(), QStringList{"RV0002"});
}

TEST(MsgsAckedStatus, ATypeExpiresFiveSecondsAfterItsSending) {
    VirtualTime time;
    MsgsAckedStatus status;
    status.resetMsgAcked("ICM15");
    const int index = status.msgNumber("ICM15");
    time.advance(MsgsAckedStatus::expiryTime);
    EXPECT_FALSE(status.isExpired(index));
    time.advance(1);
    EXPECT_TRUE(status.isExpired(index));
}

NmeaMessagePtr sentence(const QString& body) {
    return NmeaParser::parse(NmeaMessage::addCrcToMsgBuffer(body));
}

TEST(MsgsSendingStack, IdenticalSentencesWaitOnceAndTheStackIsBounded) {
    msgsSendingStack stack;
    stack.addSingleTostack(sentence("PNRVICM,1,15,0,4800"));
    stack.addSingleTostack(sentence("PNRVICM,1,15,0,4800"));
    stack.addSingleTostack(sentence("PNRVICM,1,15,1,4800"));
    EXPECT_EQ(stack.singles().size(), 2);
    for (int i = 0; i < msgsSendingStack::kMaxSingles; ++i) {
        stack.addSingleTostack(sentence(QStringLiteral("PNRVICM,1,21,%1").arg(i)));
    }
    EXPECT_EQ(stack.singles().size(), msgsSendingStack::kMaxSingles);
    EXPECT_EQ(stack.singles().front()->getMsgBuffer(), sentence("PNRVICM,1,21,0")->getMsgBuffer())
        << "the oldest go first";
}

TEST(MsgsSendingStack, ADatagramLeavesOnceEveryTypeInItIsAcknowledged) {
    msgsSendingStack stack;
    const QList<NmeaMessagePtr> datagram{sentence("IIVBW,1,1,A,,,V,,V,,V"),
                                         sentence("PNRVICM,1,15,0"), sentence("PNRVICM,1,11,0")};
    EXPECT_EQ(msgsSendingStack::getListFullType(datagram), "VBWICM15ICM11");
    stack.addGroupToStack(datagram);
    stack.addSingleTostack(sentence("PNRVICM,1,15,0"));
    stack.removeAcknowledged([](const QString& type) { return type != "ICM11"; });
    EXPECT_TRUE(stack.singles().isEmpty());
    EXPECT_EQ(stack.groups().size(), 1);
    stack.removeAcknowledged([](const QString&) { return true; });
    EXPECT_EQ(stack.size(), 0);
}

// Runs before the network interface is built, so that its sending timer runs on it.
struct OnVirtualTime {
    VirtualTime time;
};

// The network interface on virtual time: its sending timer repeats, counts silence and
// expires. Received groups are handed to it as the transport would.
class AcknowledgedSending : public OnVirtualTime, public NetworkOnLoopback {
protected:
    void receive(const QString& body, const QString& sender = "RV0001") {
        UdpMulticastSingleMsg line;
        line.udpSourceTag = UdpSourceTag(sender);
        line.nmeaMessage = sentence(body);
        network.slotHandleUdpMulticast(UdpMulticastParser::parseUdpAsciMsg(line.getBuffer()));
    }
    // Our sentences heard with this text after `seconds` of virtual time.
    qsizetype heardAfter(int seconds, const QString& text) {
        for (int i = 0; i < seconds; ++i) {
            time.advance(udp_multicast_interface::kSendingPeriodMs);
        }
        spinFor(100);
        return qsizetype(navd.parsedContaining(text).size());
    }
    const QString echo =
        QStringLiteral("$PNRVICM,1,15,0,%1").arg(QCoreApplication::applicationPid());
};

TEST_F(AcknowledgedSending, WithoutADisplayASentenceRepeatsEverySecond) {
    network.slotSendSingleMsg(sentence(echo.mid(1)));
    EXPECT_EQ(heardAfter(8, echo), 9);
}

TEST_F(AcknowledgedSending, APairedDisplayIsHeardAtMostFiveSecondsThenAcknowledgedForIt) {
    receive("PNRVIDM,1,1,Request,1.2.1.2," + kMac);
    network.slotSendSingleMsg(sentence(echo.mid(1)));
    EXPECT_EQ(heardAfter(8, echo), 7) << "sent, then repeated until more than 5 s passed";
    EXPECT_EQ(network.waitingForAck().size(), 0);
}

TEST_F(AcknowledgedSending, HeartbeatsKeepADisplayPairedAndIncompleteOnesAreIgnored) {
    receive("PNRVIDM,1,1,Request,1.2.1.2," + kMac);
    heardAfter(50, echo);
    receive("PNRVIDM,1,40,RV0001," + kMac);
    receive("PNRVIDM,1,40,RV0001");
    receive("PNRVIDM,1,0");
    heardAfter(60, echo);
    EXPECT_TRUE(network.isDisplayConnected("RV0001", kMac));
    heardAfter(1, echo);
    EXPECT_FALSE(network.isDisplayConnected("RV0001", kMac));
}

TEST_F(AcknowledgedSending, AFloodOfIdentifiersPairsNoMoreThanABridgeHasDisplays) {
    for (int i = 0; i < 100; ++i) {
        receive("PNRVIDM,1,1,Request,1.2.1.2," + kMac,
                QStringLiteral("RV%1").arg(i, 4, 10, QChar('0')));
    }
    EXPECT_EQ(network.acknowledgements().devices().size(),
              udp_multicast_interface::kMaxPairedDisplays);
}

TEST_F(AcknowledgedSending, AGoodbyeUnpairsAndALostDisplayIsUnpaired) {
    receive("PNRVIDM,1,1,Request,1.2.1.2," + kMac);
    receive("PNRVIDM,1,1,Request,1.2.1.2," + kMac, "RV0002");
    receive("PNRVICM,1,97");
    EXPECT_EQ(network.acknowledgements().devices(), QStringList{"RV0002"});
    network.disconnectFromPaired();
    EXPECT_TRUE(network.acknowledgements().devices().isEmpty());
}
} // namespace
