// The sea test run through the display's commands on virtual time: legs sampled every 500 ms,
// their arithmetic, and what a transfer stores and reports.
#include "calibrationfixture.h"
#include "extendedsemiautocalibration.h"
#include "platformtimer.h"
#include "semiautocalibrationcontroller.h"
#include "speedcalibration.h"

#include <QList>

#include <climits>
#include <cmath>
#include <numbers>

namespace {
constexpr int kUnknown = INT_MAX;
constexpr qint64 kMinute = 60'000;
constexpr double kRadPerDegree = std::numbers::pi / 180.0;

BoatAxes atAngle(double knots, double degrees) {
    return {static_cast<float>(knots * std::cos(degrees * kRadPerDegree)),
            static_cast<float>(knots * std::sin(degrees * kRadPerDegree))};
}

// The ship sails at a steady speed: the sensor and GPS see it as the test sets them.
SemiAutoSample steady(double stw, double sog, double gps) {
    SemiAutoSample s;
    s.stw = atAngle(stw, 0.0);
    s.sog = atAngle(sog, 0.0);
    s.stwCalibrated = static_cast<float>(stw);
    s.sogCalibrated = static_cast<float>(sog);
    s.gpsSog = static_cast<float>(gps);
    s.stwHighFrequency = s.stw;
    s.stwLowFrequency = s.stw;
    return s;
}

class SeaTest : public CalibrationTest {
protected:
    SeaTest() {
        restart();
        display = std::make_unique<SpeedCalibration>(data.get());
        legs = std::make_unique<SemiAutoCalibrationController>(data.get(), *display);
        QObject::connect(display.get(), &SpeedCalibration::sigSemiAutomaticCommand, legs.get(),
                         &SemiAutoCalibrationController::slotSemiAutomaticCommand);
        const auto record = [this](const NmeaMessagePtr& msg) {
            const auto icm = std::dynamic_pointer_cast<MsgICM>(msg);
            ASSERT_TRUE(icm);
            sent.append({icm->commandID(), icm->msgParameters()});
        };
        QObject::connect(display.get(), &SpeedCalibration::sigSendSingleOnUdpOutput, record);
        QObject::connect(legs.get(), &SemiAutoCalibrationController::sigSendSingleOnUdpOutput,
                         record);
        QObject::connect(display.get(), &SpeedCalibration::sigSendGroupOnUdpOutput,
                         [record](const QList<NmeaMessagePtr>& group) {
                             for (const NmeaMessagePtr& msg : group) {
                                 record(msg);
                             }
                         });
        legs->setSampleSource([this] {
            ++samples;
            return sample;
        });
        display->setPreparedMessageSource([this](msgCommands page) -> NmeaMessagePtr {
            if (page == msgCommands::DataForSemiAutoCalibrationCommand) {
                return legs->getDataForSemiautomaticCalibration();
            }
            return legs->getValidityForSemiautomaticCalibration();
        });
        command({1});
    }

    void command(const QList<int>& parameters) {
        display->slotCalibrationCommandReceived(
            std::make_shared<MsgICM>(1, msgCommands::CalibrationCommand, parameters));
    }
    void sail(int distanceX100, qint64 ms) {
        command({4, 0, distanceX100});
        time.advance(ms);
        command({5});
    }
    // The latest page data of the display: ICM 23 or 31.
    QList<int> page(msgCommands which) {
        sent.clear();
        display->slotSendOutputMessages();
        for (const auto& [id, parameters] : sent) {
            if (id == int(which)) {
                return parameters;
            }
        }
        return {};
    }
    QList<QList<int>> sentWith(msgCommands command) const {
        QList<QList<int>> result;
        for (const auto& [id, parameters] : sent) {
            if (id == int(command)) {
                result.append(parameters);
            }
        }
        return result;
    }
    void stopOnGps(bool on) {
        SystemSetup::getInstance()->calibCoeffs.set(&calibration_s::stopOnGPS, on);
    }

    VirtualTime time;
    std::unique_ptr<SpeedCalibration> display;
    std::unique_ptr<SemiAutoCalibrationController> legs;
    SemiAutoSample sample = steady(8.0, 9.0, 10.0);
    int samples = 0;
    QList<std::pair<int, QList<int>>> sent;
};

TEST_F(SeaTest, TrueSpeedIsTheLegDistanceOverTheLegTime) {
    // Leg distance (x100 nm), the legs' minutes, ICM 23's true speed (x100).
    const std::tuple<int, QList<qint64>, int> cases[] = {
        {100, {6}, 1000},
        {100, {5, 7}, 1000},
        {50, {3, 3}, 1000},
    };
    for (const auto& [distance, minutes, trueSpeed] : cases) {
        command({6, 0, 1});
        for (const qint64 m : minutes) {
            sail(distance, m * kMinute);
        }
        const QList<int> data = page(msgCommands::DataForSemiAutoCalibrationCommand);
        ASSERT_EQ(data.size(), 9);
        EXPECT_EQ(data[2], trueSpeed) << minutes.size() << " legs";
        EXPECT_EQ(data[0], 800) << "measured STW";
        EXPECT_EQ(data[1], 900) << "measured SOG";
        EXPECT_EQ(data[3], 1000) << "GPS average";
    }
    EXPECT_EQ(samples, 5 * 2 + (6 + 5 + 7 + 3 + 3) * 120)
        << "a sample at the start, every 500 ms and at the stop";
}

TEST_F(SeaTest, OneLegTransferredBecomesTheSeaTestPointOfItsZone) {
    sail(100, 6 * kMinute);
    EXPECT_EQ(page(msgCommands::ValidityForSemiAutoCalibrationCommand),
              (QList<int>{10000, 10000, 0, 0}));
    sent.clear();
    command({7});

    ASSERT_EQ(sentWith(msgCommands::CurrentCalibrationpoints).size(), 1);
    EXPECT_EQ(sentWith(msgCommands::CurrentCalibrationpoints)[0], (QList<int>{0, 2, 0, 0, 0}));
    EXPECT_TRUE(sentWith(msgCommands::CalibrationPointRejected).isEmpty());
    for (const bool restarted : {false, true}) {
        SCOPED_TRACE(restarted ? "after a restart" : "at once");
        const SpeedCalibrationData& table = restarted ? restart() : *data;
        const SpeedCalibrationPoint point = table.getCalibrationPoint(1, -1);
        EXPECT_FLOAT_EQ(point.realSpeed, 10.0f);
        EXPECT_FLOAT_EQ(point.measuredSTW, 8.0f);
        // One leg cannot cancel a current: the ground speed comes from the table as it was.
        EXPECT_FLOAT_EQ(point.measuredSOG, 10.0f);
        EXPECT_TRUE(point.isSet);
        const ExtendedSpeedCalibrationPoint ext = table.getExtendedCalibrationPoint(1, 2);
        EXPECT_FLOAT_EQ(ext.stwHighFrequencyPoint.measuredSpeed, 8.0f);
        EXPECT_FLOAT_EQ(ext.sogLowFrequencyPoint.measuredSpeed, 9.0f);
        EXPECT_TRUE(ext.sogHighFrequencyPoint.valid()) << "filled from the table";
        EXPECT_NEAR(table.getCalibratedSpeed(8.0f, STW_speed, true), 10.0f, 1e-4f);
        EXPECT_TRUE(table.recommendedAngles().getPointWithNumber(1).m_pointValid);
    }
}

TEST_F(SeaTest, StopOnGpsEndsTheLegWhereGpsCoveredTheDistance) {
    stopOnGps(true);
    sample = steady(10.0, 11.0, 12.0);
    command({4, 0, 10});
    time.advance(29'999);
    EXPECT_TRUE(legs->isLegRunning());
    time.advance(1);
    EXPECT_FALSE(legs->isLegRunning()) << "0.1 nm at 12 kn is 30 s";
    EXPECT_EQ(sentWith(msgCommands::CallibrationLegStopped), (QList<QList<int>>{{0}}));
    EXPECT_EQ(page(msgCommands::DataForSemiAutoCalibrationCommand).value(2), 1200);

    // A GPS speed that is not a whole number of metres per sample: the last sample waits for it.
    sample = steady(10.0, 11.0, 7.0);
    command({4, 0, 10});
    time.advance(51'428);
    EXPECT_TRUE(legs->isLegRunning());
    time.advance(1);
    EXPECT_FALSE(legs->isLegRunning()) << "0.1 nm at 7 kn is 51.4286 s";
}

TEST_F(SeaTest, ImpossibleLegsAreRejectedAndLeaveTheFilesAlone) {
    const QByteArray points = configFile(SpeedCalibrationData::kPointsFile);
    const QByteArray used = configFile(SpeedCalibrationData::kUsedFile);
    const QByteArray extended = configFile(SpeedCalibrationData::kExtendedFile);
    const QByteArray angles = configFile(RecommendedAngles::kFile);
    // The commands before the transfer; whether the start was refused.
    const std::pair<QList<QList<int>>, bool> cases[] = {
        {{}, false},                       // no leg at all
        {{{4, 0, 100}, {5}}, false},       // a leg of no time
        {{{4, 0, 100}}, false},            // a leg still running
        {{{4, 0, 100}, {6, 0, 1}}, false}, // cancelled
        {{{4, 0, 0}, {5}}, true},          // no distance
        {{{4, 0, -100}, {5}}, true},       // a distance astern
        {{{4, 0, 10001}, {5}}, true},      // farther than any sea test
        {{{4, 0}, {5}}, true},             // no distance given
    };
    for (const auto& [before, refused] : cases) {
        SCOPED_TRACE(before.value(0).value(2, -1));
        sent.clear();
        for (const QList<int>& c : before) {
            command(c);
        }
        EXPECT_EQ(sentWith(msgCommands::CalibrationPointRejected).size(), refused ? 1 : 0);
        const QList<int> data = page(msgCommands::DataForSemiAutoCalibrationCommand);
        EXPECT_EQ(data.value(2), kUnknown) << "true speed";
        for (const int value : data) {
            EXPECT_TRUE(value == kUnknown || std::abs(value) < 100000) << "no inf or NaN sent";
        }
        sent.clear();
        command({7});
        EXPECT_EQ(sentWith(msgCommands::CalibrationPointRejected).size(), 1);
        EXPECT_TRUE(sentWith(msgCommands::CurrentCalibrationpoints).isEmpty());
        command({6, 0, 1});
    }
    EXPECT_EQ(configFile(SpeedCalibrationData::kPointsFile), points);
    EXPECT_EQ(configFile(SpeedCalibrationData::kUsedFile), used);
    EXPECT_EQ(configFile(SpeedCalibrationData::kExtendedFile), extended);
    EXPECT_EQ(configFile(RecommendedAngles::kFile), angles);
}

TEST_F(SeaTest, CancellingTheSecondLegKeepsTheFirst) {
    // What the display sends with the cancel, the true speed left (x100).
    const std::pair<QList<int>, int> cases[] = {
        {{6, 0, 2}, 1000}, {{6, 0, 1}, kUnknown}, {{6}, kUnknown}, {{6, 0, 3}, kUnknown}};
    for (const auto& [cancel, left] : cases) {
        command({6, 0, 1});
        sail(100, 6 * kMinute);
        command({4, 0, 100});
        time.advance(kMinute);
        command(cancel);
        EXPECT_FALSE(legs->isLegRunning());
        EXPECT_EQ(page(msgCommands::DataForSemiAutoCalibrationCommand).value(2), left)
            << cancel.value(2);
        if (left != kUnknown) {
            EXPECT_EQ(page(msgCommands::ValidityForSemiAutoCalibrationCommand),
                      (QList<int>{10000, 10000, 0, 0}));
            sail(100, 12 * kMinute);
            EXPECT_EQ(page(msgCommands::DataForSemiAutoCalibrationCommand).value(2), 666)
                << "the second leg sailed again";
        }
    }
}

// Below 95 % valid ground speed in a leg its measured SOG is not trusted: exactly 95 % is.
TEST_F(SeaTest, GroundSpeedOfALegWithGapsComesFromTheTable) {
    for (const auto& [invalid, fromTable] : {std::pair{6, true}, {5, false}}) {
        command({6, 0, 1});
        sail(14, 49'250);
        int count = 0;
        legs->setSampleSource([&, invalid] {
            SemiAutoSample s = sample;
            if (count++ < invalid) {
                s.sog.reset();
            }
            return s;
        });
        // 100 samples: at the start, 98 on the timer and at the stop.
        sail(14, 49'250);
        EXPECT_EQ(page(msgCommands::ValidityForSemiAutoCalibrationCommand).value(2),
                  (100 - invalid) * 100);
        const float expected = fromTable ? data->getMeasuredSog(10.2335f) : 9.0f;
        command({7});
        const SpeedCalibrationPoint point = data->getCalibrationPoint(2, 2);
        EXPECT_NEAR(point.realSpeed, 10.2335f, 1e-4f);
        EXPECT_NEAR(point.measuredSOG, expected, 1e-4f) << invalid;
        legs->setSampleSource([this] { return sample; });
    }
}

TEST_F(SeaTest, RecommendedAnglesFromTheDisplayAreRangeChecked) {
    const auto angles = [](const QList<int>& p) {
        return std::make_shared<MsgICM>(1, msgCommands::RecommandedAngles, p);
    };
    display->slotCalibrationCommandReceived(angles({3, 1, 349, 1, -524, 0}));
    EXPECT_TRUE(sent.isEmpty());
    const QByteArray stored = configFile(RecommendedAngles::kFile);
    const QList<int> faulty[] = {{5, 1, 0, 1, 0, 1},     {-1, 1, 0, 1, 0, 1},
                                 {2, 1, 31417, 1, 0, 1}, {2, 1, 0, 1, -40000, 1},
                                 {2, 2, 0, 1, 0, 1},     {2, 1, 0, 1, 0}};
    for (const QList<int>& p : faulty) {
        sent.clear();
        display->slotCalibrationCommandReceived(angles(p));
        EXPECT_EQ(sentWith(msgCommands::CalibrationPointRejected).size(), 1) << p.value(0);
    }
    EXPECT_EQ(configFile(RecommendedAngles::kFile), stored);
    // The first and the last zone are zones too.
    for (const int zone : {0, RecommendedAngles::kZones - 1}) {
        sent.clear();
        display->slotCalibrationCommandReceived(angles({zone, 1, 100 + zone, 1, 0, 1}));
        EXPECT_TRUE(sentWith(msgCommands::CalibrationPointRejected).isEmpty()) << zone;
    }
    const RecommendedAngles& kept = restart().recommendedAngles();
    EXPECT_NEAR(kept.getPointWithNumber(0).m_SOGecommendedAngle, 0.0100f, 1e-6f);
    EXPECT_NEAR(kept.getPointWithNumber(RecommendedAngles::kZones - 1).m_SOGecommendedAngle,
                0.0104f, 1e-6f);
    const SinglePointRecommendedAngles_s point = kept.getPointWithNumber(3);
    EXPECT_NEAR(point.m_SOGecommendedAngle, 0.0349f, 1e-6f);
    EXPECT_NEAR(point.m_STWecommendedAngle, -0.0524f, 1e-6f);
    EXPECT_FALSE(point.m_STWangleValid);
    EXPECT_EQ(point.toMessage()->getMsgBuffer().section('*', 0, 0),
              QStringLiteral("$PNRVICM,1,38,3,1,349,1,-524,0"));
}

// A transducer turned 3 degrees from the keel line, the unit set to 1 degree, a current across
// the track: over two reciprocal legs the current cancels, and both the point's angles and the
// recommended offsets say 3 degrees.
TEST_F(SeaTest, TwoReciprocalLegsRecommendTheTransducersTrueOffset) {
    constexpr double kMounting = 3.0;
    constexpr double kSet = 1.0;
    SystemSetup::getInstance()->calibCoeffs.set(&calibration_s::instalationAngle, float(kSet));
    // The unit turns what the sensor sees by its offset into the boat's axes.
    const auto seen = [](double knots, double trueAngle) {
        return atAngle(knots, trueAngle + kMounting - kSet);
    };
    for (const double across : {2.0, -2.0}) {
        sample = steady(8.0, 8.0, 10.0);
        sample.stw = seen(8.0, 0.0);
        sample.stwHighFrequency = sample.stw;
        sample.stwLowFrequency = sample.stw;
        const double drift = std::atan2(across, 9.0) / kRadPerDegree;
        sample.sog = seen(std::hypot(9.0, across), drift);
        sail(100, 6 * kMinute);
    }
    command({7});
    const SinglePointRecommendedAngles_s& angles = data->recommendedAngles().getPointWithNumber(1);
    EXPECT_NEAR(angles.m_STWecommendedAngle, kMounting * kRadPerDegree, 1e-5);
    EXPECT_NEAR(angles.m_SOGecommendedAngle, kMounting * kRadPerDegree, 1e-5);
    EXPECT_NEAR(data->getCalibrationPoint(1, 2).mountingError, kMounting, 1e-3);
    const ExtendedSpeedCalibrationPoint ext = data->getExtendedCalibrationPoint(1, 2);
    EXPECT_NEAR(ext.stwHighFrequencyPoint.angleOffset, kMounting, 1e-3);
    EXPECT_NEAR(ext.sogLowFrequencyPoint.angleOffset, kMounting, 1e-3);
    EXPECT_NEAR(ext.sogLowFrequencyPoint.measuredSpeed, std::hypot(9.0, 2.0), 1e-4);
}

// The basic leg counts each sample for the time since the one before; the extended leg joins
// neighbours with straight lines, bridges GPS gaps for the distance, and keeps a channel only
// when it was valid for more than 90 % of the leg.
TEST(LegIntegration, TrapezoidsGapsAndValidity) {
    const auto at = [](qint64 ms, std::optional<float> speed, std::optional<float> gps) {
        ExtendeSemiAutoMeasurementPoint p;
        p.m_pointTimestamp = ms;
        if (speed) {
            p.channels[int(LegChannel::STWhigh)] = BoatAxes{*speed, 0.0f};
        }
        p.m_GPS_SOG = gps;
        return p;
    };
    SemiAutoCalIntegratedLegMeasurements ramp(10.0f, {});
    ramp.add(at(0, 0.0f, 0.0f));
    ramp.add(at(3'600'000, 10.0f, 10.0f));
    EXPECT_DOUBLE_EQ(ramp.channel(LegChannel::STWhigh).longIntegral, 5.0);
    EXPECT_DOUBLE_EQ(ramp.gpsTotalIntegral(), 5.0);

    SemiAutoCalibration basic;
    basic.startLeg(10.0f, 0);
    SemiAutoSample s;
    s.stw = BoatAxes{0.0f, 0.0f};
    basic.addMeasurement(s, 0);
    s.stw = BoatAxes{10.0f, 0.0f};
    basic.addMeasurement(s, 3'600'000);
    basic.stopLeg(3'600'000);
    EXPECT_FLOAT_EQ(basic.getAverageMeasuredStw(), 10.0f) << "rectangles";

    SemiAutoCalIntegratedLegMeasurements gap(10.0f, {});
    for (const auto& [ms, gps] : std::initializer_list<std::pair<qint64, std::optional<float>>>{
             {0, 6.0f}, {1000, 6.0f}, {2000, {}}, {3000, {}}, {4000, 6.0f}}) {
        gap.add(at(ms, 6.0f, gps));
    }
    EXPECT_NEAR(gap.gpsTotalIntegral(), 6.0 * 4000 / 3.6e6, 1e-12) << "the gap counts";
    EXPECT_DOUBLE_EQ(gap.gpsAverage(), 6.0);

    for (const auto& [validMs, valid] : {std::pair{900, false}, {901, true}}) {
        ExtendedSingleLegCalibration leg;
        leg.start(0.1f, {});
        leg.takeMeasurement(at(0, 5.0f, {}));
        leg.takeMeasurement(at(validMs, 5.0f, {}));
        leg.takeMeasurement(at(1000, {}, {}));
        leg.finish();
        EXPECT_EQ(leg.getResultantPoint()->stwHighFrequencyPoint.valid(), valid) << validMs;
    }
}
} // namespace
