// The unit and its junction box on a virtual board: the chips and the older speed log behind
// the extension board are described in the root's board file, which the test edits while the
// unit runs, as a person would.
#include "displayrun.h"
#include "msgvbw.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

// The unit on its own group (SATD), its sensor giving ground speed only: speed through the
// water comes from the older log.
class JunctionBoxRun : public DisplayRun {
protected:
    JunctionBoxRun() : DisplayRun(kSatd) {
        root.writeFile(QStringLiteral("/opt/setup_files/vq2_setup"),
                       R"({ "outputParams" : "SOG Only" })");
        describeBoard(7.3);
    }

    void describeBoard(double olderLogSpeed) {
        root.writeFile(QStringLiteral("/board/junction_box.json"),
                       QStringLiteral(R"({ "eeprom" : { "hardware_version" : "C3" },
                                           "vq1" : { "speed" : %1, "trip" : 1.25,
                                                     "total" : 1234.5 } })")
                           .arg(olderLogSpeed)
                           .toLatin1());
    }

    // Whether the last VBW heard carries this speed through the water, valid.
    bool waterSpeedSent(float knots) {
        const std::vector<HeardSentence> heard = nmea1Heard.ofType("VBW");
        if (heard.empty()) {
            return false;
        }
        const auto vbw = std::dynamic_pointer_cast<MsgVBW>(heard.back().parsed());
        return vbw && vbw->statusWaterSpeed() == QLatin1String("A") &&
               std::fabs(vbw->longitudinalWaterSpeed() - knots) < 0.01f;
    }

    QString storedHardwareVersion() const {
        return QJsonDocument::fromJson(root.readFile(QStringLiteral("/opt/setup_files/kc40_setup")))
            .object()
            .value(QLatin1String("hwVersion"))
            .toString();
    }
};

TEST_F(JunctionBoxRun, IdleLedsAndTheEepromsHardwareVersionAfterStart) {
    start();
    EXPECT_TRUE(listenUntil(
        [&] { return root.readFile(QStringLiteral("/board/leds")) == "0x1C\n"; }, 10000))
        << "LEDs: " << root.readFile(QStringLiteral("/board/leds")).constData();
    EXPECT_TRUE(listenUntil([&] { return storedHardwareVersion() == QLatin1String("C3"); }, 5000))
        << unit.log().constData();
    ASSERT_TRUE(listenUntil([&] { return !unitIcms(10).empty(); }, 5000));
    const QList<int> identity = unitIcms(10).front()->msgParameters();
    ASSERT_GT(identity.size(), 15);
    EXPECT_EQ(identity[14], int('C')) << "the display is told the board's version";
    EXPECT_EQ(identity[15], 3);
}

TEST_F(JunctionBoxRun, OlderLogsSpeedIsSentAndATripResetReachesIt) {
    start();
    EXPECT_TRUE(listenUntil([&] { return waterSpeedSent(7.3f); }, 15000)) << unit.log().constData();
    describeBoard(8.1);
    EXPECT_TRUE(listenUntil([&] { return waterSpeedSent(8.1f); }, 5000)) << "the board file edited";

    sendOnLan(QStringLiteral("PNRVRSTT"));
    // Trip 0 and the log's total of 1234.50 nm, in hundredths, 24 bits each.
    EXPECT_TRUE(listenUntil(
        [&] {
            return root.readFile(QStringLiteral("/board/vq1_frames"))
                .contains("21 02 00 00 00 01 E2 3A\n");
        },
        5000))
        << "frames: " << root.readFile(QStringLiteral("/board/vq1_frames")).constData();
}

} // namespace
