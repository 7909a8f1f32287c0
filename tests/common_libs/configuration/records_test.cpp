#include "configurationfixture.h"
#include "nmeasettings.h"
#include "setupmessages.h"
#include "systemconfiguration.h"

#include <QFile>
#include <QJsonDocument>

#include <limits>
#include <tuple>

namespace {
class Records : public ConfigurationTest {};

// The unit answers at its interface's address whatever the file says, so the display always
// gets four address parts.
TEST_F(Records, JunctionBoxTakesTheAddressOfTheInterfaceInUse) {
    for (const QByteArray& content : {QByteArray(), QByteArray(R"({ "ipAddress" : "10.0.0.9" })"),
                                      QByteArray(R"({ "ipAddress" : "" })")}) {
        SystemSetup::resetForTests();
        writeSetupFile("kc40_setup", content);
        const QList<int> p =
            SetupMessages::createJbSetupMsg(*SystemSetup::getInstance())->msgParameters();
        EXPECT_EQ(p.mid(0, 4), (QList<int>{127, 0, 0, 1})) << content.constData();
        EXPECT_TRUE(setupFile("kc40_setup").contains(R"("ipAddress" : "127.0.0.1")"));
    }
    // What the sentences need of the records is published as they load.
    EXPECT_EQ(NmeaSettings::sourceSfi(), "VD0101");
    EXPECT_EQ(NmeaSettings::numberOfDecimals(), 2);
}

// A file that cannot be read at all is kept aside and the record starts from its defaults.
TEST_F(Records, VesselRecordLoadsTolerantly) {
    const std::tuple<QByteArray, float, float, bool> cases[] = {
        // content, draft, ping-change depth, kept aside
        {R"({ "draft" : 2.5, "nonsense" : 1 })", 2.5f, 3.0f, false},
        {R"({ "depthPingChangeLimit" : 5.0 })", 0.0f, 3.0f, false}, // cut to 3
        {R"({ "depthPingChangeLimit" : 1.5 })", 0.0f, 1.5f, false},
        {R"({ "draft" : "deep" })", 0.0f, 3.0f, false},
        {"{", 0.0f, 3.0f, true},
    };
    for (const auto& [content, draft, pingLimit, corrupt] : cases) {
        QFile::remove(root.path("/opt/setup_files/vq2_setup.corrupt"));
        writeSetupFile("vq2_setup", content);
        const VQ2_Setup vq2(QStringLiteral("000000000000"));
        EXPECT_EQ(vq2.values().draft, draft) << content.constData();
        EXPECT_EQ(vq2.values().depthPingChangeLimit, pingLimit) << content.constData();
        EXPECT_EQ(root.exists("/opt/setup_files/vq2_setup.corrupt"), corrupt)
            << content.constData();
        EXPECT_TRUE(QJsonDocument::fromJson(setupFile("vq2_setup")).isObject());
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
    // installation angle, STW offset angle, offset on, the angle STW is turned by
    const std::tuple<float, float, bool, float> cases[] = {
        {2.0f, 5.0f, false, 2.0f}, {2.0f, 5.0f, true, 5.0f}, {2.0f, 0.0f, true, 0.0f}};
    for (const auto& [installation, stwOffset, offsetOn, expected] : cases) {
        calibration coeffs;
        coeffs.setCalibration(installation, stwOffset, offsetOn, 0, 0, 5, 5, 20, 20, 0, 0);
        EXPECT_EQ(coeffs.getSTW_offsetAngleDeg(), expected);
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

// Product, junction box and sensor, each with its own version; the sequence runs 0..9.
TEST_F(Records, VersionSentencesDescribeProductJunctionBoxAndSensor) {
    SystemSetup* setup = SystemSetup::getInstance();
    const QList<NmeaMessagePtr> sentences = setup->createVersionMsg({"1-42", "2.13", "B7"});
    const QStringList expected = {"$VDVER,3,1,VD,NRV,VD0101,99999,VQ2,1.2.1.2,AX,0*",
                                  "$VDVER,3,2,VD,NRV,VD0101,99999,KC_40,1.2.1.2,B1,0*",
                                  "$VDVER,3,3,VD,NRV,VD0101,1-42,VQ2,2.13,B7,0*"};
    ASSERT_EQ(sentences.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(sentences[i]->getMsgBuffer().startsWith(expected[i]))
            << sentences[i]->getMsgBuffer().toStdString();
    }
    QList<int> sequences;
    for (int round = 1; round < 11; ++round) {
        sequences << setup->createVersionMsg({})[0]->fieldValues().last().value.toInt();
    }
    EXPECT_EQ(sequences, (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 0}));
}
} // namespace

namespace {
class AuxRecords : public ConfigurationTest {};

// A terminal list that is not the four terminals is no setup: the factory wiring replaces it.
TEST_F(AuxRecords, TheTerminalsLoadWholeOrFromTheirDefaults) {
    const std::tuple<const char*, QByteArray, QString> cases[] = {
        {"missing", QByteArray(), "SogPulseOutput"},
        {"three terminals",
         R"([{"auxName":"Aux1","functionName":"AlarmOutput","pinName":"A20"},)"
         R"({"auxName":"Aux2","functionName":"AlarmOutput","pinName":"A16"},)"
         R"({"auxName":"Aux3","functionName":"AlarmOutput","pinName":"A17"}])",
         "SogPulseOutput"},
        {"four in another order",
         R"([{"auxName":"Aux4","functionName":"Mute in","pinName":"A21","auxDirection":1},)"
         R"({"auxName":"Aux2","functionName":"Disabled","pinName":"A16"},)"
         R"({"auxName":"Aux1","functionName":"AlarmOutput","pinName":"A20","pinNumber":20},)"
         R"({"auxName":"Aux3","functionName":"SpeedLimit","pinName":"A17"}])",
         "AlarmOutput"},
    };
    for (const auto& [name, content, firstFunction] : cases) {
        SystemSetup::resetForTests();
        if (content.isEmpty()) {
            QFile::remove(root.path("/opt/setup_files/kc40_aux_setup"));
        } else {
            writeSetupFile("kc40_aux_setup", content);
        }
        const KC40_Aux_Setup& aux = SystemSetup::getInstance()->Kc40AuxSetup;
        ASSERT_EQ(aux.getAuxCount(), 4) << name;
        EXPECT_EQ(aux.getFunctionName(0), firstFunction) << name;
        EXPECT_EQ(aux.getAuxName(3), "Aux4") << name;
        EXPECT_EQ(aux.getAuxDirection(3), "In") << name;
    }
    EXPECT_EQ(SetupMessages::createAuclSetupMsg(*SystemSetup::getInstance())->msgParameters(),
              (QList<int>{0, 0, 3, 1, 0, 9, 2, 0, 6, 3, 1, 12}));
}

TEST_F(AuxRecords, DefaultsAreWrittenAndShownToTheDisplay) {
    SystemSetup* setup = SystemSetup::getInstance();
    EXPECT_EQ(SetupMessages::createAuclSetupMsg(*setup)->msgParameters(),
              (QList<int>{0, 0, 1, 1, 0, 0, 2, 0, 5, 3, 1, 10}));
    EXPECT_TRUE(setupFile("kc40_aux_setup").contains(R"("functionName" : "Alarm acknowledge")"));
    const KC40_Aux_Handler_Setup pulses;
    EXPECT_EQ(pulses.values().pulsesPerMile, 200);
    EXPECT_EQ(setupFile("kc40_aux_handler_setup"),
              R"({ "pulsesPerMile" : 200, "speedPulseOutputSTW" : true })");
}

// The display's terminal functions are taken whole or not at all.
TEST_F(AuxRecords, DisplayFunctionsAreTakenOnlyWholeAndAllowed) {
    constexpr int kEmpty = std::numeric_limits<int>::max();
    const std::tuple<const char*, QList<int>, bool> cases[] = {
        {"relays and silence", {0, 0, 6, 1, 0, 3, 2, 0, 2, 3, 1, 11}, true},
        {"input disabled", {0, 0, 1, 1, 0, 0, 2, 0, 5, 3, 1, 13}, true},
        {"three terminals", {0, 0, 1, 1, 0, 0, 2, 0, 5}, false},
        {"a fifth value too many", {0, 0, 1, 1, 0, 0, 2, 0, 5, 3, 1, 10, 4}, false},
        {"index beyond the catalogue", {0, 0, 14, 1, 0, 0, 2, 0, 5, 3, 1, 10}, false},
        {"negative index", {0, 0, -1, 1, 0, 0, 2, 0, 5, 3, 1, 10}, false},
        {"pulses on the third terminal", {0, 0, 1, 1, 0, 3, 2, 0, 0, 3, 1, 10}, false},
        {"an input on an output terminal", {0, 0, 10, 1, 0, 0, 2, 0, 5, 3, 1, 10}, false},
        {"an output on the input terminal", {0, 0, 1, 1, 0, 0, 2, 0, 5, 3, 1, 3}, false},
        {"an empty field", {0, 0, 1, 1, kEmpty, 0, 2, 0, 5, 3, 1, 10}, false},
    };
    for (const auto& [name, parameters, accepted] : cases) {
        SystemSetup::resetForTests();
        QFile::remove(root.path("/opt/setup_files/kc40_aux_setup"));
        KC40_Aux_Setup& aux = SystemSetup::getInstance()->Kc40AuxSetup;
        const QByteArray before = setupFile("kc40_aux_setup");
        EXPECT_EQ(aux.setFunctionCodes(parameters), accepted) << name;
        EXPECT_EQ(aux.getSetupReceivedFlag(), accepted) << name;
        if (!accepted) {
            EXPECT_EQ(setupFile("kc40_aux_setup"), before) << name;
            continue;
        }
        for (int i = 0; i < KC40_Aux_Setup::kAuxCount; ++i) {
            EXPECT_EQ(aux.getFunctionName(i), KC40_Aux_Setup::intToFname(parameters[i * 3 + 2]))
                << name;
        }
    }
}
} // namespace
