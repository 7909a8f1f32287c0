#include "periodicalhandler.h"
#include "waitfor.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <vector>

using namespace std::chrono_literals;

namespace {
using SteadyClock = std::chrono::steady_clock;
constexpr quint8 kGood = 0x5c;
constexpr quint8 kLow = 0x3c;
constexpr quint8 kIdle = 0x1c;

// What the scheduler writes to the front LEDs, from whichever thread it writes.
struct LedLog {
    struct Write {
        quint8 pattern;
        SteadyClock::time_point at;
        QThread* thread;
    };
    explicit LedLog(PeriodicalHandler& scheduler) {
        QObject::connect(
            &scheduler, &PeriodicalHandler::sigWriteLeds, &scheduler,
            [this](quint8 pattern) {
                std::lock_guard lock(mutex);
                written.push_back({pattern, SteadyClock::now(), QThread::currentThread()});
            },
            Qt::DirectConnection);
    }
    bool waitForWrites(std::size_t count) {
        return waitFor(
            [&] {
                std::lock_guard lock(mutex);
                return written.size() >= count;
            },
            10000);
    }
    // Once the writes waited for are in: what was written, each on the scheduler's thread.
    std::vector<quint8> patterns(const QThread* thread) {
        std::lock_guard lock(mutex);
        std::vector<quint8> result;
        for (const Write& write : written) {
            result.push_back(write.pattern);
            EXPECT_EQ(write.thread, thread);
        }
        return result;
    }

    std::mutex mutex;
    std::vector<Write> written;
};

// A clock a thousand times faster than the unit's, so that minutes pass in the test's
// milliseconds.
TEST(FastClock, EverySignalOfAPassRunsOnTheMainThread) {
    PeriodicalHandler scheduler{[] { return PassConditions{}; }, nullptr, 1ms, 1ms};
    QStringList heard;
    const auto record = [&](const QString& what) {
        heard << what;
        EXPECT_EQ(QThread::currentThread(), QCoreApplication::instance()->thread())
            << what.toStdString();
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
    // The unit announces itself before its first output cycle.
    EXPECT_EQ(heard.mid(0, 3), QStringList({"full configuration", "SRP", "output"}));
    EXPECT_EQ(heard.count("error counters"), 3);
}

// The junction box's chips are set up on the scheduler's thread before the idle LEDs show, and
// read there on each pass outside standby.
TEST(FastClock, JunctionBoxIsSetUpThenReadOnTheSchedulersThreadOutsideStandby) {
    std::atomic<bool> standby = false;
    PeriodicalHandler scheduler{[&standby] { return PassConditions{standby.load()}; }, nullptr, 1ms,
                                1ms};
    std::mutex mutex;
    QStringList events;
    const auto record = [&](const QString& what) {
        EXPECT_EQ(QThread::currentThread(), &scheduler) << what.toStdString();
        std::lock_guard lock(mutex);
        events << what;
    };
    const auto count = [&](const QString& what) {
        std::lock_guard lock(mutex);
        return events.count(what);
    };
    QObject::connect(
        &scheduler, &PeriodicalHandler::sigStartJunctionBox, &scheduler, [&] { record("start"); },
        Qt::DirectConnection);
    QObject::connect(
        &scheduler, &PeriodicalHandler::sigWriteLeds, &scheduler,
        [&](quint8 pattern) { record(QString::number(pattern, 16)); }, Qt::DirectConnection);
    QObject::connect(
        &scheduler, &PeriodicalHandler::sigReadJunctionBox, &scheduler, [&] { record("read"); },
        Qt::DirectConnection);
    // On the main thread, as every duty of a pass.
    QObject::connect(&scheduler, &PeriodicalHandler::sigSendAlcMsg, [&] {
        if (standby) {
            std::lock_guard lock(mutex);
            events << QStringLiteral("alert list");
        }
    });
    scheduler.start();
    ASSERT_TRUE(waitFor([&] { return count("read") >= 3; }, 10000));
    {
        std::lock_guard lock(mutex);
        EXPECT_EQ(events.mid(0, 2), QStringList({"start", "1c"}));
    }
    standby = true;
    // Thirty passes lie between two alert lists: none of them reads the board.
    ASSERT_TRUE(waitFor([&] { return count("alert list") >= 2; }, 10000));
    std::lock_guard lock(mutex);
    const qsizetype first = events.indexOf("alert list");
    EXPECT_EQ(events.mid(first).count("read"), 0) << events.join(' ').toStdString();
}

// The LEDs alone: no pass falls due while a test runs. A pulse lights, then the LEDs go back
// to idle, all on the scheduler's thread.
class LedPulses : public ::testing::Test {
protected:
    LedPulses() { scheduler.start(); }

    PeriodicalHandler scheduler{[] { return PassConditions{}; }, nullptr, 1h, 1h};
    LedLog leds{scheduler};
};

TEST_F(LedPulses, TheSamePulseAgainIsWrittenOnceAndLastsFromTheLastOne) {
    scheduler.slotPulseLeds({kGood, kIdle, 100ms});
    ASSERT_TRUE(leds.waitForWrites(1));
    QThread::msleep(60);
    const SteadyClock::time_point last = SteadyClock::now();
    scheduler.slotPulseLeds({kGood, kIdle, 100ms});
    ASSERT_TRUE(leds.waitForWrites(2));
    EXPECT_EQ(leds.patterns(&scheduler), (std::vector<quint8>{kGood, kIdle}));
    std::lock_guard lock(leds.mutex);
    EXPECT_GE(leds.written[1].at - last, 100ms);
}

TEST_F(LedPulses, AnotherColourWithinAPulseShowsAtOnceAndEndsWithIt) {
    scheduler.slotPulseLeds({kGood, kIdle, 1s});
    ASSERT_TRUE(leds.waitForWrites(1));
    const SteadyClock::time_point changed = SteadyClock::now();
    scheduler.slotPulseLeds({kLow, kIdle, 50ms});
    ASSERT_TRUE(leds.waitForWrites(3));
    EXPECT_EQ(leds.patterns(&scheduler), (std::vector<quint8>{kGood, kLow, kIdle}));
    // The second pulse's end holds, not the first one's.
    std::lock_guard lock(leds.mutex);
    EXPECT_LT(leds.written[2].at - changed, 1s);
}
} // namespace
