#pragma once

#include "kc40_simulator.h"
#include "platformtimer.h"

#include <QObject>
#include <QString>

class SimulationParameters;
class SystemVariables;
class VQ2DataModel;

// Watches the simulation parameters the display sets and turns each change into one
// simulation command; switches raw measurement on and off as its setting asks. Keeps the
// junction-box and GPS simulations' values and refreshes them for each output cycle.
class Simulator : public QObject {
    Q_OBJECT
public:
    // The sensor takes new fixed speeds after a stop, this long after it.
    static constexpr int kSensorRestartMs = 100;
    // Raw measurement restarted with a new setting resumes this long after its stop.
    static constexpr int kRawRestartMs = 5000;

    Simulator(SimulationParameters& parameters, SystemVariables& values, QObject* parent = nullptr);

    // Raw reading is wanted for settings outside -999 ... 999.
    static bool rawReadingWanted(int settings);

    // Before each output cycle: the simulation's values stay fresh.
    void updateJB_Simulation();
    // The GPS simulation follows the GPS speed over ground.
    void updateGPS_Simulation();

public Q_SLOTS:
    void slotSimulationParametersChanged();
    void slotRawMeasurementSettingsChanged();

Q_SIGNALS:
    // command: "Start", "Stop", "KC40_start", ... with the fixed speeds it applies to (knots).
    void sigSendSimulationCommand(const QString& command, float longitudinal, float transverse);
    void sigStartVQ2RawDataReading(int settings);
    void sigStopVQ2RawDataReading();

private:
    static QString commandFor(int source, bool start);
    void emitCommand(const QString& command);
    void restartSensorSimulation();
    void restartRawReading();
    void applyDepth();
    void addDistancesFrom(const VQ2DataModel& model);

    SimulationParameters& m_parameters;
    SystemVariables& m_values;
    KC40_Simulator m_jbSimulator;
    KC40_Simulator m_gpsSimulator;
    bool SimulationModeOn;
    bool testAlarmOutputOn;
    int oldSimulationSource;
    float oldFixedSpeedLong;
    float oldFixedSpeedTra;
    bool m_rawReadingOn = false;
    PlatformTimer m_sensorRestart;
    PlatformTimer m_rawRestart;
};
