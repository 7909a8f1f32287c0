#include "fakeclock.h"
#include "variabletypest.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

TEST(VarAgeing, ValueIsValidForNineTicksAfterItsLastRefreshAndInvalidFromTheTenth) {
    // Ticks after the value was set, the tick at which it was set again (-1: never).
    const std::tuple<const char*, int, int, bool> cases[] = {{"fresh", 0, -1, true},
                                                             {"nine ticks", 9, -1, true},
                                                             {"ten ticks", 10, -1, false},
                                                             {"long after", 25, -1, false},
                                                             {"refreshed at nine", 18, 9, true}};
    for (const auto& [name, ticks, refreshedAfter, valid] : cases) {
        varFloat f;
        varInt i;
        varDouble d;
        varString s;
        for (int t = 0; t <= ticks; ++t) {
            if (t == 0 || t == refreshedAfter) {
                f.setValue(1.5f, 1);
                i.setValue(3, 1);
                d.setValue(2.5, 1);
                s.setValue(QStringLiteral("120000.00"), 1);
            }
            if (t < ticks) {
                for (VarBase* v : std::initializer_list<VarBase*>{&f, &i, &d, &s}) {
                    v->increaseTimeCounter();
                }
            }
        }
        EXPECT_EQ(f.getValidity(), valid) << name;
        EXPECT_EQ(i.getValidity(), valid) << name;
        EXPECT_EQ(d.getValidity(), valid) << name;
        EXPECT_EQ(s.getValidity(), valid) << name;
        EXPECT_EQ(f.getValue() == kAbsentFloat, !valid) << name;
        EXPECT_EQ(i.getValue() == kAbsentInt, !valid) << name;
    }
}

TEST(VarFloatAveraging, WindowRequiresOneSampleUntilItHoldsTheAveragingTimeInSeconds) {
    FakeClock clock;
    // Samples, one every 500 ms; the averaging time in seconds; the samples then required.
    const std::tuple<const char*, int, quint64, int> cases[] = {
        {"first sample", 1, 10, 1},
        {"nine samples", 9, 10, 1},
        {"ten samples", 10, 10, 10},
        {"full window of twenty", 20, 10, 10},
        {"short window", 6, 2, 2}};
    for (const auto& [name, samples, seconds, minCount] : cases) {
        varFloatAvg window;
        window.averagingTime = seconds * 1000;
        quint64 t = FakeClock::stamp();
        for (int i = 0; i < samples; ++i, t += 500) {
            window.removeOld(t);
            window.append(1.0f, t);
        }
        window.removeOld(t - 500);
        EXPECT_EQ(window.minCount, minCount) << name;
        EXPECT_TRUE(window.getAverageValidity(t - 500)) << name;
    }
}

TEST(VarFloatAveraging, MovingAverageLeavesAbsentSamplesOutAndExpiresWithItsWindow) {
    FakeClock clock;
    varFloat f;
    f.setUseAverage(true);
    f.setOutputFrom(MOVING_AVERAGE);
    f.setAveragingPeriodS(10);
    for (const float x : {1.0f, 2.0f, kAbsentFloat, 6.0f}) {
        f.setValue(x, FakeClock::stamp());
        FakeClock::advance(500);
    }
    EXPECT_FLOAT_EQ(f.getValue(), 3.0f);
    EXPECT_FLOAT_EQ(f.getMinValue(), 1.0f);
    EXPECT_FLOAT_EQ(f.getMaxValue(), 6.0f);
    EXPECT_FLOAT_EQ(f.getLastValue(), 6.0f);

    FakeClock::advance(10'000);
    EXPECT_EQ(f.getValue(), kAbsentFloat) << "outdated window";
    EXPECT_FALSE(f.getValidity());

    // Samples stamped before the window go; those stamped after it stay.
    varFloatAvg window;
    window.append(5.0f, FakeClock::stamp() - 20'000);
    window.append(7.0f, FakeClock::stamp() + 1'000);
    window.removeOld(FakeClock::stamp());
    EXPECT_EQ(window.count(), 1);
    EXPECT_FLOAT_EQ(window.getAverageValue(FakeClock::stamp()), 7.0f);
}

} // namespace
