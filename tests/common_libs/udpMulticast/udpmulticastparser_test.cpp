#include "logcapture.h"
#include "udpmulticastparser.h"

#include <gtest/gtest.h>

namespace {
const QString kSentence = QStringLiteral("$GPZZZ,1*50\r\n");

// Every error identity the parser reported while running `work`, in order.
template <class Work> QList<int> reportedErrors(Work work) {
    QList<int> errors;
    const QMetaObject::Connection connection =
        QObject::connect(&UdpMulticastParser::errorCounter, &UdpErrorCounter::sigError,
                         [&errors](int errorId) { errors << errorId; });
    work();
    QObject::disconnect(connection);
    return errors;
}

struct LineCase {
    const char* name;
    QString line;
    UdpMsgStatus status;
    QList<int> errors; // empty: the line is good
};
const LineCase kLines[] = {
    {"Good", "\\s:II0102,n:5*07\\" + kSentence, UDP_MSG_OK, {}},
    {"NoCounter", "\\s:II0102*4A\\" + kSentence, UDP_MSG_OK, {}},
    {"LowerCaseChecksum", "\\s:II0102*4a\\" + kSentence, UDP_MSG_OK, {}},
    {"UnknownTagsKept", "\\s:II0102,t:s:VD0101*73\\" + kSentence, UDP_MSG_OK, {}},
    {"NoLeadingBackslash", "s:II0102*4A\\" + kSentence, UDP_ERR_TAG_FORMAT, {73}},
    {"TagBlockNotClosed", "\\s:II0102*4A" + kSentence, UDP_ERR_TAG_FORMAT, {73}},
    // Framing is checked before the checksum, so a broken frame is only a framing fault.
    {"FramingBeforeChecksum", "$GPZZZ,1*50\r\n", UDP_ERR_TAG_FORMAT, {73}},
    {"NoChecksum", "\\s:II0102\\" + kSentence, UDP_ERR_TAG_CRC, {71}},
    {"WrongChecksum", "\\s:II0102*4B\\" + kSentence, UDP_ERR_TAG_CRC, {71}},
    {"StarMisplaced", "\\s:II0102*4A0\\" + kSentence, UDP_ERR_TAG_CRC, {71}},
    {"OneDigitChecksum", "\\s:II0102*4\\" + kSentence, UDP_ERR_TAG_CRC, {71}},
    // The checksum is checked before the tags: a bad block with a bad sum is a sum fault.
    {"ChecksumBeforeTags", "\\s:II01*00\\" + kSentence, UDP_ERR_TAG_CRC, {71}},
    {"ShortSource", "\\s:II01,d:VD0101,n:16*57\\" + kSentence, UDP_ERR_SRC_FORMAT, {72}},
    {"NoSource", "\\n:5*61\\" + kSentence, UDP_MISS_SOURCE, {72}},
    // A value holding "s:" is not a source tag.
    {"SourceInsideValue", "\\t:s:II0102,n:5*49\\" + kSentence, UDP_MISS_SOURCE, {72}},
    {"TwoSources", "\\s:II0102,s:II0103*2D\\" + kSentence, UDP_ERR_TAG_FORMAT, {72}},
    {"ItemWithoutColon", "\\s:II0102,q*17\\" + kSentence, UDP_ERR_TAG_FORMAT, {72}},
    {"EmptyTagBlock", "\\*00\\" + kSentence, UDP_ERR_TAG_FORMAT, {72}},
    {"Counter1000", "\\s:II0102,n:1000*33\\" + kSentence, UDP_ERR_COUNT_FORMAT, {72}},
    {"CounterEmpty", "\\s:II0102,n:*32\\" + kSentence, UDP_ERR_COUNT_FORMAT, {72}},
    {"CounterNegative", "\\s:II0102,n:-1*2E\\" + kSentence, UDP_ERR_COUNT_FORMAT, {72}},
    {"CounterSigned", "\\s:II0102,n:+5*2C\\" + kSentence, UDP_ERR_COUNT_FORMAT, {72}},
    {"CounterNotANumber", "\\s:II0102,n:12a*50\\" + kSentence, UDP_ERR_COUNT_FORMAT, {72}},
    {"CounterLeadingZeros", "\\s:II0102,n:0012*31\\" + kSentence, UDP_MSG_OK, {}},
    {"ShortDestination", "\\s:II0102,d:VD01*2B\\" + kSentence, UDP_ERR_DEST_FORMAT, {72}},
    {"EmptyDestination", "\\s:II0102,d:*38\\" + kSentence, UDP_ERR_DEST_FORMAT, {72}},
    {"GroupIndexZero", "\\s:II0102,g:0-1-5*0F\\" + kSentence, UDP_ERR_GROUP_FORMAT, {72}},
    {"GroupIndexAboveTotal", "\\s:II0102,g:2-1-5*0D\\" + kSentence, UDP_ERR_GROUP_FORMAT, {72}},
    {"GroupWithoutId", "\\s:II0102,g:1-1*16\\" + kSentence, UDP_ERR_GROUP_FORMAT, {72}},
    {"EmptySourceCluster", "\\s:II0102,z:*26\\" + kSentence, UDP_ERR_SRC_CLUST_FORMAT, {72}},
    {"LongSourceCluster",
     "\\s:II0102,z:1234567890123456*20\\" + kSentence,
     UDP_ERR_SRC_CLUST_FORMAT,
     {72}},
    {"Clusters", "\\s:II0102,z:123456789012345,x:CL2,n:999*04\\" + kSentence, UDP_MSG_OK, {}},
    {"SentenceChecksum", "\\s:II0102*4A\\$GPZZZ,1*51\r\n", UDP_MSG_OK, {70}},
    {"SentenceTooLong",
     "\\s:II0102*4A\\$GPZZZ," + QString(90, QLatin1Char('1')) + "\r\n",
     UDP_MSG_OK,
     {74}},
    {"SentenceFormat", "\\s:II0102*4A\\$GPH,1\r\n", UDP_MSG_OK, {76}},
    {"NoSentence", "\\s:II0102*4A\\\r\n", UDP_MSG_OK, {76}}};

// A fault is counted, never logged: a flood of bad datagrams must not become a flood of lines.
TEST(UdpParser, LineReportsOnlyItsFirstFault) {
    for (const LineCase& c : kLines) {
        UdpMulticastSingleMsg line;
        bool ok = false;
        const LogCapture log;
        const QList<int> errors =
            reportedErrors([&] { ok = UdpMulticastParser::parseOneMsg(c.line, line); });
        EXPECT_EQ(ok, c.errors.isEmpty()) << c.name;
        EXPECT_EQ(line.msgStatus, c.status) << c.name;
        EXPECT_EQ(errors, c.errors) << c.name;
        // The same line as a whole datagram.
        UdpMulticastParser::parseUdpAsciMsg(c.line);
        EXPECT_EQ(log.text(), QString()) << c.name;
    }
}

// The tags come back in the order the unit writes them; counters with three digits.
TEST(UdpParser, ReadsEveryTag) {
    UdpMulticastSingleMsg line;
    ASSERT_TRUE(
        UdpMulticastParser::parseOneMsg("\\s:II0102,z:CL1,x:CL2,n:999*0A\\" + kSentence, line));
    EXPECT_EQ(line.tagBlock(), "s:II0102,n:999");
    EXPECT_EQ(line.udpSourceClusterTag.getTag(), "CL1");
    EXPECT_EQ(line.udpDestinationClustertag.getTag(), "CL2");
    EXPECT_EQ(line.nmeaMessage->receivedText(), kSentence);
    UdpMulticastSingleMsg grouped;
    ASSERT_TRUE(UdpMulticastParser::parseOneMsg("\\s:II0102,g:2-2-7,d:VD0101,n:4*20\\" + kSentence,
                                                grouped));
    EXPECT_EQ(grouped.tagBlock(), "g:2-2-7,s:II0102,d:VD0101,n:004");
}

struct DatagramCase {
    const char* name;
    QString text;
    bool valid;
    qsizetype lines;
    QList<int> errors;
};

const QString kGood = "\\s:II0102,n:5*07\\" + kSentence;
const QString kBadTags = "\\s:II0102,n:1000*33\\" + kSentence;

// A datagram of good lines whose text is exactly `length` characters long.
QString goodDatagramOfLength(qsizetype length) {
    const QString pad = "\\s:II0102*4A\\$GPZZZ,";
    QString text;
    while (text.size() + kGood.size() + pad.size() + 2 + 1 <= length) {
        text += kGood;
    }
    const qsizetype fill = length - text.size() - pad.size() - 2;
    return text + pad + QString(fill, QLatin1Char('1')) + "\r\n";
}

const DatagramCase kDatagrams[] = {
    {"OneLine", kGood, true, 1, {}},
    {"ThreeLines", kGood + kGood + kGood, true, 3, {}},
    {"OneBadLineOfThree", kGood + kBadTags + kGood, false, 3, {72}},
    {"EachBadLineCounted", kBadTags + kBadTags, false, 2, {72, 72}},
    // Text after the last line end is a fault of the datagram, not of a line.
    {"TextAfterLastLine", kGood + "\\s:II0102", false, 1, {}},
    {"NoLineEnd", "\\s:II0102*4A\\$GPZZZ,1*50", false, 0, {}},
    {"Empty", "", false, 0, {}},
    {"Exactly1454", goodDatagramOfLength(1454), true, 48, {}},
    {"Length1455", goodDatagramOfLength(1455), false, 48, {75}},
    {"OverlongStillCountsLines", goodDatagramOfLength(1455) + kBadTags, false, 49, {75, 72}}};

TEST(UdpParser, OneBadLineDropsTheWholeDatagram) {
    for (const DatagramCase& c : kDatagrams) {
        std::unique_ptr<UdpMulticastGroupMsg> group;
        const QList<int> errors =
            reportedErrors([&] { group = UdpMulticastParser::parseUdpAsciMsg(c.text); });
        EXPECT_EQ(group->bValid, c.valid) << c.name;
        EXPECT_EQ(group->msgsList.size(), c.lines) << c.name;
        EXPECT_EQ(errors, c.errors) << c.name;
    }
}

struct SourceCase {
    const char* name;
    QString text;
    QString source; // empty: not recognised
};
const SourceCase kSources[] = {
    {"Single", "\\s:II0102,n:5*07\\" + kSentence, "II0102"},
    {"AfterGroupTag", "\\g:1-2-44,s:II0102*38\\" + kSentence + kGood, "II0102"},
    {"OnlyTheFirstLineCounts", "\\s:II0102*4B\\" + kSentence + kGood, ""},
    {"WrongChecksum", "\\s:II0102*4B\\" + kSentence, ""},
    {"NotClosed", "\\s:II0102*4A" + kSentence, ""},
    {"NoTagBlock", kSentence, ""},
    {"NoSource", "\\n:5*61\\" + kSentence, ""},
    {"EmptyOtherTag", "\\t:,s:II0102*28\\" + kSentence, "II0102"},
    {"Empty", "", ""},
    {"SourceTwice", "\\s:II0102,s:VD0001*3C\\" + kSentence, ""},
    {"ItemWithoutValue", "\\s:II0102,x*1E\\" + kSentence, ""},
    // The text ends at a NUL, as the receiver reads it.
    {"NulInTheSource", "\\s:II01" + QString(QChar(0)) + "02*4A\\" + kSentence, ""}};

// The receive filter's quick look: only a sound first tag block names a source, and looking
// counts no fault.
TEST(UdpParser, FirstSourceIsNamedOnlyBySoundFirstTagBlock) {
    for (const SourceCase& c : kSources) {
        QString source;
        const QByteArray lines = c.text.toLatin1();
        const QList<int> errors =
            reportedErrors([&] { source = UdpMulticastParser::firstSourceTag(lines); });
        EXPECT_EQ(source, c.source) << c.name;
        EXPECT_TRUE(errors.isEmpty()) << c.name;
    }
}
} // namespace
