#include "platform.h"
#include "platformtimer.h"

#include <gtest/gtest.h>

#include <QList>
#include <QString>

#include <map>
#include <memory>
#include <vector>

namespace {

struct Arm {
    QString timer;
    qint64 ms;
};

struct FireOrderCase {
    const char* name;
    std::vector<Arm> arms;
    std::vector<QString> stopped;
    qint64 advanceMs;
    // Timer name and the clock offset it saw when it fired.
    std::vector<std::pair<QString, qint64>> fired;
};

TEST(VirtualTimeTest, FiresDueTimersInDeadlineOrderAtTheirOwnMoment) {
    const FireOrderCase cases[] = {
        {"EarlierDeadlineFirst", {{"a", 300}, {"b", 100}}, {}, 500, {{"b", 100}, {"a", 300}}},
        {"EqualDeadlinesInStartOrder", {{"b", 200}, {"a", 200}}, {}, 200, {{"b", 200}, {"a", 200}}},
        {"NotYetDueStaysArmed", {{"a", 300}}, {}, 299, {}},
        {"StoppedNeverFires", {{"a", 100}, {"b", 100}}, {"a"}, 1000, {{"b", 100}}},
        {"RestartMovesTheDeadline", {{"a", 100}, {"a", 400}}, {}, 1000, {{"a", 400}}},
        {"NegativeWaitFiresAtOnce", {{"a", -5}}, {}, 0, {{"a", 0}}},
    };
    for (const FireOrderCase& c : cases) {
        VirtualTime time(1000);
        std::map<QString, std::unique_ptr<PlatformTimer>> timers;
        std::vector<std::pair<QString, qint64>> fired;
        for (const Arm& arm : c.arms) {
            auto& timer = timers[arm.timer];
            if (!timer) {
                timer = std::make_unique<PlatformTimer>();
                QObject::connect(timer.get(), &PlatformTimer::timeout, [&fired, name = arm.timer] {
                    fired.emplace_back(name, Clock::currentMSecsSinceEpoch() - 1000);
                });
            }
            timer->start(arm.ms);
        }
        for (const QString& name : c.stopped) {
            timers[name]->stop();
        }
        time.advance(c.advanceMs);
        EXPECT_EQ(fired, c.fired) << c.name;
        EXPECT_EQ(Clock::currentMSecsSinceEpoch(), 1000 + c.advanceMs) << c.name;
    }
}

TEST(VirtualTimeTest, TimerStartedByATimeoutFiresWithinTheSameAdvance) {
    VirtualTime time(0);
    PlatformTimer timer;
    QList<qint64> fired;
    QObject::connect(&timer, &PlatformTimer::timeout, [&] {
        fired << Clock::currentMSecsSinceEpoch();
        if (fired.size() < 3) {
            timer.start(15'000);
        }
    });
    timer.start(15'000);
    time.advance(60'000);
    EXPECT_EQ(fired, (QList<qint64>{15'000, 30'000, 45'000}));
    EXPECT_FALSE(timer.isActive());
}

TEST(VirtualTimeTest, IntervalIsCutToWhatATimerHolds) {
    VirtualTime time(0);
    PlatformTimer timer;
    timer.start(PlatformTimer::kMaxIntervalMs + 60'000);
    EXPECT_EQ(timer.interval(), PlatformTimer::kMaxIntervalMs);
    EXPECT_TRUE(timer.isActive());
}

TEST(VirtualTimeTest, ClockReturnsToTheWallClockAfterwards) {
    {
        VirtualTime time(42);
        EXPECT_EQ(Clock::currentMSecsSinceEpoch(), 42);
    }
    EXPECT_FALSE(VirtualTime::isRunning());
    EXPECT_GT(Clock::currentMSecsSinceEpoch(), 1'600'000'000'000);
}

} // namespace
