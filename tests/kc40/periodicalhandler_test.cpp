#include "periodicalhandler.h"
#include "waitfor.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

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
} // namespace
