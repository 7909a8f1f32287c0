#pragma once

#include "alarmcontroller.h"
#include "calibrationtablesource.h"
#include "distancekeeping.h"
#include "nmeamessage.h"
#include "outputassembly.h"
#include "periodicalhandler.h"
#include "sensorcommandsthread.h"
#include "serialreader.h"
#include "serialsensor.h"
#include "standbyandmute.h"
#include "udp_multicast_interface.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QThread>
#include <QTimer>

#include <functional>
#include <memory>

class ReceivedNmeaHandler;
class VQ2_Handler;

// The unit's central object: owns the serial lines and the handlers and wires them together.
class MainHandler : public QObject {
    Q_OBJECT
public:
    explicit MainHandler(QObject* parent = nullptr);
    ~MainHandler() override;

    // Delay from power-on to the sensor's first configuration, and to the one repeat that
    // catches a sensor that was still starting.
    static constexpr int kInitialConfigDelayMs = 5000;
    static constexpr int kInitialConfigRepeatMs = 60000;

    // The system alarms the supervision raises and clears.
    enum SystemAlarm { SYS_SENSOR_LOST = 1, SYS_DISPLAY_LOST = 2, SYS_ALARM_TEST = 3 };

    using DisplayConnectedCheck = std::function<bool(const QString& id, const QString& mac)>;

    // Every long-lived object of the unit, wherever it lives: the handler, its parts on the
    // main thread and on other threads, and the process-wide stores.
    QList<QObject*> parts() const;

    // Sensor start and supervision.
    // Power-cycles the sensor; its first configuration follows after kInitialConfigDelayMs.
    void turnSensorOn();
    void turnSensorOff();
    // For each sensor measurement: clears a sensor-lost alarm and restarts the supervision.
    void notifySensorMsgReceived();
    // False while the sensor is reported lost.
    bool isVQ2_SensorValid() const { return !sensorHeartBeatAlarmOn; }
    void setReceiveDataFromSensor(bool receiving) { m_receiveDataFromSensor = receiving; }
    bool isReceiveDataFromSensor() const { return m_receiveDataFromSensor; }
    // A lasting front LED pattern (a transfer's progress, say), written by the scheduler's
    // thread; 0 is never written. The sensor's pulses reach that thread as sigPulseLeds.
    void setLeds(quint8 pattern);
    // Whether a display heartbeat comes from the paired display. Until the pairing is in
    // place every display heartbeat counts.
    void setDisplayConnectedCheck(DisplayConnectedCheck check);
    PeriodicalHandler& periodicalHandler() { return scheduler; }
    AlarmController& alarms() { return alarmController; }
    OutputAssembly& outputs() { return *outputAssembly; }

public Q_SLOTS:
    void slotChannelBaudChanged(const QString& channel, int baudRate);
    // Announces the unit on the SRP group with the address of the interface playing "eth0".
    void slotSendSRP();
    void slotDisplayHeartBeatReceived(const QString& id, const QString& mac);
    // The display has been silent for a supervision period.
    void slotDisplayHeratBeatAlarm();
    // No sensor sentence for a supervision period.
    void slotSensorHeratBeatAlarm();
    // A heartbeat from the alert management peer (the junction box's alarm identifier).
    void slotHeartBeatBamCam(NmeaMessagePtr message);
    void slotBamHbtNotReceived();
    void slotRequestSNF();
    void slotSendInitialConfigToSensor();

Q_SIGNALS:
    void sigSendInitialConfig(const SensorConfiguration& configuration);
    void sigSendConfig(const SensorConfiguration& configuration);
    // The normal sensor line is closed: the command thread may open the device itself.
    void sigSensorLineReleased();
    void sigResetDisplayHeartBeat();
    void sigResetSensorHeartBeat();
    void sigSetLeds(quint8 pattern);
    void sigPulseLeds(LedPulse pulse);
    void sigReceivedHbtFromBam();
    // The alert management peer has been silent for its supervision period.
    void sigHbtFromBamNotReceived();
    void sigSetSystemAlarm(int type);
    void sigExitSystemAlarm(int type);
    // Pings the depth sounder pulse: true while the measured depth is shallow.
    void sigPingPulse(bool shallow);
    // Sensor power line: the sensor runs while it is true.
    void sigSensorPower(bool on);
    void sigDiagnosticsTest(const QString& test, const QString& command);
    // The display was lost and must pair again.
    void sigDisconnectFromPaired();

private Q_SLOTS:
    void handleNmea_1_message(NmeaMessagePtr message);
    void handleNmea_2_message(NmeaMessagePtr message);
    void handleSensor_message(NmeaMessagePtr message);
    void slotSendToSensor(int channel, NmeaMessagePtr message);
    void slotStopSensorUart(bool stop);
    void slotSimulationResponse(bool ok);
    // Restarts the sensor's logic when its data is stuck; a muted sensor is left alone.
    void slotReloadSensorVQ2();
    void slotCheckGpsMovement();
    void slotSendConfigToSensor();
    // The sensor output mode changed: a satellite log runs without its sensor.
    void slotOutputParametersChanged();

private:
    // The output cycle and the unit's sending paths, on the lines and the network.
    void initOutputs();
    OutputHooks outputHooks();
    void initAlarms();
    // What the received-sentence handler asks for and hands on.
    void wireReceivedSentences();
    // Display settings that other parts of the unit follow.
    void wireSetupChanges();
    // Live values for points taken from measurement, and the calibration pages' data.
    void wireCalibration();
    void initSensorStart();
    // Wires and starts the one-second scheduler.
    void initScheduler();
    PassConditions schedulerConditions() const;
    void initSerial();
    void initSensorLink();
    // Joins the unit's group on the ship's network and hands received sentences on (source 0).
    void initUdp();
    // Opens one line and logs the outcome; a line that fails leaves the others untouched.
    bool openLine(SerialReader& reader, const QString& name, int baudRate,
                  bool connectReceive = true);
    bool sensorInUse() const;

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
    StandbyAndMute standbyAndMute;
    DistanceKeeping distanceKeeping;
    udp_multicast_interface udp_interface;
    AlarmController alarmController;
    std::unique_ptr<OutputChannelRules> m_channelRules;
    std::unique_ptr<SerialOutputs> m_serialOutputs;
    std::unique_ptr<NetworkOutput> m_networkOutput;
    OutputAssembly* outputAssembly = nullptr;

    bool displayHeartBeatAlarmOn = false;
    bool sensorHeartBeatAlarmOn = false;
    bool m_receiveDataFromSensor = false;
    bool m_sensorPowered = false;
    bool firstConfigToSensor = true;
    QTimer timerSNF;
    QTimer m_initialConfigRepeat;
    DisplayConnectedCheck m_displayConnected;
    // Last, so that it stops before the objects its passes reach go away.
    PeriodicalHandler scheduler;
};
