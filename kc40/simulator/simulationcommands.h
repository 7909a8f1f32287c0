#pragma once

#include "nmeamessage.h"
#include "vq2_handler.h"

#include <QObject>
#include <QString>

class AlarmController;
class SystemSetup;
class SystemVariables;

// Carries out the simulator's commands: the sensor's own fixed-speed simulation, the
// junction-box and GPS simulations (whose data models then feed every output), demo playback
// and the alarm test. Every change of mode is shown in the display's alert list. Nothing is
// done while the system is in standby.
class SimulationCommands : public QObject {
    Q_OBJECT
public:
    // A speed vector of the boat's axes (knots) as the sensor sees it.
    struct SensorVector {
        float longitudinal;
        float transverse;
    };

    SimulationCommands(SystemSetup& setup, SystemVariables& values, AlarmController& alarms,
                       QObject* parent = nullptr);

    // The boat's vector turned by `angleRad` into the sensor's axes.
    static SensorVector toSensorAxes(float longitudinal, float transverse, double angleRad);

    // The sensor simulates and the display has seen it confirmed.
    bool isSensorDemoActive() const;
    bool isAlarmTestActive() const { return bTestingAlarm; }

public Q_SLOTS:
    void slotSendSimulationCommand(const QString& command, float longitudinal, float transverse);
    // The sensor's answer to the start or stop of its simulation.
    void slotSimulationResponse(bool accepted);

Q_SIGNALS:
    // stop, start, then the water longitudinal and transverse and the ground longitudinal and
    // transverse speeds in the sensor's axes, with the sensor's configuration of the moment.
    void sigStartSensorSimulator(bool stop, bool start, float s1, float s2, float s3, float s4,
                                 const SensorConfiguration& configuration);
    void sigStartDemo();
    void sigStopDemo();
    // The check of the sensor's simulated speeds starts afresh.
    void sigSimulationCountersCleared();
    // The sensor refused to simulate: it is treated as lost.
    void sigSensorSimulationRefused();
    void sigSendSingleOnUdpOutput(NmeaMessagePtr message);

private:
    void startSensorSimulation(float longitudinal, float transverse);
    void switchSource(int source, bool start);
    void switchDemo(bool start);

    SystemSetup& m_setup;
    SystemVariables& m_values;
    AlarmController& m_alarms;
    bool bTestingAlarm = false;
    bool bSensorDemo = false;
};
