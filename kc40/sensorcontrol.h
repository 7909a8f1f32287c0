#pragma once

#include "vq2_handler.h"

#include <QObject>
#include <QString>
#include <QTimer>

class DisplayCommands;
class SerialSensor;
class SystemSetup;
class SystemVariables;

// Powers the sensor and takes it through its start: five seconds after power-on its first
// configuration (once more a minute later, for a sensor that was still starting) and the
// sensor test. Sends the configuration again on request, reloads the sensor's logic when its
// data is stuck, and switches the sensor off while the unit runs as a satellite log.
class SensorControl : public QObject {
    Q_OBJECT
public:
    static constexpr int kInitialConfigDelayMs = 5000;
    static constexpr int kInitialConfigRepeatMs = 60000;
    // A reset keeps the sensor unpowered this long.
    static constexpr int kResetOffMs = 5000;

    SensorControl(SystemSetup& setup, DisplayCommands& commands, SystemVariables& values,
                  SerialSensor& line, QObject* parent = nullptr);

    // The sensor is in use unless the unit runs as a satellite log.
    bool sensorInUse() const;
    // Powers the sensor at start when it is in use.
    void start();
    // Power-cycles the sensor; its first configuration follows after kInitialConfigDelayMs.
    void turnSensorOn();
    void turnSensorOff();
    // Powers the sensor off and, after kResetOffMs, on again if it is still in use.
    void sensorReset();
    bool isRawReadingOn() const { return m_rawReadingOn; }

public Q_SLOTS:
    void slotRequestSNF();
    void slotSendInitialConfigToSensor();
    // Unless the system is in standby, the configuration of the moment goes to the sensor.
    void slotSendConfigToSensor();
    // Restarts the sensor's logic when its data is stuck; a muted sensor, or one sending raw
    // measurement frames, is left alone.
    void slotReloadSensorVQ2();
    // The sensor output mode changed: a satellite log runs without its sensor.
    void slotOutputParametersChanged();
    // Raw measurement frames instead of DAT sentences; after them the sensor is reset.
    void slotStartVQ2RawDataReading(int settings);
    void slotStopVQ2RawDataReading();

Q_SIGNALS:
    // Sensor power line: the sensor runs while it is true.
    void sigSensorPower(bool on);
    void sigSendInitialConfig(const SensorConfiguration& configuration);
    void sigSendConfig(const SensorConfiguration& configuration);
    void sigDiagnosticsTest(const QString& test, const QString& command);
    void sigStartRawDataReading(int settings);
    void sigStopRawDataReading();

private:
    SystemSetup& m_setup;
    DisplayCommands& m_commands;
    SystemVariables& m_values;
    SerialSensor& m_line;
    bool m_sensorPowered = false;
    bool firstConfigToSensor = true;
    bool m_rawReadingOn = false;
    // One timer each, restarted by every power-on: a sensor switched on again never gets a
    // second, stale start sequence.
    QTimer timerSNF;
    QTimer m_initialConfigRepeat;
    QTimer m_resetTimer;
};
