#include "casename.h"
#include "displaypairing.h"
#include "testdatagram.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const QString kUnit = QStringLiteral("VD0101");
const QString kDisplay = QStringLiteral("II0102");
const QString kOther = QStringLiteral("II0103");

using Step = std::function<void(DisplayPairing&)>;

Step heard(const QStringList& sentences, const QString& source, const QString& destination) {
    const QString text = datagramText(sentences, source, destination);
    return [text](DisplayPairing& p) { p.addDatagramText(text); };
}
// The unit's datagram to everyone, or to one display.
Step unit(const QStringList& sentences, const QString& destination = {}) {
    return heard(sentences, kUnit, destination);
}
// A display's datagram, addressed to the unit as displays do.
Step display(const QStringList& sentences, const QString& source = kDisplay) {
    return heard(sentences, source, kUnit);
}
const Step kSecond = [](DisplayPairing& p) { p.closeSecond(); };

const QStringList kRequest{"PNRVIDM,1,1,Request,1.2.1.2,00:11:22:33:44:55"};
const QStringList kConfirm{"PNRVIDM,1,1,Confirm,1.2.1.2,aa"};
const QStringList kDeny{"PNRVIDM,1,1,Deny,1.2.1.2,aa"};
const QStringList kHeartbeat{"PNRVIDM,1,40,II0102,00:11:22:33:44:55"};
const QStringList kSetup{"PNRVICM,1,15,0,9600,0,1,0,0,1,1,2,1"};
const QStringList kOtherSetup{"PNRVICM,1,15,1,4800,0,1,0,0,1,1,2,1"};
const QStringList kTemperatureAndStandby{"VDMTW,11.8,C", "PNRVICM,1,9,0,1"};

struct PairingCase {
    const char* name;
    QList<Step> steps;
    const char* expected;
};
void PrintTo(const PairingCase& c, std::ostream* os) {
    printCaseName(c, os);
}

class DisplayPairingView : public ::testing::TestWithParam<PairingCase> {};

TEST_P(DisplayPairingView, ShowsWhatTheGroupHeard) {
    DisplayPairing pairing(kUnit);
    for (const Step& step : GetParam().steps) {
        step(pairing);
    }
    EXPECT_EQ(pairing.render(), QLatin1String(GetParam().expected));
}

const PairingCase kPairing[] = {
    {"nothing heard",
     {},
     "Display: not paired, no heartbeat, 0 of the unit's sentences unacknowledged"},
    {"asking a silent unit",
     {display(kRequest), display(kRequest)},
     "Display: not paired (II0102 asking), no heartbeat, 0 of the unit's sentences unacknowledged"},
    {"confirmed by name",
     {display(kRequest, kOther), display(kRequest), unit(kConfirm, kOther)},
     "Display: II0103 paired, no heartbeat, 0 of the unit's sentences unacknowledged"},
    {"a confirmation to everyone is for the display that asked last",
     {display(kRequest, kOther), display(kRequest), unit(kConfirm)},
     "Display: II0102 paired, no heartbeat, 0 of the unit's sentences unacknowledged"},
    {"the heartbeat ages by the second",
     {display(kRequest), unit(kConfirm, kDisplay), display(kHeartbeat), kSecond, kSecond},
     "Display: II0102 paired, heartbeat 2 s ago, 0 of the unit's sentences unacknowledged"},
    {"refused",
     {display(kRequest), unit(kConfirm, kDisplay), display(kHeartbeat), unit(kDeny, kDisplay)},
     "Display: not paired (II0102 asking), heartbeat 0 s ago, 0 of the unit's sentences "
     "unacknowledged"},
    {"another display refused",
     {display(kRequest), unit(kConfirm, kDisplay), unit(kDeny, kOther)},
     "Display: II0102 paired, no heartbeat, 0 of the unit's sentences unacknowledged"},
    {"asking again gives the pairing up",
     {display(kRequest), unit(kConfirm, kDisplay), display(kRequest)},
     "Display: not paired (II0102 asking), no heartbeat, 0 of the unit's sentences unacknowledged"},
};
INSTANTIATE_TEST_SUITE_P(Pairing, DisplayPairingView, ::testing::ValuesIn(kPairing));

const char* const kNoneWaiting =
    "Display: not paired, no heartbeat, 0 of the unit's sentences unacknowledged";

const PairingCase kWaiting[] = {
    {"two setups, a repetition and a datagram with one sentence to acknowledge",
     {unit(kSetup), unit(kOtherSetup), unit(kSetup), unit(kTemperatureAndStandby),
      unit({"VDMTW,11.8,C"})},
     "Display: not paired, no heartbeat, 3 of the unit's sentences unacknowledged"},
    {"each acknowledged by its type",
     {unit(kSetup), unit(kOtherSetup), unit(kTemperatureAndStandby),
      display({"PNRVIDM,1,0,0,ICM15", "PNRVIDM,1,0,1,MTWICM9"})},
     kNoneWaiting},
    {"a datagram's acknowledgement is not a lone sentence's",
     {unit({"PNRVICM,1,9,0,1"}), display({"PNRVIDM,1,0,1,ICM9"})},
     "Display: not paired, no heartbeat, 1 of the unit's sentences unacknowledged"},
    {"the unit's own acknowledgements are not the display's",
     {unit(kSetup), unit({"PNRVIDM,1,0,0,ICM15"}, kDisplay)},
     "Display: not paired, no heartbeat, 1 of the unit's sentences unacknowledged"},
};
INSTANTIATE_TEST_SUITE_P(Waiting, DisplayPairingView, ::testing::ValuesIn(kWaiting));

} // namespace
