#include "displaycommandsfixture.h"
#include "msgver.h"

#include <QFile>

namespace {
struct ChannelCommandCase {
    const char* name;
    QList<int> parameters;
    bool applied;
    bool echoed; // else the unit's own state answers
    QString channel;
    QList<bool> offeredEnabled;
    int baud;
    QString alarm;
    bool twoDecimals;
};

class ChannelCommands : public DisplayCommandsTest {};

TEST_F(ChannelCommands, DisplayMessagesAreCheckedBeforeUse) {
    const QList<bool> factory{true, true, true};
    const ChannelCommandCase cases[] = {
        {"complete",
         {0, 38400, 1, 1, 0, 0, 2, 0},
         true,
         true,
         "Nmea_1",
         {false, true, false},
         38400,
         "OFF",
         true},
        {"negative type skipped",
         {1, 4800, 0, 0, -1, 0, 1, 0},
         true,
         true,
         "Nmea_2",
         {true, false, true},
         4800,
         "ON",
         false},
        {"only the header", {1, 115200, 0, 1}, true, true, "Nmea_2", factory, 115200, "ON", true},
        {"type 14 skipped",
         {0, 4800, 0, 0, 14, 0, 1, 0},
         true,
         false,
         "Nmea_1",
         {true, false, true},
         4800,
         "ON",
         false},
        {"unpaired last value",
         {0, 4800, 0, 0, 0, 0, 1},
         true,
         false,
         "Nmea_1",
         {false, true, true},
         4800,
         "ON",
         false},
        {"baud 9600 kept out",
         {0, 9600, 1, 0, 0, 0},
         true,
         false,
         "Nmea_1",
         {false, true, true},
         4800,
         "OFF",
         false},
        {"baud 0 kept out", {0, 0, 0, 0}, true, false, "Nmea_1", factory, 4800, "ON", false},
        {"negative baud kept out",
         {1, -4800, 0, 0},
         true,
         false,
         "Nmea_2",
         factory,
         4800,
         "ON",
         false},
        {"three values", {0, 38400, 1}, false, false, "Nmea_1", factory, 4800, "ON", false},
        {"channel -1", {-1, 38400, 1, 1, 0, 0}, false, false, "Nmea_1", factory, 4800, "ON", false},
        {"channel 3",
         {3, 38400, 1, 1, 0, 0},
         false,
         false,
         "LAN",
         {true, true, true, false, false, false, false, true},
         4800,
         "ON",
         false},
        {"alarm type 2",
         {0, 38400, 2, 1, 0, 0},
         false,
         false,
         "Nmea_1",
         factory,
         4800,
         "ON",
         false},
        {"alarm type -1",
         {0, 38400, -1, 1, 0, 0},
         false,
         false,
         "Nmea_1",
         factory,
         4800,
         "ON",
         false},
    };
    for (const ChannelCommandCase& c : cases) {
        for (const char* file :
             {"Nmea_1_channel_setup", "Nmea_2_channel_setup", "channels_bauds_setup",
              "alarm_msg_types_setup", "channels_decimal_setup"}) {
            QFile::remove(root.path(QStringLiteral("/opt/setup_files/") + file));
        }
        restartUnit();
        icm(15, c.parameters);

        const Outpu_Channels_Setup& channels = setup->OutputChannelsSetup;
        EXPECT_EQ(channels.getAvailableMsgsEnabled(c.channel), c.offeredEnabled) << c.name;
        EXPECT_EQ(channels.getChannelBaudRate(c.channel), c.baud) << c.name;
        EXPECT_EQ(channels.getChannelAlarmMsgType(c.channel), c.alarm) << c.name;
        EXPECT_EQ(channels.getChannelUseTwoDecimals(c.channel), c.twoDecimals) << c.name;
        const auto replies = sentIcm();
        if (!c.applied) {
            EXPECT_TRUE(replies.isEmpty()) << c.name;
            continue;
        }
        ASSERT_EQ(replies.size(), 1) << c.name;
        EXPECT_EQ(replies[0].first, 15) << c.name;
        const QList<int> state =
            SetupMessages::createOcfSetupMsg(*setup, c.channel)->msgParameters();
        EXPECT_EQ(replies[0].second, c.echoed ? c.parameters : state) << c.name;
    }
}

TEST_F(ChannelCommands, TheNetworkChannelStoresItsTableAndAlarmOnly) {
    icm(15, {2, 38400, 1, 1, 7, 1, 0, 0});
    const Outpu_Channels_Setup& channels = setup->OutputChannelsSetup;
    EXPECT_TRUE(channels.isEnabled("DLR", "LAN"));
    EXPECT_FALSE(channels.isEnabled("VBW", "LAN"));
    EXPECT_TRUE(channels.isEnabled("VBW", "Nmea_2"));
    EXPECT_FALSE(channels.isAlarmOutputEnabled("LAN"));
    EXPECT_TRUE(channels.isAlarmOutputEnabled("Nmea_2"));
    EXPECT_EQ(channels.getChannelBaudRate("LAN"), 4800) << "LAN reads Nmea_2's rate";
    EXPECT_FALSE(channels.getChannelUseTwoDecimals("LAN"));
    EXPECT_FALSE(setupFile("channels_bauds_setup").contains("38400"));
    EXPECT_TRUE(setupFile("LAN_channel_setup").contains(R"("enabled" : true, "msgType" : "DLR")"));
    EXPECT_EQ(sentIcm().size(), 1);
}

struct BaudSignalCase {
    const char* name;
    QList<QList<int>> messages;
    QList<std::pair<QString, int>> emitted;
};

TEST_F(ChannelCommands, ASerialRateChangeReopensTheLine) {
    const BaudSignalCase cases[] = {
        {"Nmea_1 to 38400", {{0, 38400, 0, 0}}, {{"Nmea_1", 38400}}},
        {"Nmea_2 to 115200 and back",
         {{1, 115200, 0, 0}, {1, 4800, 0, 0}},
         {{"Nmea_2", 115200}, {"Nmea_2", 4800}}},
        {"the same rate again", {{0, 38400, 0, 0}, {0, 38400, 0, 0}}, {{"Nmea_1", 38400}}},
        {"the network channel", {{2, 38400, 0, 0}}, {}},
        {"an unsupported rate", {{0, 9600, 0, 0}}, {}},
        {"a dropped message", {{0, 38400, 5, 0}}, {}},
    };
    for (const BaudSignalCase& c : cases) {
        Spy bauds(commands.get(), &DisplayCommands::sigChannelBaudChanged);
        for (const QList<int>& p : c.messages) {
            icm(15, p);
        }
        QList<std::pair<QString, int>> emitted;
        for (qsizetype i = 0; i < bauds.size(); ++i) {
            emitted.append({std::get<0>(bauds[i]), std::get<1>(bauds[i])});
        }
        EXPECT_EQ(emitted, c.emitted) << c.name;
        setup->OutputChannelsSetup.getDefaults();
    }
}

TEST_F(ChannelCommands, AFactoryResetRestoresTheRates) {
    icm(15, {1, 38400, 0, 0});
    Spy bauds(commands.get(), &DisplayCommands::sigChannelBaudChanged);
    commands->resetToDefault(1);
    EXPECT_EQ(bauds.size(), 0);
    EXPECT_EQ(setup->OutputChannelsSetup.getChannelBaudRate("Nmea_2"), 38400);
    commands->resetToDefault(2);
    ASSERT_EQ(bauds.size(), 1);
    EXPECT_EQ(std::get<0>(bauds[0]), "Nmea_2");
    EXPECT_EQ(std::get<1>(bauds[0]), 4800);
}

TEST_F(ChannelCommands, ThePendingConfigurationHasTheChannelsOnceAllCame) {
    auto ocfChannels = [this] {
        QList<int> channels;
        for (const NmeaMessagePtr& msg : setup->getSetupMsgsListTosend()) {
            const auto* m = dynamic_cast<const MsgICM*>(msg.get());
            if (m && m->commandID() == 15) {
                channels << m->msgParameters()[0];
            }
        }
        return channels;
    };
    icm(15, {0, 4800, 0, 0});
    icm(15, {2, 4800, 0, 0});
    EXPECT_TRUE(ocfChannels().isEmpty());
    icm(15, {1, 4800, 0, 0});
    EXPECT_EQ(ocfChannels(), (QList<int>{0, 1, 2}));
    const auto last = setup->getSetupMsgsListTosend().last();
    EXPECT_EQ(dynamic_cast<const MsgICM&>(*last).commandID(), 36) << "the sensor timer is last";
}

TEST_F(ChannelCommands, VersionSentencesDescribeProductJunctionBoxAndSensor) {
    const SystemSetup::SensorIdentity sensor{"1-42", "2.13", "B7"};
    QList<int> sequences;
    for (int round = 0; round < 11; ++round) {
        const QList<NmeaMessagePtr> sentences = setup->createVersionMsg(sensor);
        ASSERT_EQ(sentences.size(), 3);
        sequences << sentences[0]->fieldValues().last().value.toInt();
        if (round > 0) {
            continue;
        }
        const QStringList expected = {
            "$VDVER,3,1,VD,NRV,VD0101,99999,VQ2,1.2.1.2,AX,0*",
            "$VDVER,3,2,VD,NRV,VD0101,99999,KC_40,1.2.1.2,B1,0*",
            "$VDVER,3,3,VD,NRV,VD0101,1-42,VQ2,2.13,B7,0*",
        };
        for (int i = 0; i < 3; ++i) {
            EXPECT_TRUE(sentences[i]->getMsgBuffer().startsWith(expected[i]))
                << sentences[i]->getMsgBuffer().toStdString();
        }
    }
    EXPECT_EQ(sequences, (QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0}));
}
} // namespace
