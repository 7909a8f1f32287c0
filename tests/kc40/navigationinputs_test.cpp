#include "gps_input.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

TEST(GpsInput, ProjectsGroundSpeedOntoTheHullAtTheThirdInput) {
    const std::tuple<const char*, float, float, float, float, float> cases[] = {
        {"on the bow", 10.0f, 45.0f, 45.0f, 10.0f, 0.0f},
        {"set to starboard", 10.0f, 90.0f, 0.0f, 0.0f, 10.0f},
        {"set to port across north", 10.0f, 350.0f, 20.0f, 8.660f, -5.0f},
        {"going astern", 4.0f, 180.0f, 0.0f, -4.0f, 0.0f},
    };
    GPS_Input* gps = GPS_Input::getInstance();
    for (const auto& [name, speed, course, heading, expectedLong, expectedTrans] : cases) {
        gps->speedLongKnots.setValue(kAbsentFloat, 1);
        gps->handleVTG(
            MsgVTG(course, "T", kAbsentFloat, "M", speed, "N", speed * 1.852f, "K", "A"));
        gps->handleHDT(MsgHDT(heading, "T"));
        EXPECT_FALSE(gps->speedLongKnots.getValidity()) << name << ": two inputs are no burst";
        gps->handleROT(MsgROT(0.0f, "A"));
        EXPECT_NEAR(gps->speedLongKnots.getValue(), expectedLong, 1e-3) << name;
        EXPECT_NEAR(gps->speedTransKnots.getValue(), expectedTrans, 1e-3) << name;
    }
    // Without a heading there is no hull to project on.
    gps->boatHeadingRad.setValue(kAbsentFloat, 1);
    gps->speedLongKnots.setValue(kAbsentFloat, 1);
    gps->handleVTG(MsgVTG(10.0f, "T", kAbsentFloat, "M", 5.0f, "N", 9.26f, "K", "A"));
    gps->calculateSpeedProjections();
    EXPECT_FALSE(gps->speedLongKnots.getValidity());
}

} // namespace
