#pragma once

#include "calibrationtablesource.h"
#include "nmeamessage.h"
#include "sensorcommandsthread.h"
#include "serialreader.h"
#include "serialsensor.h"
#include "syncthread.h"
#include "udp_multicast_interface.h"

#include <QObject>
#include <QString>
#include <QThread>

class ReceivedNmeaHandler;
class VQ2_Handler;

// The unit's central object: owns the serial lines and the handlers and wires them together.
class MainHandler : public QObject {
    Q_OBJECT
public:
    explicit MainHandler(QObject* parent = nullptr);
    ~MainHandler() override;

    // Only 4800, 38400 and 115200 are line rates; anything else opens the line at 4800.
    static int lineBaudRate(int configured);

    // Delay from power-on to the sensor's first configuration.
    static constexpr int kInitialConfigDelayMs = 5000;

public Q_SLOTS:
    void slotChannelBaudChanged(const QString& channel, int baudRate);
    // Announces the unit on the SRP group with the address of the interface playing "eth0".
    void slotSendSRP();
    // Mute (true) or unmute the sensor through the one-byte handshake.
    void slotSynchRequest(bool mute);

Q_SIGNALS:
    void sigSendInitialConfig();
    void sigSendConfig();
    void sigStartSensorSimulator(bool stop, bool start, float s1, float s2, float s3, float s4);
    void sigStartVQ2RawDataReading();
    void sigStopVQ2RawDataReading();

private Q_SLOTS:
    void handleNmea_1_message(NmeaMessagePtr message);
    void handleNmea_2_message(NmeaMessagePtr message);
    void handleSensor_message(NmeaMessagePtr message);
    void slotSendToSensor(int channel, NmeaMessagePtr message);
    void slotStopSensorUart(bool stop);
    void slotSynchConfirmed(bool muted);
    void slotSimulationResponse(bool ok);
    // Restarts the sensor's logic when its data is stuck; a muted sensor is left alone.
    void slotReloadSensorVQ2();

private:
    void initSerial();
    void initSensorLink();
    // Joins the unit's group on the ship's network and hands received sentences on (source 0).
    void initUdp();
    // Opens one line and logs the outcome; a line that fails leaves the others untouched.
    bool openLine(SerialReader& reader, const QString& name, int baudRate,
                  bool connectReceive = true);

    SerialReader serialReaderNmea_1;
    SerialReader serialReaderNmea_2;
    SerialReader serialReaderDbgu;
    ReceivedNmeaHandler* receivedNmeaHandler;
    SpeedCalibration* speedCalib;
    CalibrationTableSource calibrationSource;
    SerialSensor serialSensor;
    VQ2_Handler* vq2Handler;
    QThread sensorThread;
    SensorCommandsThread* sensorCommandsThread;
    SyncThread syncThread;
    udp_multicast_interface udp_interface;
};
