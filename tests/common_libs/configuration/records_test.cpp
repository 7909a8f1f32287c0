#include "configurationfixture.h"
#include "nmeasettings.h"
#include "setupmessages.h"
#include "systemconfiguration.h"

#include <QFile>
#include <QJsonDocument>

namespace {
class Records : public ConfigurationTest {};

TEST_F(Records, AnEmptyRootGetsEveryRecordWithItsDefaults) {
    SystemSetup* setup = SystemSetup::getInstance();
    for (const char* name :
         {"alarm_ids_setup", "alarm_limits_setup", "rv_n_003_setup", "vq2_setup", "kc40_setup",
          "total_trip_setup", "total_trip_SOG_setup", "sensor_timer", "calibration_coeff"}) {
        EXPECT_TRUE(root.exists(QStringLiteral("/opt/setup_files/") + name)) << name;
    }
    const KC40_Setup_S& kc40 = setup->Kc40Setup.values();
    EXPECT_EQ(kc40.alarmID, "CA1235");
    EXPECT_EQ(kc40.localID, "VD0101");
    EXPECT_EQ(kc40.group, "NAVD");
    EXPECT_EQ(kc40.unitName, "Main Unit");
    EXPECT_EQ(kc40.hwVersion, "B1");
    EXPECT_EQ(kc40.serialNumber, 99999u);
    EXPECT_EQ(kc40.ipAddress, "127.0.0.1") << "the address of the interface in use (lo)";
    EXPECT_TRUE(setupFile("kc40_setup").contains(R"("serialNumber" : 99999)"));

    EXPECT_TRUE(setupFile("calibration_coeff")
                    .startsWith(R"({ "STW_offsetAngle" : 0, "instalationAngle" : 0, )"
                                R"("is_STW_offsetOn" : false,)"));
    EXPECT_TRUE(setupFile("calibration_coeff").endsWith(" }"));
    EXPECT_EQ(setup->RvN003Setup.values().serialNumber, 99999);
    EXPECT_TRUE(setup->AlarmIDsSetup.stwOn());
    EXPECT_EQ(NmeaSettings::sourceSfi(), "VD0101");
    EXPECT_EQ(NmeaSettings::numberOfDecimals(), 2);
}

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

TEST_F(Records, SnapshotsRoundTrip) {
    SystemSetup* setup = SystemSetup::getInstance();
    setup->AlarmLimitsSetup.set(&AlarmLimits_Setup_S::stwHighLimit, 12.0f);
    ASSERT_TRUE(setup->AlarmLimitsSetup.saveToFile("_a"));
    EXPECT_TRUE(root.exists("/opt/setup_files/saved_configs/alarm_limits_setup_a"));
    setup->AlarmLimitsSetup.set(&AlarmLimits_Setup_S::stwHighLimit, 1.0f);
    ASSERT_TRUE(setup->AlarmLimitsSetup.loadFromFile("_a"));
    EXPECT_EQ(setup->AlarmLimitsSetup.values().stwHighLimit, 12.0f);
}

struct ResetCase {
    int level;
    float maxSpeed;
    QString ipAddress;
    QString localID;
};

TEST_F(Records, ResetLevelsRestoreTheirShare) {
    const ResetCase cases[] = {
        {0, 30.0f, "10.0.0.9", "VD0042"},
        {1, 22.0f, "10.0.0.9", "VD0042"},
        {2, 22.0f, "172.16.1.101", "VD0101"},
    };
    for (const ResetCase& c : cases) {
        VQ2_Setup vq2(QStringLiteral("1"));
        vq2.set(&VQ2_Setup_S::vesselMaxSpeed, 30.0f);
        vq2.set(&VQ2_Setup_S::draft, 3.0f);
        vq2.getDefaults(c.level);
        EXPECT_EQ(vq2.values().vesselMaxSpeed, c.maxSpeed) << c.level;
        EXPECT_EQ(vq2.values().draft, 0.0f) << c.level;

        KC40_Setup kc40;
        kc40.setKc40("10.0.0.9", "VD0042", "TGTD", "AB0001", 5, "C2");
        kc40.getDefaults(c.level);
        EXPECT_EQ(kc40.values().ipAddress, c.ipAddress) << c.level;
        EXPECT_EQ(kc40.values().localID, c.localID) << c.level;
        EXPECT_EQ(kc40.values().alarmID, "CA1235") << c.level;
        EXPECT_EQ(kc40.values().serialNumber, 5u) << c.level;
    }
}

struct UpTimeCase {
    int msgCount;
    int hourCount;
    int added;
    int expectedMsgCount;
    int expectedHours;
    const char* text;
};

TEST_F(Records, SensorUpTimerRollsOverAndFormats) {
    const UpTimeCase cases[] = {
        {89990, 0, 20, 10, 14, "14:00:05"},
        {6429, 0, 0, 6429, 0, "1:00:00"},
        {0, 3, 100, 100, 3, "3:00:56"},
    };
    for (const UpTimeCase& c : cases) {
        SensorUpTimer timer;
        timer.set(&SensorUpTimer_S::msgCount, c.msgCount);
        timer.set(&SensorUpTimer_S::hourCount, c.hourCount);
        timer.slotIncMsgCount(c.added);
        EXPECT_EQ(timer.values().msgCount, c.expectedMsgCount);
        EXPECT_EQ(timer.values().hourCount, c.expectedHours);
        EXPECT_EQ(timer.getUpTime(), c.text);
    }
}

TEST_F(Records, ANewSensorRestartsTheUpTime) {
    SensorUpTimer timer;
    timer.slotIncMsgCount(500);
    timer.setSerialNumber("150000");
    EXPECT_EQ(timer.values().msgCount, 500);
    timer.setSerialNumber("150001");
    EXPECT_EQ(timer.values().msgCount, 0);
    EXPECT_EQ(timer.getDelta(), 0);
    EXPECT_TRUE(setupFile("sensor_timer").contains(R"("serialNumber" : "150001")"));
}

struct AngleCase {
    float installation;
    float stwOffset;
    bool offsetOn;
    bool demo;
    float expectedStwAngle;
    bool expectedWc;
};

TEST_F(Records, CalibrationAnglesAndWaterCurrent) {
    const AngleCase cases[] = {
        {2.0f, 5.0f, false, false, 2.0f, true}, {2.0f, 5.0f, true, false, 5.0f, true},
        {0.0f, 5.0f, true, false, 5.0f, false}, {0.0f, 0.0f, false, true, 0.0f, true},
        {2.0f, 0.0f, true, false, 0.0f, false},
    };
    for (const AngleCase& c : cases) {
        calibration coeffs;
        coeffs.setCalibration(c.installation, c.stwOffset, c.offsetOn, 0, 0, 5, 5, 20, 20, 0, 0);
        EXPECT_EQ(coeffs.getSTW_offsetAngleDeg(), c.expectedStwAngle);
        EXPECT_EQ(coeffs.allowWcCalculation(c.demo), c.expectedWc);
    }
}

TEST_F(Records, CalibrationDefaultsKeepStopOnGps) {
    writeSetupFile("calibration_coeff", R"({ "pitch" : 1.5 })");
    calibration coeffs;
    coeffs.set(&calibration_s::stopOnGPS, true);
    coeffs.getDefaults();
    EXPECT_EQ(coeffs.values().pitch, 0.0f);
    EXPECT_TRUE(coeffs.values().stopOnGPS);
}

TEST_F(Records, AlarmSourcesFollowTheFirstMatchingId) {
    AlarmIDs_Setup ids;
    ids.getDefaultsAlr();
    const std::pair<int, int> cases[] = {{235, 0}, {234, 1}, {237, 2}, {236, 3}, {238, 5}, {1, -1}};
    for (const auto& [id, source] : cases) {
        EXPECT_EQ(ids.getAlarmSouceByAlarmID(id), source) << id;
    }
    ids.getDefaults(0);
    EXPECT_EQ(ids.getAlarmSouceByAlarmID(3032), 0);
    EXPECT_EQ(ids.getAlarmIDbyIndex(4), 3015);
}

struct IdentityCase {
    QString localID;
    QString pairedID;
    QString source;
    QString destination;
};

TEST_F(Records, IdentitiesArePadded) {
    const IdentityCase cases[] = {
        {"VD0101", "VD7", "VD0101", "VD0007"},
        {"VD7", "II12345", "VD0007", "II12345"},
    };
    for (const IdentityCase& c : cases) {
        SystemSetup* setup = SystemSetup::getInstance();
        setup->Kc40Setup.set(&KC40_Setup_S::localID, c.localID);
        setup->RvN003Setup.set(&RV_N_003_Setup_S::pairedID, c.pairedID);
        EXPECT_EQ(SystemConfiguration::getSource(), c.source);
        EXPECT_EQ(SystemConfiguration::getDestination(), c.destination);
    }
}
} // namespace
