// The real sensor line and command sequencer against the simulated sensor on a pseudo-terminal.
#include "nmeaparser.h"
#include "platform.h"
#include "sensorcommandsthread.h"
#include "sensorhandshake.h"
#include "serialsensor.h"
#include "testroot.h"
#include "vq2simulator.h"
#include "waitfor.h"

#include <QThread>

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Command {
    QString text;
    int baud;
    qint64 sinceDatMs;
};

class SensorLink : public ::testing::Test {
protected:
    void SetUp() override {
        Platform::configure(root.path(), QString());
        SerialSensor::setBSendingFromApplicationEnabled(true);
        SensorHandshake::clearMessageIsBeingSent();
    }

    // Starts the simulated sensor with a scenario, then the unit's side of the line.
    void startLine(const Scenario& scenario) {
        sensor.reset();
        stopSimulator();
        // The sensor is a device of its own: it runs on its own thread.
        sim = new Vq2Simulator(scenario);
        sim->moveToThread(&simThread);
        simThread.start();
        bool opened = false;
        QMetaObject::invokeMethod(
            sim, [this, &opened] { opened = sim->open(root.path("/dev/ttyS3")); },
            Qt::BlockingQueuedConnection);
        ASSERT_TRUE(opened);
        QObject::connect(sim, &Vq2Simulator::commandReceived, &context,
                         [this](const QString& text, int baud, qint64 sinceDat) {
                             commands.push_back({text, baud, sinceDat});
                         });
        sensor = std::make_unique<SerialSensor>();
        ASSERT_TRUE(sensor->init(QStringLiteral("ttyS3"), 4800, true));
        QObject::connect(sensor.get(), &SerialSensor::receivedSerialNmea,
                         [this](NmeaMessagePtr m) { received.push_back(m); });
        ASSERT_TRUE(waitFor([this] { return sim->sessions() == 1; }, 6000));
    }

    // Starts the command sequencer on its own thread, wired as the main handler wires it.
    void start(const Scenario& scenario = Scenario()) {
        startLine(scenario);
        commandsThread = new SensorCommandsThread();
        commandsThread->moveToThread(&worker);
        QObject::connect(&worker, &QThread::finished, commandsThread, &QObject::deleteLater);
        QObject::connect(commandsThread, &SensorCommandsThread::sigSendOnNmeaOutput, &context,
                         [this](int channel, NmeaMessagePtr message) {
                             if (channel == SensorCommandsThread::kSensorChannel) {
                                 sensor->sendMessage(message->getMsgBuffer(), false);
                             }
                         });
        QObject::connect(commandsThread, &SensorCommandsThread::sigStopSensorUart, &context,
                         [this](bool stop) {
                             if (!stop) {
                                 sensor->init(QStringLiteral("ttyS3"), 4800, true);
                                 return;
                             }
                             sensor->close();
                             QMetaObject::invokeMethod(
                                 commandsThread, &SensorCommandsThread::slotSensorLineReleased);
                         });
        QObject::connect(commandsThread, &SensorCommandsThread::sigSimulationResponse, &context,
                         [this](bool ok) { responses.push_back(ok); });
        QObject::connect(commandsThread, &SensorCommandsThread::sigSendBinaryToUDP, &context,
                         [this](const QByteArray& frame) { frames.push_back(frame); });
        worker.start();
    }

    void TearDown() override {
        worker.quit();
        worker.wait();
        sensor.reset();
        stopSimulator();
        Platform::configure(QString(), QString());
    }

    void stopSimulator() {
        if (sim) {
            QMetaObject::invokeMethod(
                sim, [this] { delete sim; }, Qt::BlockingQueuedConnection);
            sim = nullptr;
        }
        simThread.quit();
        simThread.wait();
    }

    std::vector<QString> commandsOf(const char* kind) const {
        std::vector<QString> found;
        for (const Command& c : commands) {
            if (c.text.contains(QLatin1String(kind))) {
                found.push_back(c.text);
            }
        }
        return found;
    }

    static QString sentence(const char* body) {
        return NmeaMessage::addCrcToMsgBuffer(QString::fromLatin1(body));
    }

    TestRoot root;
    QObject context;
    QThread simThread;
    Vq2Simulator* sim = nullptr;
    std::unique_ptr<SerialSensor> sensor;
    QThread worker;
    SensorCommandsThread* commandsThread = nullptr;
    std::vector<Command> commands;
    std::vector<NmeaMessagePtr> received;
    std::vector<bool> responses;
    std::vector<QByteArray> frames;
};

TEST_F(SensorLink, UnansweredCommandIsRepeatedElevenTimesAndTheSimulationStartFails) {
    Scenario deaf;
    deaf.faults.noAnswers = true;
    start(deaf);
    sensor->setRepeatIntervalMs(100);
    QMetaObject::invokeMethod(commandsThread, [this] {
        commandsThread->slotStartSimulator(false, true, 1.0f, 2.0f, 3.0f, 4.0f,
                                           SensorConfiguration{});
    });
    ASSERT_TRUE(waitFor([this] { return responses.size() >= 2; }, 24000));
    EXPECT_EQ(responses, (std::vector<bool>{false, true})) << "failed start, then the stop";
    const std::vector<QString> cfgs = commandsOf("CFG");
    ASSERT_EQ(cfgs.size(), static_cast<size_t>(SerialSensor::kMaxWrites));
    for (const QString& cfg : cfgs) {
        EXPECT_EQ(cfg, cfgs.front());
    }
    EXPECT_TRUE(commandsOf("TST").front().startsWith(QLatin1String("$PNRVTST,4,2,+00.0,00,1000")))
        << "the stop follows the failed start";
}

TEST_F(SensorLink, SimulationStartSendsFourConfigurationAndTestPairsThenStops) {
    start();
    QMetaObject::invokeMethod(commandsThread, [this] {
        commandsThread->slotStartSimulator(false, true, 1.0f, 2.5f, 3.0f, 4.0f,
                                           SensorConfiguration{});
    });
    ASSERT_TRUE(waitFor([this] { return !responses.empty(); }, 36000));
    EXPECT_TRUE(responses[0]);
    EXPECT_TRUE(sim->isTestOn());
    const char* expected[] = {"PNRVCFG,4,2,3,3,01,1000", "PNRVTST,4,3,+01.0,00,1000",
                              "PNRVCFG,4,2,3,3,01,1010", "PNRVTST,4,3,+02.5,00,1010",
                              "PNRVCFG,4,2,3,3,01,1100", "PNRVTST,4,3,+03.0,00,1100",
                              "PNRVCFG,4,2,3,3,01,1110", "PNRVTST,4,3,+04.0,00,1110"};
    ASSERT_EQ(commands.size(), std::size(expected));
    for (size_t i = 0; i < commands.size(); ++i) {
        EXPECT_EQ(commands[i].text, sentence(expected[i])) << i;
        EXPECT_LT(commands[i].sinceDatMs, Vq2Simulator::kCycleMs / 2) << i;
    }

    QMetaObject::invokeMethod(commandsThread, [this] {
        commandsThread->slotStartSimulator(true, false, 0.0f, 0.0f, 0.0f, 0.0f,
                                           SensorConfiguration{});
    });
    ASSERT_TRUE(waitFor([this] { return responses.size() >= 2; }, 15000));
    EXPECT_EQ(commands.back().text, sentence("PNRVTST,4,2,+00.0,00,1000"));
    EXPECT_FALSE(sim->isTestOn());
}

TEST_F(SensorLink, CommandWaitsForADatOfTheSensor) {
    Scenario silent;
    silent.faults.silent = true;
    start(silent);
    QMetaObject::invokeMethod(commandsThread,
                              [this] { commandsThread->slotSendInitialConfig({}); });
    spinFor(2600);
    EXPECT_TRUE(commands.empty());
    EXPECT_FALSE(sensor->isAwaitingAnswer());
}

TEST_F(SensorLink, RawDataModeTakesTheLineAt115200AndGivesItBack) {
    start();
    commandsThread->setRawDataTiming({200, 100, 100});
    QMetaObject::invokeMethod(commandsThread,
                              [this] { commandsThread->slotStartVQ2RawDataReading(1234); });
    ASSERT_TRUE(waitFor([this] { return frames.size() >= 2; }, 15000));
    ASSERT_FALSE(commands.empty());
    EXPECT_EQ(commands[0].text, sentence("PNRVCFG,4,9,-4,1,01,1000"));
    EXPECT_EQ(commands[0].baud, 4800);
    EXPECT_EQ(sim->sessions(), 2);
    EXPECT_EQ(sim->baudRate(), 115200);
    EXPECT_TRUE(sim->isRawStreaming());
    EXPECT_FALSE(SerialSensor::getBSendingFromApplicationEnabled());
    for (const QByteArray& frame : frames) {
        ASSERT_EQ(frame.size(), 4 + 1024 + 1);
        EXPECT_TRUE(frame.startsWith("1234"));
        EXPECT_TRUE(frame.endsWith('\n'));
        EXPECT_EQ(frame.mid(4, 3), QByteArray::fromHex("000102"));
    }

    QMetaObject::invokeMethod(commandsThread, &SensorCommandsThread::slotStopVQ2RawDataReading);
    ASSERT_TRUE(waitFor([this] { return sim->sessions() == 3; }, 15000));
    EXPECT_EQ(sim->baudRate(), 4800);
    EXPECT_TRUE(SerialSensor::getBSendingFromApplicationEnabled());
    received.clear();
    EXPECT_TRUE(waitFor([this] { return !received.empty(); }, 6000)) << "DATs again at 4800";
}

} // namespace
