#include "fakeclock.h"
#include "freshunit.h"
#include "msgdpt.h"
#include "msggga.h"
#include "msggll.h"
#include "nmeaparser.h"
#include "nmeasettings.h"
#include "unitconverter.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>

namespace {

float rad(float degrees) {
    return UnitConverter::degToRad(degrees);
}

// The sentence as sent, without "$", checksum and line end.
std::string body(const NmeaMessagePtr& msg) {
    const QString text = msg->getMsgBuffer();
    return text.mid(1, text.indexOf(QLatin1Char('*')) - 1).toStdString();
}

// How the unit is set up besides the values of fillStore; the flags combine.
enum Mode : unsigned {
    AsDelivered = 0,
    Expired = 1U << 0, // ten seconds without a refresh
    SogOnly = 1U << 1,
    SatLog = 1U << 2,
    OlderLogSilent = 1U << 3,
    JbSimulator = 1U << 4, // simulation on, from the junction box
    GpsSimulator = 1U << 5,
    SensorSimulation = 1U << 6,
    JbSourceButOff = 1U << 7, // the junction box chosen, the simulation off
    SogFromGps = 1U << 8,
    NoGpsSogOnLostBottom = 1U << 9,
    WcFromGps = 1U << 10,
    TwoAxisDepth = 1U << 11,
    RawTraReplaced = 1U << 12,
    NoDraft = 1U << 13,
    NegativeDraft = 1U << 14,
};

class OutputSentenceFactory : public ::testing::Test {
protected:
    OutputSentenceFactory() {
        NmeaSettings::setSourceSfi(QStringLiteral("VD0101"));
        NmeaSettings::setNumberOfDecimals(2);
    }

    SystemSetup& setup() { return *SystemSetup::getInstance(); }
    std::string build(const char* sentence, int sub = -1) {
        return body(sv.getOutputMsgByName(QLatin1String(sentence), sub));
    }

    // Every value the factory reads, each distinct so that a swapped field shows.
    void fillStore() {
        const quint64 t = FakeClock::stamp();
        VQ2DataModel& data = sv.vq2data;
        data.stwLongBoatCallibrated.setValue(5.25f, t);
        data.stwTraBoatCallibrated.setValue(0.5f, t);
        data.stwResBoatCallibrated.setValue(5.5f, t);
        data.stwTraAftCallibrated.setValue(0.25f, t);
        data.stwResBoatNoCallib.setValue(5.75f, t);
        data.ctwResBoat.setValue(rad(5.0f), t);
        data.sogLongBoatCallibrated.setValue(6.5f, t);
        data.sogTraBoatCallibrated.setValue(-0.75f, t);
        data.sogResBoatCallibrated.setValue(6.75f, t);
        data.sogTraAftCallibrated.setValue(-0.5f, t);
        data.sogResBoatNoCallib.setValue(7.25f, t);
        data.cogResBoat.setValue(rad(45.0f), t);
        data.wcRes.setValue(1.25f, t);
        data.wcCourse.setValue(rad(-90.0f), t);
        data.depthFwd.setValue(20.5f, t);
        data.depthSide.setValue(21.5f, t);
        data.sensorTemperature.temperatureWithOffset.setValue(12.5f, t);
        data.sensorTemperature.temperatureAvg.setValue(12.25f, t);
        data.sensorTilt.tilt_X_boat.setValue(rad(1.5f), t);
        data.sensorTilt.tilt_Y_boat.setValue(rad(-2.5f), t);
        sv.headingTrue_Gyro.setValue(123.5f, t);
        sv.headingMagnetic_Gyro.setValue(120.5f, t);
        sv.rateOfTurn.setValue(-3.5f, t);
        sv.speedToWater_VQ1.setValue(4.5f, t);
        sv.resSpeedToGround_GPS_VTG.setValue(6.0f, t);
        sv.trackDegreesTrue_GPS.setValue(87.5f, t);
        sv.utcTime_ZDA.setValue(QStringLiteral("123456.00"), t);
        sv.initDistances(1234.5, 12.25, 2345.5, 23.5);
        sv.totalCumulativeWaterDistanceVQ1.setValue(111.5, t);
        sv.waterDistanceSinceResetVQ1.setValue(1.5, t);
        setGga(true);
        sv.msgDPT_SD.setNmeaMessage(MsgDPT(30.5f, -1.5f, 100.0f), t);
        sv.nCurrentSeaCalibLeg = 3;
        sv.nCurrentSeaCalibDistance = 1500;
        VQ2::getInstance()->nWaterTrackPulseLength = 2;
        SensorInfo::getInstance()->frequencyNr = 1;
        setup().Vq2Setup.set(&VQ2_Setup_S::draft, 2.5f);
        GPS_Input* gps = GPS_Input::getInstance();
        gps->speedLongKnots.setValue(7.5f, t);
        gps->speedTransKnots.setValue(-0.25f, t);
        gps->speedKnotsFromVTG.setValue(7.75f, t);
    }
    // A receiver without a fix sends GGA with empty position fields.
    void setGga(bool fix) {
        const float absent = kAbsentFloat;
        sv.msgGGA.setNmeaMessage(
            MsgGGA(QStringLiteral("123456.00"), fix ? 5430.25f : absent, QStringLiteral("N"),
                   fix ? 1015.5f : absent, QStringLiteral("E"), fix ? 1 : 0, 8, 0.9f, 10.0f,
                   QStringLiteral("M"), 40.0f, QStringLiteral("M"), absent, kAbsentInt),
            FakeClock::stamp());
    }

    void arrange(unsigned mode) {
        const auto on = [mode](unsigned flags) { return (mode & flags) != 0; };
        setup().Vq2Setup.set(&VQ2_Setup_S::outputParams, on(SogOnly)  ? VQ2_Setup::kSogOnly
                                                         : on(SatLog) ? VQ2_Setup::kSatLog
                                                                      : VQ2_Setup::kSogStw);
        setup().Vq2Setup.set(&VQ2_Setup_S::sogLostBottom, !on(NoGpsSogOnLostBottom));
        setup().Vq2Setup.set(&VQ2_Setup_S::draft, on(NoDraft)         ? 0.0f
                                                  : on(NegativeDraft) ? -1.0f
                                                                      : 2.5f);
        SimulationParameters& simulation = setup().simulationParameters;
        simulation.SimulationModeOn = on(JbSimulator | GpsSimulator | SensorSimulation);
        simulation.simulationSource = on(JbSimulator | JbSourceButOff)
                                          ? SimulationParameters::KC_40_FIXED_SPEED
                                      : on(GpsSimulator) ? SimulationParameters::GPS_SPEED
                                                         : SimulationParameters::SENSOR_FIXED_SPEED;
        sv.bSOG_fromGPS = on(SogFromGps);
        sv.bWC_fromGPS = on(WcFromGps);
        sv.bTwoAxisDepth = on(TwoAxisDepth);
        sv.vq2data.setStwRawTraReplaced(on(RawTraReplaced));
        if (on(OlderLogSilent)) {
            sv.speedToWater_VQ1.setValidity(false);
        }
        if (on(Expired)) {
            for (int tick = 0; tick < VarBase::kDefaultValidityPeriod; ++tick) {
                sv.slotTimeCounter();
            }
            // Tilt and temperature do not age with the tick; they go with the sensor data set.
            sv.vq2data.sensorTemperature.invalidateData();
            sv.vq2data.sensorTilt.invalidateData();
        }
    }

    FakeClock clock;
    FreshUnitRoot root;
    SystemVariables& sv = *SystemVariables::getInstance();
};

// The sentence to build is the one expected, by its address.
TEST_F(OutputSentenceFactory, EachSentenceCarriesFreshValuesAsTheModeChoosesThem) {
    const std::tuple<const char*, unsigned, const char*> cases[] = {
        {"fresh", AsDelivered, "VDVBW,5.25,0.50,A,6.50,-0.75,A,0.25,A,-0.50,A"},
        {"expired", Expired, "VDVBW,,,V,,,V,,V,,V"},
        {"fresh", AsDelivered, "PNRVVBWX,5.25,0.50,A,6.50,-0.75,A,0.25,A,-0.50,A,4.5,A"},
        {"expired", Expired, "PNRVVBWX,,,V,,,V,,V,,V,,V"},
        {"knots and km/h", AsDelivered, "VDVHW,123.5,T,120.5,M,5.50,N,10.19,K"},
        {"expired", Expired, "VDVHW,,T,,M,,N,,K"},
        {"fresh", AsDelivered, "VDVLW,1234.50,N,12.25,N,2345.50,N,23.50,N"},
        {"distances never expire", Expired, "VDVLW,1234.50,N,12.25,N,2345.50,N,23.50,N"},
        {"fresh", AsDelivered, "VDMTW,12.5,C"},
        {"expired", Expired, "VDMTW,,C"},
        {"fresh", AsDelivered, "VDHDT,123.5,T"},
        {"expired", Expired, "VDHDT,,T"},
        {"fresh", AsDelivered, "VDROT,-3.5,A"},
        {"expired says so", Expired, "VDROT,,V"},
        {"depth below the keel", AsDelivered, "IIDPT,18.00,2.50,225.00"},
        {"expired keeps draft and range", Expired, "IIDPT,,2.50,225.00"},
        {"negative draft", NegativeDraft, "IIDPT,21.50,-1.00,225.00"},
        {"with the other sounder", AsDelivered, "PNRVDPTR,20.5,2.5,30.5,-1.5,123456.00"},
        {"expired", Expired, "PNRVDPTR,,2.5,,,"},
        {"whole-circle degrees", AsDelivered, "VDCUR,A,1,1,3.0,270.0,T,1.25,20.5,123.5,T,B"},
        {"expired", Expired, "VDCUR,V,1,1,3.0,,T,,,,T,B"},
        {"from GPS: reference P", SogFromGps, "VDCUR,A,1,1,3.0,270.0,T,1.25,20.5,123.5,T,P"},
        {"fresh", AsDelivered, "PNRVDLG,2345.50,23.50,1,1"},
        {"distances never expire", Expired, "PNRVDLG,2345.50,23.50,1,1"},
        {"draft code, GPS SOG", AsDelivered,
         "PNRVDLM,-3.5,123.5,0.25,-0.50,1.25,-90.0,2,6.0,1.5,-2.5,45.0"},
        {"expired", Expired, "PNRVDLM,,,,,,,2,,,,"},
        {"no draft", NoDraft, "PNRVDLM,-3.5,123.5,0.25,-0.50,1.25,-90.0,0,6.0,1.5,-2.5,45.0"},
        {"negative draft", NegativeDraft,
         "PNRVDLM,-3.5,123.5,0.25,-0.50,1.25,-90.0,1,6.0,1.5,-2.5,45.0"},
        {"single-axis depth", AsDelivered,
         "PNRVDLI,1234.50,12.250,4,0.0,0.0,0.0,0.0,0.0,12.5,12,34"},
        {"expired", Expired, "PNRVDLI,1234.50,12.250,4,0.0,0.0,0.0,0.0,0.0,,,"},
        {"two-axis", TwoAxisDepth, "PNRVDLI,1234.50,12.250,2,20.5,21.5,,0.0,20.5,12.5,12,34"},
        {"two-axis, transverse water speed replaced", TwoAxisDepth | RawTraReplaced,
         "PNRVDLI,1234.50,12.250,20,20.5,21.5,,0.0,20.5,12.5,12,34"},
        {"transverse water speed replaced", RawTraReplaced,
         "PNRVDLI,1234.50,12.250,40,0.0,0.0,0.0,0.0,0.0,12.5,12,34"},
        {"fresh", AsDelivered, "PNRVDLR,5.25,0.50,5.50,5.0,6.50,-0.75,6.75,45.0,4.5,0,0"},
        {"expired", Expired, "PNRVDLR,,,,,,,,,,0,0"},
        {"GPS ground speed", SogFromGps, "PNRVDLR,5.25,0.50,5.50,5.0,7.50,-0.25,7.75,45.0,4.5,1,0"},
        {"GPS ground speed not allowed", SogFromGps | NoGpsSogOnLostBottom,
         "PNRVDLR,5.25,0.50,5.50,5.0,,,,,4.5,0,0"},
        {"SAT LOG keeps the model's", SatLog | SogFromGps,
         "PNRVDLR,5.25,0.50,5.50,5.0,6.50,-0.75,6.75,45.0,4.5,0,0"},
        {"a simulator's", GpsSimulator | SogFromGps,
         "PNRVDLR,5.25,0.50,5.50,5.0,6.50,-0.75,6.75,45.0,4.5,0,0"},
        {"current from GPS", WcFromGps, "PNRVDLR,5.25,0.50,5.50,5.0,6.50,-0.75,6.75,45.0,4.5,0,1"},
        {"from GGA", AsDelivered, "PNRVDATR,5430.25,N,1015.50,E,123456.00,6.0,87.5,2.0,3,1500,1"},
        {"expired", Expired, "PNRVDATR,,,,,,,,2.0,3,1500,1"},
        {"SOG Only: older log", SogOnly, "VDVHW,123.5,T,120.5,M,4.50,N,8.33,K"},
        {"SOG Only, older log silent", SogOnly | OlderLogSilent, "VDVHW,123.5,T,120.5,M,,N,,K"},
        {"SOG Only: older log, no transverse", SogOnly, "VDVBW,4.50,,A,6.50,-0.75,A,,V,-0.50,A"},
        {"SOG Only, older log silent", SogOnly | OlderLogSilent,
         "VDVBW,,,V,6.50,-0.75,A,,V,-0.50,A"},
        {"SOG Only: older log", SogOnly, "VDVLW,111.50,N,1.50,N,2345.50,N,23.50,N"},
        {"SOG Only: older log", SogOnly, "PNRVDLI,111.50,1.500,4,0.0,0.0,0.0,0.0,0.0,12.5,12,34"},
        {"SOG Only: the sensor's", SogOnly,
         "PNRVVBWX,5.25,0.50,A,6.50,-0.75,A,0.25,A,-0.50,A,4.5,A"},
        {"SAT LOG: talker GP", SatLog, "GPVBW,5.25,0.50,A,6.50,-0.75,A,0.25,A,-0.50,A"},
        {"SAT LOG: talker GP", SatLog, "GPVLW,1234.50,N,12.25,N,2345.50,N,23.50,N"},
        {"junction-box simulator", JbSimulator,
         "VDVLW,999999.00,N,99999.90,N,999999.00,N,99999.90,N"},
        {"GPS simulator in SAT LOG", SatLog | GpsSimulator,
         "GPVLW,999999.00,N,99999.90,N,999999.00,N,99999.90,N"},
        {"sensor's simulation: real", SensorSimulation,
         "VDVLW,1234.50,N,12.25,N,2345.50,N,23.50,N"},
        {"simulation off: real", JbSourceButOff, "VDVLW,1234.50,N,12.25,N,2345.50,N,23.50,N"},
    };
    for (const auto& [name, mode, expected] : cases) {
        fillStore();
        arrange(mode);
        const QString address = QString(expected).section(QLatin1Char(','), 0, 0);
        const QString type = address.mid(address.startsWith(QLatin1Char('P')) ? 4 : 2);
        EXPECT_EQ(build(type.toLatin1()), expected) << type.toStdString() << ": " << name;
    }
}

// Drives a beam pair into a lost bottom; deterministic, the classifier counts samples.
void loseBottom(VQ2DataModel& model, float depth, const std::function<bool()>& lost) {
    for (int sample = 0; sample < 1000 && !lost(); ++sample) {
        model.checkButtom.addSample(depth, depth);
    }
}

TEST_F(OutputSentenceFactory, LostBottomEmptiesTheDepthButKeepsDraftAndRange) {
    fillStore();
    VQ2DataModel& model = sv.jbSimulationData;
    model.depthFwd.setValue(20.5f, FakeClock::stamp());
    loseBottom(model, 400.0f, [&] { return !model.bottom().isBottomValid(); });
    ASSERT_FALSE(model.bottom().isBottomValid());
    sv.changeVQ2Source(SystemVariables::SourceJbSimulator);
    EXPECT_EQ(build("DPT"), "IIDPT,,2.50,225.00");
}

TEST_F(OutputSentenceFactory, TooShallowBottomSetsTheDliFlag) {
    fillStore();
    VQ2DataModel& model = sv.gpsSimulationData;
    loseBottom(model, 0.1f, [&] { return model.bottom().isTooShallow(); });
    ASSERT_TRUE(model.bottom().isTooShallow());
    sv.changeVQ2Source(SystemVariables::SourceGpsSimulator);
    model.sensorTemperature.temperatureWithOffset.setValue(12.5f, FakeClock::stamp());
    EXPECT_EQ(build("DLI"), "PNRVDLI,1234.50,12.250,4,0.0,0.0,0.0,1.0,0.0,12.5,12,34");
}

TEST_F(OutputSentenceFactory, DatrTakesThePositionFromGgaElseGll) {
    const std::tuple<const char*, bool, bool, bool, const char*> cases[] = {
        {"both: GGA", true, true, true, "5430.25,N,1015.50,E"},
        {"GGA without a fix: GLL", true, false, true, "3010.75,S,5020.25,W"},
        {"GGA expired: GLL", false, true, true, "3010.75,S,5020.25,W"},
        {"neither", false, true, false, ",,,"},
    };
    for (const auto& [name, ggaFresh, ggaHasFix, gllFresh, expected] : cases) {
        fillStore();
        setGga(ggaHasFix);
        sv.msgGGA.setValidity(ggaFresh);
        sv.msgGLL.setNmeaMessage(MsgGLL(3010.75f, QStringLiteral("S"), 5020.25f,
                                        QStringLiteral("W"), QStringLiteral("123456.00"),
                                        QStringLiteral("A"), QStringLiteral("A")),
                                 FakeClock::stamp());
        sv.msgGLL.setValidity(gllFresh);
        const QString datr = QString::fromStdString(build("DATR"));
        EXPECT_EQ(datr.section(QLatin1Char(','), 1, 4).toStdString(), expected) << name;
    }
}

TEST_F(OutputSentenceFactory, IcmMeasurementListsInHundredths) {
    EXPECT_EQ(build("ICM", 22), "PNRVICM,1,22,,,,,,1,0") << "without values";
    fillStore();
    // Tilt windows of one minute: mean, extremes and the newest sample.
    Tilt& tilt = sv.vq2data.sensorTilt;
    for (varFloat* averaged : {&tilt.tilt_X_boat_averaged, &tilt.tilt_Y_boat_averaged}) {
        averaged->setOutputFrom(MOVING_AVERAGE);
        averaged->clearAverage();
    }
    for (const auto& [x, y] : {std::pair{0.01f, -0.02f}, {0.03f, -0.04f}, {0.02f, -0.03f}}) {
        FakeClock::advance(1000);
        tilt.tilt_X_boat_averaged.setValue(x, FakeClock::stamp());
        tilt.tilt_Y_boat_averaged.setValue(y, FakeClock::stamp());
    }
    const std::tuple<const char*, int, const char*> cases[] = {
        {"22: GPS SOG, SOG, STW, raw SOG, raw STW, frequency flags", 22,
         "PNRVICM,1,22,600,675,550,725,575,1,0"},
        {"29: averaged and corrected temperature", 29, "PNRVICM,1,29,1225,1250"},
        // 0.03 rad = 1.7189 degrees; truncated toward zero.
        {"30: Y mean, max, min, X mean, max, min, last Y, last X", 30,
         "PNRVICM,1,30,-171,-114,-229,114,171,57,-171,114"},
    };
    for (const auto& [name, sub, expected] : cases) {
        const NmeaMessagePtr icm = sv.getOutputMsgByName(QStringLiteral("ICM"), sub);
        EXPECT_EQ(body(icm), expected) << name;
        EXPECT_EQ(icm->fullType().toStdString(), "ICM" + std::to_string(sub)) << name;
    }
}

TEST_F(OutputSentenceFactory, WhatItCannotBuildComesBackAsNfo) {
    const std::tuple<const char*, const char*, int> cases[] = {
        {"unknown name", "XYZ", -1},           {"empty name", "", -1},
        {"the notice's own name", "INFO", -1}, {"ICM without a measurement list", "ICM", 7},
        {"ICM without a command", "ICM", -1},
    };
    for (const auto& [name, sentence, sub] : cases) {
        const NmeaMessagePtr msg = sv.getOutputMsgByName(QLatin1String(sentence), sub);
        ASSERT_NE(msg, nullptr) << name;
        EXPECT_EQ(msg->messageTypeHash(), NmeaParser::calculateMessageTypeHash("NFO")) << name;
        EXPECT_EQ(msg->fieldValues().value(1).value.toString().toStdString(),
                  "Sending of Nmea sentence not implemented!")
            << name;
        EXPECT_EQ(msg->clone()->messageType().toStdString(), "NFO") << name;
    }
}

TEST_F(OutputSentenceFactory, WaterSpeedsComeFromTheChosenDataSet) {
    fillStore();
    sv.vq2dataDat5.stwLongBoatCallibrated.setValue(9.25f, FakeClock::stamp());
    sv.vq2dataDat5.stwResBoatCallibrated.setValue(9.5f, FakeClock::stamp());
    sv.setVQ2_STW_Source(true);
    EXPECT_EQ(build("VBW"), "VDVBW,9.25,,A,6.50,-0.75,A,,V,-0.50,A");
    EXPECT_EQ(build("VHW"), "VDVHW,123.5,T,120.5,M,9.50,N,17.59,K");
}

} // namespace
