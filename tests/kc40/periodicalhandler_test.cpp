#include "periodicalhandler.h"
#include "waitfor.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <vector>

using namespace std::chrono_literals;

namespace {
// A clock a thousand times faster than the unit's, so that minutes pass in the test's
// milliseconds.
class FastClock : public ::testing::Test {
protected:
    PeriodicalHandler scheduler{[] { return PassConditions{}; }, nullptr, 1ms, 1ms};
};

TEST_F(FastClock, EverySignalOfAPassRunsOnTheMainThread) {
    QStringList heard;
    std::vector<QThread*> threads;
    const auto record = [&](const QString& what) {
        heard << what;
        threads.push_back(QThread::currentThread());
    };
    QObject::connect(&scheduler, &PeriodicalHandler::sigSendConfigurationToDisplay,
                     [&](bool full) { record(full ? "full configuration" : "configuration"); });
    QObject::connect(&scheduler, &PeriodicalHandler::SendSRP, [&] { record("SRP"); });
    QObject::connect(&scheduler, &PeriodicalHandler::sigSendOutputMessages,
                     [&] { record("output"); });
    QObject::connect(&scheduler, &PeriodicalHandler::sigSaveErrorCounters,
                     [&] { record("error counters"); });
    QObject::connect(&scheduler, &PeriodicalHandler::sigSaveTripTotal,
                     [&] { record("distances"); });
    scheduler.start();

    ASSERT_TRUE(waitFor([&] { return heard.contains("distances"); }, 10000));
    ASSERT_GE(heard.size(), 3);
    // The unit announces itself before its first output cycle.
    EXPECT_EQ(heard.mid(0, 3), QStringList({"full configuration", "SRP", "output"}));
    EXPECT_EQ(heard.count("error counters"), 3);
    for (QThread* thread : threads) {
        EXPECT_EQ(thread, QCoreApplication::instance()->thread());
    }
}

TEST_F(FastClock, LedPatternsAreWrittenOnTheSchedulerThread) {
    std::mutex mutex;
    std::vector<std::pair<quint8, QThread*>> written;
    QObject::connect(
        &scheduler, &PeriodicalHandler::sigWriteLeds, &scheduler,
        [&](quint8 pattern) {
            std::lock_guard lock(mutex);
            written.emplace_back(pattern, QThread::currentThread());
        },
        Qt::DirectConnection);
    scheduler.slotSetLeds(0x5c);
    scheduler.start();
    // Without a sensor sentence the supervision shows the sensor-lost pattern.
    ASSERT_TRUE(waitFor(
        [&] {
            std::lock_guard lock(mutex);
            return written.size() >= 2;
        },
        10000));
    std::lock_guard lock(mutex);
    EXPECT_EQ(written[0].first, 0x5c);
    EXPECT_EQ(written[1].first, PeriodicalHandler::kLedsSensorLost);
    for (const auto& [pattern, thread] : written) {
        EXPECT_NE(pattern, 0);
        EXPECT_EQ(thread, &scheduler);
    }
}

// The LEDs alone: no pass falls due while a test runs.
class LedPulses : public ::testing::Test {
protected:
    using Clock = std::chrono::steady_clock;
    static constexpr quint8 kGood = 0x5c;
    static constexpr quint8 kLow = 0x3c;
    static constexpr quint8 kIdle = 0x1c;

    LedPulses() {
        QObject::connect(
            &scheduler, &PeriodicalHandler::sigWriteLeds, &scheduler,
            [this](quint8 pattern) {
                std::lock_guard lock(mutex);
                written.push_back({pattern, Clock::now(), QThread::currentThread()});
            },
            Qt::DirectConnection);
        scheduler.start();
    }

    struct Write {
        quint8 pattern;
        Clock::time_point at;
        QThread* thread;
    };

    bool waitForWrites(std::size_t count) {
        return waitFor(
            [&] {
                std::lock_guard lock(mutex);
                return written.size() >= count;
            },
            10000);
    }
    std::vector<quint8> patterns() {
        std::lock_guard lock(mutex);
        std::vector<quint8> result;
        for (const Write& write : written) {
            result.push_back(write.pattern);
        }
        return result;
    }

    PeriodicalHandler scheduler{[] { return PassConditions{}; }, nullptr, 1h, 1h};
    std::mutex mutex;
    std::vector<Write> written;
};

TEST_F(LedPulses, EachPulseLightsAndReturnsToIdleOnTheSchedulerThread) {
    scheduler.slotPulseLeds({kGood, kIdle, 20ms});
    ASSERT_TRUE(waitForWrites(2));
    scheduler.slotPulseLeds({kGood, kIdle, 20ms});
    ASSERT_TRUE(waitForWrites(4));
    EXPECT_EQ(patterns(), (std::vector<quint8>{kGood, kIdle, kGood, kIdle}));
    std::lock_guard lock(mutex);
    for (const Write& write : written) {
        EXPECT_EQ(write.thread, &scheduler);
    }
}

TEST_F(LedPulses, TheSamePulseAgainIsWrittenOnceAndLastsFromTheLastOne) {
    scheduler.slotPulseLeds({kGood, kIdle, 100ms});
    ASSERT_TRUE(waitForWrites(1));
    QThread::msleep(60);
    const Clock::time_point last = Clock::now();
    scheduler.slotPulseLeds({kGood, kIdle, 100ms});
    ASSERT_TRUE(waitForWrites(2));
    EXPECT_EQ(patterns(), (std::vector<quint8>{kGood, kIdle}));
    std::lock_guard lock(mutex);
    EXPECT_GE(written[1].at - last, 100ms);
}

TEST_F(LedPulses, AnotherColourWithinAPulseShowsAtOnceAndEndsWithIt) {
    scheduler.slotPulseLeds({kGood, kIdle, 1s});
    ASSERT_TRUE(waitForWrites(1));
    const Clock::time_point changed = Clock::now();
    scheduler.slotPulseLeds({kLow, kIdle, 50ms});
    ASSERT_TRUE(waitForWrites(3));
    EXPECT_EQ(patterns(), (std::vector<quint8>{kGood, kLow, kIdle}));
    std::lock_guard lock(mutex);
    // The second pulse's end holds, not the first one's.
    EXPECT_LT(written[2].at - changed, 1s);
}
} // namespace
