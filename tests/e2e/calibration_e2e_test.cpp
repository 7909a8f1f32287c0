// A sea-test calibration sailed on the virtual board: the display starts two reciprocal legs,
// GPS ends each one, the transfer becomes the sea-test point of its zone.
#include "displayrun.h"
#include "msgvbw.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

constexpr int kConfirmMs = 5000;
// A leg of 0.05 nm at 20 kn takes 9 s.
constexpr double kGpsKnots = 20.0;
constexpr int kLegMs = 9000;

class SeaTestRun : public DisplayRun {
protected:
    SeaTestRun() : DisplayRun(kMisc) {
        m_scenario.stwLong = Ramp{14.0};
        m_scenario.stwTra = Ramp{0.2};
        m_scenario.sogLong = Ramp{15.0};
        m_scenario.sogTra = Ramp{0.3};
        sensor.setScenario(m_scenario);
    }

    bool sensorSpeedsValid() const {
        for (const HeardSentence& sentence : nmea1Heard.heard()) {
            const auto vbw = std::dynamic_pointer_cast<MsgVBW>(sentence.parsed());
            if (vbw && vbw->statusWaterSpeed() == QLatin1String("A")) {
                return true;
            }
        }
        return false;
    }
    QJsonArray configArray(const char* name) const {
        return QJsonDocument::fromJson(
                   root.readFile(QStringLiteral("/opt/configuration_files/") + name))
            .array();
    }
};

TEST_F(SeaTestRun, TwoLegsStoppedByGpsBecomeTheSeaTestPointOfTheirZone) {
    double course = 90.0;
    everySecond = [&] { sendGps(kGpsKnots, course); };
    start();
    ASSERT_TRUE(listenUntil([&] { return sensorSpeedsValid(); }, 20000)) << unit.log().constData();

    constexpr int kCoefficients = 25;
    constexpr int kData = 23;
    constexpr int kLegStopped = 37;
    constexpr int kInUse = 24;
    constexpr int kPoint = 21;
    constexpr int kAngles = 38;
    constexpr int kRejected = 28;
    qsizetype from = lan.heard.size();
    sendOnLan(QStringLiteral("PNRVICM,1,25,0,0,0,0,0,500,500,2000,2000,0,1"));
    ASSERT_TRUE(listenUntil([&] { return !unitIcms(kCoefficients, from).empty(); }, kConfirmMs));
    EXPECT_EQ(unitIcms(kCoefficients, from).back()->msgParameters().value(10), 1) << "stopOnGPS";
    sendOnLan(QStringLiteral("PNRVICM,1,18,1"));

    for (const double legCourse : {90.0, 270.0}) {
        course = legCourse;
        listenFor(1500); // the GPS has the new course
        from = lan.heard.size();
        sendOnLan(QStringLiteral("PNRVICM,1,18,4,0,5"));
        ASSERT_TRUE(
            listenUntil([&] { return !unitIcms(kLegStopped, from).empty(); }, kLegMs + 15000))
            << "the unit did not stop the leg at " << legCourse << "\n"
            << unit.log().constData();
        EXPECT_EQ(unitIcms(kLegStopped, from).front()->msgParameters(), QList<int>{0});
    }
    from = lan.heard.size();
    ASSERT_TRUE(listenUntil([&] { return !unitIcms(kData, from).empty(); }, kConfirmMs));
    const QList<int> data = unitIcms(kData, from).back()->msgParameters();
    ASSERT_EQ(data.size(), 9);
    EXPECT_NEAR(data[2], 2000, 10) << "true speed: two legs of 0.05 nm at 20 kn";
    EXPECT_NEAR(data[3], 2000, 1) << "GPS average";

    from = lan.heard.size();
    sendOnLan(QStringLiteral("PNRVICM,1,18,7"));
    ASSERT_TRUE(listenUntil([&] { return !unitIcms(kInUse, from).empty(); }, kConfirmMs))
        << unit.log().constData();
    EXPECT_TRUE(unitIcms(kRejected, from).empty());
    // 20 kn lies in the fifth zone of a vessel of 22 kn.
    EXPECT_EQ(unitIcms(kInUse, from).front()->msgParameters(), (QList<int>{0, 0, 0, 0, 2}));
    ASSERT_TRUE(listenUntil([&] { return unitIcms(kPoint, from).size() >= 21; }, kConfirmMs));
    const QList<int> point = unitIcms(kPoint, from).front()->msgParameters();
    EXPECT_EQ(point.mid(0, 2), (QList<int>{4, 2}));
    EXPECT_NEAR(point.value(2), 2000, 10);
    const auto angles = unitIcms(kAngles, from);
    ASSERT_FALSE(angles.empty());
    EXPECT_EQ(angles.front()->msgParameters().mid(0, 2), (QList<int>{4, 1}));

    // What the display saw is what the unit keeps.
    EXPECT_EQ(configArray("used_calibration_points")[4].toObject()["calibrationPointSet"].toInt(),
              2);
    const QJsonObject stored = configArray("Speed_calibration_config")[5 + 4].toObject();
    EXPECT_NEAR(stored["realSpeed"].toDouble(), 20.0, 0.1);
    EXPECT_TRUE(stored["isSet"].toBool());
    EXPECT_TRUE(configArray("Recommended_angles_config")[4].toObject()["m_pointValid"].toBool());
}

} // namespace
