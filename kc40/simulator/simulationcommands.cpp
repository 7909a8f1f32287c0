#include "simulationcommands.h"

#include "alarmcontroller.h"
#include "logger.h"
#include "systemsetup.h"
#include "systemvariables.h"

#include <cmath>

SimulationCommands::SimulationCommands(SystemSetup& setup, SystemVariables& values,
                                       AlarmController& alarms, QObject* parent)
    : QObject(parent), m_setup(setup), m_values(values), m_alarms(alarms) {}

SimulationCommands::SensorVector
SimulationCommands::toSensorAxes(float longitudinal, float transverse, double angleRad) {
    const double magnitude = std::hypot(double(longitudinal), double(transverse));
    const double angle = std::atan2(double(transverse), double(longitudinal)) + angleRad;
    return {float(magnitude * std::cos(angle)), float(magnitude * std::sin(angle))};
}

bool SimulationCommands::isSensorDemoActive() const {
    const SimulationParameters& simulation = m_setup.simulationParameters;
    return simulation.SimulationModeOn && simulation.changeConfirmed;
}

void SimulationCommands::slotSendSimulationCommand(const QString& command, float longitudinal,
                                                   float transverse) {
    if (m_setup.getSystemInStandby()) {
        return;
    }
    Logger::instance()->append(QStringLiteral("Simulation command: ") + command, Logger::LOG_INFO);
    if (command == QLatin1String("Start")) {
        startSensorSimulation(longitudinal, transverse);
    } else if (command == QLatin1String("Stop")) {
        bSensorDemo = false;
        Q_EMIT sigStartSensorSimulator(false, false, 0.0f, 0.0f, 0.0f, 0.0f,
                                       VQ2::getInstance()->configuration());
        Q_EMIT sigSimulationCountersCleared();
    } else if (command == QLatin1String("KC40_start") || command == QLatin1String("KC40_stop")) {
        switchSource(SystemVariables::SourceJbSimulator, command.endsWith(QLatin1String("start")));
    } else if (command == QLatin1String("GPS_start") || command == QLatin1String("GPS_stop")) {
        switchSource(SystemVariables::SourceGpsSimulator, command.endsWith(QLatin1String("start")));
    } else if (command == QLatin1String("Demo_start") || command == QLatin1String("Demo_stop")) {
        switchDemo(command.endsWith(QLatin1String("start")));
    } else if (command == QLatin1String("AlarmStart")) {
        bTestingAlarm = true;
        m_alarms.setSystemAlarm(SYS_ALARM_TEST);
        m_alarms.activateAllSpeedAlertsFromTest();
    } else if (command == QLatin1String("AlarmStop")) {
        bTestingAlarm = false;
        m_alarms.exitSpeedAlarms();
        m_alarms.exitSystemAlarm(SYS_ALARM_TEST);
    }
    m_alarms.notifyChangedWarnState();
}

void SimulationCommands::startSensorSimulation(float longitudinal, float transverse) {
    bSensorDemo = true;
    const calibration& angles = m_setup.calibCoeffs;
    const SensorVector water =
        toSensorAxes(longitudinal, transverse, angles.getSTW_offsetAngleRad());
    const SensorVector ground =
        toSensorAxes(longitudinal, transverse, angles.getInstalationAngleRad());
    Q_EMIT sigStartSensorSimulator(false, true, water.longitudinal, water.transverse,
                                   ground.longitudinal, ground.transverse,
                                   VQ2::getInstance()->configuration());
    Q_EMIT sigSimulationCountersCleared();
}

void SimulationCommands::switchSource(int source, bool start) {
    m_setup.simulationParameters.changeConfirmed = true;
    if (start) {
        m_values.changeVQ2Source(source);
        m_alarms.setSystemAlarm(SYS_ALARM_TEST);
        return;
    }
    m_values.changeVQ2Source(SystemVariables::SourceSensor);
    m_alarms.exitSystemAlarm(SYS_ALARM_TEST);
    m_alarms.exitSpeedAlarms();
}

void SimulationCommands::switchDemo(bool start) {
    m_setup.simulationParameters.changeConfirmed = true;
    if (start) {
        m_alarms.setSystemAlarm(SYS_ALARM_TEST);
        Q_EMIT sigStartDemo();
        return;
    }
    Q_EMIT sigStopDemo();
    m_alarms.exitSystemAlarm(SYS_ALARM_TEST);
    m_alarms.exitSpeedAlarms();
}

void SimulationCommands::slotSimulationResponse(bool accepted) {
    SimulationParameters& simulation = m_setup.simulationParameters;
    Logger::instance()->append(QStringLiteral("Sensor simulation: ") +
                                   (accepted ? QStringLiteral("ok") : QStringLiteral("failed")),
                               Logger::LOG_INFO);
    if (accepted) {
        Q_EMIT sigSendSingleOnUdpOutput(simulation.simParamsChangeConfirm());
        m_alarms.setSystemAlarm(SYS_ALARM_TEST);
    } else {
        // The display learns that the simulation did not start; the stop that follows the
        // switch-off leaves the sensor measuring again.
        simulation.slotConfirmeChange(false);
        Q_EMIT sigSendSingleOnUdpOutput(simulation.simParamsChangeConfirm());
        Q_EMIT sigSensorSimulationRefused();
    }
    if (!simulation.SimulationModeOn) {
        Q_EMIT sigSimulationCountersCleared();
    }
    m_alarms.notifyChangedWarnState();
}
