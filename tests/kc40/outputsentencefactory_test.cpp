#include "freshunit.h"
#include "gps_input.h"
#include "msgdpt.h"
#include "msggga.h"
#include "msggll.h"
#include "nmeaparser.h"
#include "nmeasettings.h"
#include "platform.h"
#include "sensorinfo.h"
#include "systemsetup.h"
#include "systemvariables.h"
#include "unitconverter.h"
#include "vq2_handler.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>

namespace {

constexpr qint64 kStart = 1'700'000'000'000;
std::atomic<qint64> g_now{kStart};

qint64 fakeNow() {
    return g_now.load();
}

quint64 now() {
    return static_cast<quint64>(g_now.load());
}

float rad(float degrees) {
    return UnitConverter::degToRad(degrees);
}

// The sentence as sent, without "$", checksum and line end.
std::string body(const NmeaMessagePtr& msg) {
    const QString text = msg->getMsgBuffer();
    return text.mid(1, text.indexOf(QLatin1Char('*')) - 1).toStdString();
}

void forAllFloats(SystemVariables& sv, const std::function<void(varFloat&)>& apply) {
    for (varFloat* v : {&sv.speedToWater_VQ1,           &sv.rateOfTurn,
                        &sv.trackDegreesTrue_GPS,       &sv.headingTrue_Gyro,
                        &sv.headingTrue_SatLog,         &sv.headingTrue_MagCompass,
                        &sv.headingTrue_Gyro_THS,       &sv.headingTrue_SatLog_THS,
                        &sv.headingTrue_MagCompass_THS, &sv.headingMagnetic_Gyro,
                        &sv.headingMagnetic_SatLog,     &sv.headingMagnetic_MagCompass,
                        &sv.longSpeedToGround_GPS_VTG,  &sv.tranSpeedToGround_GPS_VTG,
                        &sv.resSpeedToGround_GPS_VTG,   &sv.longSpeedToGround_GPS_VBW,
                        &sv.tranSpeedToGround_GPS_VBW,  &sv.resSpeedToGround_GPS_VBW,
                        &sv.longSpeedToGround_GPS_RMC,  &sv.tranSpeedToGround_GPS_RMC,
                        &sv.resSpeedToGround_GPS_RMC}) {
        apply(*v);
    }
}

// A fresh board root and fresh stores, on the test's clock.
struct ConfiguredRoot : FreshUnitRoot {
    ConfiguredRoot() { Clock::setSource(&fakeNow); }
    ~ConfiguredRoot() { Clock::setSource(nullptr); }
};

// The store emptied of every value; each test fills what it needs.
class OutputSentenceFactory : public ::testing::Test {
protected:
    OutputSentenceFactory() {
        NmeaSettings::setSourceSfi(QStringLiteral("VD0101"));
        NmeaSettings::setNumberOfDecimals(2);
        sv.changeVQ2Source(SystemVariables::SourceSensor);
        sv.setVQ2_STW_Source(false);
        for (VQ2DataModel* model :
             {&sv.vq2data, &sv.vq2dataDat5, &sv.jbSimulationData, &sv.gpsSimulationData}) {
            model->invalidateData();
            model->setStwRawTraReplaced(false);
        }
        forAllFloats(sv, [](varFloat& v) { v.setValidity(false); });
        for (varString* t : {&sv.utcTime_ZDG, &sv.utcTime_ZDA, &sv.utcTime_GGA, &sv.utcTime_RMC}) {
            t->setValidity(false);
        }
        for (varNmeaMsg* m : {&sv.msgGGA, &sv.msgGLL, &sv.msgDPT_SD}) {
            m->setValidity(false);
        }
        GPS_Input* gps = GPS_Input::getInstance();
        for (varFloat* v : {&gps->speedLongKnots, &gps->speedTransKnots, &gps->speedKnotsFromVTG}) {
            v->setValidity(false);
        }
        sv.bSOG_fromGPS = false;
        sv.bWC_fromGPS = false;
        sv.bTwoAxisDepth = false;
        sv.nCurrentSeaCalibLeg = 0;
        sv.nCurrentSeaCalibDistance = 0;
        sv.initDistances(0.0, 0.0, 0.0, 0.0);
    }

    SystemSetup& setup() { return *SystemSetup::getInstance(); }

    // Every value the factory reads, each distinct so that a swapped field shows.
    void fillStore() {
        const quint64 t = now();
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
        sv.msgGGA.setNmeaMessage(MsgGGA(QStringLiteral("123456.00"), 5430.25f, QStringLiteral("N"),
                                        1015.5f, QStringLiteral("E"), 1, 8, 0.9f, 10.0f,
                                        QStringLiteral("M"), 40.0f, QStringLiteral("M"),
                                        kAbsentFloat, kAbsentInt),
                                 t);
        sv.msgDPT_SD.setNmeaMessage(MsgDPT(30.5f, -1.5f, 100.0f), t);
        sv.nCurrentSeaCalibLeg = 3;
        sv.nCurrentSeaCalibDistance = 1500;
        VQ2::getInstance()->nWaterTrackPulseLength = 2;
        SensorInfo::getInstance()->frequencyNr = 1;
        setup().Vq2Setup.set(&VQ2_Setup_S::draft, 2.5f);
    }

    // Ten one-second ticks without a refresh. Tilt and temperature do not age with the tick;
    // they go when the sensor data set is dropped.
    void expireAll() {
        for (int tick = 0; tick < VarBase::kDefaultValidityPeriod; ++tick) {
            sv.slotTimeCounter();
        }
        sv.vq2data.sensorTemperature.invalidateData();
        sv.vq2data.sensorTilt.invalidateData();
    }

    ConfiguredRoot root;
    SystemVariables& sv = *SystemVariables::getInstance();
};

struct SentenceCase {
    const char* name;
    const char* sentence;
    bool expired;
    const char* expected;
};

TEST_F(OutputSentenceFactory, EachSentenceCarriesFreshValuesAndEmptiesExpiredOnes) {
    const SentenceCase cases[] = {
        {"VBW fresh", "VBW", false, "VDVBW,5.25,0.50,A,6.50,-0.75,A,0.25,A,-0.50,A"},
        {"VBW expired", "VBW", true, "VDVBW,,,V,,,V,,V,,V"},
        {"VBWX fresh", "VBWX", false, "PNRVVBWX,5.25,0.50,A,6.50,-0.75,A,0.25,A,-0.50,A,4.5,A"},
        {"VBWX expired", "VBWX", true, "PNRVVBWX,,,V,,,V,,V,,V,,V"},
        {"VHW fresh: knots and km/h", "VHW", false, "VDVHW,123.5,T,120.5,M,5.50,N,10.19,K"},
        {"VHW expired", "VHW", true, "VDVHW,,T,,M,,N,,K"},
        {"VLW fresh", "VLW", false, "VDVLW,1234.50,N,12.25,N,2345.50,N,23.50,N"},
        {"VLW distances never expire", "VLW", true, "VDVLW,1234.50,N,12.25,N,2345.50,N,23.50,N"},
        {"MTW fresh", "MTW", false, "VDMTW,12.5,C"},
        {"MTW expired", "MTW", true, "VDMTW,,C"},
        {"HDT fresh", "HDT", false, "VDHDT,123.5,T"},
        {"HDT expired", "HDT", true, "VDHDT,,T"},
        {"ROT fresh", "ROT", false, "VDROT,-3.5,A"},
        {"ROT expired says so", "ROT", true, "VDROT,,V"},
        {"DPT fresh: depth below the keel", "DPT", false, "IIDPT,18.00,2.50,225.00"},
        {"DPT expired keeps draft and range", "DPT", true, "IIDPT,,2.50,225.00"},
        {"DPTR fresh with the other sounder", "DPTR", false,
         "PNRVDPTR,20.5,2.5,30.5,-1.5,123456.00"},
        {"DPTR expired", "DPTR", true, "PNRVDPTR,,2.5,,,"},
        {"CUR fresh: direction in whole-circle degrees", "CUR", false,
         "VDCUR,A,1,1,3.0,270.0,T,1.25,20.5,123.5,T,B"},
        {"CUR expired", "CUR", true, "VDCUR,V,1,1,3.0,,T,,,,T,B"},
        {"DLG fresh", "DLG", false, "PNRVDLG,2345.50,23.50,1,1"},
        {"DLG distances never expire", "DLG", true, "PNRVDLG,2345.50,23.50,1,1"},
        {"DLM fresh: draft code and GPS SOG in wire order", "DLM", false,
         "PNRVDLM,-3.5,123.5,0.25,-0.50,1.25,-90.0,2,6.0,1.5,-2.5,45.0"},
        {"DLM expired", "DLM", true, "PNRVDLM,,,,,,,2,,,,"},
        {"DLI fresh, single-axis depth", "DLI", false,
         "PNRVDLI,1234.50,12.250,4,0.0,0.0,0.0,0.0,0.0,12.5,12,34"},
        {"DLI expired", "DLI", true, "PNRVDLI,1234.50,12.250,4,0.0,0.0,0.0,0.0,0.0,,,"},
        {"DLR fresh", "DLR", false, "PNRVDLR,5.25,0.50,5.50,5.0,6.50,-0.75,6.75,45.0,4.5,0,0"},
        {"DLR expired", "DLR", true, "PNRVDLR,,,,,,,,,,0,0"},
        {"DATR fresh from GGA", "DATR", false,
         "PNRVDATR,5430.25,N,1015.50,E,123456.00,6.0,87.5,2.0,3,1500,1"},
        {"DATR expired", "DATR", true, "PNRVDATR,,,,,,,,2.0,3,1500,1"},
    };
    for (const SentenceCase& c : cases) {
        fillStore();
        if (c.expired) {
            expireAll();
        }
        EXPECT_EQ(body(sv.getOutputMsgByName(QLatin1String(c.sentence), -1)), c.expected) << c.name;
    }
}

// How the unit is set up besides the values of fillStore.
struct ModeCase {
    const char* name;
    const char* sentence;
    const char* expected;
    QString outputParams = VQ2_Setup::kSogStw;
    bool simulationOn = false;
    int simulationSource = SimulationParameters::SENSOR_FIXED_SPEED;
    bool sogFromGps = false;
    bool gpsSogOnLostBottom = true;
    bool wcFromGps = false;
    bool twoAxisDepth = false;
    bool rawTraReplaced = false;
    float draft = 2.5f;
    bool olderLogValid = true;
};

TEST_F(OutputSentenceFactory, ModesChooseSourcesTalkersAndCodes) {
    const QString sogOnly = VQ2_Setup::kSogOnly;
    const QString satLog = VQ2_Setup::kSatLog;
    const ModeCase cases[] = {
        {.name = "SOG Only: VHW from the older log",
         .sentence = "VHW",
         .expected = "VDVHW,123.5,T,120.5,M,4.50,N,8.33,K",
         .outputParams = sogOnly},
        {.name = "SOG Only, older log silent: VHW speeds empty",
         .sentence = "VHW",
         .expected = "VDVHW,123.5,T,120.5,M,,N,,K",
         .outputParams = sogOnly,
         .olderLogValid = false},
        {.name = "SOG Only: VBW water from the older log, no transverse",
         .sentence = "VBW",
         .expected = "VDVBW,4.50,,A,6.50,-0.75,A,,V,-0.50,A",
         .outputParams = sogOnly},
        {.name = "SOG Only, older log silent: VBW water invalid",
         .sentence = "VBW",
         .expected = "VDVBW,,,V,6.50,-0.75,A,,V,-0.50,A",
         .outputParams = sogOnly,
         .olderLogValid = false},
        {.name = "SOG Only: VLW water distances of the older log",
         .sentence = "VLW",
         .expected = "VDVLW,111.50,N,1.50,N,2345.50,N,23.50,N",
         .outputParams = sogOnly},
        {.name = "SOG Only: DLI water distances of the older log",
         .sentence = "DLI",
         .expected = "PNRVDLI,111.50,1.500,4,0.0,0.0,0.0,0.0,0.0,12.5,12,34",
         .outputParams = sogOnly},
        {.name = "SOG Only: VBWX keeps the sensor's water speeds",
         .sentence = "VBWX",
         .expected = "PNRVVBWX,5.25,0.50,A,6.50,-0.75,A,0.25,A,-0.50,A,4.5,A",
         .outputParams = sogOnly},
        {.name = "SAT LOG: VBW with talker GP",
         .sentence = "VBW",
         .expected = "GPVBW,5.25,0.50,A,6.50,-0.75,A,0.25,A,-0.50,A",
         .outputParams = satLog},
        {.name = "SAT LOG: VLW with talker GP",
         .sentence = "VLW",
         .expected = "GPVLW,1234.50,N,12.25,N,2345.50,N,23.50,N",
         .outputParams = satLog},
        {.name = "junction-box simulator: VLW fixed distances",
         .sentence = "VLW",
         .expected = "VDVLW,999999.00,N,99999.90,N,999999.00,N,99999.90,N",
         .simulationOn = true,
         .simulationSource = SimulationParameters::KC_40_FIXED_SPEED},
        {.name = "GPS simulator in SAT LOG: VLW fixed distances from GP",
         .sentence = "VLW",
         .expected = "GPVLW,999999.00,N,99999.90,N,999999.00,N,99999.90,N",
         .outputParams = satLog,
         .simulationOn = true,
         .simulationSource = SimulationParameters::GPS_SPEED},
        {.name = "sensor fixed-speed simulation: VLW real distances",
         .sentence = "VLW",
         .expected = "VDVLW,1234.50,N,12.25,N,2345.50,N,23.50,N",
         .simulationOn = true,
         .simulationSource = SimulationParameters::SENSOR_FIXED_SPEED},
        {.name = "simulation source chosen but off: VLW real distances",
         .sentence = "VLW",
         .expected = "VDVLW,1234.50,N,12.25,N,2345.50,N,23.50,N",
         .simulationSource = SimulationParameters::KC_40_FIXED_SPEED},
        {.name = "CUR from GPS ground speed: reference P",
         .sentence = "CUR",
         .expected = "VDCUR,A,1,1,3.0,270.0,T,1.25,20.5,123.5,T,P",
         .sogFromGps = true},
        {.name = "DLR with GPS ground speed allowed",
         .sentence = "DLR",
         .expected = "PNRVDLR,5.25,0.50,5.50,5.0,7.50,-0.25,7.75,45.0,4.5,1,0",
         .sogFromGps = true},
        {.name = "DLR with GPS ground speed not allowed: ground empty",
         .sentence = "DLR",
         .expected = "PNRVDLR,5.25,0.50,5.50,5.0,,,,,4.5,0,0",
         .sogFromGps = true,
         .gpsSogOnLostBottom = false},
        {.name = "DLR in SAT LOG keeps the model's ground speed",
         .sentence = "DLR",
         .expected = "PNRVDLR,5.25,0.50,5.50,5.0,6.50,-0.75,6.75,45.0,4.5,0,0",
         .outputParams = satLog,
         .sogFromGps = true},
        {.name = "DLR while a simulator feeds the values",
         .sentence = "DLR",
         .expected = "PNRVDLR,5.25,0.50,5.50,5.0,6.50,-0.75,6.75,45.0,4.5,0,0",
         .simulationOn = true,
         .simulationSource = SimulationParameters::GPS_SPEED,
         .sogFromGps = true},
        {.name = "DLR current computed with GPS",
         .sentence = "DLR",
         .expected = "PNRVDLR,5.25,0.50,5.50,5.0,6.50,-0.75,6.75,45.0,4.5,0,1",
         .wcFromGps = true},
        {.name = "DLM no draft: code 0",
         .sentence = "DLM",
         .expected = "PNRVDLM,-3.5,123.5,0.25,-0.50,1.25,-90.0,0,6.0,1.5,-2.5,45.0",
         .draft = 0.0f},
        {.name = "DLM negative draft: code 1",
         .sentence = "DLM",
         .expected = "PNRVDLM,-3.5,123.5,0.25,-0.50,1.25,-90.0,1,6.0,1.5,-2.5,45.0",
         .draft = -1.0f},
        {.name = "DLI two-axis depth",
         .sentence = "DLI",
         .expected = "PNRVDLI,1234.50,12.250,2,20.5,21.5,,0.0,20.5,12.5,12,34",
         .twoAxisDepth = true},
        {.name = "DLI two-axis depth, transverse water speed replaced",
         .sentence = "DLI",
         .expected = "PNRVDLI,1234.50,12.250,20,20.5,21.5,,0.0,20.5,12.5,12,34",
         .twoAxisDepth = true,
         .rawTraReplaced = true},
        {.name = "DLI single-axis depth, transverse water speed replaced",
         .sentence = "DLI",
         .expected = "PNRVDLI,1234.50,12.250,40,0.0,0.0,0.0,0.0,0.0,12.5,12,34",
         .rawTraReplaced = true},
        {.name = "DPT with a negative draft",
         .sentence = "DPT",
         .expected = "IIDPT,21.50,-1.00,225.00",
         .draft = -1.0f},
    };
    GPS_Input* gps = GPS_Input::getInstance();
    for (const ModeCase& c : cases) {
        fillStore();
        gps->speedLongKnots.setValue(7.5f, now());
        gps->speedTransKnots.setValue(-0.25f, now());
        gps->speedKnotsFromVTG.setValue(7.75f, now());
        setup().Vq2Setup.set(&VQ2_Setup_S::outputParams, c.outputParams);
        setup().Vq2Setup.set(&VQ2_Setup_S::sogLostBottom, c.gpsSogOnLostBottom);
        setup().Vq2Setup.set(&VQ2_Setup_S::draft, c.draft);
        setup().simulationParameters.SimulationModeOn = c.simulationOn;
        setup().simulationParameters.simulationSource = c.simulationSource;
        sv.bSOG_fromGPS = c.sogFromGps;
        sv.bWC_fromGPS = c.wcFromGps;
        sv.bTwoAxisDepth = c.twoAxisDepth;
        sv.vq2data.setStwRawTraReplaced(c.rawTraReplaced);
        if (!c.olderLogValid) {
            sv.speedToWater_VQ1.setValidity(false);
        }
        EXPECT_EQ(body(sv.getOutputMsgByName(QLatin1String(c.sentence), -1)), c.expected) << c.name;
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
    model.depthFwd.setValue(20.5f, now());
    loseBottom(model, 400.0f, [&] { return !model.bottom().isBottomValid(); });
    ASSERT_FALSE(model.bottom().isBottomValid());
    sv.changeVQ2Source(SystemVariables::SourceJbSimulator);
    EXPECT_EQ(body(sv.getOutputMsgByName(QStringLiteral("DPT"), -1)), "IIDPT,,2.50,225.00");
}

TEST_F(OutputSentenceFactory, TooShallowBottomSetsTheDliFlag) {
    fillStore();
    VQ2DataModel& model = sv.gpsSimulationData;
    loseBottom(model, 0.1f, [&] { return model.bottom().isTooShallow(); });
    ASSERT_TRUE(model.bottom().isTooShallow());
    sv.changeVQ2Source(SystemVariables::SourceGpsSimulator);
    model.sensorTemperature.temperatureWithOffset.setValue(12.5f, now());
    EXPECT_EQ(body(sv.getOutputMsgByName(QStringLiteral("DLI"), -1)),
              "PNRVDLI,1234.50,12.250,4,0.0,0.0,0.0,1.0,0.0,12.5,12,34");
}

struct PositionCase {
    const char* name;
    bool ggaFresh;
    bool ggaHasFix;
    bool gllFresh;
    const char* expected;
};

TEST_F(OutputSentenceFactory, DatrTakesThePositionFromGgaElseGll) {
    const PositionCase cases[] = {
        {"both: GGA", true, true, true, "5430.25,N,1015.50,E"},
        {"GGA without a fix: GLL", true, false, true, "3010.75,S,5020.25,W"},
        {"GGA expired: GLL", false, true, true, "3010.75,S,5020.25,W"},
        {"neither", false, true, false, ",,,"},
    };
    for (const PositionCase& c : cases) {
        fillStore();
        // A receiver without a fix sends GGA with empty position fields.
        const float latitude = c.ggaHasFix ? 5430.25f : kAbsentFloat;
        const float longitude = c.ggaHasFix ? 1015.5f : kAbsentFloat;
        sv.msgGGA.setNmeaMessage(MsgGGA(QStringLiteral("123456.00"), latitude, QStringLiteral("N"),
                                        longitude, QStringLiteral("E"), c.ggaHasFix ? 1 : 0, 8,
                                        0.9f, 10.0f, QStringLiteral("M"), 40.0f,
                                        QStringLiteral("M"), kAbsentFloat, kAbsentInt),
                                 now());
        sv.msgGGA.setValidity(c.ggaFresh);
        sv.msgGLL.setNmeaMessage(MsgGLL(3010.75f, QStringLiteral("S"), 5020.25f,
                                        QStringLiteral("W"), QStringLiteral("123456.00"),
                                        QStringLiteral("A"), QStringLiteral("A")),
                                 now());
        sv.msgGLL.setValidity(c.gllFresh);
        const QString datr =
            QString::fromStdString(body(sv.getOutputMsgByName(QStringLiteral("DATR"), -1)));
        EXPECT_EQ(datr.section(QLatin1Char(','), 1, 4).toStdString(), c.expected) << c.name;
    }
}

struct IcmCase {
    const char* name;
    int sub;
    const char* expected;
};

TEST_F(OutputSentenceFactory, IcmMeasurementListsInHundredths) {
    fillStore();
    // Tilt windows of one minute: mean, extremes and the newest sample.
    Tilt& tilt = sv.vq2data.sensorTilt;
    for (varFloat* averaged : {&tilt.tilt_X_boat_averaged, &tilt.tilt_Y_boat_averaged}) {
        averaged->setOutputFrom(MOVING_AVERAGE);
        averaged->clearAverage();
    }
    const float xs[] = {0.01f, 0.03f, 0.02f};
    const float ys[] = {-0.02f, -0.04f, -0.03f};
    for (int i = 0; i < 3; ++i) {
        g_now += 1000;
        tilt.tilt_X_boat_averaged.setValue(xs[i], now());
        tilt.tilt_Y_boat_averaged.setValue(ys[i], now());
    }
    const IcmCase cases[] = {
        {"22: GPS SOG, SOG, STW, raw SOG, raw STW, frequency flags", 22,
         "PNRVICM,1,22,600,675,550,725,575,1,0"},
        {"29: averaged and corrected temperature", 29, "PNRVICM,1,29,1225,1250"},
        // 0.03 rad = 1.7189 degrees; truncated toward zero.
        {"30: Y mean, max, min, X mean, max, min, last Y, last X", 30,
         "PNRVICM,1,30,-171,-114,-229,114,171,57,-171,114"},
    };
    for (const IcmCase& c : cases) {
        const NmeaMessagePtr icm = sv.getOutputMsgByName(QStringLiteral("ICM"), c.sub);
        EXPECT_EQ(body(icm), c.expected) << c.name;
        EXPECT_EQ(icm->fullType().toStdString(), "ICM" + std::to_string(c.sub)) << c.name;
    }
}

TEST_F(OutputSentenceFactory, IcmWithoutValuesLeavesTheirFieldsEmpty) {
    EXPECT_EQ(body(sv.getOutputMsgByName(QStringLiteral("ICM"), 22)), "PNRVICM,1,22,,,,,,1,0");
}

struct UnknownCase {
    const char* name;
    const char* sentence;
    int sub;
};

TEST_F(OutputSentenceFactory, WhatItCannotBuildComesBackAsNfo) {
    const UnknownCase cases[] = {
        {"unknown name", "XYZ", -1},           {"empty name", "", -1},
        {"the notice's own name", "INFO", -1}, {"ICM without a measurement list", "ICM", 7},
        {"ICM without a command", "ICM", -1},
    };
    for (const UnknownCase& c : cases) {
        const NmeaMessagePtr msg = sv.getOutputMsgByName(QLatin1String(c.sentence), c.sub);
        ASSERT_NE(msg, nullptr) << c.name;
        EXPECT_EQ(msg->messageType().toStdString(), "NFO") << c.name;
        EXPECT_EQ(msg->messageTypeHash(), NmeaParser::calculateMessageTypeHash("NFO")) << c.name;
        EXPECT_EQ(msg->fieldValues().value(1).value.toString().toStdString(),
                  "Sending of Nmea sentence not implemented!")
            << c.name;
        EXPECT_EQ(msg->clone()->messageType().toStdString(), "NFO") << c.name;
    }
}

TEST_F(OutputSentenceFactory, WaterSpeedsComeFromTheChosenDataSet) {
    fillStore();
    sv.vq2dataDat5.stwLongBoatCallibrated.setValue(9.25f, now());
    sv.vq2dataDat5.stwResBoatCallibrated.setValue(9.5f, now());
    sv.setVQ2_STW_Source(true);
    EXPECT_EQ(body(sv.getOutputMsgByName(QStringLiteral("VBW"), -1)),
              "VDVBW,9.25,,A,6.50,-0.75,A,,V,-0.50,A");
    EXPECT_EQ(body(sv.getOutputMsgByName(QStringLiteral("VHW"), -1)),
              "VDVHW,123.5,T,120.5,M,9.50,N,17.59,K");
}

} // namespace
