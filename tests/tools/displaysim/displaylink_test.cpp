#include "casename.h"
#include "displaylink.h"
#include "linewriter.h"
#include "multicastsocket.h"
#include "testdatagram.h"
#include "udp_61162_450.h"

#include <gtest/gtest.h>

namespace {

const QString kUnit = QStringLiteral("VD0101");
const QString kDisplay = QStringLiteral("II0102");
const char* const kHeartbeat = "PNRVIDM,1,40,II0102,00:11:22:33:44:55";

// A datagram from `source` to `destination`, empty for everyone.
struct Heard {
    Heard(QStringList sentences, QString source = kUnit, QString destination = {})
        : sentences(std::move(sentences)), source(std::move(source)),
          destination(std::move(destination)) {}
    QStringList sentences;
    QString source;
    QString destination;
};

struct LinkCase {
    const char* name;
    bool acknowledging;
    std::vector<Heard> heard;
    QStringList sent; // bodies, after the first pairing request
    QStringList reported;
};
void PrintTo(const LinkCase& c, std::ostream* os) {
    printCaseName(c, os);
}

class Link : public ::testing::TestWithParam<LinkCase> {};

TEST_P(Link, AnswersOnlyTheUnitAndOnlyWhatIsForIt) {
    QStringList sent;
    QStringList reported;
    DisplayLink link(
        DisplayIdentity{},
        [&](const NmeaMessagePtr& sentence) { sent << sentence->getMsgBuffer(); },
        [&](const QString& text) { reported << text; });
    link.setAcknowledging(GetParam().acknowledging);
    link.start(0);
    ASSERT_EQ(sent, QStringList{NmeaMessage::addCrcToMsgBuffer(
                        QStringLiteral("PNRVIDM,1,1,Request,1.2.1.2,00:11:22:33:44:55"))});
    sent.clear();
    reported.clear();

    for (const Heard& heard : GetParam().heard) {
        link.onDatagram(*heardDatagram(heard.sentences, heard.source, heard.destination), 1000);
        link.onTime(1000);
    }
    QStringList expected;
    for (const QString& body : GetParam().sent) {
        expected << NmeaMessage::addCrcToMsgBuffer(body);
    }
    EXPECT_EQ(sent, expected);
    EXPECT_EQ(reported, GetParam().reported);
}

const char* const kSetup = "PNRVICM,1,15,0,9600,0,1,0,0,1,1,2,1";
const char* const kConfirm = "PNRVIDM,1,1,Confirm,1.2.1.2,aa:bb:cc:dd:ee:ff";

const LinkCase kCases[] = {
    {"a setup sent to everyone", true, {{{kSetup}}}, {"PNRVIDM,1,0,0,ICM15"}, {"acked ICM15"}},
    {"a datagram with a setup in it, sent to this display",
     true,
     {{{"VDMTW,11.8,C", kSetup}, kUnit, kDisplay}},
     {"PNRVIDM,1,0,1,MTWICM15"},
     {"acked datagram MTWICM15"}},
    {"a setup sent to another display", true, {{{kSetup}, kUnit, "II0103"}}, {}, {}},
    {"a setup from another display", true, {{{kSetup}, "II0103"}}, {}, {}},
    {"acknowledgements switched off", false, {{{kSetup}}}, {}, {}},
    {"the unit confirms: the heartbeat follows at once",
     true,
     {{{kConfirm}, kUnit, kDisplay}},
     {kHeartbeat},
     {"paired with VD0101 (version 1.2.1.2, MAC aa:bb:cc:dd:ee:ff)", "heartbeat"}},
    {"another display's confirmation is not this display's",
     true,
     {{{kConfirm}, "II0103", kDisplay}, {{kConfirm}, kUnit, "II0103"}},
     {},
     {}},
    {"the unit refuses",
     true,
     {{{"PNRVIDM,1,1,Deny,1.2.1.3,aa"}}},
     {},
     {"denied by VD0101 (version 1.2.1.3, MAC aa)"}},
    {"the unit acknowledges a command",
     true,
     {{{"PNRVIDM,1,0,0,ICM9"}, kUnit, kDisplay}},
     {},
     {"the unit acknowledged ICM9"}},
};
INSTANTIATE_TEST_SUITE_P(Datagrams, Link, ::testing::ValuesIn(kCases));

// Every datagram the display writes passes the unit's receive filter, also once its line
// counter has come round.
TEST(LineWriter, EveryLineReachesTheUnit) {
    LineWriter writer(kDisplay, kUnit);
    const QString sentence = NmeaMessage::addCrcToMsgBuffer(QLatin1String(kHeartbeat));
    for (int i = 0; i <= 1000; ++i) {
        const std::optional<QString> text =
            MulticastSocket::datagramText(writer.datagram(sentence));
        ASSERT_TRUE(text);
        const auto datagram = UdpMulticastParser::parseUdpAsciMsg(*text);
        ASSERT_TRUE(UDP_61162_450::acceptsGroup(*datagram, kUnit, false)) << qPrintable(*text);
        EXPECT_EQ(datagram->msgsList.front().udpCounterTag->counter, i % 1000);
        EXPECT_EQ(datagram->msgsList.front().nmeaMessage->receivedText(), sentence);
    }
}

} // namespace
