#include "configurationfixture.h"
#include "nmeasettings.h"
#include "setupmessages.h"
#include "systemconfiguration.h"

#include <QFile>
#include <QJsonDocument>

namespace {
class Records : public ConfigurationTest {};

// The unit answers at its interface's address whatever the file says, so the display always
// gets the whole junction-box setup: four address parts and a four-part software version.
TEST_F(Records, JunctionBoxTakesTheAddressOfTheInterfaceInUse) {
    const QByteArray files[] = {"", R"({ "ipAddress" : "10.0.0.9" })", R"({ "ipAddress" : "" })"};
    for (const QByteArray& content : files) {
        SystemSetup::resetForTests();
        writeSetupFile("kc40_setup", content);
        SystemSetup* setup = SystemSetup::getInstance();
        EXPECT_EQ(setup->Kc40Setup.values().ipAddress, "127.0.0.1") << content.constData();
        EXPECT_TRUE(setupFile("kc40_setup").contains(R"("ipAddress" : "127.0.0.1")"))
            << content.constData();
        const QList<int> p = SetupMessages::createJbSetupMsg(*setup)->msgParameters();
        ASSERT_EQ(p.size(), 16) << content.constData();
        EXPECT_EQ(p.mid(0, 4), (QList<int>{127, 0, 0, 1})) << content.constData();
    }
    // What the sentences need of the records is published as they load.
    EXPECT_EQ(NmeaSettings::sourceSfi(), "VD0101");
    EXPECT_EQ(NmeaSettings::numberOfDecimals(), 2);
}

struct LoadCase {
    const char* name;
    QByteArray content;
    float expectedDraft;
    float expectedPingLimit;
    bool corruptKept;
};

TEST_F(Records, VesselRecordLoadsTolerantly) {
    const LoadCase cases[] = {
        {"missing key keeps default, extra key ignored", R"({ "draft" : 2.5, "nonsense" : 1 })",
         2.5f, 3.0f, false},
        {"ping limit above 3 is cut", R"({ "depthPingChangeLimit" : 5.0 })", 0.0f, 3.0f, false},
        {"ping limit below 3 is kept", R"({ "depthPingChangeLimit" : 1.5 })", 0.0f, 1.5f, false},
        {"wrong value type is skipped", R"({ "draft" : "deep" })", 0.0f, 3.0f, false},
        {"open brace gives defaults", "{", 0.0f, 3.0f, true},
        {"empty file gives defaults", "", 0.0f, 3.0f, true},
    };
    for (const LoadCase& c : cases) {
        SystemSetup::resetForTests();
        QFile::remove(root.path("/opt/setup_files/vq2_setup.corrupt"));
        writeSetupFile("vq2_setup", c.content);
        const VQ2_Setup vq2(QStringLiteral("000000000000"));
        EXPECT_EQ(vq2.values().draft, c.expectedDraft) << c.name;
        EXPECT_EQ(vq2.values().depthPingChangeLimit, c.expectedPingLimit) << c.name;
        EXPECT_EQ(root.exists("/opt/setup_files/vq2_setup.corrupt"), c.corruptKept) << c.name;
        EXPECT_TRUE(QJsonDocument::fromJson(setupFile("vq2_setup")).isObject()) << c.name;
    }
}

TEST_F(Records, ZeroAveragingAndSerialNumbersAreRepairedOnLoad) {
    writeSetupFile("vq2_setup", R"({ "lowSpeedAveragingTime" : 0 })");
    writeSetupFile("kc40_setup", R"({ "serialNumber" : 0, "firstRunLowSpeedGps" : false, )"
                                 R"("lowSpeedGPS_Correction" : false })");
    SystemSetup* setup = SystemSetup::getInstance();
    EXPECT_EQ(setup->Vq2Setup.values().lowSpeedAveragingTime, 10);
    EXPECT_EQ(setup->Kc40Setup.values().serialNumber, 99999u);
    EXPECT_FALSE(setup->Kc40Setup.values().lowSpeedGPS_Correction);
}

TEST_F(Records, SettersWriteOnlyOnChange) {
    SystemSetup* setup = SystemSetup::getInstance();
    QFile::remove(root.path("/opt/setup_files/alarm_limits_setup"));
    EXPECT_FALSE(setup->AlarmLimitsSetup.set(&AlarmLimits_Setup_S::speedLevelHigh1, 5.0f));
    EXPECT_FALSE(root.exists("/opt/setup_files/alarm_limits_setup"));
    EXPECT_TRUE(setup->AlarmLimitsSetup.set(&AlarmLimits_Setup_S::speedLevelHigh1, 6.5f));
    EXPECT_TRUE(setupFile("alarm_limits_setup").contains(R"("speedLevelHigh1" : 6.5)"));
}

// 6430 sensor sentences make an hour of running; a new sensor starts from nothing.
TEST_F(Records, SensorUpTimerCountsHoursPerSensor) {
    const struct {
        int msgCount, hourCount, added, expectedMsgCount, expectedHours;
    } cases[] = {{89990, 0, 20, 10, 14}, {6429, 0, 0, 6429, 0}, {0, 3, 100, 100, 3}};
    for (const auto& c : cases) {
        SensorUpTimer timer;
        timer.set(&SensorUpTimer_S::msgCount, c.msgCount);
        timer.set(&SensorUpTimer_S::hourCount, c.hourCount);
        timer.slotIncMsgCount(c.added);
        EXPECT_EQ(timer.values().msgCount, c.expectedMsgCount) << c.msgCount;
        EXPECT_EQ(timer.values().hourCount, c.expectedHours) << c.msgCount;
    }
    SensorUpTimer timer;
    timer.setSerialNumber("150000");
    timer.slotIncMsgCount(500);
    timer.setSerialNumber("150000");
    EXPECT_EQ(timer.values().msgCount, 500);
    timer.setSerialNumber("150001");
    EXPECT_EQ(timer.values().msgCount, 0);
    EXPECT_TRUE(setupFile("sensor_timer").contains(R"("serialNumber" : "150001")"));
}

// The STW offset angle replaces the installation angle only while it is switched on; a reset
// of the calibration keeps the stop-on-GPS choice.
TEST_F(Records, CalibrationAnglesAndDefaults) {
    const struct {
        float installation, stwOffset;
        bool offsetOn;
        float expected;
    } cases[] = {{2.0f, 5.0f, false, 2.0f}, {2.0f, 5.0f, true, 5.0f}, {2.0f, 0.0f, true, 0.0f}};
    for (const auto& c : cases) {
        calibration coeffs;
        coeffs.setCalibration(c.installation, c.stwOffset, c.offsetOn, 0, 0, 5, 5, 20, 20, 0, 0);
        EXPECT_EQ(coeffs.getSTW_offsetAngleDeg(), c.expected);
    }
    writeSetupFile("calibration_coeff", R"({ "pitch" : 1.5 })");
    calibration coeffs;
    coeffs.set(&calibration_s::stopOnGPS, true);
    coeffs.getDefaults();
    EXPECT_EQ(coeffs.values().pitch, 0.0f);
    EXPECT_TRUE(coeffs.values().stopOnGPS);
}

// An ACK names an alert by its identifier: the first alert carrying it answers.
TEST_F(Records, AlarmSourcesFollowTheFirstMatchingId) {
    AlarmIDs_Setup ids;
    ids.getDefaults(0);
    ids.set(&AlarmIDs_Setup_S::sogLowAlarmID, 4040);
    const std::pair<int, int> cases[] = {{3032, 0}, {4040, 2}, {3015, 5}, {1, -1}};
    for (const auto& [id, source] : cases) {
        EXPECT_EQ(ids.getAlarmSouceByAlarmID(id), source) << id;
    }
}

TEST_F(Records, TheSourceIdentityIsPadded) {
    const std::pair<QString, QString> cases[] = {{"VD0101", "VD0101"}, {"VD7", "VD0007"}};
    for (const auto& [localID, source] : cases) {
        SystemSetup::getInstance()->Kc40Setup.set(&KC40_Setup_S::localID, localID);
        EXPECT_EQ(SystemConfiguration::getSource(), source);
    }
}

TEST_F(Records, VersionSentencesDescribeProductJunctionBoxAndSensor) {
    SystemSetup* setup = SystemSetup::getInstance();
    QList<int> sequences;
    for (int round = 0; round < 11; ++round) {
        const QList<NmeaMessagePtr> sentences = setup->createVersionMsg({"1-42", "2.13", "B7"});
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
