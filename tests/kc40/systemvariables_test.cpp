#include "freshunit.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

class Store : public ::testing::Test {
protected:
    FreshUnitRoot root;
    SystemVariables* sv = SystemVariables::getInstance();
};

TEST_F(Store, GpsGroundSpeedPrefersVtgThenVbwThenRmc) {
    const float none = kAbsentFloat;
    const std::tuple<const char*, float, float, float, float> cases[] = {
        {"all three", 5.0f, 6.0f, 7.0f, 5.0f},   {"vtg and rmc", 5.0f, none, 7.0f, 5.0f},
        {"vbw and rmc", none, 6.0f, 7.0f, 6.0f}, {"rmc only", none, none, 7.0f, 7.0f},
        {"none", none, none, none, none},
    };
    for (const auto& [name, vtg, vbw, rmc, expected] : cases) {
        sv->resSpeedToGround_GPS_VTG.setValue(vtg, 1);
        sv->resSpeedToGround_GPS_VBW.setValue(vbw, 1);
        sv->resSpeedToGround_GPS_RMC.setValue(rmc, 1);
        EXPECT_EQ(sv->getSOG_R_GPS(), expected) << name;
    }
    sv->longSpeedToGround_GPS_RMC.setValue(3.0f, 1);
    EXPECT_EQ(sv->getSOG_L_GPS(), 3.0f);
    EXPECT_EQ(sv->getSOG_T_GPS(), kAbsentFloat);
}

TEST_F(Store, DistancesAccumulateAndWrap) {
    const std::tuple<const char*, double, double, float, double, double> cases[] = {
        {"ordinary step", 10.0, 1.0, 0.5f, 10.5, 1.5},
        {"trip passes 99999.9", 500.0, 99999.85, 0.1f, 500.1, 0.0},
        {"trip reaches it in single precision", 500.0, 99999.895, 0.0f, 500.0, 0.0},
        {"trip just below", 500.0, 99999.8, 0.05f, 500.05, 99999.85},
        {"total passes 999999.0", 999998.9, 5.0, 0.2f, 0.0, 5.2},
        {"an invalid trip restarts from nothing", 10.0, kAbsentFloat, 0.5f, 10.5, 0.5},
        {"an invalid delta adds nothing", 10.0, 1.0, kAbsentFloat, 10.0, 1.0},
    };
    for (const auto& [name, total, trip, delta, expectedTotal, expectedTrip] : cases) {
        sv->initDistances(total, trip, total, trip);
        sv->vq2data.timestamp = 42;
        sv->vq2data.deltaWaterDistanceTraveled.setValue(delta, 42);
        sv->vq2data.deltaGroundDistanceTraveled.setValue(delta, 42);
        sv->calcTraveledDistancesFromVq2data();
        EXPECT_NEAR(sv->totalCumulativeWaterDistance.getValue(), expectedTotal, 1e-3) << name;
        EXPECT_NEAR(sv->waterDistanceSinceReset.getValue(), expectedTrip, 1e-3) << name;
        EXPECT_NEAR(sv->totalCumulativeGroundDistance.getValue(), expectedTotal, 1e-3) << name;
        EXPECT_NEAR(sv->groundDistanceSinceReset.getValue(), expectedTrip, 1e-3) << name;
        EXPECT_EQ(sv->waterDistanceSinceReset.getTimeStamp() == 42u, delta != kAbsentFloat) << name;
    }
}

} // namespace
