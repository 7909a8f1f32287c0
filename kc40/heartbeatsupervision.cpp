#include "heartbeatsupervision.h"

#include "msgicm.h"
#include "setupmessages.h"
#include "systemsetup.h"
#include "systemvariables.h"

#include <climits>

namespace {
// Below this forward depth the depth sounder pulse pings.
constexpr float kPingPulseDepthMetres = 10.0f;
// The sensor values of the display's monitoring page.
constexpr int kSensorMonitoringValues = 12;
} // namespace

HeartbeatSupervision::HeartbeatSupervision(SystemSetup& setup, SystemVariables& values,
                                           QObject* parent)
    : QObject(parent), m_setup(setup), m_values(values) {}

void HeartbeatSupervision::setDisplayConnectedCheck(DisplayConnectedCheck check) {
    m_displayConnected = std::move(check);
}

void HeartbeatSupervision::slotSensorDataReceived(bool dat4) {
    m_receiveDataFromSensor = true;
    if (dat4) {
        notifySensorMsgReceived();
    }
}

void HeartbeatSupervision::notifySensorMsgReceived() {
    if (sensorHeartBeatAlarmOn) {
        clearSensorLost();
        Q_EMIT sigSensorReturned();
    }
    Q_EMIT sigResetSensorHeartBeat();
    varFloat& depth = m_values.vq2data.depthFwdAvg;
    Q_EMIT sigPingPulse(depth.getValidity() && depth.getValue() < kPingPulseDepthMetres);
}

void HeartbeatSupervision::clearSensorLost() {
    sensorHeartBeatAlarmOn = false;
    Q_EMIT sigExitSystemAlarm(SYS_SENSOR_LOST);
}

void HeartbeatSupervision::slotSensorHeratBeatAlarm() {
    m_receiveDataFromSensor = false;
    if (m_setup.getSystemInStandby()) {
        Q_EMIT sigResetSensorHeartBeat();
        return;
    }
    if (m_setup.AlarmIDsSetup.values().systemAlarmID == 0 ||
        m_setup.Vq2Setup.values().outputParams == VQ2_Setup::kSatLog) {
        if (sensorHeartBeatAlarmOn) {
            clearSensorLost();
        }
        return;
    }
    Q_EMIT sigResetSensorHeartBeat();
    m_values.vq2data.invalidateData();
    m_values.vq2dataDat5.invalidateData();
    SimulationParameters& simulation = m_setup.simulationParameters;
    if (simulation.SimulationModeOn &&
        simulation.simulationSource != SimulationParameters::SENSOR_FIXED_SPEED) {
        // The speeds are simulated without the sensor: its silence is expected.
        clearSensorLost();
        return;
    }
    if (sensorHeartBeatAlarmOn) {
        return;
    }
    Q_EMIT sigSetSystemAlarm(SYS_SENSOR_LOST);
    sensorHeartBeatAlarmOn = true;
    if (simulation.SimulationModeOn) {
        // The sensor's own simulation ended with the sensor.
        simulation.SimulationModeOn = false;
        Q_EMIT simulation.sigSimulationParametersChanged();
        Q_EMIT sigSendSingleOnUdpOutput(simulation.simParamsChangeConfirm());
    }
    // Every sensor value on the display's monitoring page becomes unknown.
    Q_EMIT sigSendSingleOnUdpOutput(std::make_shared<MsgICM>(
        SetupMessages::kMessageVersion, msgCommands::QualityFactorDataCommand,
        QList<int>(kSensorMonitoringValues, INT_MAX)));
}

void HeartbeatSupervision::slotDisplayHeartBeatReceived(const QString& id, const QString& mac) {
    if (m_displayConnected && !m_displayConnected(id, mac)) {
        return;
    }
    if (displayHeartBeatAlarmOn) {
        Q_EMIT sigExitSystemAlarm(SYS_DISPLAY_LOST);
        displayHeartBeatAlarmOn = false;
    }
    Q_EMIT sigResetDisplayHeartBeat();
}

void HeartbeatSupervision::slotDisplayHeratBeatAlarm() {
    if (m_setup.getSystemInStandby()) {
        Q_EMIT sigResetDisplayHeartBeat();
        return;
    }
    if (m_setup.AlarmIDsSetup.values().systemAlarmID == 0) {
        // System alarms are switched off: a raised one goes away.
        if (displayHeartBeatAlarmOn) {
            displayHeartBeatAlarmOn = false;
            Q_EMIT sigExitSystemAlarm(SYS_DISPLAY_LOST);
        }
        return;
    }
    if (!displayHeartBeatAlarmOn) {
        Q_EMIT sigSetSystemAlarm(SYS_DISPLAY_LOST);
        displayHeartBeatAlarmOn = true;
        Q_EMIT sigDisconnectFromPaired();
    }
}

void HeartbeatSupervision::slotHeartBeatBamCam(NmeaMessagePtr message) {
    if (message->getSourceSfi() == m_setup.Kc40Setup.values().alarmID) {
        Q_EMIT sigReceivedHbtFromBam();
    }
}

void HeartbeatSupervision::slotCountSensorUpTime() {
    if (m_receiveDataFromSensor) {
        m_setup.sensTimer.slotIncMsgCount(1);
    }
}
