#include "nmeaparser.h"
#include "platform.h"
#include "variabletypest.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

qint64 g_now = 1'000'000;
qint64 fakeNow() {
    return g_now;
}

class FixedClock : public ::testing::Test {
protected:
    void SetUp() override {
        g_now = 1'000'000;
        Clock::setSource(&fakeNow);
    }
    void TearDown() override { Clock::setSource(nullptr); }
};

struct AgeingCase {
    const char* name;
    int ticks;
    bool valid;
};

TEST(VarAgeing, ValueSetOnceIsValidForNineTicksAndInvalidFromTheTenth) {
    const AgeingCase cases[] = {{"fresh", 0, true},
                                {"nine ticks", 9, true},
                                {"ten ticks", 10, false},
                                {"long after", 25, false}};
    for (const AgeingCase& c : cases) {
        varFloat f;
        varInt i;
        varDouble d;
        varString s;
        f.setValue(1.5f, 1);
        i.setValue(3, 1);
        d.setValue(2.5, 1);
        s.setValue(QStringLiteral("120000.00"), 1);
        for (int t = 0; t < c.ticks; ++t) {
            f.increaseTimeCounter();
            i.increaseTimeCounter();
            d.increaseTimeCounter();
            s.increaseTimeCounter();
        }
        EXPECT_EQ(f.getValidity(), c.valid) << c.name;
        EXPECT_EQ(i.getValidity(), c.valid) << c.name;
        EXPECT_EQ(d.getValidity(), c.valid) << c.name;
        EXPECT_EQ(s.getValidity(), c.valid) << c.name;
        if (!c.valid) {
            EXPECT_EQ(f.getValue(), kAbsentFloat) << c.name;
            EXPECT_EQ(i.getValue(), kAbsentInt) << c.name;
        }
    }
}

TEST(VarAgeing, RefreshRestartsTheAge) {
    varFloat f;
    f.setValue(1.0f, 1);
    for (int t = 0; t < 9; ++t) {
        f.increaseTimeCounter();
    }
    f.setValue(2.0f, 2);
    EXPECT_EQ(f.getTimeCouter(), 0);
    for (int t = 0; t < 9; ++t) {
        f.increaseTimeCounter();
    }
    EXPECT_TRUE(f.getValidity());
    EXPECT_FLOAT_EQ(f.getValue(), 2.0f);
    EXPECT_EQ(f.getTimeStamp(), 2u);
    EXPECT_EQ(f.getStatus(), 1);
}

struct SetCase {
    const char* name;
    float value;
    bool valid;
};

TEST(VarValidity, TheLargestFloatStandsForAnAbsentValue) {
    const SetCase cases[] = {{"ordinary", 12.5f, true},
                             {"zero", 0.0f, true},
                             {"negative", -3.0f, true},
                             {"absent", kAbsentFloat, false}};
    for (const SetCase& c : cases) {
        varFloat f;
        f.setValue(c.value, 7);
        varDouble d;
        d.setValue(c.value, 7);
        EXPECT_EQ(f.getValidity(), c.valid) << c.name;
        EXPECT_EQ(d.getValidity(), c.valid) << c.name;
    }
}

TEST(VarValidity, ClearingValidityMakesTheValueAbsent) {
    varFloat f;
    f.setValue(4.0f, 1);
    f.setValidity(false);
    EXPECT_EQ(f.getValue(), kAbsentFloat);
    varDouble d;
    d.setValue(4.0, 1);
    d.setValidity(false);
    EXPECT_EQ(d.getValue(), static_cast<double>(kAbsentFloat));
}

TEST(VarNmeaMsg, KeepsItsOwnCopy) {
    varNmeaMsg holder;
    EXPECT_FALSE(holder.getValidity());
    EXPECT_EQ(holder.getNmeaMessage(), nullptr);
    {
        auto sentence = NmeaParser::parse(
            NmeaMessage::addCrcToMsgBuffer(QStringLiteral("GPZDA,120000.00,01,02,2026,,")));
        holder.setNmeaMessage(*sentence, 5);
    }
    ASSERT_NE(holder.getNmeaMessage(), nullptr);
    EXPECT_TRUE(holder.getValidity());
    EXPECT_EQ(holder.getNmeaMessage()->messageType(), QStringLiteral("ZDA"));
}

struct WindowCase {
    const char* name;
    int samples;     // one every 500 ms, the newest at now
    quint64 seconds; // averaging time
    int minCount;    // required samples after the newest sample
};

TEST_F(FixedClock, WindowRequiresOneSampleUntilItHoldsTheAveragingTimeInSeconds) {
    const WindowCase cases[] = {{"first sample", 1, 10, 1},
                                {"nine samples", 9, 10, 1},
                                {"ten samples", 10, 10, 10},
                                {"full window of twenty", 20, 10, 10},
                                {"short window", 6, 2, 2}};
    for (const WindowCase& c : cases) {
        varFloatAvg window;
        window.averagingTime = c.seconds * 1000;
        const quint64 start = static_cast<quint64>(g_now);
        for (int i = 0; i < c.samples; ++i) {
            const quint64 t = start + static_cast<quint64>(i) * 500;
            window.removeOld(t);
            window.append(1.0f, t);
        }
        const quint64 newest = start + static_cast<quint64>(c.samples - 1) * 500;
        window.removeOld(newest);
        EXPECT_EQ(window.minCount, c.minCount) << c.name;
        EXPECT_TRUE(window.getAverageValidity(newest)) << c.name;
    }
}

TEST_F(FixedClock, AveragedVarFloatReturnsTheWindowMeanWithoutAbsentSamples) {
    varFloat f;
    f.setUseAverage(true);
    f.setOutputFrom(MOVING_AVERAGE);
    f.setAveragingPeriodS(10);
    const float inputs[] = {1.0f, 2.0f, kAbsentFloat, 6.0f};
    for (float x : inputs) {
        f.setValue(x, static_cast<quint64>(g_now));
        g_now += 500;
    }
    EXPECT_FLOAT_EQ(f.getValue(), 3.0f);
    EXPECT_FLOAT_EQ(f.getMinValue(), 1.0f);
    EXPECT_FLOAT_EQ(f.getMaxValue(), 6.0f);
    EXPECT_FLOAT_EQ(f.getLastValue(), 6.0f);
    EXPECT_EQ(f.getAveragingPeriodS(), 10u);

    g_now += 10'000;
    EXPECT_EQ(f.getValue(), kAbsentFloat) << "outdated window";
    EXPECT_FALSE(f.getValidity());
}

TEST_F(FixedClock, WindowDropsSamplesStampedInThePastAndKeepsFutureOnes) {
    varFloatAvg window;
    window.append(5.0f, static_cast<quint64>(g_now) - 20'000);
    window.append(7.0f, static_cast<quint64>(g_now) + 1'000);
    window.removeOld(static_cast<quint64>(g_now));
    EXPECT_EQ(window.count(), 1);
    EXPECT_FLOAT_EQ(window.getAverageValue(static_cast<quint64>(g_now)), 7.0f);
}

TEST_F(FixedClock, ExpiredAveragedValueEmptiesItsWindow) {
    varFloat f;
    f.setUseAverage(true);
    f.setValue(3.0f, static_cast<quint64>(g_now));
    for (int t = 0; t < 10; ++t) {
        f.increaseTimeCounter();
    }
    EXPECT_EQ(f.getLastValue(), kAbsentFloat);
    EXPECT_FALSE(f.getValidity());
}

TEST(VarFloatAveraging, PeriodsAndOutputChoices) {
    varFloat f;
    EXPECT_EQ(f.getAveragingPeriodS(), 0u) << "without averaging";
    f.setUseAverage(true);
    f.setDefaultAveragingPeriodS(4);
    EXPECT_EQ(f.getAveragingPeriodS(), 4u);
    f.setAveragingPeriodS(30);
    f.resetAveragingPeriodS();
    EXPECT_EQ(f.getAveragingPeriodS(), 4u);

    f.setOutputFrom(MOVING_AVERAGE_WITH_SLEW_LIMIT);
    f.setValue(0.0f, 1);
    f.setValue(0.1f, 2);
    EXPECT_FLOAT_EQ(f.getValue(), 0.25f);
    EXPECT_FLOAT_EQ(f.getSingleValue(), 0.1f);
    EXPECT_TRUE(f.getValidity());
}

} // namespace
