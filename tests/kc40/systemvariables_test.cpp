#include "systemvariables.h"

#include <gtest/gtest.h>

namespace {

// The store is a process-wide singleton: each test puts back what it changes.
class Store : public ::testing::Test {
protected:
    void SetUp() override {
        sv = SystemVariables::getInstance();
        sv->changeVQ2Source(SystemVariables::SourceSensor);
        sv->setVQ2_STW_Source(false);
        sv->initDistances(0.0, 0.0, 0.0, 0.0);
        for (varFloat* v : gpsVars()) {
            v->setValidity(false);
        }
    }
    QList<varFloat*> gpsVars() {
        return {&sv->resSpeedToGround_GPS_VTG, &sv->resSpeedToGround_GPS_VBW,
                &sv->resSpeedToGround_GPS_RMC, &sv->longSpeedToGround_GPS_VTG,
                &sv->longSpeedToGround_GPS_RMC};
    }
    SystemVariables* sv = nullptr;
};

struct GpsCase {
    const char* name;
    float vtg, vbw, rmc;
    float expected;
};

TEST_F(Store, GpsGroundSpeedPrefersVtgThenVbwThenRmc) {
    const GpsCase cases[] = {
        {"all three", 5.0f, 6.0f, 7.0f, 5.0f},
        {"vtg and rmc", 5.0f, kAbsentFloat, 7.0f, 5.0f},
        {"vbw and rmc", kAbsentFloat, 6.0f, 7.0f, 6.0f},
        {"rmc only", kAbsentFloat, kAbsentFloat, 7.0f, 7.0f},
        {"none", kAbsentFloat, kAbsentFloat, kAbsentFloat, kAbsentFloat},
    };
    for (const GpsCase& c : cases) {
        sv->resSpeedToGround_GPS_VTG.setValue(c.vtg, 1);
        sv->resSpeedToGround_GPS_VBW.setValue(c.vbw, 1);
        sv->resSpeedToGround_GPS_RMC.setValue(c.rmc, 1);
        EXPECT_EQ(sv->getSOG_R_GPS(), c.expected) << c.name;
    }
    sv->longSpeedToGround_GPS_RMC.setValue(3.0f, 1);
    EXPECT_EQ(sv->getSOG_L_GPS(), 3.0f);
    EXPECT_EQ(sv->getSOG_T_GPS(), kAbsentFloat);
}

struct WrapCase {
    const char* name;
    double total, trip;
    float delta;
    double expectedTotal, expectedTrip;
};

TEST_F(Store, DistancesAccumulateAndWrap) {
    const WrapCase cases[] = {
        {"ordinary step", 10.0, 1.0, 0.5f, 10.5, 1.5},
        {"trip passes 99999.9", 500.0, 99999.85, 0.1f, 500.1, 0.0},
        {"trip reaches it in single precision", 500.0, 99999.895, 0.0f, 500.0, 0.0},
        {"trip just below", 500.0, 99999.8, 0.05f, 500.05, 99999.85},
        {"total passes 999999.0", 999998.9, 5.0, 0.2f, 0.0, 5.2},
    };
    for (const WrapCase& c : cases) {
        sv->initDistances(c.total, c.trip, c.total, c.trip);
        sv->vq2data.timestamp = 42;
        sv->vq2data.deltaWaterDistanceTraveled.setValue(c.delta, 42);
        sv->vq2data.deltaGroundDistanceTraveled.setValue(c.delta, 42);
        sv->calcTraveledDistancesFromVq2data();
        EXPECT_NEAR(sv->totalCumulativeWaterDistance.getValue(), c.expectedTotal, 1e-3) << c.name;
        EXPECT_NEAR(sv->waterDistanceSinceReset.getValue(), c.expectedTrip, 1e-3) << c.name;
        EXPECT_NEAR(sv->totalCumulativeGroundDistance.getValue(), c.expectedTotal, 1e-3) << c.name;
        EXPECT_NEAR(sv->groundDistanceSinceReset.getValue(), c.expectedTrip, 1e-3) << c.name;
        EXPECT_EQ(sv->waterDistanceSinceReset.getTimeStamp(), 42u) << c.name;
    }
}

TEST_F(Store, WaterDistanceFollowsTheSpeedThroughWaterModel) {
    sv->vq2data.deltaWaterDistanceTraveled.setValue(1.0f, 1);
    sv->vq2dataDat5.deltaWaterDistanceTraveled.setValue(2.0f, 1);
    sv->vq2data.deltaGroundDistanceTraveled.setValue(kAbsentFloat, 1);
    int calibrationResent = 0;
    const auto connection = QObject::connect(sv, &SystemVariables::sigSendAllCalib,
                                             [&calibrationResent] { ++calibrationResent; });
    sv->changeSourceDat(true);
    QObject::disconnect(connection);
    EXPECT_EQ(calibrationResent, 1);
    EXPECT_EQ(sv->currentVQ2stwData, &sv->vq2dataDat5);
    EXPECT_EQ(sv->currentVQ2data, &sv->vq2data);
    sv->calcTraveledDistancesFromVq2data();
    EXPECT_DOUBLE_EQ(sv->waterDistanceSinceReset.getValue(), 2.0);
    EXPECT_DOUBLE_EQ(sv->groundDistanceSinceReset.getValue(), 0.0) << "invalid delta adds nothing";
}

TEST_F(Store, DistancesNeverAgeButValuesDo) {
    sv->rateOfTurn.setValue(3.0f, 1);
    sv->vq2data.stwResBoatCallibrated.setValue(8.0f, 1);
    for (int t = 0; t < 10; ++t) {
        sv->slotTimeCounter();
    }
    EXPECT_FALSE(sv->rateOfTurn.getValidity());
    EXPECT_FALSE(sv->vq2data.stwResBoatCallibrated.getValidity());
    EXPECT_TRUE(sv->waterDistanceSinceReset.getValidity());
    EXPECT_TRUE(sv->totalCumulativeGroundDistance.getValidity());
}

struct SourceCase {
    int source;
    VQ2DataModel SystemVariables::*model;
    bool simulation;
};

TEST_F(Store, SpeedSourceSelectsTheModelAndSimulationFlag) {
    const SourceCase cases[] = {
        {SystemVariables::SourceJbSimulator, &SystemVariables::jbSimulationData, true},
        {SystemVariables::SourceGpsSimulator, &SystemVariables::gpsSimulationData, true},
        {SystemVariables::SourceSensor, &SystemVariables::vq2data, false},
    };
    for (const SourceCase& c : cases) {
        sv->changeVQ2Source(c.source);
        EXPECT_EQ(sv->currentVQ2data, &(sv->*c.model)) << c.source;
        EXPECT_EQ(sv->currentVQ2stwData, &(sv->*c.model)) << c.source;
        EXPECT_EQ(sv->bIsSimulation, c.simulation) << c.source;
    }
}

TEST_F(Store, OutputSelectionIsAlwaysTheExponentialFilter) {
    sv->setOutputFrom(MOVING_AVERAGE);
    EXPECT_EQ(sv->vq2data.stwResBoatCallibrated.getOutputFrom(), EXPONENTIAL_FILTER);
    EXPECT_EQ(sv->vq2dataDat5.sogResBoatCallibrated.getOutputFrom(), EXPONENTIAL_FILTER);
    EXPECT_EQ(sv->vq2data.depthFwdAvg.getAveragingPeriodS(), 10u);
}

} // namespace
