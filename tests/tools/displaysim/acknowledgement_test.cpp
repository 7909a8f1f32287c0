#include "acknowledgement.h"
#include "casename.h"
#include "testdatagram.h"

#include <gtest/gtest.h>

namespace {

struct OwedCase {
    const char* name;
    QStringList sentences; // one datagram from the unit
    const char* owed;      // the acknowledgement's body, empty for none
};
void PrintTo(const OwedCase& c, std::ostream* os) {
    printCaseName(c, os);
}

class OwedAcknowledgement : public ::testing::TestWithParam<OwedCase> {};

TEST_P(OwedAcknowledgement, NamesEveryTypeOfTheDatagram) {
    const auto datagram = heardDatagram(GetParam().sentences, QStringLiteral("VD0101"));
    ASSERT_TRUE(datagram->bValid);
    const std::optional<Acknowledgement::Owed> ack = Acknowledgement::owedFor(*datagram);
    const QString owed = QLatin1String(GetParam().owed);
    if (owed.isEmpty()) {
        EXPECT_FALSE(ack) << qPrintable(ack->types);
    } else {
        ASSERT_TRUE(ack);
        EXPECT_EQ(ack->sentence()->getMsgBuffer(), NmeaMessage::addCrcToMsgBuffer(owed));
    }
}

const OwedCase kSingles[] = {
    {"output channel setup", {"PNRVICM,1,15,0,9600,0,1,0,0,1,1,2,1"}, "PNRVIDM,1,0,0,ICM15"},
    {"vessel setup as text", {"PNRVIDM,1,11,a,b"}, "PNRVIDM,1,0,0,IDM11"},
    {"alarm list", {"PNRVALRS,0,Sensor Comm,1,,0,,0,,0,,0"}, "PNRVIDM,1,0,0,ALRS"},
    {"dimming in the approved form", {"IIDDC,D,50,K,C"}, "PNRVIDM,1,0,0,DDC"},
    // The command number decides, not the digits it starts with, nor the identifier alone.
    {"a command number that only starts like one", {"PNRVICM,1,150"}, ""},
    {"a command number that is the start of one", {"PNRVICM,1,2,5"}, ""},
    {"the same number as text command", {"PNRVIDM,1,15,x"}, ""},
    {"the same number as integer command", {"PNRVICM,1,11,1"}, "PNRVIDM,1,0,0,ICM11"},
    {"an acknowledgement", {"PNRVIDM,1,0,0,ICM15"}, ""},
    {"output data", {"VDVBW,3.0,-4.0,A,6.0,8.0,A,,V,,V"}, ""},
};
INSTANTIATE_TEST_SUITE_P(Single, OwedAcknowledgement, ::testing::ValuesIn(kSingles));

const OwedCase kGroups[] = {
    {"one line of several needs it",
     {"VDVBW,3.0,-4.0,A,6.0,8.0,A,,V,,V", "PNRVICM,1,9,0,1", "VDMTW,11.8,C"},
     "PNRVIDM,1,0,1,VBWICM9MTW"},
    {"several lines need it", {"PNRVICM,1,24,1,2", "PNRVICM,1,25,3"}, "PNRVIDM,1,0,1,ICM24ICM25"},
    {"none needs it", {"VDVBW,3.0,-4.0,A,6.0,8.0,A,,V,,V", "VDMTW,11.8,C"}, ""},
};
INSTANTIATE_TEST_SUITE_P(Group, OwedAcknowledgement, ::testing::ValuesIn(kGroups));

} // namespace
