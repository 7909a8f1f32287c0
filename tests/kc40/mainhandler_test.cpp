#include "mainhandler.h"
#include "msgdat.h"
#include "platform.h"
#include "pseudoterminal.h"
#include "speedcalibrationdata.h"
#include "systemsetup.h"
#include "testroot.h"
#include "waitfor.h"

#include <gtest/gtest.h>

namespace {
// The central object on a fresh board root, with the sensor line played by the test.
class MainHandlerOnBoard : public ::testing::Test {
protected:
    MainHandlerOnBoard() {
        Platform::configure(root.path(), QStringLiteral("lo"));
        SystemSetup::resetForTests();
        SpeedCalibrationData::resetForTests();
    }
    ~MainHandlerOnBoard() override {
        SpeedCalibrationData::resetForTests();
        SystemSetup::resetForTests();
        Platform::configure(QString(), QString());
    }

    // What the unit writes on the sensor line, collected while its event loop runs.
    bool sensorLineShows(const QByteArray& expected, int timeoutMs) {
        return waitFor(
            [&] {
                fromUnit += sensor.read(5);
                return fromUnit.contains(expected);
            },
            timeoutMs);
    }

    TestRoot root;
    PseudoTerminal sensor{root.path("/dev/ttyS3")};
    QByteArray fromUnit;
};

TEST_F(MainHandlerOnBoard, StuckSensorDataReloadsTheSensorsLogic) {
    MainHandler unit;
    // Water and ground speeds identical, DAT after DAT: the sensor's logic has hung.
    const QByteArray stuck =
        MsgDAT(4, 5.0f, 9, 0.0f, 9, 21.0f, 0, 0, 0, 5.0f, 9, 0.0f, 9, 45.0f, 45.0f)
            .getMsgBuffer()
            .toLatin1();
    for (int i = 0; i < 61; ++i) {
        sensor.write(stuck);
        spinFor(5);
    }
    EXPECT_TRUE(sensorLineShows(QByteArray("$PNRVFIRM\0\r\n", 12), 5000)) << fromUnit.toStdString();
}
} // namespace
