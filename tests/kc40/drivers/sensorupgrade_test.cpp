// The firmware upgrade on its own thread against the simulated sensor, for what cannot be
// brought about through the running unit: a sensor line that fails under the upgrade.
#include "platform.h"
#include "scenario.h"
#include "sensorhandshake.h"
#include "sensorvq2upgrader.h"
#include "serialsensor.h"
#include "testroot.h"
#include "vq2simulator.h"
#include "waitfor.h"

#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <vector>

namespace {

class SensorUpgrade : public ::testing::Test {
protected:
    void SetUp() override {
        Platform::configure(root.path(), QString());
        SerialSensor::setBSendingFromApplicationEnabled(true);
        upgrader = new SensorVQ2Upgrader;
        upgrader->setTiming({0, 0, 0});
        upgrader->moveToThread(&worker);
        QObject::connect(&worker, &QThread::finished, upgrader, &QObject::deleteLater);
        // As the main thread does: the normal line is closed, then the upgrader is told.
        QObject::connect(upgrader, &SensorVQ2Upgrader::sigStopSensorUart, &context,
                         [this](bool stop) {
                             lineRequests.push_back(stop);
                             if (stop) {
                                 SensorHandshake::setLineReleased();
                             }
                         });
        QObject::connect(upgrader, &SensorVQ2Upgrader::sigSendUdp, &context,
                         [this](NmeaMessagePtr rus) { reports << rus->getMsgBuffer(); });
        worker.start();
    }

    void TearDown() override {
        worker.quit();
        worker.wait();
        Platform::configure(QString(), QString());
    }

    void startUpgrade() {
        const QString image =
            root.writeFile("/opt/sensorFirmware/vq2.bin", QByteArray(100 * 256, 'x'));
        QMetaObject::invokeMethod(upgrader,
                                  [this, image] { result = upgrader->startUpgrade(image); });
    }

    // The upgrade gave up with this report, and the line is back with the rest of the unit.
    void expectLineBack(const QString& report) {
        ASSERT_TRUE(waitFor([this] { return result != -1 && lineRequests.size() == 2; }, 20000));
        EXPECT_EQ(result, 0);
        EXPECT_EQ(lineRequests, (std::vector<bool>{true, false}));
        EXPECT_TRUE(SerialSensor::getBSendingFromApplicationEnabled());
        EXPECT_TRUE(reports.filter(QStringLiteral("SUCESS")).isEmpty());
        if (!report.isEmpty()) {
            EXPECT_FALSE(reports.filter(report).isEmpty()) << qPrintable(reports.join(""));
        }
        EXPECT_FALSE(root.exists("/opt/sensorFirmware/vq2.bin"));
    }

    TestRoot root;
    QObject context;
    QThread worker;
    SensorVQ2Upgrader* upgrader = nullptr;
    std::atomic<int> result{-1};
    std::vector<bool> lineRequests;
    QStringList reports;
};

// The sensor's cable is cut after a few pages: the writes fail, the upgrade stops with an
// error instead of claiming success, and the line is handed back.
TEST_F(SensorUpgrade, SensorLostWhilePagesAreWrittenIsAnErrorAndTheLineComesBack) {
    auto sensor = std::make_unique<Vq2Simulator>(Scenario());
    ASSERT_TRUE(sensor->open(root.path("/dev/ttyS3")));
    startUpgrade();
    ASSERT_TRUE(waitFor([&] { return sensor->flash().programs() >= 5; }, 20000));
    sensor.reset();
    expectLineBack(QStringLiteral("$PNRVRUS,2,0,Can not write sensor*"));
}

// No sensor line to open at 115200 baud: the line goes straight back.
TEST_F(SensorUpgrade, LineThatCannotBeOpenedGoesStraightBack) {
    startUpgrade();
    expectLineBack(QString());
    EXPECT_TRUE(reports.isEmpty()) << qPrintable(reports.join(""));
}

} // namespace
