#include "freshunit.h"
#include "kc40_aux_handler.h"
#include "msgicm.h"
#include "platformtimer.h"
#include "signallog.h"
#include "speedpulsetrain.h"
#include "systemsetup.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <tuple>

namespace {

TEST(SpeedPulses, PauseAfterEachPulseFollowsSpeedAndPulsesPerMile) {
    const std::tuple<const char*, std::optional<float>, int, qint64> cases[] = {
        {"10 kn: 2000 pulses an hour", 10.0f, 200, 1740},
        {"astern counts as ahead", -10.0f, 200, 1740},
        {"too slow for one pulse: the slowest rate", 0.001f, 200, 29940},
        {"no pulses per mile: the slowest rate", 10.0f, 0, 29940},
        {"no valid speed", std::nullopt, 200, 29940},
        {"exactly one pulse per 60 ms", 300.0f, 200, 0},
        {"faster than one pulse per 60 ms", 400.0f, 200, 0},
    };
    for (const auto& [name, knots, perMile, pause] : cases) {
        EXPECT_EQ(SpeedPulseTrain::pauseMs(knots, perMile), pause) << name;
    }
}

// The unit's terminals on a virtual board, on virtual time; the speeds in the test's hand.
class AuxHandler : public ::testing::Test {
protected:
    static constexpr const char* kAux1 = "/sys/class/gpio/pioA20/value";
    static constexpr const char* kAux2 = "/sys/class/gpio/pioA16/value";
    static constexpr const char* kAux3 = "/sys/class/gpio/pioA17/value";

    void wire(const QByteArray& terminals = {}) {
        if (!terminals.isEmpty()) {
            root.writeFile("/opt/setup_files/kc40_aux_setup", terminals);
        }
        aux = std::make_unique<KC40_AUX_Handler>(
            *SystemSetup::getInstance(),
            KC40_AUX_Handler::Speeds{[this] { return stw; }, [this] { return sog; }});
        log.on(aux.get(), &KC40_AUX_Handler::sigSendSingleOnUdpOutput, "udp",
               &KC40_AUX_Handler::sigOnAlarmAcked, "ack", &KC40_AUX_Handler::sigOnAlarmSilenced,
               "silence");
    }
    QByteArray pin(const char* file) const { return root.readFile(file).trimmed(); }
    // The pin's level after each step of time.
    std::string levels(const char* file, const QList<qint64>& steps) {
        std::string seen;
        for (const qint64 step : steps) {
            time.advance(step);
            seen += pin(file).toStdString();
        }
        return seen;
    }
    void standby(bool on) {
        SystemSetup::getInstance()->confirmSystemStandby(on);
        aux->slotStandbyConfirmed(on);
    }

    FreshUnitRoot root;
    VirtualTime time;
    std::optional<float> stw;
    std::optional<float> sog;
    std::unique_ptr<KC40_AUX_Handler> aux;
    SignalLog log;
};

const QByteArray kBeeperAndRelay =
    R"([{"auxName":"Aux1","functionName":"AlarmBeepOutput","pinName":"A20","pinNumber":20},)"
    R"({"auxName":"Aux2","functionName":"AlarmOutput","pinName":"A16","pinNumber":16},)"
    R"({"auxName":"Aux3","functionName":"PowerFailureOutput","pinName":"A17","pinNumber":17},)"
    R"({"auxName":"Aux4","functionName":"Alarm acknowledge","pinName":"A21","pinNumber":21,)"
    R"("auxDirection":1}])";

// The driver inverts every terminal but the third: a pulse pulls Aux2's pin low.
TEST_F(AuxHandler, SpeedPulsesFollowTheSpeedThroughTheWater) {
    stw = 10.0f;
    wire();
    EXPECT_EQ(pin(kAux3), "1") << "power present";
    EXPECT_EQ(levels(kAux2, {999, 1, 59, 1, 1739, 1, 60}), "1001101");
    stw = std::nullopt;
    EXPECT_EQ(levels(kAux2, {1739, 1, 59, 1, 29939, 1}), "100110");
}

// Far beyond one pulse per 60 ms the pulses follow each other without pause, and go on.
TEST_F(AuxHandler, AnImpossibleRateKeepsThePulsesGoing) {
    sog = 500.0f;
    wire();
    EXPECT_EQ(levels(kAux1, {1030, 60, 60, 6000}), "0000");
    sog = 10.0f;
    EXPECT_EQ(levels(kAux1, {1800, 1800}), "00") << "a pulse every 1800 ms again";
}

TEST_F(AuxHandler, StandbyStopsThePulsesAndWakingStartsThem) {
    stw = 10.0f;
    wire();
    time.advance(1010);
    standby(true);
    EXPECT_EQ(pin(kAux3), "0") << "every output inactive";
    EXPECT_EQ(levels(kAux2, {1000, 30000}), "11");
    standby(false);
    EXPECT_EQ(pin(kAux3), "1");
    EXPECT_EQ(levels(kAux2, {999, 1, 60}), "101");
}

// Each alert to acknowledge: two beeps of 600 ms, 400 ms apart, and the relay open as long as
// one waits. A silenced alarm leaves both alone.
TEST_F(AuxHandler, AnAlarmBeepsTwiceAndOpensTheRelayUnlessSilenced) {
    wire(kBeeperAndRelay);
    EXPECT_EQ(pin(kAux2), "0") << "relay closed: no alarm";
    aux->slotSetAlarmAuxOutput(true);
    EXPECT_EQ(pin(kAux2), "1");
    EXPECT_EQ(levels(kAux1, {0, 599, 1, 399, 1, 599, 1, 5000}), "00110011");
    aux->slotSetAlarmAuxOutput(false);
    EXPECT_EQ(pin(kAux2), "0");

    aux->slotSilenceAlarmBeepOutput(true);
    aux->slotSetAlarmAuxOutput(true);
    EXPECT_EQ(pin(kAux2), "0") << "relay as it was";
    EXPECT_EQ(levels(kAux1, {0, 300, 1000}), "111") << "no beep";
    aux->slotSilenceAlarmBeepOutput(false);
    aux->slotSetAlarmAuxOutput(true);
    EXPECT_EQ(levels(kAux1, {0, 600}), "01");
}

// An alert raised again while the beeper sounds starts its two beeps afresh.
TEST_F(AuxHandler, ANewAlarmDuringABeepGivesTwoFullBeeps) {
    wire(kBeeperAndRelay);
    aux->slotSetAlarmAuxOutput(true);
    time.advance(300);
    aux->slotSetAlarmAuxOutput(true);
    EXPECT_EQ(levels(kAux1, {0, 599, 1, 399, 1, 599, 1}), "0011001");
}

// The ping output follows each measurement: high 40 ms after it, for 300 ms.
TEST_F(AuxHandler, ThePingOutputPulsesAfterEachMeasurement) {
    wire(R"([{"auxName":"Aux1","functionName":"Ping out","pinName":"A20","pinNumber":20},)"
         R"({"auxName":"Aux2","functionName":"Disabled","pinName":"A16","pinNumber":16},)"
         R"({"auxName":"Aux3","functionName":"PowerFailureOutput","pinName":"A17","pinNumber":17},)"
         R"({"auxName":"Aux4","functionName":"Alarm acknowledge","pinName":"A21","pinNumber":21,)"
         R"("auxDirection":1}])");
    aux->slotDatReceived(false);
    EXPECT_EQ(levels(kAux1, {39, 1, 299, 1}), "1001") << "inverted: the pulse pulls the pin low";
}

// The display's functions are taken whole and confirmed; anything else is refused and the
// display is shown the functions in force.
TEST_F(AuxHandler, DisplayFunctionsAreConfirmedOrRefused) {
    wire();
    const std::tuple<const char*, QList<int>, QList<int>> cases[] = {
        {"relay on Aux3",
         {0, 0, 1, 1, 0, 0, 2, 0, 3, 3, 1, 10},
         {0, 0, 1, 1, 0, 0, 2, 0, 3, 3, 1, 10}},
        {"pulses on Aux3",
         {0, 0, 1, 1, 0, 0, 2, 0, 0, 3, 1, 10},
         {0, 0, 1, 1, 0, 0, 2, 0, 3, 3, 1, 10}},
        {"two terminals", {0, 0, 1, 1, 0, 0}, {0, 0, 1, 1, 0, 0, 2, 0, 3, 3, 1, 10}},
    };
    for (const auto& [name, sent, shown] : cases) {
        log.sentences.clear();
        aux->slotAuxSetupMessage(std::make_shared<MsgICM>(1, msgCommands::AUCLsetupCommand, sent));
        ASSERT_FALSE(log.sentences.isEmpty()) << name;
        const auto reply = std::dynamic_pointer_cast<MsgICM>(log.sentences.first());
        ASSERT_TRUE(reply) << name;
        EXPECT_EQ(reply->commandID(), int(msgCommands::AUCLsetupCommand)) << name;
        EXPECT_EQ(reply->msgParameters(), shown) << name;
    }
    EXPECT_EQ(SystemSetup::getInstance()->Kc40AuxSetup.getFunctionName(2), "AlarmOutput");
}

// The input terminal is heeded on every change, but not in standby.
TEST_F(AuxHandler, TheAcknowledgeInputAcknowledgesAndShowsItsState) {
    wire();
    root.writeFile("/sys/class/gpio/pioA21/value", "1\n");
    aux->slotAuxInterrupt(QStringLiteral("A21"));
    aux->slotAuxInterrupt(QStringLiteral("B99"));
    standby(true);
    log.events.clear();
    aux->slotAuxInterrupt(QStringLiteral("A21"));
    EXPECT_EQ(log.heard(), "") << "not heeded in standby";
    standby(false);
    log.sentences.clear();
    log.events.clear();
    aux->slotAuxInterrupt(QStringLiteral("A21"));
    EXPECT_EQ(log.heard(), "ack udp:ICM26");
    const auto states = std::dynamic_pointer_cast<MsgICM>(log.sentences.last());
    ASSERT_TRUE(states);
    EXPECT_EQ(states->msgParameters(), (QList<int>{1, 1, 1, 0})) << "contact open";
}
} // namespace
