#include "casename.h"
#include "freshunit.h"
#include "msgdatr.h"
#include "msgdptr.h"
#include "msghbt.h"
#include "msgidm.h"
#include "msginfo.h"
#include "msgvbw.h"
#include "msgvbwx.h"
#include "msgver.h"
#include "nmeaparser.h"
#include "outputassembly.h"
#include "platform.h"
#include "systemsetup.h"
#include "systemvariables.h"

#include <QMap>
#include <QSet>

#include <gtest/gtest.h>

#include <memory>

namespace {
const QString kNmea1 = QStringLiteral("Nmea_1");
const QString kNmea2 = QStringLiteral("Nmea_2");
const QString kLan = QStringLiteral("LAN");

class FakeRules : public OutputChannelRules {
public:
    void enable(const QString& type, const QStringList& channels) {
        for (const QString& channel : channels) {
            enabled.insert(type + QLatin1Char('@') + channel);
        }
    }
    bool isEnabled(const QString& type, const QString& channel) const override {
        return enabled.contains(type + QLatin1Char('@') + channel);
    }
    bool isEnabledByAny(const QString& type) const override {
        return isEnabled(type, kNmea1) || isEnabled(type, kNmea2) || isEnabled(type, kLan);
    }
    bool getChannelUseTwoDecimals(const QString& channel) const override {
        return twoDecimals.contains(channel);
    }
    int getChannelBaudRate(const QString& channel) const override {
        return baud.value(channel, 4800);
    }
    NmeaMessagePtr getChannelSetupMessage(const QString&) const override {
        return std::make_shared<MsgICM>(1, msgCommands::OCFsetupCommand);
    }

    QSet<QString> enabled;
    QSet<QString> twoDecimals;
    QMap<QString, int> baud;
};

class FakeSerial : public SerialOutputs {
public:
    int send(int channel, const QString& text) override {
        lines[channel] << text;
        return static_cast<int>(text.size());
    }
    QMap<int, QStringList> lines;
};

// What left on the network, as text at the moment it left; monitoring echoes apart.
class FakeNetwork : public NetworkOutput {
public:
    struct Datagram {
        bool group;
        QStringList types;
        QStringList texts;
    };
    void sendSingle(const NmeaMessagePtr& message) override { record(false, {message}); }
    void sendGroup(const QList<NmeaMessagePtr>& messages) override { record(true, messages); }

    QList<Datagram> groups() const {
        QList<Datagram> found;
        for (const Datagram& d : datagrams) {
            if (d.group) {
                found << d;
            }
        }
        return found;
    }
    QStringList singleTypes() const {
        QStringList types;
        for (const Datagram& d : datagrams) {
            if (!d.group) {
                types << d.types;
            }
        }
        return types;
    }
    // The once-a-second group ends with the sensor timer (ICM 36).
    Datagram cycleGroup() const {
        for (const Datagram& d : groups()) {
            if (d.texts.last().startsWith(QLatin1String("$PNRVICM,1,36,"))) {
                return d;
            }
        }
        return {};
    }
    int echoesOf(const QString& channel, const QString& type) const {
        int count = 0;
        for (const QStringList& e : echoes) {
            count += e.value(0) == channel && e.value(2) == type;
        }
        return count;
    }

    QList<Datagram> datagrams;
    QList<QStringList> echoes;

private:
    void record(bool group, const QList<NmeaMessagePtr>& messages) {
        if (!group && messages.first()->fullType() == QLatin1String("IDM3")) {
            echoes << static_cast<const MsgIDM&>(*messages.first()).msgParameters();
            return;
        }
        Datagram d{group, {}, {}};
        for (const NmeaMessagePtr& m : messages) {
            d.types << m->messageType();
            d.texts << m->getMsgBuffer();
        }
        datagrams << d;
    }
};

// A sentence of exactly this many characters, CR LF included.
NmeaMessagePtr sentenceOfLength(int length) {
    const auto frame = MsgIDM(1, 2, {QString()}).getMsgBuffer().size();
    return std::make_shared<MsgIDM>(1, 2, QStringList{QString(length - frame, QLatin1Char('x'))});
}

NmeaMessagePtr vbw() {
    return std::make_shared<MsgVBW>(5.123f, 0.456f, "A", 6.789f, 0.1f, "A", 0.2f, "A", 0.3f, "A");
}

// The output on a fresh board root, its channels, lines and network played by the test.
class Output : public ::testing::Test {
protected:
    Output() {
        hooks.getOutputMsgByName = [this](const QString& name, int) -> NmeaMessagePtr {
            if (const auto build = factory.value(name)) {
                return build();
            }
            return std::make_shared<MsgINFO>(2, "Sending of Nmea sentence not implemented!");
        };
        hooks.monitorChannelInput = [this](const QString& c) { return monitoredIn.contains(c); };
        hooks.monitorChannelOutput = [this](const QString& c) { return monitoredOut.contains(c); };
        hooks.typeRecognized = [](const QString& type) { return type != QLatin1String("XYZ"); };
        hooks.heartbeatMacAddress = [] { return QStringLiteral("00:11:22:33:44:55"); };
    }
    OutputAssembly& unit() {
        if (!m_unit) {
            m_unit = std::make_unique<OutputAssembly>(*setup(), *values(), rules, serial, network,
                                                      hooks);
        }
        return *m_unit;
    }
    static SystemSetup* setup() { return SystemSetup::getInstance(); }
    static SystemVariables* values() { return SystemVariables::getInstance(); }

    FreshUnitRoot root;
    FakeRules rules;
    FakeSerial serial;
    FakeNetwork network;
    OutputHooks hooks;
    QMap<QString, std::function<NmeaMessagePtr()>> factory;
    QSet<QString> monitoredIn;
    QSet<QString> monitoredOut;

private:
    std::unique_ptr<OutputAssembly> m_unit;
};

struct BudgetCase {
    const char* name;
    int baud;
    QList<int> lengths; // VBW, VLW, MTW, VHW in the cycle's order
    QList<int> sent;
    int overflows;
};
void PrintTo(const BudgetCase& c, std::ostream* os) {
    printCaseName(c, os);
}

class SerialBudget : public Output, public ::testing::WithParamInterface<BudgetCase> {};

TEST_P(SerialBudget, ASecondCarriesOnlyWhatTheLineCanSend) {
    const BudgetCase& c = GetParam();
    const QStringList names{"VBW", "VLW", "MTW", "VHW"};
    for (int i = 0; i < c.lengths.size(); ++i) {
        const int length = c.lengths[i];
        factory[names[i]] = [length] { return sentenceOfLength(length); };
        rules.enable(names[i], {kNmea1});
    }
    rules.baud[kNmea1] = c.baud;
    monitoredOut << kNmea1;
    unit().slotSendOutputMessages();

    QList<int> sent;
    for (const QString& line : serial.lines.value(1)) {
        sent << static_cast<int>(line.size());
    }
    EXPECT_EQ(sent, c.sent);
    EXPECT_EQ(network.echoesOf(kNmea1, "OVF"), c.overflows);
    EXPECT_EQ(network.echoesOf(kNmea1, "IDM"), c.sent.size());
    EXPECT_TRUE(serial.lines.value(2).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SerialBudget,
    ::testing::Values(
        BudgetCase{"AllBelowTheBudget", 4800, {100, 100, 100, 100}, {100, 100, 100, 100}, 0},
        BudgetCase{"ReachingTheBudgetIsDropped", 4800, {200, 200, 80}, {200, 200}, 1},
        BudgetCase{"LaterShorterOneStillFits", 4800, {300, 200, 100, 79}, {300, 100, 79}, 1},
        BudgetCase{"EveryOverflowIsEchoed", 4800, {480, 481, 20}, {20}, 2},
        BudgetCase{"AnUnrunnableRateRunsAt4800", 9600, {479, 20}, {479}, 1},
        BudgetCase{
            "AFasterLineCarriesMore", 38400, {479, 479, 479, 479}, {479, 479, 479, 479}, 0}));

TEST_F(Output, ADroppedSentenceStillGoesOnTheNetwork) {
    factory["VBW"] = [] { return sentenceOfLength(500); };
    rules.enable("VBW", {kNmea1, kLan});
    unit().slotSendOutputMessages();
    EXPECT_TRUE(serial.lines.value(1).isEmpty());
    EXPECT_EQ(network.cycleGroup().types, (QStringList{"IDM", "ICM"}));
}

struct DecimalsCase {
    const char* name;
    bool nmea1Two, nmea2Two, lanTwo;
    const char *nmea1, *nmea2, *lan; // the first speed as each channel writes it
};
void PrintTo(const DecimalsCase& c, std::ostream* os) {
    printCaseName(c, os);
}

class Decimals : public Output, public ::testing::WithParamInterface<DecimalsCase> {};

TEST_P(Decimals, EachChannelWritesItsOwnDecimals) {
    const DecimalsCase& c = GetParam();
    factory["VBW"] = vbw;
    rules.enable("VBW", {kNmea1, kNmea2, kLan});
    if (c.nmea1Two) {
        rules.twoDecimals << kNmea1;
    }
    if (c.nmea2Two) {
        rules.twoDecimals << kNmea2;
    }
    setup()->Vq2Setup.set(&VQ2_Setup_S::useTwoDecimals, c.lanTwo);
    unit().slotSendOutputMessages();

    const auto firstSpeed = [](const QString& text) {
        return text.section(QLatin1Char(','), 1, 1);
    };
    ASSERT_EQ(serial.lines.value(1).size(), 1);
    ASSERT_EQ(serial.lines.value(2).size(), 1);
    EXPECT_EQ(firstSpeed(serial.lines[1].first()), c.nmea1);
    EXPECT_EQ(firstSpeed(serial.lines[2].first()), c.nmea2);
    EXPECT_EQ(firstSpeed(network.cycleGroup().texts.first()), c.lan);
}

INSTANTIATE_TEST_SUITE_P(
    Channels, Decimals,
    ::testing::Values(DecimalsCase{"Nmea1TwoOnly", true, false, false, "5.12", "5.1", "5.1"},
                      DecimalsCase{"Nmea2TwoOnly", false, true, false, "5.1", "5.12", "5.1"},
                      DecimalsCase{"LanFromTheSensorSetup", false, false, true, "5.1", "5.1",
                                   "5.12"},
                      DecimalsCase{"AllTwo", true, true, true, "5.12", "5.12", "5.12"}));

TEST_F(Output, ExtendedDualSpeedKeepsItsOwnFormatOnEveryChannel) {
    factory["VBWX"] = [] {
        return std::make_shared<MsgVBWX>(5.123f, 0.456f, "A", 6.789f, 0.1f, "A", 0.2f, "A", 0.3f,
                                         "A", 4.0f, "A");
    };
    rules.enable("VBWX", {kNmea1, kNmea2, kLan});
    rules.twoDecimals << kNmea2;
    setup()->Vq2Setup.set(&VQ2_Setup_S::useTwoDecimals, false);
    unit().slotSendOutputMessages();
    const QString built = factory["VBWX"]()->getMsgBuffer();
    EXPECT_EQ(serial.lines.value(1), QStringList{built});
    EXPECT_EQ(serial.lines.value(2), QStringList{built});
    EXPECT_EQ(network.cycleGroup().texts.first(), built);
}

TEST_F(Output, UnbuildableNamesSendNothing) {
    rules.enable("MTW", {kNmea1, kNmea2, kLan});
    unit().slotSendOutputMessages();
    EXPECT_TRUE(serial.lines.isEmpty());
    EXPECT_EQ(network.cycleGroup().types, QStringList{"ICM"});
}

struct DatrCase {
    const char* name;
    QStringList channels;
    bool onLan;
};
void PrintTo(const DatrCase& c, std::ostream* os) {
    printCaseName(c, os);
}

class RawData : public Output, public ::testing::WithParamInterface<DatrCase> {};

TEST_P(RawData, PositionAndDepthRecordsGoOnlyOnTheNetworkAsOneGroup) {
    const DatrCase& c = GetParam();
    factory["DATR"] = [] { return std::make_shared<MsgDATR>(); };
    factory["DPTR"] = [] { return std::make_shared<MsgDPTR>(); };
    rules.enable("DATR", c.channels);
    unit().slotSendOutputMessages();
    EXPECT_TRUE(serial.lines.isEmpty());
    const QList<FakeNetwork::Datagram> groups = network.groups();
    ASSERT_EQ(groups.size(), c.onLan ? 2 : 1);
    if (c.onLan) {
        EXPECT_EQ(groups.first().types, (QStringList{"DATR", "DPTR"}));
    }
    EXPECT_FALSE(network.cycleGroup().types.contains("DATR"));
}

INSTANTIATE_TEST_SUITE_P(Channels, RawData,
                         ::testing::Values(DatrCase{"LanOnly", {kLan}, true},
                                           DatrCase{"Nmea1Only", {kNmea1}, false},
                                           DatrCase{"SerialBoth", {kNmea1, kNmea2}, false},
                                           DatrCase{"Everywhere", {kNmea1, kNmea2, kLan}, true}));

TEST_F(Output, HeartbeatCountsZeroToNineThenIdentifiesTheUnit) {
    for (int i = 0; i < 11; ++i) {
        unit().slotSendHeratBeatMsg();
    }
    QList<int> sequence;
    for (const QString& line : serial.lines.value(1)) {
        const auto parsed = NmeaParser::parse(line);
        sequence << static_cast<const MsgHBT&>(*parsed).nHeartBeatCounter();
    }
    EXPECT_EQ(sequence, (QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0}));
    EXPECT_EQ(serial.lines.value(2), serial.lines.value(1));
    ASSERT_EQ(network.datagrams.size(), 22);
    EXPECT_EQ(network.datagrams[0].types, QStringList{"HBT"});
    EXPECT_EQ(network.datagrams[1].texts.first().section(QLatin1Char('*'), 0, 0),
              "$PNRVIDM,1,40,VD0101,00:11:22:33:44:55");
}

struct EchoInCase {
    const char* name;
    QString line;
    const char* type;
    const char* errorCode;
};
void PrintTo(const EchoInCase& c, std::ostream* os) {
    printCaseName(c, os);
}

class InputEcho : public Output, public ::testing::WithParamInterface<EchoInCase> {};

TEST_P(InputEcho, NamesWhatCameInAndHowItParsed) {
    const EchoInCase& c = GetParam();
    monitoredIn << kNmea2;
    unit().sendDiagnosticsInfo(kNmea2, "IN", NmeaParser::parse(c.line));
    unit().sendDiagnosticsInfo(kNmea1, "IN", NmeaParser::parse(c.line));
    ASSERT_EQ(network.echoes.size(), 1);
    EXPECT_EQ(network.echoes.first(), (QStringList{kNmea2, "Input", c.type, c.errorCode}));
}

INSTANTIATE_TEST_SUITE_P(
    Lines, InputEcho,
    ::testing::Values(EchoInCase{"Known", "$GPHDT,123.4,T*31\r\n", "HDT", "0"},
                      EchoInCase{"NotRecognised", "$GPXYZ,1\r\n", "XYZ", "1"},
                      EchoInCase{"RejectedFields", "$PNRVDAT,1,2\r\n", "DAT", "2"},
                      EchoInCase{"BadChecksumStandard", "$GPHDT,123.4,T*30\r\n", "HDT", "2"},
                      EchoInCase{"BadChecksumOwnSentenceKeepsItsLetter", "$PNRVDAT,1,2*00\r\n",
                                 "VDAT", "2"},
                      EchoInCase{"EmptyLine", "", "", "2"},
                      EchoInCase{"SingleCharacter", "$", "", "2"}));

struct EchoOutCase {
    const char* name;
    NmeaMessagePtr (*make)();
    int echoes;
};
void PrintTo(const EchoOutCase& c, std::ostream* os) {
    printCaseName(c, os);
}

class OutputEcho : public Output, public ::testing::WithParamInterface<EchoOutCase> {};

TEST_P(OutputEcho, EveryNetworkSentenceButAnEchoIsEchoed) {
    const EchoOutCase& c = GetParam();
    monitoredOut << kLan;
    unit().slotSendSingleOnUdpOutput(c.make());
    // The sentence itself, then its echoes.
    EXPECT_EQ(network.datagrams.size() + network.echoes.size(), 1 + c.echoes);
}

INSTANTIATE_TEST_SUITE_P(
    Sentences, OutputEcho,
    ::testing::Values(
        EchoOutCase{"MonitoringEcho",
                    []() -> NmeaMessagePtr {
                        return std::make_shared<MsgIDM>(1, 3, QStringList{"LAN", "Output"});
                    },
                    0},
        EchoOutCase{"OtherTextCommand",
                    []() -> NmeaMessagePtr {
                        return std::make_shared<MsgIDM>(1, msgCommands::ProprietaryHeartbeat);
                    },
                    1},
        EchoOutCase{"Heartbeat",
                    []() -> NmeaMessagePtr { return std::make_shared<MsgHBT>(60, "A", 0); }, 1}));

TEST_F(Output, VersionGoesOutOnceOnBothLinesAfterTheStartDelay) {
    hooks.createVersionMsg = [] {
        return QList<NmeaMessagePtr>{
            std::make_shared<MsgVER>(1, 1, "VD", "NRV", "VD0101", "1", "KC40", "1.2.1.2", "B1", 0)};
    };
    setup()->setSendVersionInfo(true);
    unit().slotSendOutputMessages();
    EXPECT_TRUE(serial.lines.isEmpty()) << "before the start delay";

    unit().slotEnableSendVerMsgOnStartup();
    unit().slotSendOutputMessages();
    unit().slotSendOutputMessages();
    EXPECT_EQ(serial.lines.value(1).size(), 1);
    EXPECT_EQ(serial.lines.value(2).size(), 1);
    EXPECT_EQ(network.singleTypes().count("VER"), 1);
    EXPECT_FALSE(setup()->getSendVersionInfo());
}

TEST_F(Output, VersionSharesTheSecondsBudget) {
    hooks.createVersionMsg = [] { return QList<NmeaMessagePtr>{sentenceOfLength(50)}; };
    factory["VBW"] = [] { return sentenceOfLength(450); };
    rules.enable("VBW", {kNmea1});
    monitoredOut << kNmea1;
    unit().slotEnableSendVerMsgOnStartup();
    unit().slotSendOutputMessages();
    EXPECT_EQ(serial.lines.value(1).size(), 1);
    EXPECT_EQ(serial.lines.value(2).size(), 1);
    EXPECT_EQ(network.echoesOf(kNmea1, "OVF"), 1);
}

TEST_F(Output, StandbySendsNothing) {
    factory["VBW"] = vbw;
    rules.enable("VBW", {kNmea1, kNmea2, kLan});
    monitoredIn << kNmea1;
    monitoredOut << kNmea1 << kLan;
    setup()->confirmSystemStandby(true);
    unit().slotSendOutputMessages();
    unit().slotSendOnNmeaOutput(1, vbw());
    unit().slotSendOnNmeaOutput(3, vbw());
    unit().sendDiagnosticsInfo(kNmea1, "IN", vbw());
    unit().slotSendConfigurationToDisplay(true);
    EXPECT_TRUE(serial.lines.isEmpty());
    EXPECT_TRUE(network.datagrams.isEmpty());
    EXPECT_TRUE(network.echoes.isEmpty());
}

struct DatCase {
    const char* name;
    bool dat4, dat5, datrOnLan;
    QStringList forwarded; // system numbers of the forwarded DAT sentences
};
void PrintTo(const DatCase& c, std::ostream* os) {
    printCaseName(c, os);
}

class DatForwarding : public Output, public ::testing::WithParamInterface<DatCase> {
protected:
    ~DatForwarding() override {
        values()->msgDAT4.setValidity(false);
        values()->msgDAT5.setValidity(false);
    }
};

TEST_P(DatForwarding, FreshSensorDataGoesOnTheNetworkOnce) {
    const DatCase& c = GetParam();
    values()->msgDAT4.setNmeaMessage(*NmeaParser::parse("$PNRVDAT,4\r\n"), 1);
    values()->msgDAT5.setNmeaMessage(*NmeaParser::parse("$PNRVDAT,5\r\n"), 1);
    values()->msgDAT4.setValidity(c.dat4);
    values()->msgDAT5.setValidity(c.dat5);
    if (c.datrOnLan) {
        rules.enable("DATR", {kLan});
    }
    unit().slotSendDAT_Messages();

    QStringList forwarded;
    for (const FakeNetwork::Datagram& d : network.groups()) {
        for (const QString& text : d.texts) {
            forwarded << text.section(QLatin1Char(','), 1, 1).left(1);
        }
    }
    EXPECT_EQ(forwarded, c.forwarded);
    EXPECT_EQ(network.groups().size(), c.forwarded.isEmpty() ? 0 : 1);
    EXPECT_EQ(values()->msgDAT4.getValidity(), c.dat4 && !c.datrOnLan);
    EXPECT_EQ(values()->msgDAT5.getValidity(), c.dat5);
}

INSTANTIATE_TEST_SUITE_P(Sentences, DatForwarding,
                         ::testing::Values(DatCase{"Both", true, true, true, {"4", "5"}},
                                           DatCase{"OnlyFive", false, true, true, {"5"}},
                                           DatCase{"NeitherValid", false, false, true, {}},
                                           DatCase{"NotOnTheNetwork", true, true, false, {}}));

struct LimitCase {
    const char* name;
    float stwRes, stwLong, sogRes;
    bool alarmTest;
    QStringList calls;
};
void PrintTo(const LimitCase& c, std::ostream* os) {
    printCaseName(c, os);
}

class SpeedLimits : public Output, public ::testing::WithParamInterface<LimitCase> {
protected:
    ~SpeedLimits() override {
        model().stwResBoatCallibrated.setValidity(false);
        model().stwLongBoatCallibrated.setValidity(false);
        model().sogResBoatCallibrated.setValidity(false);
    }
    static VQ2DataModel& model() { return values()->vq2data; }
};

TEST_P(SpeedLimits, OnlyValidSpeedsReachTheAlarms) {
    const LimitCase& c = GetParam();
    values()->changeVQ2Source(SystemVariables::SourceSensor);
    values()->setVQ2_STW_Source(false);
    model().stwResBoatCallibrated.setValue(c.stwRes, 1);
    model().stwLongBoatCallibrated.setValue(c.stwLong, 1);
    model().sogResBoatCallibrated.setValue(c.sogRes, 1);
    QStringList calls;
    const auto record = [&calls](const QString& what) {
        return [&calls, what](float speed, bool water) {
            calls << what + QStringLiteral(" %1 ").arg(speed) +
                         (water ? QStringLiteral("water") : QStringLiteral("ground"));
        };
    };
    hooks.checkLowSpeed = record(QStringLiteral("low"));
    hooks.checkHighSpeed = record(QStringLiteral("high"));
    hooks.checkSpeedWarnWater = [&calls](float speed) {
        calls << QStringLiteral("warn %1").arg(speed);
    };
    hooks.isAlarmTestActive = [&c] { return c.alarmTest; };
    unit().slotCheckSpeedLimits();
    EXPECT_EQ(calls, c.calls);
}

INSTANTIATE_TEST_SUITE_P(Speeds, SpeedLimits,
                         ::testing::Values(LimitCase{"AllValid",
                                                     5.0f,
                                                     4.0f,
                                                     6.0f,
                                                     false,
                                                     {"low 5 water", "high 5 water", "warn 4",
                                                      "low 6 ground", "high 6 ground"}},
                                           LimitCase{"NoWaterSpeed",
                                                     kAbsentFloat,
                                                     kAbsentFloat,
                                                     6.0f,
                                                     false,
                                                     {"low 6 ground", "high 6 ground"}},
                                           LimitCase{"NoGroundSpeed",
                                                     5.0f,
                                                     4.0f,
                                                     kAbsentFloat,
                                                     false,
                                                     {"low 5 water", "high 5 water", "warn 4"}},
                                           LimitCase{
                                               "DuringAnAlarmTest", 5.0f, 4.0f, 6.0f, true, {}}));

struct Vq1Case {
    const char* name;
    bool simulation;
    int source;
    const char* mode;
    float gpsLong, gpsTra;
    float expected; // kAbsentFloat: left as it was
};
void PrintTo(const Vq1Case& c, std::ostream* os) {
    printCaseName(c, os);
}

class OlderLogSpeed : public Output, public ::testing::WithParamInterface<Vq1Case> {
protected:
    ~OlderLogSpeed() override {
        values()->speedToWater_VQ1.setValidity(false);
        values()->longSpeedToGround_GPS_VTG.setValidity(false);
        values()->tranSpeedToGround_GPS_VTG.setValidity(false);
    }
};

TEST_P(OlderLogSpeed, SimulatedFromTheFixedOrGpsSpeed) {
    const Vq1Case& c = GetParam();
    SimulationParameters& simulation = setup()->simulationParameters;
    simulation.SimulationModeOn = c.simulation;
    simulation.simulationSource = c.source;
    simulation.fixedSpeedLong = 3.0f;
    simulation.fixedSpeedTra = 4.0f;
    setup()->Vq2Setup.set(&VQ2_Setup_S::outputParams, QString(c.mode));
    values()->longSpeedToGround_GPS_VTG.setValue(c.gpsLong, 1);
    values()->tranSpeedToGround_GPS_VTG.setValue(c.gpsTra, 1);
    values()->speedToWater_VQ1.setValidity(false);
    unit().slotReadVq1speed();
    EXPECT_FLOAT_EQ(values()->speedToWater_VQ1.getSingleValue(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Sources, OlderLogSpeed,
    ::testing::Values(
        Vq1Case{"FixedSpeed", true, 1, "SOG + STW", 6.0f, 8.0f, 5.0f},
        Vq1Case{"GpsSpeed", true, 2, "SOG + STW", 6.0f, 8.0f, 10.0f},
        Vq1Case{"GpsWithoutTransverse", true, 2, "SOG + STW", 6.0f, kAbsentFloat, kAbsentFloat},
        Vq1Case{"SogOnlyReadsTheOlderLog", true, 1, "SOG Only", 6.0f, 8.0f, kAbsentFloat},
        Vq1Case{"SensorSource", true, 0, "SOG + STW", 6.0f, 8.0f, kAbsentFloat},
        Vq1Case{"NoSimulation", false, 1, "SOG + STW", 6.0f, 8.0f, kAbsentFloat}));

TEST_F(Output, DisplayGetsTheWholeConfigurationAsOneGroupThenTheDirection) {
    hooks.createAuclSetupMsg = [] {
        return std::make_shared<MsgICM>(1, msgCommands::AUCLsetupCommand);
    };
    unit().setReverse(true);
    network.datagrams.clear();
    unit().slotSendConfigurationToDisplay(true);
    ASSERT_EQ(network.datagrams.size(), 2);
    QStringList order;
    for (const QString& text : network.datagrams[0].texts) {
        const QStringList fields = text.section(QLatin1Char('*'), 0, 0).split(QLatin1Char(','));
        order << fields.value(0).mid(5) + fields.value(2);
    }
    EXPECT_EQ(order, (QStringList{"ICM15", "ICM15", "ICM15", "ICM13", "ICM12", "ICM14", "ICM10",
                                  "IDM10", "ICM11", "ICM39", "ICM25", "ICM7"}));
    EXPECT_TRUE(network.datagrams[1].texts.first().startsWith("$PNRVICM,1,41,1*"));
}

TEST_F(Output, ServiceSoftwareGetsIdentityAndNetworkInOneGroup) {
    hooks.serviceInterfaceAddress = [] {
        return InterfaceAddress{QStringLiteral("172.16.1.101"),
                                QStringLiteral("00:11:22:33:44:55")};
    };
    unit().sendConifgurationToServiceSoftware();
    ASSERT_EQ(network.groups().size(), 1);
    const QStringList texts = network.groups().first().texts;
    ASSERT_EQ(texts.size(), 2);
    const QStringList identity = texts[0].section(QLatin1Char('*'), 0, 0).split(QLatin1Char(','));
    EXPECT_EQ(identity.mid(1, 3), (QStringList{"1", "136", "Main Unit"}));
    EXPECT_EQ(identity.value(5), "1.2.1.2");
    EXPECT_EQ(texts[1].section(QLatin1Char('*'), 0, 0),
              "$PNRVCFGR,2,172,16,1,101,00:11:22:33:44:55,0101,,4");
}
// Answers of a channel setup in the shape the unit's setup gives them.
struct ChannelSetup {
    bool isEnabled(const QString& type, const QString& channel) const {
        return type == QLatin1String("VBW") && channel == kLan;
    }
    bool isEnabledByAny(const QString& type) const { return type == QLatin1String("VBW"); }
    bool getChannelUseTwoDecimals(const QString& channel) const { return channel == kNmea2; }
    int getChannelBaudRate(const QString& channel) const { return channel == kNmea1 ? 38400 : 0; }
    std::shared_ptr<MsgICM> getChannelSetupMessage(const QString&) const {
        return std::make_shared<MsgICM>(1, msgCommands::OCFsetupCommand);
    }
};

TEST(OutputChannelRulesOf, AsksTheSetupEveryQuestion) {
    ChannelSetup setup;
    const OutputChannelRulesOf<ChannelSetup> rules(setup);
    EXPECT_TRUE(rules.isEnabled("VBW", kLan));
    EXPECT_FALSE(rules.isEnabled("VBW", kNmea1));
    EXPECT_TRUE(rules.isEnabledByAny("VBW"));
    EXPECT_TRUE(rules.getChannelUseTwoDecimals(kNmea2));
    EXPECT_EQ(rules.getChannelBaudRate(kNmea1), 38400);
    EXPECT_EQ(rules.getChannelSetupMessage(kLan)->fullType(), "ICM15");
}
} // namespace
