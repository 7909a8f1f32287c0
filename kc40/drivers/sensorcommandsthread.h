#pragma once

#include "nmeamessage.h"
#include "sensorvq2upgrader.h"
#include "vq2_handler.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <atomic>
#include <chrono>
#include <memory>

class SerialSensor;

// Durations of the raw-data hand-over of the sensor line. The sensor needs these pauses on
// the board; tests shorten them.
struct RawDataTiming {
    int settleAfterStartMs = 1000;
    int afterCloseMs = 3000;
    int beforeReopenMs = 3000;
};

// Takes the sensor line over at 115200 baud for raw measurement frames and gives it back.
// Lives on the command thread; its line is opened there once the main thread has closed the
// normal line and said so (lineReleased).
class SensorVQ2RawDataReader : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~SensorVQ2RawDataReader() override;

    // The start command for a four-digit raw measurement setting d1 d2 d3 d4:
    // mode 2 x d4 + d1, water-track power 3 - 2 x d2 - d3.
    static NmeaMessagePtr startCommand(int settings);
    static NmeaMessagePtr stopCommand();
    bool isActive() const { return m_active; }
    // Asked for the line, or holding it.
    bool ownsLine() const { return m_active || m_awaitingLine; }
    void setTiming(const RawDataTiming& timing) { m_timing = timing; }

    // Sends the start command and asks for the normal line.
    void start(int settings);
    void lineReleased();
    void stop();

Q_SIGNALS:
    void sigSendOnNmeaOutput(int channel, NmeaMessagePtr message);
    void sigStopSensorUart(bool stop);
    void sigSendBinaryToUDP(const QByteArray& frame);

private:
    void write(const QByteArray& bytes);

    std::unique_ptr<SerialSensor> m_line;
    bool m_active = false;
    bool m_awaitingLine = false;
    int m_settings = 0;
    QByteArray m_startCommand;
    RawDataTiming m_timing;
};

// Sends configuration, test (simulation) and raw-data commands to the sensor, each right
// after one of the sensor's DAT sentences (the sensor listens only then), waiting for the
// sensor's echo, and upgrades the sensor's firmware when an image arrives. Runs on its own
// thread and reaches the main thread only through queued signals; the flags it shares with the
// sensor line are atomic.
class SensorCommandsThread : public QObject {
    Q_OBJECT
public:
    static constexpr int kSensorChannel = 3;
    static constexpr std::chrono::milliseconds kDatTimeout{2000};
    // Longer than the sensor line's 11 writes 2 s apart, so a lost echo cannot hang the thread.
    static constexpr std::chrono::milliseconds kAnswerTimeout{25000};

    explicit SensorCommandsThread(QObject* parent = nullptr);
    ~SensorCommandsThread() override;

    // True when sent (and, with waitForAnswer, echoed by the sensor); false when given up.
    bool sendToSensor(const NmeaMessagePtr& message, bool waitForAnswer);
    // Waits at most 2 s for the sensor's next DAT.
    bool waitForDAT(int rounds);
    void setRawDataTiming(const RawDataTiming& timing) { m_rawReader.setTiming(timing); }

public Q_SLOTS:
    void slotSendInitialConfig(const SensorConfiguration& configuration);
    void slotSendConfig(const SensorConfiguration& configuration);
    void slotStartSimulator(bool stop, bool start, float s1, float s2, float s3, float s4,
                            const SensorConfiguration& configuration);
    // settings: the four-digit raw measurement setting of the simulation parameters.
    void slotStartVQ2RawDataReading(int settings);
    // The main thread has closed the normal sensor line (after sigStopSensorUart(true)).
    void slotSensorLineReleased();
    void slotStopVQ2RawDataReading();
    // Each tick: an image in the firmware folder that has stopped changing is written to the
    // sensor, one upgrade at a time, never while raw data holds the line.
    void slotStartSensorUpgrade();

Q_SIGNALS:
    void sigSendOnNmeaOutput(int channel, NmeaMessagePtr message);
    void sigSimulationResponse(bool ok);
    void sigStopSensorUart(bool stop);
    void sigSendBinaryToUDP(const QByteArray& frame);
    void sigSendSingleOnUdpOutput(NmeaMessagePtr message);

private:
    bool sendConfig(const SensorConfiguration& configuration, int powerLevel,
                    const QString& formats);
    bool runSimulationStart(const float speeds[4], const SensorConfiguration& configuration);
    void runSimulationStop();
    bool sendAfterDat(const NmeaMessagePtr& message);

    SensorVQ2RawDataReader m_rawReader;
    SensorVQ2Upgrader m_upgrader;
    std::atomic<bool> m_upgradeStarted{false};
};
