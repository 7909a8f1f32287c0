#include "simulator.h"

#include "platform.h"
#include "simulation/simulationparameters.h"
#include "systemvariables.h"

#include <iterator>

Simulator::Simulator(SimulationParameters& parameters, SystemVariables& values, QObject* parent)
    : QObject(parent), m_parameters(parameters), m_values(values),
      m_jbSimulator(values.jbSimulationData), m_gpsSimulator(values.gpsSimulationData),
      SimulationModeOn(parameters.SimulationModeOn),
      testAlarmOutputOn(parameters.testAlarmOutputOn),
      oldSimulationSource(parameters.simulationSource),
      oldFixedSpeedLong(parameters.fixedSpeedLong), oldFixedSpeedTra(parameters.fixedSpeedTra) {
    m_jbSimulator.recalculateValues(oldFixedSpeedLong, oldFixedSpeedTra);
    applyDepth();
    connect(&m_sensorRestart, &PlatformTimer::timeout, this, &Simulator::restartSensorSimulation);
    connect(&m_rawRestart, &PlatformTimer::timeout, this, &Simulator::restartRawReading);
}

bool Simulator::rawReadingWanted(int settings) {
    return settings < -999 || settings > 999;
}

QString Simulator::commandFor(int source, bool start) {
    switch (source) {
    case SimulationParameters::SENSOR_FIXED_SPEED:
        return start ? QStringLiteral("Start") : QStringLiteral("Stop");
    case SimulationParameters::KC_40_FIXED_SPEED:
        return start ? QStringLiteral("KC40_start") : QStringLiteral("KC40_stop");
    case SimulationParameters::DEMO_SIMULATION:
        return start ? QStringLiteral("Demo_start") : QStringLiteral("Demo_stop");
    default:
        return start ? QStringLiteral("GPS_start") : QStringLiteral("GPS_stop");
    }
}

void Simulator::emitCommand(const QString& command) {
    // Only the sensor's start carries the speeds it is to simulate.
    const bool withSpeeds =
        command == QLatin1String("Start") || command == QLatin1String("KC40_start");
    Q_EMIT sigSendSimulationCommand(command, withSpeeds ? m_parameters.fixedSpeedLong : 0.0f,
                                    withSpeeds ? m_parameters.fixedSpeedTra : 0.0f);
}

void Simulator::slotSimulationParametersChanged() {
    const SimulationParameters& p = m_parameters;
    const bool modeChanged = p.SimulationModeOn != SimulationModeOn;
    const bool alarmTestChanged = p.testAlarmOutputOn != testAlarmOutputOn;
    const bool sourceChanged = p.simulationSource != oldSimulationSource;
    const bool speedsChanged =
        p.fixedSpeedLong != oldFixedSpeedLong || p.fixedSpeedTra != oldFixedSpeedTra;

    if (modeChanged) {
        // A command that switches the mode and the source at once starts the new source, or
        // stops the one that ran.
        m_sensorRestart.stop();
        emitCommand(SimulationModeOn ? commandFor(oldSimulationSource, false)
                                     : commandFor(p.simulationSource, true));
    } else if (alarmTestChanged) {
        emitCommand(testAlarmOutputOn ? QStringLiteral("AlarmStop") : QStringLiteral("AlarmStart"));
    } else if (sourceChanged && p.SimulationModeOn) {
        m_sensorRestart.stop();
        emitCommand(commandFor(oldSimulationSource, false));
        emitCommand(commandFor(p.simulationSource, true));
    } else if (speedsChanged && p.SimulationModeOn &&
               p.simulationSource == SimulationParameters::SENSOR_FIXED_SPEED) {
        emitCommand(QStringLiteral("Stop"));
        m_sensorRestart.start(kSensorRestartMs);
    }

    SimulationModeOn = p.SimulationModeOn;
    testAlarmOutputOn = p.testAlarmOutputOn;
    oldSimulationSource = p.simulationSource;
    oldFixedSpeedLong = p.fixedSpeedLong;
    oldFixedSpeedTra = p.fixedSpeedTra;
    m_jbSimulator.recalculateValues(p.fixedSpeedLong, p.fixedSpeedTra);
    applyDepth();
}

// The sensor is told its new speeds only if it still simulates them by then.
void Simulator::restartSensorSimulation() {
    if (m_parameters.SimulationModeOn &&
        m_parameters.simulationSource == SimulationParameters::SENSOR_FIXED_SPEED) {
        emitCommand(QStringLiteral("Start"));
    }
}

void Simulator::applyDepth() {
    // An index outside the list keeps the depth simulated so far.
    const int index = m_parameters.simulatedDepthIndex;
    if (index >= 1 && index <= int(std::size(SimulationParameters::depth_sim_list))) {
        m_jbSimulator.setSimulatedDepth(SimulationParameters::depth_sim_list[index - 1]);
    }
}

void Simulator::slotRawMeasurementSettingsChanged() {
    const bool wanted = rawReadingWanted(m_parameters.rawMeasurementSettings);
    if (wanted && m_rawReadingOn) {
        Q_EMIT sigStopVQ2RawDataReading();
        m_rawRestart.start(kRawRestartMs);
    } else if (wanted) {
        m_rawRestart.stop();
        Q_EMIT sigStartVQ2RawDataReading(m_parameters.rawMeasurementSettings);
    } else if (m_rawReadingOn) {
        m_rawRestart.stop();
        Q_EMIT sigStopVQ2RawDataReading();
    } else {
        m_rawRestart.stop();
    }
    m_rawReadingOn = wanted;
}

// Raw reading resumes with the setting of the moment, unless it was switched off meanwhile.
void Simulator::restartRawReading() {
    if (m_rawReadingOn && rawReadingWanted(m_parameters.rawMeasurementSettings)) {
        Q_EMIT sigStartVQ2RawDataReading(m_parameters.rawMeasurementSettings);
    }
}

void Simulator::updateJB_Simulation() {
    m_jbSimulator.refresh(static_cast<quint64>(Clock::currentMSecsSinceEpoch()),
                          m_values.rateOfTurn.getValidity() ? m_values.rateOfTurn.getValue()
                                                            : kAbsentFloat);
    addDistancesFrom(m_values.jbSimulationData);
}

// Only the model that feeds the outputs runs the distances; a demonstration's sentences run
// them as the sensor's do.
void Simulator::addDistancesFrom(const VQ2DataModel& model) {
    if (m_values.currentVQ2data == &model) {
        m_values.calcTraveledDistancesFromVq2data();
    }
}

void Simulator::updateGPS_Simulation() {
    m_gpsSimulator.recalculateValues(m_values.getSOG_L_GPS(), m_values.getSOG_T_GPS());
    m_gpsSimulator.refresh(static_cast<quint64>(Clock::currentMSecsSinceEpoch()),
                           m_values.rateOfTurn.getValidity() ? m_values.rateOfTurn.getValue()
                                                             : kAbsentFloat);
    addDistancesFrom(m_values.gpsSimulationData);
}
