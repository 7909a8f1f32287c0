#include "msgalc.h"
#include "multicastsocket.h"
#include "multicasttesting.h"
#include "nmeasettings.h"
#include "udpmulticastcreator.h"
#include "udpmulticastparser.h"

#include <gtest/gtest.h>

namespace {
class CreatorTest : public ::testing::Test {
protected:
    void SetUp() override { NmeaSettings::setSourceSfi(QStringLiteral("VD0101")); }
    void TearDown() override { NmeaSettings::setSourceSfi(QStringLiteral("VD0101")); }
};

QString withCounter(UdpMulticastSingleMsg line, quint16 counter) {
    line.udpCounterTag = UdpCounterTag(counter);
    return line.getBuffer();
}

// Tag checksums were computed outside the project (XOR of the tag block).
TEST_F(CreatorTest, LineIsGroupSourceDestinationCounterThenTheSentence) {
    using Creator = UdpMulticastCreator;
    const UdpDestinationTag destination(QStringLiteral("II0102"));
    const std::pair<QString, const char*> cases[] = {
        {withCounter(Creator::createSingleMsg(fixedSentence()), 7),
         "\\s:VD0101,n:007*14\\$GPZZZ,1*50\r\n"},
        {withCounter(Creator::createSingleMsg(fixedSentence(), UdpGroupTag(1, 3, 1)), 1),
         "\\g:1-3-1,s:VD0101,n:001*50\\$GPZZZ,1*50\r\n"},
        {withCounter(Creator::createSingleMsg(fixedSentence(), UdpGroupTag(2, 12, 99), destination),
                     999),
         "\\g:2-12-99,s:VD0101,d:II0102,n:999*2B\\$GPZZZ,1*50\r\n"},
        {withCounter(Creator::createSingleMsg(fixedSentence(), destination), 0),
         "\\s:VD0101,d:II0102,n:000*62\\$GPZZZ,1*50\r\n"},
    };
    for (const auto& [line, expected] : cases) {
        EXPECT_EQ(line, expected);
    }
    // The display may give the unit a new identifier at run time; the next line carries it.
    NmeaSettings::setSourceSfi(QStringLiteral("VD0207"));
    EXPECT_EQ(Creator::createSingleMsg(fixedSentence()).udpSourceTag.getTag(), "VD0207");
}

// Takes `steps` values from `next` after a first one: each is the one before plus 1, except
// exactly once, where `last` is followed by `first`.
template <class Next> void expectWrapsOnce(Next next, quint16 first, quint16 last, int steps) {
    quint16 previous = next();
    int wraps = 0;
    for (int i = 0; i < steps; ++i) {
        const quint16 current = next();
        EXPECT_GE(current, first);
        EXPECT_LE(current, last);
        if (previous == last) {
            EXPECT_EQ(current, first);
            ++wraps;
        } else {
            EXPECT_EQ(current, previous + 1);
        }
        previous = current;
    }
    EXPECT_EQ(wraps, 1);
}

TEST_F(CreatorTest, LineCounterWrapsFrom999To000AndGroupIdFrom99To1) {
    expectWrapsOnce(
        [] { return UdpMulticastCreator::createSingleMsg(fixedSentence()).udpCounterTag->counter; },
        0, 999, 1001);
    expectWrapsOnce(
        [] {
            return UdpMulticastCreator::createGroupMessage({fixedSentence()})
                .msgsList[0]
                .udpGroupTag->groupID;
        },
        1, 99, 100);
}

// What the unit sends, its peers must read back unchanged: one group id for the lines of a
// group, consecutive counters, and the next group one id on.
TEST_F(CreatorTest, ParserReadsBackWhatTheCreatorBuilds) {
    const UdpMulticastGroupMsg sent = UdpMulticastCreator::createGroupMessage(
        {fixedSentence(), fixedSentence("$GPZZZ,2*53\r\n"), fixedSentence()},
        UdpDestinationTag("II0102"));
    const auto received = UdpMulticastParser::parseUdpAsciMsg(sent.getBuffer());
    ASSERT_TRUE(received->bValid);
    ASSERT_EQ(received->msgsList.size(), 3);
    const UdpGroupTag& first = *received->msgsList[0].udpGroupTag;
    for (qsizetype i = 0; i < 3; ++i) {
        const UdpMulticastSingleMsg& line = received->msgsList[i];
        EXPECT_EQ(line.tagBlock(), sent.msgsList[i].tagBlock());
        EXPECT_EQ(line.nmeaMessage->receivedText(), sent.msgsList[i].nmeaMessage->getMsgBuffer());
        EXPECT_EQ(line.udpGroupTag->getTag(),
                  QStringLiteral("%1-3-%2").arg(i + 1).arg(first.groupID));
        EXPECT_EQ(line.udpDestinationTag->getTag(), "II0102");
        EXPECT_EQ(line.udpCounterTag->counter,
                  (received->msgsList[0].udpCounterTag->counter + i) % 1000);
    }
    EXPECT_EQ(sent.getCompletMsgArray().left(6), QByteArray("UdPbC", 6));
    EXPECT_FALSE(sent.getCompletMsgArray().endsWith('\0'));
    const UdpMulticastGroupMsg next =
        UdpMulticastCreator::createGroupMessageNoDest({fixedSentence()});
    EXPECT_EQ(next.msgsList[0].udpGroupTag->groupID, first.groupID == 99 ? 1 : first.groupID + 1);
    EXPECT_FALSE(next.msgsList[0].udpDestinationTag.has_value());
}

// A receiver takes a datagram only when every line has its own tag block; the sentences of
// one list must also arrive as one group, so that none is taken without the others.
TEST_F(CreatorTest, AlertListReachesReceiversAsOneLinePerSentenceInOneGroup) {
    for (const auto& [entries, sentenceCount] : {std::pair{1, 1}, {7, 2}, {13, 3}}) {
        auto list = std::make_shared<MsgALC>();
        for (int instance = 1; instance <= entries; ++instance) {
            list->addSentence(MsgSingleALC(QString(), 3032, instance, 1));
        }
        const QStringList sentences = list->sentences();
        ASSERT_EQ(sentences.size(), sentenceCount) << "the list must need that many sentences";
        const std::optional<QString> text = MulticastSocket::datagramText(
            UdpMulticastCreator::createSingleDatagram(list, UdpDestinationTag("CA1235"))
                .getCompletMsgArray());
        ASSERT_TRUE(text.has_value());
        const auto received = UdpMulticastParser::parseUdpAsciMsg(*text);
        ASSERT_TRUE(received->bValid);
        ASSERT_EQ(received->msgsList.size(), sentenceCount);
        for (int i = 0; i < sentenceCount; ++i) {
            const UdpMulticastSingleMsg& line = received->msgsList[i];
            EXPECT_EQ(line.nmeaMessage->receivedText(), sentences[i]);
            EXPECT_EQ(line.udpDestinationTag->getTag(), "CA1235");
            EXPECT_EQ(line.udpGroupTag.has_value(), sentenceCount > 1);
            if (sentenceCount > 1) {
                EXPECT_EQ(line.udpGroupTag->getTag(),
                          QStringLiteral("%1-%2-%3")
                              .arg(i + 1)
                              .arg(sentenceCount)
                              .arg(received->msgsList[0].udpGroupTag->groupID));
            }
        }
    }
}
} // namespace
