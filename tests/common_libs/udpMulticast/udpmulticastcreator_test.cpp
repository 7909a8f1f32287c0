#include "casename.h"
#include "fixedsentence.h"
#include "msgalc.h"
#include "multicastsocket.h"
#include "nmeasettings.h"
#include "udpmulticastcreator.h"
#include "udpmulticastparser.h"

#include <gtest/gtest.h>

namespace {
// The counter the creator will give the next line.
quint16 nextCounter() {
    return UdpMulticastCreator::createSingleMsg(fixedSentence()).udpCounterTag->counter;
}

class CreatorTest : public ::testing::Test {
protected:
    void SetUp() override { NmeaSettings::setSourceSfi(QStringLiteral("VD0101")); }
    void TearDown() override { NmeaSettings::setSourceSfi(QStringLiteral("VD0101")); }
};

struct TagCase {
    const char* name;
    QString rendered;
    QString expected;
};
void PrintTo(const TagCase& c, std::ostream* os) {
    printCaseName(c, os);
}

class TagTable : public ::testing::TestWithParam<TagCase> {};

TEST_P(TagTable, RendersTheWireText) {
    EXPECT_EQ(GetParam().rendered, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Tags, TagTable,
    ::testing::Values(
        TagCase{"Source", UdpSourceTag("VD0101").getBuffer(), "s:VD0101"},
        TagCase{"SourceFromNumber", UdpSourceTag("VD", 1).getBuffer(), "s:VD0001"},
        TagCase{"DestinationFromNumber", UdpDestinationTag("II", 102).getBuffer(), "d:II0102"},
        TagCase{"Group", UdpGroupTag(1, 12, 99).getBuffer(), "g:1-12-99"},
        TagCase{"CounterPadded", UdpCounterTag(7).getBuffer(), "n:007"},
        TagCase{"CounterZero", UdpCounterTag(0).getBuffer(), "n:000"},
        TagCase{"CounterFull", UdpCounterTag(999).getBuffer(), "n:999"},
        TagCase{"SourceCluster", UdpSourceClusterTag("C1").getBuffer(), "z:C1"},
        TagCase{"DestinationCluster", UdpDestinationClusterTag("C2").getBuffer(), "x:C2"}));

TEST_F(CreatorTest, SingleLineCarriesSourceAndCounter) {
    NmeaSettings::setSourceSfi(QStringLiteral("VD0001"));
    UdpMulticastSingleMsg line = UdpMulticastCreator::createSingleMsgNoDest(fixedSentence());
    line.udpCounterTag = UdpCounterTag(7);
    EXPECT_EQ(line.getBuffer(), "\\s:VD0001,n:007*15\\$GPZZZ,1*50\r\n");
    EXPECT_EQ(line.getCompletMsgArray(),
              QByteArray("UdPbC", 6) + "\\s:VD0001,n:007*15\\$GPZZZ,1*50\r\n");
}

TEST_F(CreatorTest, GroupTagComesFirstAndChecksumCoversOnlyTags) {
    UdpMulticastSingleMsg line =
        UdpMulticastCreator::createSingleMsg(fixedSentence(), UdpGroupTag(1, 3, 1));
    line.udpCounterTag = UdpCounterTag(1);
    EXPECT_EQ(line.getBuffer(), "\\g:1-3-1,s:VD0101,n:001*50\\$GPZZZ,1*50\r\n");
}

TEST_F(CreatorTest, DestinationFollowsSource) {
    const UdpMulticastSingleMsg line = UdpMulticastCreator::createSingleMsg(
        fixedSentence(), UdpGroupTag(2, 2, 5), UdpDestinationTag("II0102"));
    EXPECT_TRUE(line.tagBlock().startsWith("g:2-2-5,s:VD0101,d:II0102,n:"))
        << line.tagBlock().toStdString();
    EXPECT_EQ(UdpMulticastCreator::createSingleMsgWithPairedDest(fixedSentence())
                  .udpDestinationTag->getTag(),
              "ER0001");
}

// The display may give the unit a new identifier at run time; the next line must carry it.
TEST_F(CreatorTest, SourceIsReadAtEachLine) {
    EXPECT_EQ(UdpMulticastCreator::createSingleMsg(fixedSentence()).udpSourceTag.getTag(),
              "VD0101");
    NmeaSettings::setSourceSfi(QStringLiteral("VD0207"));
    EXPECT_EQ(UdpMulticastCreator::createSingleMsg(fixedSentence()).udpSourceTag.getTag(),
              "VD0207");
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

TEST_F(CreatorTest, LineCounterWrapsFrom999To000) {
    expectWrapsOnce(nextCounter, 0, 999, 1001);
}

TEST_F(CreatorTest, GroupIdWrapsFrom99To1) {
    expectWrapsOnce(
        [] {
            return UdpMulticastCreator::createGroupMessage({fixedSentence()})
                .msgsList[0]
                .udpGroupTag->groupID;
        },
        1, 99, 100);
}

TEST_F(CreatorTest, GroupLinesShareOneIdAndTheNextGroupSteps) {
    const UdpMulticastGroupMsg group = UdpMulticastCreator::createGroupMessageNoDest(
        {fixedSentence(), fixedSentence(), fixedSentence()});
    ASSERT_EQ(group.msgsList.size(), 3);
    const quint16 id = group.msgsList[0].udpGroupTag->groupID;
    for (quint16 i = 0; i < 3; ++i) {
        const UdpMulticastSingleMsg& line = group.msgsList[i];
        EXPECT_EQ(line.udpGroupTag->getTag(), QStringLiteral("%1-3-%2").arg(i + 1).arg(id));
        EXPECT_FALSE(line.udpDestinationTag.has_value());
        if (i > 0) {
            EXPECT_EQ(line.udpCounterTag->counter,
                      (group.msgsList[i - 1].udpCounterTag->counter + 1) % 1000);
        }
    }
    const UdpMulticastGroupMsg next = UdpMulticastCreator::createGroupMessageWithDest(
        {fixedSentence()}, UdpDestinationTag("II0102"));
    EXPECT_EQ(next.msgsList[0].udpGroupTag->groupID, id == 99 ? 1 : id + 1);
    EXPECT_EQ(next.msgsList[0].udpDestinationTag->getTag(), "II0102");
}

// What the unit sends, its peers must read back unchanged.
TEST_F(CreatorTest, ParserReadsBackWhatTheCreatorBuilds) {
    const UdpMulticastGroupMsg sent = UdpMulticastCreator::createGroupMessage(
        {fixedSentence(), fixedSentence("$GPZZZ,2*53\r\n")}, UdpDestinationTag("II0102"));
    const auto received = UdpMulticastParser::parseUdpAsciMsg(sent.getBuffer());
    ASSERT_TRUE(received->bValid);
    ASSERT_EQ(received->msgsList.size(), 2);
    for (qsizetype i = 0; i < 2; ++i) {
        EXPECT_EQ(received->msgsList[i].tagBlock(), sent.msgsList[i].tagBlock());
        EXPECT_EQ(received->msgsList[i].nmeaMessage->receivedText(),
                  sent.msgsList[i].nmeaMessage->getMsgBuffer());
    }
    EXPECT_EQ(sent.getCompletMsgArray().left(6), QByteArray("UdPbC", 6));
    EXPECT_FALSE(sent.getCompletMsgArray().endsWith('\0'));
}

struct AlertListCase {
    const char* name;
    int entries;
    int sentences;
};
void PrintTo(const AlertListCase& c, std::ostream* os) {
    printCaseName(c, os);
}

class AlertListOnItsOwn : public CreatorTest, public ::testing::WithParamInterface<AlertListCase> {
protected:
    static std::shared_ptr<MsgALC> alertList(int entries) {
        auto list = std::make_shared<MsgALC>();
        for (int instance = 1; instance <= entries; ++instance) {
            list->addSentence(MsgSingleALC(QString(), 3032, instance, 1));
        }
        return list;
    }
};

// A receiver takes a datagram only when every line has its own tag block; the sentences of
// one list must also arrive as one group, so that none is taken without the others.
TEST_P(AlertListOnItsOwn, ReachesReceiversAsOneLinePerSentenceInOneGroup) {
    const AlertListCase& c = GetParam();
    const std::shared_ptr<MsgALC> list = alertList(c.entries);
    const QStringList sentences = list->sentences();
    ASSERT_EQ(sentences.size(), c.sentences) << "the list must need that many sentences";

    const QByteArray datagram =
        UdpMulticastCreator::createSingleDatagram(list, UdpDestinationTag("CA1235"))
            .getCompletMsgArray();
    const std::optional<QString> text = MulticastSocket::datagramText(datagram);
    ASSERT_TRUE(text.has_value());
    const auto received = UdpMulticastParser::parseUdpAsciMsg(*text);

    ASSERT_TRUE(received->bValid);
    ASSERT_EQ(received->msgsList.size(), c.sentences);
    const UdpMulticastSingleMsg& first = received->msgsList[0];
    for (int i = 0; i < c.sentences; ++i) {
        const UdpMulticastSingleMsg& line = received->msgsList[i];
        EXPECT_EQ(line.nmeaMessage->receivedText(), sentences[i]);
        ASSERT_TRUE(line.udpDestinationTag.has_value());
        EXPECT_EQ(line.udpDestinationTag->getTag(), "CA1235");
        if (c.sentences == 1) {
            EXPECT_FALSE(line.udpGroupTag.has_value());
            continue;
        }
        ASSERT_TRUE(line.udpGroupTag.has_value());
        EXPECT_EQ(line.udpGroupTag->groupIndex, i + 1);
        EXPECT_EQ(line.udpGroupTag->groupTotal, c.sentences);
        EXPECT_EQ(line.udpGroupTag->groupID, first.udpGroupTag->groupID);
    }
}

INSTANTIATE_TEST_SUITE_P(Alerts, AlertListOnItsOwn,
                         ::testing::Values(AlertListCase{"OneSentence", 1, 1},
                                           AlertListCase{"TwoSentences", 7, 2},
                                           AlertListCase{"ThreeSentences", 13, 3}));
} // namespace
