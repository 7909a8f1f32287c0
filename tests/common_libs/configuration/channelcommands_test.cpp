#include "channels/default_channels_config.h"
#include "displaycommandsfixture.h"

#include <QFile>

namespace {
class ChannelCommands : public DisplayCommandsTest {};

// What the unit takes of a channel command it accepts, told by the setup message of the
// channel afterwards: channel, baud rate, alarm output (0 on), two decimals, then the offered
// sentence types (VBW, VLW, MTW) and whether each is on. A command the unit could not take
// whole is answered with that state instead of its echo.
TEST_F(ChannelCommands, WhatTheChannelCannotTakeIsLeftOut) {
    const struct {
        const char* name;
        QList<int> parameters;
        bool echoed;
        QList<int> state;
    } cases[] = {
        {"complete", {0, 38400, 1, 1, 0, 0, 2, 0}, true, {0, 38400, 1, 1, 0, 0, 1, 1, 2, 0}},
        {"negative type skipped",
         {1, 4800, 0, 0, -1, 0, 1, 0},
         true,
         {1, 4800, 0, 0, 0, 1, 1, 0, 2, 1}},
        {"only the header", {1, 115200, 0, 1}, true, {1, 115200, 0, 1, 0, 1, 1, 1, 2, 1}},
        {"type 14 skipped", {0, 4800, 0, 0, 14, 0, 1, 0}, false, {0, 4800, 0, 0, 0, 1, 1, 0, 2, 1}},
        {"unpaired last value", {0, 4800, 0, 0, 0, 0, 1}, false, {0, 4800, 0, 0, 0, 0, 1, 1, 2, 1}},
        {"baud 9600 kept out", {0, 9600, 1, 0, 0, 0}, false, {0, 4800, 1, 0, 0, 0, 1, 1, 2, 1}},
        {"baud 0 kept out", {0, 0, 0, 0}, false, {0, 4800, 0, 0, 0, 1, 1, 1, 2, 1}},
        {"negative baud kept out", {1, -4800, 0, 0}, false, {1, 4800, 0, 0, 0, 1, 1, 1, 2, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const char* file :
             {"Nmea_1_channel_setup", "Nmea_2_channel_setup", "channels_bauds_setup",
              "alarm_msg_types_setup", "channels_decimal_setup"}) {
            QFile::remove(root.path(QStringLiteral("/opt/setup_files/") + file));
        }
        restartUnit();
        icm(15, c.parameters);
        const QString channel = Default_Channels_config::channelList[c.parameters[0]];
        EXPECT_EQ(SetupMessages::createOcfSetupMsg(*setup, channel)->msgParameters(), c.state);
        const auto replies = sentIcm();
        ASSERT_EQ(replies.size(), 1);
        EXPECT_EQ(replies[0], std::make_pair(15, c.echoed ? c.parameters : c.state));
        restartUnit();
        EXPECT_EQ(SetupMessages::createOcfSetupMsg(*setup, channel)->msgParameters(), c.state)
            << "after a restart";
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
} // namespace
