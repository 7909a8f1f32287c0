#include "sensorcontrol.h"

#include "displaycommands.h"
#include "serialsensor.h"
#include "systemsetup.h"
#include "systemvariables.h"

SensorControl::SensorControl(SystemSetup& setup, DisplayCommands& commands, SystemVariables& values,
                             SerialSensor& line, QObject* parent)
    : QObject(parent), m_setup(setup), m_commands(commands), m_values(values), m_line(line) {
    timerSNF.setSingleShot(true);
    timerSNF.setInterval(kInitialConfigDelayMs);
    connect(&timerSNF, &QTimer::timeout, this, &SensorControl::slotRequestSNF);
    m_initialConfigRepeat.setSingleShot(true);
    m_initialConfigRepeat.setInterval(kInitialConfigRepeatMs);
    connect(&m_initialConfigRepeat, &QTimer::timeout, this,
            &SensorControl::slotSendInitialConfigToSensor);
    m_resetTimer.setSingleShot(true);
    m_resetTimer.setInterval(kResetOffMs);
    // A sensor switched off for good meanwhile (satellite log) stays off.
    connect(&m_resetTimer, &QTimer::timeout, this, [this] {
        if (sensorInUse() && !m_sensorPowered) {
            turnSensorOn();
        }
    });
}

bool SensorControl::sensorInUse() const {
    return m_setup.Vq2Setup.values().outputParams != VQ2_Setup::kSatLog;
}

void SensorControl::start() {
    m_values.vq2data.slotOutputParametersChanged();
    m_values.vq2dataDat5.slotOutputParametersChanged();
    if (sensorInUse()) {
        turnSensorOn();
    }
}

void SensorControl::turnSensorOn() {
    m_resetTimer.stop();
    Q_EMIT sigSensorPower(false);
    Q_EMIT sigSensorPower(true);
    m_sensorPowered = true;
    timerSNF.start();
}

void SensorControl::turnSensorOff() {
    Q_EMIT sigSensorPower(false);
    m_sensorPowered = false;
    timerSNF.stop();
    m_initialConfigRepeat.stop();
    m_resetTimer.stop();
}

void SensorControl::sensorReset() {
    turnSensorOff();
    m_resetTimer.start();
}

void SensorControl::slotOutputParametersChanged() {
    m_values.vq2data.slotOutputParametersChanged();
    m_values.vq2dataDat5.slotOutputParametersChanged();
    if (sensorInUse()) {
        if (!m_sensorPowered) {
            turnSensorOn();
        }
        return;
    }
    turnSensorOff();
    m_values.bSOG_fromGPS = false;
}

void SensorControl::slotRequestSNF() {
    slotSendInitialConfigToSensor();
    Q_EMIT sigDiagnosticsTest(QStringLiteral("Sensor test"), QStringLiteral("Start"));
}

void SensorControl::slotSendInitialConfigToSensor() {
    if (m_setup.getSystemInStandby()) {
        return;
    }
    if (m_setup.RvN003Setup.values().systemInStandby) {
        // The display went to standby before the power was lost: the unit follows it.
        m_commands.handleStandbyChangeRequest(2, true);
        m_setup.setWakeUpAfterPowerOff(true);
        return;
    }
    if (firstConfigToSensor) {
        m_initialConfigRepeat.start();
    }
    firstConfigToSensor = !firstConfigToSensor;
    Q_EMIT sigSendInitialConfig(VQ2::getInstance()->configuration());
}

void SensorControl::slotSendConfigToSensor() {
    if (!m_setup.getSystemInStandby()) {
        Q_EMIT sigSendConfig(VQ2::getInstance()->configuration());
    }
}

void SensorControl::slotReloadSensorVQ2() {
    if (m_line.getMuteOn() || m_rawReadingOn) {
        return;
    }
    // While raw data or an upgrade owns the line, application sending is off and nothing leaves.
    static const QByteArray kReload("$PNRVFIRM\0\r\n", 12);
    m_line.sendByteArray(kReload, false);
}

void SensorControl::slotStartVQ2RawDataReading(int settings) {
    m_rawReadingOn = true;
    Q_EMIT sigStartRawDataReading(settings);
}

void SensorControl::slotStopVQ2RawDataReading() {
    Q_EMIT sigStopRawDataReading();
    m_rawReadingOn = false;
    sensorReset();
}
