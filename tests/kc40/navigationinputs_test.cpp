#include "gps_input.h"
#include "gpsmovementdetection.h"
#include "heading.h"
#include "systemvariables.h"
#include "utc_time.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

SystemVariables* store() {
    return SystemVariables::getInstance();
}

QList<varFloat*> trueHeadings() {
    SystemVariables* sv = store();
    return {&sv->headingTrue_Gyro,       &sv->headingTrue_SatLog,
            &sv->headingTrue_MagCompass, &sv->headingTrue_Gyro_THS,
            &sv->headingTrue_SatLog_THS, &sv->headingTrue_MagCompass_THS};
}

// Which sources are fresh (one bit per source, gyro first) and which heading must win.
struct HeadingCase {
    const char* name;
    unsigned fresh;
    float expected;
};

TEST(Heading, TrueHeadingFollowsSourcePriority) {
    const HeadingCase cases[] = {
        {"all fresh: gyro", 0b111111, 10.0f},
        {"no gyro: satellite compass", 0b111110, 20.0f},
        {"magnetic compass before any THS", 0b111100, 30.0f},
        {"THS gyro", 0b111000, 40.0f},
        {"THS satellite", 0b110000, 50.0f},
        {"THS compass", 0b100000, 60.0f},
    };
    for (const HeadingCase& c : cases) {
        int bit = 0;
        for (varFloat* source : trueHeadings()) {
            const float value = 10.0f * static_cast<float>(bit + 1);
            source->setValue((c.fresh >> bit) & 1U ? value : kAbsentFloat, 1);
            ++bit;
        }
        EXPECT_EQ(Heading::getHeadingTrue().getValue(), c.expected) << c.name;
    }
}

TEST(Heading, NothingFreshGivesTheInvalidGyroHeading) {
    for (varFloat* source : trueHeadings()) {
        source->setValue(kAbsentFloat, 1);
    }
    EXPECT_EQ(&Heading::getHeadingTrue(), &store()->headingTrue_Gyro);
    EXPECT_FALSE(Heading::getHeadingTrue().getValidity());
}

TEST(Heading, GyroAgesOutAndTheSatelliteCompassTakesOver) {
    SystemVariables* sv = store();
    for (varFloat* source : trueHeadings()) {
        source->setValue(kAbsentFloat, 1);
    }
    sv->headingTrue_Gyro.setValue(90.0f, 1);
    for (int second = 0; second < 10; ++second) {
        sv->headingTrue_SatLog.setValue(95.0f, 1);
        sv->headingTrue_Gyro.increaseTimeCounter();
    }
    EXPECT_EQ(Heading::getHeadingTrue().getValue(), 95.0f);
}

struct TimeCase {
    const char* name;
    const char* ztg;
    const char* zda;
    const char* gga;
    const char* rmc;
    const char* expected;
};

TEST(UtcTime, BestFreshSourceGivesTheTime) {
    const TimeCase cases[] = {
        {"ZTG first", "010203.00", "020304.00", "030405.00", "040506.00", "010203.00"},
        {"then ZDA", nullptr, "020304.00", "030405.00", "040506.00", "020304.00"},
        {"then GGA", nullptr, nullptr, "030405.00", "040506.00", "030405.00"},
        {"then RMC", nullptr, nullptr, nullptr, "040506.00", "040506.00"},
        {"none", nullptr, nullptr, nullptr, nullptr, ""},
    };
    SystemVariables* sv = store();
    for (const TimeCase& c : cases) {
        const std::pair<varString*, const char*> sources[] = {{&sv->utcTime_ZDG, c.ztg},
                                                              {&sv->utcTime_ZDA, c.zda},
                                                              {&sv->utcTime_GGA, c.gga},
                                                              {&sv->utcTime_RMC, c.rmc}};
        for (const auto& [variable, text] : sources) {
            variable->setValue(QString::fromLatin1(text ? text : ""), 1);
            variable->setValidity(text != nullptr);
        }
        EXPECT_EQ(UTC_Time::getTimeStample(), QString::fromLatin1(c.expected)) << c.name;
    }
}

TEST(UtcTime, SplitsTheTimeText) {
    const UTC_Time time = UTC_Time::fromText(QStringLiteral("235959.25"));
    EXPECT_EQ(time.hours, QStringLiteral("23"));
    EXPECT_EQ(time.minuts, QStringLiteral("59"));
    EXPECT_EQ(time.seconds, QStringLiteral("59"));
    EXPECT_EQ(time.msec, QStringLiteral("25"));
    const UTC_Time shortText = UTC_Time::fromText(QStringLiteral("1234"));
    EXPECT_TRUE(shortText.hours.isEmpty());
    EXPECT_TRUE(shortText.seconds.isEmpty());
}

struct ProjectionCase {
    const char* name;
    float speed, course, heading;
    float expectedLong, expectedTrans;
};

TEST(GpsInput, ProjectsGroundSpeedOntoTheHullAtTheThirdInput) {
    const ProjectionCase cases[] = {
        {"on the bow", 10.0f, 45.0f, 45.0f, 10.0f, 0.0f},
        {"set to starboard", 10.0f, 90.0f, 0.0f, 0.0f, 10.0f},
        {"set to port across north", 10.0f, 350.0f, 20.0f, 8.660f, -5.0f},
        {"going astern", 4.0f, 180.0f, 0.0f, -4.0f, 0.0f},
    };
    GPS_Input* gps = GPS_Input::getInstance();
    for (const ProjectionCase& c : cases) {
        gps->speedLongKnots.setValue(kAbsentFloat, 1);
        gps->handleVTG(
            MsgVTG(c.course, "T", kAbsentFloat, "M", c.speed, "N", c.speed * 1.852f, "K", "A"));
        gps->handleHDT(MsgHDT(c.heading, "T"));
        EXPECT_FALSE(gps->speedLongKnots.getValidity()) << c.name << ": two inputs are no burst";
        gps->handleROT(MsgROT(0.0f, "A"));
        EXPECT_NEAR(gps->speedLongKnots.getValue(), c.expectedLong, 1e-3) << c.name;
        EXPECT_NEAR(gps->speedTransKnots.getValue(), c.expectedTrans, 1e-3) << c.name;
    }
}

TEST(GpsInput, NoProjectionWithoutHeading) {
    GPS_Input* gps = GPS_Input::getInstance();
    gps->boatHeadingRad.setValue(kAbsentFloat, 1);
    gps->speedLongKnots.setValue(kAbsentFloat, 1);
    gps->handleVTG(MsgVTG(10.0f, "T", kAbsentFloat, "M", 5.0f, "N", 9.26f, "K", "A"));
    gps->calculateSpeedProjections();
    EXPECT_FALSE(gps->speedLongKnots.getValidity());
}

// One GPS speed per second; the expected flag after each.
struct MovementStep {
    float sog;
    int seconds;
    bool notMovingAfter;
};

TEST(GpsMovementDetection, StillForHalfAMinuteThenUnderWay) {
    const MovementStep steps[] = {
        {0.1f, 29, false},                           // 29 s is not yet half a minute
        {0.1f, 1, true},          {0.1f, 10, true},  // counter stays at 30
        {1.0f, 4, true},                             // 30 -> 22
        {1.0f, 1, false},                            // 20: under way again
        {kAbsentFloat, 1, false}, {0.1f, 29, false}, // counted from 0 again
        {kAbsentFloat, 1, false},
    };
    GpsMovementDetection detection;
    int second = 0;
    for (const MovementStep& step : steps) {
        for (int i = 0; i < step.seconds; ++i) {
            detection.slotCheckMovement(step.sog);
        }
        second += step.seconds;
        EXPECT_EQ(detection.isNotMoving(), step.notMovingAfter) << "after " << second << " s";
    }
}

} // namespace
