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

#include <QMap>
#include <QSet>

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

namespace {
const QString kNmea1 = QStringLiteral("Nmea_1");
const QString kNmea2 = QStringLiteral("Nmea_2");
const QString kLan = QStringLiteral("LAN");

// A sentence of exactly this many characters, CR LF included.
NmeaMessagePtr sentenceOfLength(int length) {
    const auto frame = MsgIDM(1, 2, {QString()}).getMsgBuffer().size();
    return std::make_shared<MsgIDM>(1, 2, QStringList{QString(length - frame, QLatin1Char('x'))});
}

NmeaMessagePtr vbw() {
    return std::make_shared<MsgVBW>(5.123f, 0.456f, "A", 6.789f, 0.1f, "A", 0.2f, "A", 0.3f, "A");
}

NmeaMessagePtr vbwx() {
    return std::make_shared<MsgVBWX>(5.123f, 0.456f, "A", 6.789f, 0.1f, "A", 0.2f, "A", 0.3f, "A",
                                     4.0f, "A");
}

const auto setup = [] { return SystemSetup::getInstance(); };
const auto values = [] { return SystemVariables::getInstance(); };

// The output on a fresh board root; the test plays its channel rules, its serial lines and
// its network, which keeps each sentence as text at the moment it left, monitoring echoes apart.
struct Rig : OutputChannelRules, SerialOutputs, NetworkOutput {
    Rig() {
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
    // Built on first use, once the test has set the hooks.
    OutputAssembly& unit() {
        if (!m_unit) {
            m_unit =
                std::make_unique<OutputAssembly>(*setup(), *values(), *this, *this, *this, hooks);
        }
        return *m_unit;
    }

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

    int send(int channel, const QString& text) override {
        lines[channel] << text;
        return static_cast<int>(text.size());
    }
    QList<int> lengthsOn(int line) const {
        QList<int> lengths;
        for (const QString& text : lines.value(line)) {
            lengths << static_cast<int>(text.size());
        }
        return lengths;
    }

    void sendSingle(const NmeaMessagePtr& message) override {
        if (message->fullType() == QLatin1String("IDM3")) {
            echoes << static_cast<const MsgIDM&>(*message).msgParameters().join(' ');
        } else {
            network << message->fullType();
            texts << message->getMsgBuffer();
        }
    }
    void sendGroup(const QList<NmeaMessagePtr>& messages) override {
        QStringList types;
        for (const NmeaMessagePtr& m : messages) {
            types << m->fullType();
            texts << m->getMsgBuffer();
        }
        network << '[' + types.join(' ') + ']';
    }
    // What went on the network, a datagram group in brackets: "[VBW ICM36] DTL".
    std::string sent() const { return network.join(' ').toStdString(); }
    qsizetype echoesOf(const QString& type) const {
        return echoes.count(QStringLiteral("Nmea_1 Output %1 0").arg(type));
    }

    FreshUnitRoot root;
    OutputHooks hooks;
    QMap<QString, std::function<NmeaMessagePtr()>> factory;
    QSet<QString> enabled, twoDecimals, monitoredIn, monitoredOut;
    QMap<QString, int> baud;
    QMap<int, QStringList> lines;
    QStringList network, texts;
    QStringList echoes; // channel, direction, type, fault

private:
    std::unique_ptr<OutputAssembly> m_unit;
};

TEST(OutputCycle, ASecondOnALineCarriesOnlyWhatItsRateCanSend) {
    // The lengths of VBW, VLW, MTW and VHW, in the cycle's order; those sent; the overflows.
    const std::tuple<const char*, int, QList<int>, QList<int>, int> cases[] = {
        {"all below the budget", 4800, {100, 100, 100, 100}, {100, 100, 100, 100}, 0},
        {"reaching the budget is dropped", 4800, {200, 200, 80}, {200, 200}, 1},
        {"a later shorter one still fits", 4800, {300, 200, 100, 79}, {300, 100, 79}, 1},
        {"every overflow is echoed", 4800, {480, 481, 20}, {20}, 2},
        {"an unrunnable rate runs at 4800", 9600, {479, 20}, {479}, 1},
        {"a faster line carries more", 38400, {479, 479, 479, 479}, {479, 479, 479, 479}, 0},
    };
    const QStringList names{"VBW", "VLW", "MTW", "VHW"};
    for (const auto& [name, baud, lengths, sent, overflows] : cases) {
        SCOPED_TRACE(name);
        Rig rig;
        for (int i = 0; i < lengths.size(); ++i) {
            const int length = lengths[i];
            rig.factory[names[i]] = [length] { return sentenceOfLength(length); };
            rig.enable(names[i], {kNmea1});
        }
        rig.baud[kNmea1] = baud;
        rig.monitoredOut << kNmea1;
        rig.unit().slotSendOutputMessages();
        EXPECT_EQ(rig.lengthsOn(1), sent);
        EXPECT_EQ(rig.echoesOf("OVF"), overflows);
        EXPECT_EQ(rig.echoesOf("IDM"), sent.size());
        EXPECT_TRUE(rig.lines.value(2).isEmpty());
    }
}

TEST(OutputCycle, EachChannelWritesItsOwnDecimalsButTheExtendedDualSpeedKeepsItsFormat) {
    // Two decimals on Nmea 1, Nmea 2, the network; the first speed as each channel writes it.
    const std::tuple<const char*, NmeaMessagePtr (*)(), bool, bool, bool, const char*> cases[] = {
        {"Nmea 1 two only", vbw, true, false, false, "5.12 5.1 5.1"},
        {"Nmea 2 two only", vbw, false, true, false, "5.1 5.12 5.1"},
        {"network from the sensor setup", vbw, false, false, true, "5.1 5.1 5.12"},
        {"all two", vbw, true, true, true, "5.12 5.12 5.12"},
        {"extended dual speed", vbwx, false, true, false, "5.12 5.12 5.12"},
    };
    const auto firstSpeed = [](const QString& text) {
        return text.section(QLatin1Char(','), 1, 1);
    };
    for (const auto& [name, sentence, nmea1Two, nmea2Two, lanTwo, firstSpeeds] : cases) {
        SCOPED_TRACE(name);
        Rig rig;
        const QString type = sentence()->messageType();
        rig.factory[type] = sentence;
        rig.enable(type, {kNmea1, kNmea2, kLan});
        for (const auto& [two, channel] : {std::pair{nmea1Two, kNmea1}, {nmea2Two, kNmea2}}) {
            if (two) {
                rig.twoDecimals << channel;
            }
        }
        setup()->Vq2Setup.set(&VQ2_Setup_S::useTwoDecimals, lanTwo);
        rig.unit().slotSendOutputMessages();
        ASSERT_EQ(rig.lines.value(1).size(), 1);
        ASSERT_EQ(rig.lines.value(2).size(), 1);
        EXPECT_EQ(QStringList({firstSpeed(rig.lines[1].first()), firstSpeed(rig.lines[2].first()),
                               firstSpeed(rig.texts.first())})
                      .join(' ')
                      .toStdString(),
                  firstSpeeds);
    }
}

TEST(OutputCycle, PositionAndDepthRecordsGoOnlyOnTheNetworkAsOneGroup) {
    const std::tuple<QStringList, bool> cases[] = {{{kLan}, true},
                                                   {{kNmea1}, false},
                                                   {{kNmea1, kNmea2}, false},
                                                   {{kNmea1, kNmea2, kLan}, true}};
    for (const auto& [channels, onLan] : cases) {
        SCOPED_TRACE(channels.join(' ').toStdString());
        Rig rig;
        rig.factory["DATR"] = [] { return std::make_shared<MsgDATR>(); };
        rig.factory["DPTR"] = [] { return std::make_shared<MsgDPTR>(); };
        rig.enable("DATR", channels);
        rig.unit().slotSendOutputMessages();
        EXPECT_TRUE(rig.lines.isEmpty());
        EXPECT_EQ(rig.sent(), onLan ? "[DATR DPTR] [ICM36] DTL" : "[ICM36] DTL");
    }
}

TEST(OutputCycle, VersionGoesOutOnceOnBothLinesAfterTheStartDelayWithinTheBudget) {
    Rig rig;
    rig.hooks.createVersionMsg = [] {
        return QList<NmeaMessagePtr>{
            std::make_shared<MsgVER>(1, 1, "VD", "NRV", "VD0101", "1", "KC40", "1.2.1.2", "B1", 0)};
    };
    setup()->setSendVersionInfo(true);
    rig.unit().slotSendOutputMessages();
    EXPECT_TRUE(rig.lines.isEmpty()) << "before the start delay";
    rig.unit().slotEnableSendVerMsgOnStartup();
    rig.unit().slotSendOutputMessages();
    rig.unit().slotSendOutputMessages();
    EXPECT_EQ(rig.lines.value(1).size(), 1);
    EXPECT_EQ(rig.lines.value(2).size(), 1);
    EXPECT_EQ(rig.network.count("VER"), 1);
    EXPECT_FALSE(setup()->getSendVersionInfo());

    // The version shares the second's budget with the cycle.
    Rig full;
    full.hooks.createVersionMsg = [] { return QList<NmeaMessagePtr>{sentenceOfLength(50)}; };
    full.factory["VBW"] = [] { return sentenceOfLength(450); };
    full.enable("VBW", {kNmea1});
    full.monitoredOut << kNmea1;
    full.unit().slotEnableSendVerMsgOnStartup();
    full.unit().slotSendOutputMessages();
    EXPECT_EQ(full.lengthsOn(1), QList<int>{450});
    EXPECT_EQ(full.lengthsOn(2), QList<int>{50});
    EXPECT_EQ(full.echoesOf("OVF"), 1);
}

// Every way out of the unit is taken, none in standby. Too long for its line, a sentence
// still goes on the network; one the factory cannot build goes nowhere.
TEST(OutputCycle, EveryWayOutIsTakenButNoneInStandby) {
    for (const bool standby : {false, true}) {
        SCOPED_TRACE(standby ? "standby" : "running");
        Rig rig;
        rig.factory["VBW"] = [] { return sentenceOfLength(500); };
        rig.enable("VBW", {kNmea1, kLan});
        rig.enable("MTW", {kNmea1, kNmea2, kLan});
        rig.monitoredIn << kNmea1;
        rig.monitoredOut << kNmea2;
        setup()->confirmSystemStandby(standby);
        rig.unit().slotSendOutputMessages();
        rig.unit().slotSendOnNmeaOutput(2, vbw());
        rig.unit().slotSendOnNmeaOutput(3, vbw());
        rig.unit().slotSendDiagnosticsInfo(kNmea1, "IN", vbw());
        rig.unit().slotSendConfigurationToDisplay(false);
        const QString text = vbw()->getMsgBuffer();
        const QMap<int, QStringList> lines{{2, {text}}, {3, {text}}};
        EXPECT_EQ(rig.lines, standby ? decltype(lines)() : lines);
        EXPECT_EQ(rig.sent(), standby ? "" : "[IDM2 ICM36] DTL VBW [ICM36]");
        EXPECT_EQ(rig.echoes.join('|').toStdString(),
                  standby ? "" : "Nmea_2 Output VBW 0|Nmea_1 Input VBW 0");
    }
}

// Before the cycle the simulators refresh their speeds; after it calibration sends its own.
TEST(OutputCycle, SimulatorsRefreshFirstAndCalibrationFollows) {
    // The simulation on, its source; what is called.
    const std::tuple<bool, int, const char*> cases[] = {{false, 1, "calibration"},
                                                        {true, 0, "calibration"},
                                                        {true, 1, "junction box, calibration"},
                                                        {true, 2, "GPS, calibration"}};
    for (const auto& [on, source, expected] : cases) {
        Rig rig;
        QStringList called;
        rig.hooks.updateJB_Simulation = [&called] { called << "junction box"; };
        rig.hooks.updateGPS_Simulation = [&called] { called << "GPS"; };
        rig.hooks.calibrationOutputMessages = [&called] { called << "calibration"; };
        setup()->simulationParameters.SimulationModeOn = on;
        setup()->simulationParameters.simulationSource = source;
        rig.unit().slotSendOutputMessages();
        EXPECT_EQ(called.join(", ").toStdString(), expected) << source;
    }
}

TEST(OutputHeartbeat, CountsZeroToNineThenIdentifiesTheUnit) {
    Rig rig;
    for (int i = 0; i < 11; ++i) {
        rig.unit().slotSendHeratBeatMsg();
    }
    QList<int> sequence;
    for (const QString& line : rig.lines.value(1)) {
        sequence << static_cast<const MsgHBT&>(*NmeaParser::parse(line)).nHeartBeatCounter();
    }
    EXPECT_EQ(sequence, (QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0}));
    EXPECT_EQ(rig.lines.value(2), rig.lines.value(1));
    EXPECT_EQ(rig.network.count("HBT"), 11);
    EXPECT_EQ(rig.network.count("IDM40"), 11);
    EXPECT_EQ(rig.texts[1].section(QLatin1Char('*'), 0, 0),
              "$PNRVIDM,1,40,VD0101,00:11:22:33:44:55");
}

TEST(OutputMonitoring, InputEchoNamesWhatCameInAndHowItParsed) {
    // The echo names the type and the fault: 1 not recognised, 2 damaged.
    const std::tuple<const char*, QString, const char*> cases[] = {
        {"known", "$GPHDT,123.4,T*31\r\n", "HDT 0"},
        {"not recognised", "$GPXYZ,1\r\n", "XYZ 1"},
        {"rejected fields", "$PNRVDAT,1,2\r\n", "DAT 2"},
        {"bad checksum of a standard sentence", "$GPHDT,123.4,T*30\r\n", "HDT 2"},
        {"bad checksum, own sentence keeps its letter", "$PNRVDAT,1,2*00\r\n", "VDAT 2"},
        {"empty line", "", " 2"},
        {"single character", "$", " 2"},
    };
    for (const auto& [name, line, echo] : cases) {
        Rig rig;
        rig.monitoredIn << kNmea2;
        rig.unit().slotSendDiagnosticsInfo(kNmea2, "IN", NmeaParser::parse(line));
        rig.unit().slotSendDiagnosticsInfo(kNmea1, "IN", NmeaParser::parse(line));
        EXPECT_EQ(rig.echoes.join('|').toStdString(), "Nmea_2 Input " + std::string(echo)) << name;
    }
}

TEST(OutputMonitoring, EveryNetworkSentenceButAnEchoIsEchoed) {
    const std::pair<NmeaMessagePtr, int> cases[] = {
        {std::make_shared<MsgIDM>(1, 3, QStringList{"LAN", "Output"}), 0},
        {std::make_shared<MsgIDM>(1, msgCommands::ProprietaryHeartbeat), 1},
        {std::make_shared<MsgHBT>(60, "A", 0), 1},
    };
    for (const auto& [sentence, echoes] : cases) {
        Rig rig;
        rig.monitoredOut << kLan;
        rig.unit().slotSendSingleOnUdpOutput(sentence);
        // The sentence itself, then its echoes.
        EXPECT_EQ(rig.network.size() + rig.echoes.size(), 1 + echoes)
            << sentence->fullType().toStdString();
    }
}

TEST(OutputForwarding, FreshSensorDataGoesOnTheNetworkOnce) {
    // DAT 4 and DAT 5 fresh, raw data on the network; the systems of the DATs forwarded.
    const std::tuple<bool, bool, bool, const char*> cases[] = {
        {true, true, true, "45"},
        {false, true, true, "5"},
        {false, false, true, ""},
        {true, true, false, ""},
    };
    for (const auto& [dat4, dat5, datrOnLan, expected] : cases) {
        Rig rig;
        values()->msgDAT4.setNmeaMessage(*NmeaParser::parse("$PNRVDAT,4\r\n"), 1);
        values()->msgDAT5.setNmeaMessage(*NmeaParser::parse("$PNRVDAT,5\r\n"), 1);
        values()->msgDAT4.setValidity(dat4);
        values()->msgDAT5.setValidity(dat5);
        rig.enable("DATR", datrOnLan ? QStringList{kLan} : QStringList{});
        rig.unit().slotSendDAT_Messages();
        QString forwarded;
        for (const QString& text : rig.texts) {
            forwarded += text.section(QLatin1Char(','), 1, 1).left(1);
        }
        EXPECT_EQ(forwarded.toStdString(), expected);
        EXPECT_EQ(rig.network.size(), forwarded.isEmpty() ? 0 : 1) << "one group";
        // The sensor's primary data go once; the second frequency's stay for the older log.
        EXPECT_EQ(values()->msgDAT4.getValidity(), dat4 && !datrOnLan);
        EXPECT_EQ(values()->msgDAT5.getValidity(), dat5);
    }
}

TEST(OutputAlarms, OnlyValidSpeedsReachTheSpeedAlarms) {
    const float none = kAbsentFloat;
    const std::tuple<const char*, float, float, float, bool, const char*> cases[] = {
        {"all valid", 5.0f, 4.0f, 6.0f, false, "low 5 1 high 5 1 warn 4 low 6 0 high 6 0"},
        {"no water speed", none, none, 6.0f, false, "low 6 0 high 6 0"},
        {"no ground speed", 5.0f, 4.0f, none, false, "low 5 1 high 5 1 warn 4"},
        {"during an alarm test", 5.0f, 4.0f, 6.0f, true, ""},
    };
    for (const auto& [name, stwRes, stwLong, sogRes, alarmTest, expected] : cases) {
        Rig rig;
        VQ2DataModel& model = values()->vq2data;
        model.stwResBoatCallibrated.setValue(stwRes, 1);
        model.stwLongBoatCallibrated.setValue(stwLong, 1);
        model.sogResBoatCallibrated.setValue(sogRes, 1);
        // Speed, and whether through the water.
        QStringList calls;
        const auto record = [&calls](const char* what) {
            return [&calls, what](float speed, bool water) {
                calls << what << QString::number(speed) << QString::number(int(water));
            };
        };
        rig.hooks.checkLowSpeed = record("low");
        rig.hooks.checkHighSpeed = record("high");
        rig.hooks.checkSpeedWarnWater = [&calls](float speed) {
            calls << "warn" << QString::number(speed);
        };
        rig.hooks.isAlarmTestActive = [testing = alarmTest] { return testing; };
        rig.unit().slotCheckSpeedLimits();
        EXPECT_EQ(calls.join(' ').toStdString(), expected) << name;
    }
}

TEST(OutputOlderLog, SpeedSimulatedFromTheFixedOrGpsSpeedElseReadFromTheLog) {
    // The speed expected; kAbsentFloat when it is left as it was. Whether the log is asked.
    const std::tuple<const char*, bool, int, const char*, float, float, bool> cases[] = {
        {"fixed speed", true, 1, "SOG + STW", 8.0f, 5.0f, false},
        {"gps speed", true, 2, "SOG + STW", 8.0f, 10.0f, false},
        {"gps without transverse", true, 2, "SOG + STW", kAbsentFloat, kAbsentFloat, false},
        {"SOG Only reads the older log", true, 1, "SOG Only", 8.0f, kAbsentFloat, true},
        {"sensor source", true, 0, "SOG + STW", 8.0f, kAbsentFloat, true},
        {"no simulation", false, 1, "SOG + STW", 8.0f, kAbsentFloat, true},
    };
    for (const auto& [name, simulating, source, mode, gpsTra, expected, asked] : cases) {
        Rig rig;
        bool logAsked = false;
        rig.hooks.readVq1Speed = [&logAsked] { logAsked = true; };
        SimulationParameters& simulation = setup()->simulationParameters;
        simulation.SimulationModeOn = simulating;
        simulation.simulationSource = source;
        simulation.fixedSpeedLong = 3.0f;
        simulation.fixedSpeedTra = 4.0f;
        setup()->Vq2Setup.set(&VQ2_Setup_S::outputParams, QString(mode));
        values()->longSpeedToGround_GPS_VTG.setValue(6.0f, 1);
        values()->tranSpeedToGround_GPS_VTG.setValue(gpsTra, 1);
        rig.unit().slotReadVq1speed();
        EXPECT_FLOAT_EQ(values()->speedToWater_VQ1.getSingleValue(), expected) << name;
        EXPECT_EQ(logAsked, asked) << name;
    }
}

// The direction goes to the display when it changes and after the whole configuration.
TEST(OutputConfiguration, DisplayGetsTheWholeConfigurationAsOneGroupThenTheDirection) {
    for (const bool reverse : {false, true}) {
        SCOPED_TRACE(reverse ? "reverse" : "forward");
        Rig rig;
        const QString direction = QStringLiteral("$PNRVICM,1,41,%1*").arg(int(reverse));
        rig.unit().setReverse(reverse);
        rig.unit().slotSendConfigurationToDisplay(true);
        EXPECT_EQ(rig.sent(), "ICM41 [ICM15 ICM15 ICM15 ICM13 ICM12 ICM14 ICM10 IDM10 ICM11 ICM39 "
                              "ICM25 ICM7] ICM41");
        EXPECT_TRUE(rig.texts.first().startsWith(direction));
        EXPECT_TRUE(rig.texts.last().startsWith(direction));
    }
}

TEST(OutputConfiguration, ServiceSoftwareGetsIdentityAndNetworkInOneGroup) {
    Rig rig;
    rig.hooks.serviceInterfaceAddress = [] {
        return InterfaceAddress{QStringLiteral("172.16.1.101"), QStringLiteral("00:11:22:33:44:55"),
                                QStringLiteral("255.255.255.0")};
    };
    rig.unit().sendConifgurationToServiceSoftware();
    EXPECT_EQ(rig.sent(), "[CFGR CFGR]");
    ASSERT_EQ(rig.texts.size(), 2);
    const QStringList identity = rig.texts[0].section('*', 0, 0).split(',');
    EXPECT_EQ(identity.mid(1, 3), (QStringList{"1", "136", "Main Unit"}));
    EXPECT_EQ(identity.value(5), "1.2.1.2");
    EXPECT_EQ(rig.texts[1].section('*', 0, 0),
              "$PNRVCFGR,2,172,16,1,101,00:11:22:33:44:55,0101,,4");
}
} // namespace
