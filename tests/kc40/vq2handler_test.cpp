#include "vq2_handler.h"

#include "calibrationtablesource.h"
#include "fakeclock.h"
#include "freshunit.h"
#include "msgdat.h"
#include "msgicm.h"
#include "udperrorcounter.h"
#include "vq2datamodel.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <numbers>
#include <tuple>

namespace {

constexpr float kNone = kAbsentFloat;

float rad(float degrees) {
    return degrees * std::numbers::pi_v<float> / 180.0f;
}

// A value as the tables write it, to five decimals; "-" when invalid.
QString shown(varFloat& value) {
    return value.getValidity() ? QString::number(std::round(value.getValue() * 1e5) / 1e5)
                               : QStringLiteral("-");
}

MsgDAT dat4(float water, float ground, float depth) {
    return MsgDAT(4, water, 9, 0.0f, 9, 21.0f, 0, 0, 0, ground, 9, 0.0f, 9, depth, depth);
}

// The second frequency measures the water alone.
MsgDAT dat5(float fwd, int fwdQuality, float aft, int aftQuality) {
    return MsgDAT(5, fwd, fwdQuality, aft, aftQuality, 21.0f, 0, 0, 0, kNone, 0, kNone, 0, kNone,
                  kNone);
}

// The unit on a fresh board root, fed DAT sentences two a second.
class Vq2HandlerTest : public ::testing::Test {
protected:
    Vq2HandlerTest() {
        QObject::connect(&handler, &VQ2_Handler::sigSendConfigToSensor, [this] { ++configs; });
        QObject::connect(&handler, &VQ2_Handler::sigReloadSensorVQ2, [this] { ++reloads; });
        QObject::connect(&handler, &VQ2_Handler::sigSendSingleOnUdpOutput,
                         [this](const NmeaMessagePtr& m) { sent.append(m); });
    }

    void feed(const MsgDAT& dat, int count = 1) {
        for (int i = 0; i < count; ++i) {
            FakeClock::advance(500);
            handler.handleDatMsg(std::make_shared<MsgDAT>(dat), FakeClock::stamp());
        }
    }

    FakeClock clock;
    FreshUnitRoot root;
    SystemVariables& sv = *SystemVariables::getInstance();
    VQ2DataModel& model = sv.vq2data;
    VQ2_Handler handler;
    int configs = 0;
    int reloads = 0;
    QList<NmeaMessagePtr> sent;
};

TEST_F(Vq2HandlerTest, MonitoringSentenceCarriesTheDatInHundredths) {
    const float inf = std::numeric_limits<float>::infinity();
    // The leading parameters of the monitoring sentence.
    const std::tuple<const char*, MsgDAT, QList<int>> cases[] = {
        {"second frequency: its water speeds", dat5(-3.25f, 7, 1.0f, 2), {-325, 100, 7, 2}},
        {"absent or huge speeds are unknown",
         MsgDAT(4, 1e30f, 9, kNone, 9, 21.0f, 0, 0, 0, -kNone, 9, inf, 9, 45.0f, 45.0f),
         {INT_MAX, INT_MAX, INT_MAX, INT_MAX}},
    };
    for (const auto& [name, dat, parameters] : cases) {
        SCOPED_TRACE(name);
        sent.clear();
        feed(dat);
        ASSERT_FALSE(sent.isEmpty());
        const auto* icm = dynamic_cast<const MsgICM*>(sent.first().get());
        ASSERT_NE(icm, nullptr);
        EXPECT_EQ(icm->commandID(), 32);
        EXPECT_EQ(icm->msgParameters().mid(0, parameters.size()), parameters);
    }
    EXPECT_EQ(handler.badSignalQualityCount(), 1) << "the second frequency's quality 2";
}

TEST_F(Vq2HandlerTest, SteadyWaterSpeedSettlesAndExpiresWhenTheSensorFallsSilent) {
    feed(dat4(10.2f, 10.0f, 45.0f), 80);
    // 10.2 kn along the beams at 16 degrees of water (21 less self-heating): 30.55 degree beams.
    const float expected = 10.2f / 2.0f / std::sin(rad(30.55f));
    EXPECT_NEAR(model.stwResBoatCallibrated.getValue(), expected, 0.1f);
    EXPECT_NEAR(model.stwLongBoatCallibrated.getValue(), expected, 0.1f);
    EXPECT_NEAR(model.stwTraBoatCallibrated.getValue(), 0.0f, 0.01f);
    EXPECT_NEAR(model.ctwResBoat.getValue(), 0.0f, 1e-3f);
    EXPECT_NEAR(model.depthFwd.getValue(), 1.03f * 45.0f * std::cos(rad(30.55f)) + 0.4f, 0.01f);
    feed(dat4(10.2f, 10.0f, 55.0f)); // one deeper DAT moves the averaged depth a little only
    EXPECT_LT(model.depthFwd.getValue(), 1.03f * 47.0f * std::cos(rad(30.55f)) + 0.4f);
    for (int tick = 0; tick < 10; ++tick) {
        EXPECT_TRUE(model.stwResBoatCallibrated.getValidity()) << tick;
        sv.slotTimeCounter();
    }
    EXPECT_FALSE(model.stwResBoatCallibrated.getValidity());
    EXPECT_FALSE(model.sogResBoatCallibrated.getValidity());
    EXPECT_FALSE(model.depthFwd.getValidity());
}

// The sensor answering a simulation sends the simulated speeds as they are, and its depths
// along the beams: the unit takes them without beam correction, averaging or calibration, as
// the output mode and the mounting direction shape them.
TEST_F(Vq2HandlerTest, SensorSimulationGivesBackTheSimulatedSpeedsAndDepths) {
    // The speeds through the water, then over ground: resultant, longitudinal, transverse.
    const std::tuple<const char*, QString, bool, const char*> cases[] = {
        {"ahead, set to starboard", VQ2_Setup::kSogStw, false, "10 6 8 10 6 8"},
        {"mounted reversed", VQ2_Setup::kSogStw, true, "10 -6 -8 10 -6 -8"},
        {"ground speed only", VQ2_Setup::kSogOnly, false, "- - - 10 6 8"},
        {"satellite log: no sensor speeds", VQ2_Setup::kSatLog, false, "- - - - - -"},
    };
    SimulationParameters& simulation = SystemSetup::getInstance()->simulationParameters;
    simulation.SimulationModeOn = true;
    simulation.simulationSource = SimulationParameters::SENSOR_FIXED_SPEED;
    const float draft = SystemSetup::getInstance()->Vq2Setup.values().draft;
    for (const auto& [name, output, reverse, expected] : cases) {
        SCOPED_TRACE(name);
        SystemSetup::getInstance()->Vq2Setup.set(&VQ2_Setup_S::outputParams, output);
        handler.setForwReverseDirection(reverse);
        model.invalidateData();
        // The course turns ten degrees a DAT at most: twenty bring it round.
        feed(MsgDAT(4, 6.0f, 9, 8.0f, 9, 21.0f, 0, 0, 0, 6.0f, 9, 8.0f, 9, 45.0f, 40.0f), 20);
        QStringList speeds;
        for (varFloat* v : {&model.stwResBoatCallibrated, &model.stwLongBoatCallibrated,
                            &model.stwTraBoatCallibrated, &model.sogResBoatCallibrated,
                            &model.sogLongBoatCallibrated, &model.sogTraBoatCallibrated}) {
            speeds << shown(*v);
        }
        EXPECT_EQ(speeds.join(' ').toStdString(), expected);
        if (output != VQ2_Setup::kSatLog) {
            EXPECT_NEAR(model.depthFwd.getValue(), 45.0f * std::cos(rad(30.0f)) + draft, 1e-3f);
            EXPECT_NEAR(model.depthSide.getValue(), 40.0f * std::cos(rad(30.0f)) + draft, 1e-3f);
        }
    }
}

TEST_F(Vq2HandlerTest, WaterSpeedGoesThroughTheUnitsCalibrationTable) {
    SpeedCalibration display(SpeedCalibrationData::getInstance());
    CalibrationTableSource table(display);
    handler.setSpeedCalibration(&table);
    feed(dat4(10.2f, 10.0f, 45.0f), 80);
    handler.setSpeedCalibration(nullptr);

    ASSERT_TRUE(model.stwResBoatCallibrated.getValidity());
    const float measured = model.stwResBoatNoCallib.getValue();
    const float expected =
        SpeedCalibrationData::getInstance()->getCalibratedSpeed(measured, STW_speed, false);
    EXPECT_GT(std::fabs(expected - measured), 0.5f) << "the factory table is not the identity";
    EXPECT_NEAR(model.stwResBoatCallibrated.getValue(), expected, 0.05f);
}

// The first DAT adds nothing to the stored distances; every later one its half second.
TEST_F(Vq2HandlerTest, DistancesContinueFromTheStoredValuesWithoutAJumpAtStart) {
    SystemSetup::getInstance()->Vq2Setup.set(&VQ2_Setup_S::primaryFrequencyHigh, false);
    sv.initDistances(1000.0, 5.0, 2000.0, 6.0);
    int validDats = 0;
    for (int i = 0; i < 60; ++i) {
        feed(dat4(10.2f, 10.0f, 45.0f));
        validDats += model.stwResBoatCallibrated.getValidity() ? 1 : 0;
        if (validDats <= 1) {
            EXPECT_DOUBLE_EQ(sv.totalCumulativeWaterDistance.getValue(), 1000.0) << i;
        }
    }
    ASSERT_GT(validDats, 10);
    const double travelled = (validDats - 1) * model.stwResBoatCallibrated.getValue() * 0.5 / 3600;
    EXPECT_NEAR(sv.totalCumulativeWaterDistance.getValue() - 1000.0, travelled, 1e-4);
    EXPECT_NEAR(sv.waterDistanceSinceReset.getValue() - 5.0, travelled, 1e-4);
}

TEST_F(Vq2HandlerTest, DepthModeFollowsTheBottomAndSendsNewConfigurations) {
    const auto mode = [this] { return handler.depthModeEvaluator().getMode().toStdString(); };
    feed(dat4(5.0f, 5.0f, 45.0f));
    EXPECT_EQ(mode(), "LOW");
    const int afterFirst = configs;
    EXPECT_GE(afterFirst, 1);
    feed(dat4(5.0f, 5.0f, 60.0f), 4);
    EXPECT_EQ(mode(), "LOW");
    feed(dat4(5.0f, 5.0f, 60.0f));
    EXPECT_EQ(mode(), "HIGH");
    EXPECT_GT(configs, afterFirst);
    EXPECT_EQ(VQ2::getInstance()->nWaterTrackPowerLevel, 3);
    const int afterDeep = configs;
    feed(dat4(5.0f, 5.0f, 30.0f), 59);
    EXPECT_EQ(mode(), "HIGH");
    feed(dat4(5.0f, 5.0f, 30.0f));
    EXPECT_EQ(mode(), "LOW");
    EXPECT_GT(configs, afterDeep);
    EXPECT_EQ(handler.depthModeSwitchCount(), 3);
}

TEST_F(Vq2HandlerTest, IdenticalWaterAndGroundSpeedsAskForAReloadAfterSixtyDats) {
    const std::tuple<const char*, int, bool, int> cases[] = {
        {"59 identical DATs are fine", 59, false, 0},
        {"the sixtieth reloads", 60, false, 1},
        {"a differing DAT restarts the count", 59, true, 0},
        {"the count restarts after a reload", 120, false, 2},
    };
    for (const auto& [name, identical, differentBetween, expected] : cases) {
        reloads = 0;
        feed(dat4(5.0f, 5.5f, 45.0f));
        if (differentBetween) {
            feed(dat4(5.0f, 5.0f, 45.0f), 30);
            feed(dat4(5.0f, 5.5f, 45.0f));
        }
        feed(dat4(5.0f, 5.0f, 45.0f), identical - (differentBetween ? 30 : 0));
        EXPECT_EQ(reloads, expected) << name;
    }
}

// A DAT of low quality counts one fault in the network counters and pulses the LEDs in the
// colour of low quality.
TEST_F(Vq2HandlerTest, EachLowQualityDatCountsOneFaultAndShowsOnTheLeds) {
    // The system, the qualities of water and ground, forward and aft; whether low.
    const std::tuple<const char*, int, int, int, int, int, bool> cases[] = {
        {"all good", 4, 9, 9, 9, 9, false},
        {"three is still good", 4, 3, 3, 3, 3, false},
        {"water forward low", 4, 2, 9, 9, 9, true},
        {"water aft low", 4, 9, 2, 9, 9, true},
        {"ground forward low", 4, 9, 9, 2, 9, true},
        {"ground aft low", 4, 9, 9, 9, 0, true},
        {"all low is one fault", 4, 0, 0, 0, 0, true},
        {"second frequency water forward low", 5, 1, 9, 9, 9, true},
        {"second frequency water aft low", 5, 9, 1, 9, 9, true},
        {"second frequency judged by water only", 5, 9, 9, 0, 0, false},
    };
    for (const auto& [name, system, water, waterAft, ground, groundAft, low] : cases) {
        SCOPED_TRACE(name);
        QList<int> errors;
        std::vector<LedPulse> pulses;
        const QMetaObject::Connection connections[] = {
            QObject::connect(&handler, &VQ2_Handler::sigError,
                             [&errors](int errorId) { errors.append(errorId); }),
            QObject::connect(&handler, &VQ2_Handler::sigPulseLeds,
                             [&pulses](LedPulse pulse) { pulses.push_back(pulse); })};
        feed(MsgDAT(system, 10.0f, water, 10.0f, waterAft, 21.0f, 0, 0, 0, 10.0f, ground, 10.0f,
                    groundAft, 45.0f, 45.0f));
        for (const QMetaObject::Connection& connection : connections) {
            QObject::disconnect(connection);
        }
        EXPECT_EQ(errors, QList<int>(low ? 1 : 0, ERR_TYPE_SIG_QUALITY));
        ASSERT_EQ(pulses.size(), 1u);
        EXPECT_EQ(pulses[0].pattern,
                  low ? VQ2_Handler::kLedsQualityLow : VQ2_Handler::kLedsQualityGood);
    }
}

TEST_F(Vq2HandlerTest, GroundSpeedFromGpsWhenTheSensorHasNone) {
    const std::tuple<const char*, int, bool, bool> cases[] = {
        {"sensor ground speed kept", 9, true, false},
        {"no ground echo: GPS takes over", 0, true, true},
        {"no ground echo and no GPS", 0, false, false},
    };
    for (const auto& [name, groundQuality, gpsOn, fromGps] : cases) {
        SCOPED_TRACE(name);
        const quint64 now = FakeClock::stamp();
        const std::pair<varFloat*, float> gps[] = {{&sv.longSpeedToGround_GPS_VTG, 7.4f},
                                                   {&sv.tranSpeedToGround_GPS_VTG, -1.2f},
                                                   {&sv.resSpeedToGround_GPS_VTG, 7.5f},
                                                   {&sv.trackDegreesTrue_GPS, 270.0f}};
        for (const auto& [variable, value] : gps) {
            variable->setValue(gpsOn ? value : kNone, now);
        }
        model.invalidateData();
        feed(MsgDAT(4, 6.0f, 9, 0.0f, 9, 21.0f, 0, 0, 0, 5.0f, groundQuality, 0.0f, groundQuality,
                    45.0f, 45.0f),
             40);
        EXPECT_EQ(sv.bSOG_fromGPS, fromGps);
        if (fromGps) {
            EXPECT_FLOAT_EQ(model.sogResBoatCallibrated.getValue(), 7.5f);
            EXPECT_FLOAT_EQ(model.sogTraBoatCallibrated.getValue(), -1.2f);
            EXPECT_NEAR(model.cogResBoat.getValue(), rad(-90.0f), 1e-5);
        }
    }
}

TEST_F(Vq2HandlerTest, HostileSensorValuesNeverBecomeNumbersOrUndefinedConversions) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const std::tuple<const char*, float, int, float, int, float> cases[] = {
        {"huge", 1e30f, 9, 1e30f, INT_MAX - 1, 1e30f},
        {"infinite", inf, 9, -inf, INT_MIN, inf},
        {"not a number", nan, 9, nan, 0, nan},
        {"qualities out of range", 5.0f, 100000, 21.0f, -1000000, 45.0f},
    };
    for (const bool reverse : {false, true}) {
        handler.setForwReverseDirection(reverse);
        for (const auto& [name, speed, quality, temperature, tilt, depth] : cases) {
            feed(MsgDAT(4, speed, quality, speed, quality, temperature, tilt, tilt, tilt, speed,
                        quality, speed, quality, depth, depth),
                 30);
            feed(MsgDAT(5, speed, quality, speed, quality, temperature, tilt, tilt, tilt, kNone, 0,
                        kNone, 0, kNone, kNone));
            for (varFloat* v : model.variables()) {
                if (v->getValidity()) {
                    EXPECT_TRUE(std::isfinite(v->getValue())) << name;
                }
            }
        }
    }
}

TEST(VQ2DataModel, WaterCurrentIsGroundLessWaterWithALimitedCourse) {
    // The current expected: longitudinal, transverse, resultant, course; "-" when invalid.
    const std::tuple<const char*, float, float, float, float, bool, float, const char*> cases[] = {
        {"ahead", 10.0f, 0.0f, 11.0f, 0.0f, true, 0.0f, "1 0 1 0"},
        {"abeam: course turns 10 degrees at most", 10.0f, 0.0f, 10.0f, 1.0f, true, 0.0f,
         "0 1 1 0.17453"},
        {"0.1 kn keeps the course", 0.0f, 0.0f, 0.1f, 0.0f, true, 0.5f, "0.1 0 0.1 0.5"},
        {"weak current with an unknown course starts at 0", 0.0f, 0.0f, 0.05f, 0.0f, true, kNone,
         "0.05 0 0.05 0"},
        {"an unknown course takes the new one whole", 10.0f, 0.0f, 10.0f, 1.0f, true, kNone,
         "0 1 1 1.5708"},
        {"invalid ground speed invalidates all", 10.0f, 0.0f, 11.0f, 0.0f, false, 0.0f, "- - - -"},
    };
    for (const auto& [name, stwL, stwT, sogL, sogT, valid, oldCourse, expected] : cases) {
        VQ2DataModel data;
        data.stwLongBoatCallibrated.setValue(stwL, 1);
        data.stwTraBoatCallibrated.setValue(stwT, 1);
        data.wcCourse.setValue(oldCourse, 1);
        data.calculateWaterCurrent(sogL, sogT, valid);
        EXPECT_EQ(QStringList({shown(data.wcLong), shown(data.wcTra), shown(data.wcRes),
                               shown(data.wcCourse)})
                      .join(' ')
                      .toStdString(),
                  expected)
            << name;
    }
}

} // namespace
