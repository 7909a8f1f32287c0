#include "vq2_handler.h"

#include "calibrationtablesource.h"
#include "casename.h"
#include "freshunit.h"
#include "msgdat.h"
#include "msgicm.h"
#include "msgqst.h"
#include "nmeaparser.h"
#include "platform.h"
#include "systemsetup.h"
#include "systemvariables.h"
#include "udperrorcounter.h"
#include "vq2datamodel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <climits>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

std::atomic<qint64> g_now{1'700'000'000'000};

qint64 fakeNow() {
    return g_now.load();
}

QString withChecksum(const QString& body) {
    quint8 sum = 0;
    for (QChar c : body.mid(1)) {
        sum ^= static_cast<quint8>(c.toLatin1());
    }
    return body + QStringLiteral("*%1\r\n").arg(sum, 2, 16, QLatin1Char('0')).toUpper();
}

using ConfiguredRoot = FreshUnitRoot;

// The unit on a fresh board root, fed DAT sentences two a second.
class Vq2HandlerTest : public ::testing::Test {
protected:
    Vq2HandlerTest() {
        Clock::setSource(&fakeNow);
        SystemVariables* sv = SystemVariables::getInstance();
        sv->vq2data.invalidateData();
        sv->vq2dataDat5.invalidateData();
        handler.setForwReverseDirection(false);
        QObject::connect(&handler, &VQ2_Handler::sigSendConfigToSensor, [this] { ++configs; });
        QObject::connect(&handler, &VQ2_Handler::sigReloadSensorVQ2, [this] { ++reloads; });
        QObject::connect(&handler, &VQ2_Handler::sigSendSingleOnUdpOutput,
                         [this](const NmeaMessagePtr& m) { sent.append(m); });
    }
    ~Vq2HandlerTest() override {
        Clock::setSource(nullptr);
        SystemSetup::resetForTests();
    }

    void feed(const MsgDAT& dat, int count = 1) {
        for (int i = 0; i < count; ++i) {
            g_now += 500;
            handler.handleDatMsg(std::make_shared<MsgDAT>(dat), static_cast<quint64>(g_now.load()));
        }
    }

    static MsgDAT dat4(float water, float ground, float depth) {
        return MsgDAT(4, water, 9, 0.0f, 9, 21.0f, 0, 0, 0, ground, 9, 0.0f, 9, depth, depth);
    }

    ConfiguredRoot root;
    VQ2_Handler handler;
    int configs = 0;
    int reloads = 0;
    QList<NmeaMessagePtr> sent;
};

TEST_F(Vq2HandlerTest, MonitoringSentenceCarriesTheDatInHundredths) {
    auto parsed = NmeaParser::parse(withChecksum(
        QStringLiteral("$PNRVDAT,4,+10.5,9,-0.5,8,+21.0,0,0,0,+10.0,9,-1.5,9,45.5,46.0")));
    ASSERT_NE(dynamic_cast<const MsgDAT*>(parsed.get()), nullptr);
    handler.handleDatMsg(NmeaMessagePtr(std::move(parsed)), 1000);
    ASSERT_FALSE(sent.isEmpty());
    const auto* icm = dynamic_cast<const MsgICM*>(sent.first().get());
    ASSERT_NE(icm, nullptr);
    EXPECT_EQ(icm->commandID(), 32);
    const QList<int> p = icm->msgParameters();
    ASSERT_EQ(p.size(), 14);
    EXPECT_EQ(p.mid(0, 10), (QList<int>{1050, -50, 1000, -150, 9, 8, 9, 9, 4550, 4600}));
    EXPECT_EQ(p[11], 2100);
}

TEST_F(Vq2HandlerTest, SecondFrequencyMonitoringCarriesItsWaterSpeeds) {
    feed(MsgDAT(5, -3.25f, 7, 1.0f, 2, 21.0f, 0, 0, 0, kAbsentFloat, 0, kAbsentFloat, 0,
                kAbsentFloat, kAbsentFloat));
    ASSERT_FALSE(sent.isEmpty());
    const auto* icm = dynamic_cast<const MsgICM*>(sent.first().get());
    ASSERT_NE(icm, nullptr);
    EXPECT_EQ(icm->msgParameters(), (QList<int>{-325, 100, 7, 2}));
    EXPECT_EQ(handler.badSignalQualityCount(), 1);
}

TEST_F(Vq2HandlerTest, EveryDatReportsTheWaterQualitiesAndTheChosenFrequency) {
    feed(dat4(10.2f, 10.2f, 45.0f), 30);
    const MsgQST* qst = nullptr;
    for (const NmeaMessagePtr& message : sent) {
        if (const auto* candidate = dynamic_cast<const MsgQST*>(message.get())) {
            qst = candidate;
        }
    }
    ASSERT_NE(qst, nullptr);
    EXPECT_GT(qst->QWL_lowF(), 0);  // steady quality-9 water speeds enter the average
    EXPECT_EQ(qst->QWL_highF(), 0); // no system-5 data at all
    EXPECT_EQ(qst->QGL(), 0);
    EXPECT_EQ(qst->usedHighFreqSTW(), 0); // the low frequency carries the water speed
}

TEST_F(Vq2HandlerTest, AbsentOrHugeSpeedsAreSentAsUnknown) {
    feed(MsgDAT(4, 1e30f, 9, kAbsentFloat, 9, 21.0f, 0, 0, 0, -kAbsentFloat, 9,
                std::numeric_limits<float>::infinity(), 9, 45.0f, 45.0f));
    const auto* icm = dynamic_cast<const MsgICM*>(sent.first().get());
    ASSERT_NE(icm, nullptr);
    EXPECT_EQ(icm->msgParameters().mid(0, 4), (QList<int>{INT_MAX, INT_MAX, INT_MAX, INT_MAX}));
}

TEST_F(Vq2HandlerTest, SteadyWaterSpeedSettlesAndExpiresWhenTheSensorFallsSilent) {
    SystemVariables* sv = SystemVariables::getInstance();
    feed(dat4(10.2f, 10.0f, 45.0f), 80);
    // 10.2 kn along the beams at 16 degrees of water (21 less self-heating): 30.55 degree beams.
    const float expected = 10.2f / 2.0f / std::sin(30.55f * std::numbers::pi_v<float> / 180.0f);
    ASSERT_TRUE(sv->vq2data.stwResBoatCallibrated.getValidity());
    EXPECT_NEAR(sv->vq2data.stwResBoatCallibrated.getValue(), expected, 0.1f);
    EXPECT_NEAR(sv->vq2data.stwLongBoatCallibrated.getValue(), expected, 0.1f);
    EXPECT_NEAR(sv->vq2data.stwTraBoatCallibrated.getValue(), 0.0f, 0.01f);
    EXPECT_NEAR(sv->vq2data.ctwResBoat.getValue(), 0.0f, 1e-3f);
    ASSERT_TRUE(sv->vq2data.depthFwd.getValidity());
    EXPECT_NEAR(sv->vq2data.depthFwd.getValue(),
                1.03f * 45.0f * std::cos(30.55f * std::numbers::pi_v<float> / 180.0f) + 0.4f,
                0.01f);
    for (int tick = 0; tick < 9; ++tick) {
        sv->slotTimeCounter();
    }
    EXPECT_TRUE(sv->vq2data.stwResBoatCallibrated.getValidity());
    sv->slotTimeCounter();
    EXPECT_FALSE(sv->vq2data.stwResBoatCallibrated.getValidity());
    EXPECT_FALSE(sv->vq2data.sogResBoatCallibrated.getValidity());
    EXPECT_FALSE(sv->vq2data.depthFwd.getValidity());
}

TEST_F(Vq2HandlerTest, WaterSpeedGoesThroughTheUnitsCalibrationTable) {
    SpeedCalibrationData::resetForTests();
    SpeedCalibration display(SpeedCalibrationData::getInstance());
    CalibrationTableSource table(display);
    handler.setSpeedCalibration(&table);
    SystemVariables* sv = SystemVariables::getInstance();
    feed(dat4(10.2f, 10.0f, 45.0f), 80);
    handler.setSpeedCalibration(nullptr);

    ASSERT_TRUE(sv->vq2data.stwResBoatCallibrated.getValidity());
    const float measured = sv->vq2data.stwResBoatNoCallib.getValue();
    const float expected =
        SpeedCalibrationData::getInstance()->getCalibratedSpeed(measured, STW_speed, false);
    EXPECT_GT(std::fabs(expected - measured), 0.5f) << "the factory table is not the identity";
    EXPECT_NEAR(sv->vq2data.stwResBoatCallibrated.getValue(), expected, 0.05f);
    SpeedCalibrationData::resetForTests();
}

TEST_F(Vq2HandlerTest, DistancesContinueFromTheStoredValuesWithoutAJumpAtStart) {
    SystemSetup::getInstance()->Vq2Setup.set(&VQ2_Setup_S::primaryFrequencyHigh, false);
    SystemVariables* sv = SystemVariables::getInstance();
    sv->initDistances(1000.0, 5.0, 2000.0, 6.0);
    int validDats = 0;
    for (int i = 0; i < 60; ++i) {
        feed(dat4(10.2f, 10.0f, 45.0f));
        if (sv->vq2data.stwResBoatCallibrated.getValidity()) {
            ++validDats;
        }
        if (validDats <= 1) {
            EXPECT_DOUBLE_EQ(sv->totalCumulativeWaterDistance.getValue(), 1000.0) << i;
        }
    }
    ASSERT_GT(validDats, 10);
    const double speed = sv->vq2data.stwResBoatCallibrated.getValue();
    EXPECT_NEAR(sv->totalCumulativeWaterDistance.getValue() - 1000.0,
                (validDats - 1) * speed * 0.5 / 3600.0, 1e-4);
    EXPECT_NEAR(sv->waterDistanceSinceReset.getValue() - 5.0,
                (validDats - 1) * speed * 0.5 / 3600.0, 1e-4);
}

TEST_F(Vq2HandlerTest, DepthModeFollowsTheBottomAndSendsNewConfigurations) {
    feed(dat4(5.0f, 5.0f, 45.0f));
    EXPECT_EQ(handler.depthModeEvaluator().getMode(), QStringLiteral("LOW"));
    const int afterFirst = configs;
    EXPECT_GE(afterFirst, 1);
    feed(dat4(5.0f, 5.0f, 60.0f), 4);
    EXPECT_EQ(handler.depthModeEvaluator().getMode(), QStringLiteral("LOW"));
    feed(dat4(5.0f, 5.0f, 60.0f));
    EXPECT_EQ(handler.depthModeEvaluator().getMode(), QStringLiteral("HIGH"));
    EXPECT_GT(configs, afterFirst);
    EXPECT_EQ(VQ2::getInstance()->nWaterTrackPowerLevel, 3);
    const int afterDeep = configs;
    feed(dat4(5.0f, 5.0f, 30.0f), 59);
    EXPECT_EQ(handler.depthModeEvaluator().getMode(), QStringLiteral("HIGH"));
    feed(dat4(5.0f, 5.0f, 30.0f));
    EXPECT_EQ(handler.depthModeEvaluator().getMode(), QStringLiteral("LOW"));
    EXPECT_GT(configs, afterDeep);
    EXPECT_EQ(handler.depthModeSwitchCount(), 3);
}

TEST_F(Vq2HandlerTest, IdenticalWaterAndGroundSpeedsAskForAReloadAfterSixtyDats) {
    const struct {
        const char* name;
        int identical;
        bool differentBetween;
        int reloads;
    } cases[] = {
        {"59 identical DATs are fine", 59, false, 0},
        {"the sixtieth reloads", 60, false, 1},
        {"a differing DAT restarts the count", 59, true, 0},
        {"the count restarts after a reload", 120, false, 2},
    };
    for (const auto& c : cases) {
        reloads = 0;
        feed(dat4(5.0f, 5.5f, 45.0f));
        if (c.differentBetween) {
            feed(dat4(5.0f, 5.0f, 45.0f), 30);
            feed(dat4(5.0f, 5.5f, 45.0f));
            feed(dat4(5.0f, 5.0f, 45.0f), c.identical - 30);
        } else {
            feed(dat4(5.0f, 5.0f, 45.0f), c.identical);
        }
        EXPECT_EQ(reloads, c.reloads) << c.name;
    }
}

TEST_F(Vq2HandlerTest, OutputModeAndMountingDirectionShapeTheSpeeds) {
    const struct {
        const QString output;
        bool reverse;
        bool stwValid;
        bool sogValid;
        float longSign;
    } cases[] = {
        {QStringLiteral("SOG + STW"), false, true, true, 1.0f},
        {QStringLiteral("SOG + STW"), true, true, true, -1.0f},
        {QStringLiteral("SOG Only"), false, false, true, 1.0f},
        {QStringLiteral("SAT LOG"), false, false, false, 1.0f},
    };
    SystemVariables* sv = SystemVariables::getInstance();
    for (const auto& c : cases) {
        SystemSetup::getInstance()->Vq2Setup.set(&VQ2_Setup_S::outputParams, c.output);
        handler.setForwReverseDirection(c.reverse);
        sv->vq2data.invalidateData();
        feed(dat4(6.0f, 5.0f, 45.0f), 40);
        const std::string name = c.output.toStdString() + (c.reverse ? " reversed" : "");
        EXPECT_EQ(sv->vq2data.stwResBoatCallibrated.getValidity(), c.stwValid) << name;
        EXPECT_EQ(sv->vq2data.sogResBoatCallibrated.getValidity(), c.sogValid) << name;
        if (c.stwValid) {
            EXPECT_GT(sv->vq2data.stwLongBoatCallibrated.getValue() * c.longSign, 5.0f) << name;
        }
        if (c.sogValid) {
            EXPECT_GT(sv->vq2data.sogLongBoatCallibrated.getValue() * c.longSign, 4.0f) << name;
        }
    }
}

TEST_F(Vq2HandlerTest, EachDatPulsesTheLedsInTheColourOfItsWaterQuality) {
    struct Case {
        const char* name;
        MsgDAT dat;
        quint8 pattern;
    };
    const Case cases[] = {
        {"good DAT4", dat4(10.0f, 10.0f, 45.0f), VQ2_Handler::kLedsQualityGood},
        {"DAT4 of quality 2",
         MsgDAT(4, 10.0f, 2, 0.0f, 9, 21.0f, 0, 0, 0, 10.0f, 9, 0.0f, 9, 45.0f, 45.0f),
         VQ2_Handler::kLedsQualityLow},
        {"good DAT5",
         MsgDAT(5, 10.0f, 9, 0.0f, 9, 21.0f, 0, 0, 0, kAbsentFloat, 0, kAbsentFloat, 0,
                kAbsentFloat, kAbsentFloat),
         VQ2_Handler::kLedsQualityGood},
        {"DAT5 of quality 1",
         MsgDAT(5, 10.0f, 9, 0.0f, 1, 21.0f, 0, 0, 0, kAbsentFloat, 0, kAbsentFloat, 0,
                kAbsentFloat, kAbsentFloat),
         VQ2_Handler::kLedsQualityLow},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<LedPulse> pulses;
        const QMetaObject::Connection connection = QObject::connect(
            &handler, &VQ2_Handler::sigPulseLeds, [&](LedPulse pulse) { pulses.push_back(pulse); });
        feed(c.dat);
        QObject::disconnect(connection);
        ASSERT_EQ(pulses.size(), 1u);
        EXPECT_EQ(pulses[0].pattern, c.pattern);
        EXPECT_EQ(pulses[0].after, VQ2_Handler::kLedsIdle);
        EXPECT_EQ(pulses[0].length, std::chrono::milliseconds(200));
    }
}

TEST(VQ2DataModel, WaterCurrentIsGroundLessWaterWithALimitedCourse) {
    const float kAbsent = kAbsentFloat;
    const struct {
        const char* name;
        float stwL, stwT, sogL, sogT;
        bool valid;
        float oldCourse;
        bool resValid;
        float wcL, wcT, wcRes, course;
    } cases[] = {
        {"ahead", 10.0f, 0.0f, 11.0f, 0.0f, true, 0.0f, true, 1.0f, 0.0f, 1.0f, 0.0f},
        {"abeam: course turns 10 degrees at most", 10.0f, 0.0f, 10.0f, 1.0f, true, 0.0f, true, 0.0f,
         1.0f, 1.0f, 0.17453292f},
        {"0.1 kn keeps the course", 0.0f, 0.0f, 0.1f, 0.0f, true, 0.5f, true, 0.1f, 0.0f, 0.1f,
         0.5f},
        {"weak current with an unknown course starts at 0", 0.0f, 0.0f, 0.05f, 0.0f, true, kAbsent,
         true, 0.05f, 0.0f, 0.05f, 0.0f},
        {"an unknown course takes the new one whole", 10.0f, 0.0f, 10.0f, 1.0f, true, kAbsent, true,
         0.0f, 1.0f, 1.0f, 1.5707964f},
        {"invalid ground speed invalidates all", 10.0f, 0.0f, 11.0f, 0.0f, false, 0.0f, false, 0.0f,
         0.0f, 0.0f, 0.0f},
    };
    for (const auto& c : cases) {
        VQ2DataModel model;
        model.stwLongBoatCallibrated.setValue(c.stwL, 1);
        model.stwTraBoatCallibrated.setValue(c.stwT, 1);
        if (c.oldCourse == kAbsent) {
            model.wcCourse.setValidity(false);
        } else {
            model.wcCourse.setValue(c.oldCourse, 1);
        }
        model.calculateWaterCurrent(c.sogL, c.sogT, c.valid);
        EXPECT_EQ(model.wcRes.getValidity(), c.resValid) << c.name;
        if (!c.resValid) {
            EXPECT_FALSE(model.wcCourse.getValidity()) << c.name;
            continue;
        }
        EXPECT_NEAR(model.wcLong.getValue(), c.wcL, 1e-5) << c.name;
        EXPECT_NEAR(model.wcTra.getValue(), c.wcT, 1e-5) << c.name;
        EXPECT_NEAR(model.wcRes.getValue(), c.wcRes, 1e-5) << c.name;
        EXPECT_NEAR(model.wcCourse.getValue(), c.course, 1e-5) << c.name;
    }
}

TEST_F(Vq2HandlerTest, GroundSpeedFromGpsWhenTheSensorHasNone) {
    SystemVariables* sv = SystemVariables::getInstance();
    const struct {
        const char* name;
        int groundQuality;
        bool gps;
        bool fromGps;
        float sog;
    } cases[] = {
        {"sensor ground speed kept", 9, true, false, 0.0f},
        {"no ground echo: GPS takes over", 0, true, true, 7.5f},
        {"no ground echo and no GPS", 0, false, false, 0.0f},
    };
    for (const auto& c : cases) {
        const auto now = static_cast<quint64>(g_now.load());
        if (c.gps) {
            sv->longSpeedToGround_GPS_VTG.setValue(7.4f, now);
            sv->tranSpeedToGround_GPS_VTG.setValue(-1.2f, now);
            sv->resSpeedToGround_GPS_VTG.setValue(7.5f, now);
            sv->trackDegreesTrue_GPS.setValue(270.0f, now);
        } else {
            for (varFloat* v : {&sv->longSpeedToGround_GPS_VTG, &sv->tranSpeedToGround_GPS_VTG,
                                &sv->resSpeedToGround_GPS_VTG, &sv->trackDegreesTrue_GPS}) {
                v->setValidity(false);
            }
        }
        sv->vq2data.invalidateData();
        feed(MsgDAT(4, 6.0f, 9, 0.0f, 9, 21.0f, 0, 0, 0, 5.0f, c.groundQuality, 0.0f,
                    c.groundQuality, 45.0f, 45.0f),
             40);
        EXPECT_EQ(sv->bSOG_fromGPS, c.fromGps) << c.name;
        if (c.fromGps) {
            EXPECT_FLOAT_EQ(sv->vq2data.sogResBoatCallibrated.getValue(), c.sog) << c.name;
            EXPECT_FLOAT_EQ(sv->vq2data.sogTraBoatCallibrated.getValue(), -1.2f) << c.name;
            EXPECT_NEAR(sv->vq2data.cogResBoat.getValue(), -std::numbers::pi_v<float> / 2.0f, 1e-5)
                << c.name;
        }
    }
    for (varFloat* v : {&sv->longSpeedToGround_GPS_VTG, &sv->tranSpeedToGround_GPS_VTG,
                        &sv->resSpeedToGround_GPS_VTG, &sv->trackDegreesTrue_GPS}) {
        v->setValidity(false);
    }
}

TEST_F(Vq2HandlerTest, HostileSensorValuesNeverBecomeNumbersOrUndefinedConversions) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        const char* name;
        float speed;
        int quality;
        float temperature;
        int tilt;
        float depth;
    } cases[] = {
        {"huge", 1e30f, 9, 1e30f, INT_MAX - 1, 1e30f},
        {"infinite", inf, 9, -inf, INT_MIN, inf},
        {"not a number", nan, 9, nan, 0, nan},
        {"absent marker reversed", -kAbsentFloat, 9, -kAbsentFloat, -1000000, -kAbsentFloat},
        {"qualities out of range", 5.0f, 100000, 21.0f, 0, 45.0f},
        {"negative qualities", 5.0f, -7, 21.0f, 0, 45.0f},
    };
    SystemVariables* sv = SystemVariables::getInstance();
    for (bool reverse : {false, true}) {
        handler.setForwReverseDirection(reverse);
        for (const auto& c : cases) {
            feed(MsgDAT(4, c.speed, c.quality, c.speed, c.quality, c.temperature, c.tilt, c.tilt,
                        c.tilt, c.speed, c.quality, c.speed, c.quality, c.depth, c.depth),
                 30);
            feed(MsgDAT(5, c.speed, c.quality, c.speed, c.quality, c.temperature, c.tilt, c.tilt,
                        c.tilt, kAbsentFloat, 0, kAbsentFloat, 0, kAbsentFloat, kAbsentFloat));
            for (varFloat* v : sv->vq2data.variables()) {
                if (v->getValidity()) {
                    EXPECT_TRUE(std::isfinite(v->getValue())) << c.name;
                }
            }
        }
    }
}

struct QualityCase {
    const char* name;
    int system;
    QList<int> qualities; // water forward, water aft, ground forward, ground aft
    int faults;
};
void PrintTo(const QualityCase& c, std::ostream* os) {
    printCaseName(c, os);
}
class SignalQuality : public Vq2HandlerTest, public ::testing::WithParamInterface<QualityCase> {};

TEST_P(SignalQuality, EachLowQualityDatCountsOneFaultInTheNetworkCounters) {
    const QualityCase& c = GetParam();
    QList<int> errors;
    QObject::connect(&handler, &VQ2_Handler::sigError,
                     [&errors](int errorId) { errors.append(errorId); });
    const QList<int>& q = c.qualities;
    feed(MsgDAT(c.system, 10.0f, q[0], 10.0f, q[1], 21.0f, 0, 0, 0, 10.0f, q[2], 10.0f, q[3], 45.0f,
                45.0f));
    EXPECT_EQ(errors, QList<int>(c.faults, ERR_TYPE_SIG_QUALITY));
}

INSTANTIATE_TEST_SUITE_P(
    Sensor, SignalQuality,
    ::testing::Values(QualityCase{"AllGood", 4, {9, 9, 9, 9}, 0},
                      QualityCase{"ThreeIsStillGood", 4, {3, 3, 3, 3}, 0},
                      QualityCase{"WaterForwardLow", 4, {2, 9, 9, 9}, 1},
                      QualityCase{"WaterAftLow", 4, {9, 2, 9, 9}, 1},
                      QualityCase{"GroundForwardLow", 4, {9, 9, 2, 9}, 1},
                      QualityCase{"GroundAftLow", 4, {9, 9, 9, 0}, 1},
                      QualityCase{"AllLowIsOneFault", 4, {0, 0, 0, 0}, 1},
                      QualityCase{"SecondFrequencyWaterLow", 5, {9, 1, 9, 9}, 1},
                      QualityCase{"SecondFrequencyJudgedByWaterOnly", 5, {9, 9, 0, 0}, 0}));

} // namespace
