#pragma once

#include "msgicm.h"

#include <QList>
#include <QObject>

// The simulator's settings as the display sets them; not stored.
//
// Simulation command (ICM 7) parameters:
//   0 mode on, 1 alarm-output test on, 2 source, 3 fixed longitudinal speed x100,
//   4 fixed transverse speed x100, 5 state (1 request, 2 confirmation), 6 second data set,
//   7 simulated depth index, 8 raw-measurement settings
class SimulationParameters : public QObject {
    Q_OBJECT
public:
    enum SimulationSource {
        SENSOR_FIXED_SPEED = 0,
        KC_40_FIXED_SPEED = 1,
        GPS_SPEED = 2,
        DEMO_SIMULATION = 3
    };

    explicit SimulationParameters(QObject* parent = nullptr) : QObject(parent) {}

    std::shared_ptr<MsgICM> simParamsChangeRequest();
    std::shared_ptr<MsgICM> simParamsChangeConfirm();
    // "1".."4" start the simulation from source 0..3, "0" stops it.
    void startSimulation(const QString& source);
    void startSimulation(const QString& source, float longitudinal, float transverse);
    void changeSourceSimulation(const QString& source);
    bool isDemoActive() const { return SimulationModeOn && simulationSource == DEMO_SIMULATION; }

    bool SimulationModeOn = false;
    bool testAlarmOutputOn = false;
    int simulationSource = SENSOR_FIXED_SPEED;
    float fixedSpeedLong = 1.0f;
    float fixedSpeedTra = 1.0f;
    bool changeConfirmed = true;
    int simulatedDepthIndex = 16;
    bool useDat5 = false;
    int rawMeasurementSettings = 0;
    static constexpr float depth_sim_list[] = {26.6f,  35.0f,  43.6f,  52.2f,  60.9f,  69.2f,
                                               77.9f,  86.5f,  95.2f,  103.9f, 112.5f, 121.5f,
                                               129.5f, 138.1f, 146.9f, 155.5f, 164.1f, 172.1f};

signals:
    void sigSimulationParametersChanged();
    void sigSourceDatChanged(bool use_dat5);
    void sigRawMeasurementSettingsChanged();

public slots:
    // Takes a command of at least the nine parameters above, already checked.
    void slotSimulationCommand(const QList<int>& parameters);
    void slotConfirmeChange(bool reply);

private:
    std::shared_ptr<MsgICM> commandMessage(int state) const;
};
