#include "freshunit.h"
#include "mainhandler.h"
#include "msgdat.h"
#include "msgicm.h"
#include "platform.h"
#include "pseudoterminal.h"
#include "speedcalibrationdata.h"
#include "waitfor.h"

#include <QMetaMethod>
#include <QSet>

#include <gtest/gtest.h>

namespace {
// The central object on a fresh board root, with the sensor line played by the test.
class MainHandlerOnBoard : public ::testing::Test {
protected:
    // What the unit writes on the sensor line, collected while its event loop runs.
    bool sensorLineShows(const QByteArray& expected, int timeoutMs) {
        return waitFor(
            [&] {
                fromUnit += sensor.read(5);
                return fromUnit.contains(expected);
            },
            timeoutMs);
    }

    FreshUnitRoot root;
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

struct BoardCommandCase {
    const char* name;
    int command;
    QList<int> parameters;
    QByteArray recorded;
};

TEST_F(MainHandlerOnBoard, DisplayCommandsThatNeedTheBoardReachIt) {
    MainHandler unit;
    const BoardCommandCase cases[] = {
        {"reset of level 2", 8, {2, 1}, "reboot\n"},
        {"update started on the display", 33, {2, 3}, "rm /var/www/UP_K105\n"},
    };
    for (const BoardCommandCase& c : cases) {
        QFile::remove(CommandRunner::recordFile());
        unit.displayCommands().slotSystemSetupMessage(
            std::make_shared<MsgICM>(1, c.command, c.parameters));
        EXPECT_EQ(root.readFile("/board_commands"), c.recorded) << c.name;
    }
}

// Signals whose receivers are parts of the unit still to be built, each with its part.
const QSet<QString> kAwaitingReceivers = {
    // Board I/O: sensor power, front LEDs, sensor sentence counts, the older log over SPI.
    "SensorControl::sigSensorPower",
    "PeriodicalHandler::sigWriteLeds",
    "SerialSensor::receivedValidDataFromSensor",
    "SerialSensor::receivedInvalidDataFromSensor",
    "ReceivedNmeaHandler::sigSetTripTotalVQ1",
    // Auxiliary inputs and outputs: relays, beeper, pulses.
    "ReceivedNmeaHandler::sigAuxSetupMessage",
    "ReceivedNmeaHandler::sigFittnesPulseReceived",
    "HeartbeatSupervision::sigPingPulse",
    "AlarmController::sigSetAlarmAuxOutput",
    "AlarmController::sigSetSpeedLimitAuxOutput",
    "AlarmController::sigSilenceAlarmBeepOutput",
    // Semi-automatic calibration.
    "SpeedCalibration::sigSemiAutomaticCommand",
    // Network interface settings.
    "DisplayCommands::sigIpAddressChanged",
    "ReceivedNmeaHandler::sigMacAddress",
    // Simulation and demo playback.
    "SimulationParameters::sigSimulationParametersChanged",
    "SimulationParameters::sigRawMeasurementSettingsChanged",
    // Self tests: the sensor test at start, and the tests the display asks for.
    "SensorControl::sigDiagnosticsTest",
    "ReceivedNmeaHandler::sigDiagnosticsTest",
    // Display link: pairing, binary images of raw sensor data.
    "HeartbeatSupervision::sigDisconnectFromPaired",
    "SensorCommandsThread::sigSendBinaryToUDP",
    "SerialSensor::sigSendBinaryToUDP",
};

// isSignalConnected is protected; a member pointer taken through a subclass reaches it.
struct SignalPeek : QObject {
    using QObject::isSignalConnected;
};

// "Class::signal" for every signal of the unit's own classes that nothing receives.
QSet<QString> signalsWithoutReceiver(const QList<QObject*>& parts) {
    const auto isConnected = &SignalPeek::isSignalConnected;
    QSet<QString> unconnected;
    for (const QObject* part : parts) {
        for (const QMetaObject* meta = part->metaObject(); meta; meta = meta->superClass()) {
            if (QByteArray(meta->className()).startsWith('Q')) {
                break;
            }
            for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
                const QMetaMethod method = meta->method(i);
                if (method.methodType() == QMetaMethod::Signal && !(part->*isConnected)(method)) {
                    unconnected << QString::fromLatin1(meta->className()) + QStringLiteral("::") +
                                       QString::fromLatin1(method.name());
                }
            }
        }
    }
    return unconnected;
}

std::string listed(const QSet<QString>& names) {
    QStringList sorted = names.values();
    sorted.sort();
    return sorted.join(QLatin1Char(' ')).toStdString();
}

TEST_F(MainHandlerOnBoard, EverySignalHasAReceiverButThoseOfPartsStillToBeBuilt) {
    MainHandler unit;
    const QSet<QString> unconnected = signalsWithoutReceiver(unit.parts());
    EXPECT_EQ(listed(unconnected - kAwaitingReceivers), "") << "signals nothing receives";
    EXPECT_EQ(listed(kAwaitingReceivers - unconnected), "")
        << "connected now: take them off the list";
}
} // namespace
