#pragma once

#include "alarmtypes.h"
#include "nmeamessage.h"

#include <QObject>
#include <QString>

#include <functional>

class SystemSetup;
class SystemVariables;

// Watches the traffic the unit lives on: the sensor's data, the display's heartbeat and the
// heartbeat of the alert management peer. The scheduler counts the silence; this decides what a
// silence means (a lost sensor or display is a system alarm, unless the unit is in standby or
// system alarms are off) and what the traffic's return clears.
class HeartbeatSupervision : public QObject {
    Q_OBJECT
public:
    using DisplayConnectedCheck = std::function<bool(const QString& id, const QString& mac)>;

    HeartbeatSupervision(SystemSetup& setup, SystemVariables& values, QObject* parent = nullptr);

    // False while the sensor is reported lost.
    bool isVQ2_SensorValid() const { return !sensorHeartBeatAlarmOn; }
    bool isReceiveDataFromSensor() const { return m_receiveDataFromSensor; }
    // Whether a display heartbeat comes from a paired display; only such a heartbeat clears
    // "display lost".
    void setDisplayConnectedCheck(DisplayConnectedCheck check);

public Q_SLOTS:
    // Sensor data arrived; dat4 for the primary data set, the sensor's sign of life.
    void slotSensorDataReceived(bool dat4);
    // No sensor sentence for a supervision period.
    void slotSensorHeratBeatAlarm();
    void slotDisplayHeartBeatReceived(const QString& id, const QString& mac);
    // The display has been silent for a supervision period.
    void slotDisplayHeratBeatAlarm();
    // A heartbeat; the alert management peer's is known by the junction box's alarm identifier.
    void slotHeartBeatBamCam(NmeaMessagePtr message);
    // Once a second: the sensor's up-time counts while its data arrives.
    void slotCountSensorUpTime();

Q_SIGNALS:
    void sigSetSystemAlarm(SystemAlarmType type);
    void sigExitSystemAlarm(SystemAlarmType type);
    void sigResetDisplayHeartBeat();
    void sigResetSensorHeartBeat();
    void sigReceivedHbtFromBam();
    // The display was lost and must pair again.
    void sigDisconnectFromPaired();
    // The sensor is back after it was lost: it needs its configuration again.
    void sigSensorReturned();
    // Pings the depth sounder pulse: true while the measured depth is shallow.
    void sigPingPulse(bool shallow);
    void sigSendSingleOnUdpOutput(NmeaMessagePtr message);

private:
    // The sensor's sign of life: clears a sensor-lost alarm and restarts the supervision.
    void notifySensorMsgReceived();
    void clearSensorLost();

    SystemSetup& m_setup;
    SystemVariables& m_values;
    bool displayHeartBeatAlarmOn = false;
    bool sensorHeartBeatAlarmOn = false;
    bool m_receiveDataFromSensor = false;
    DisplayConnectedCheck m_displayConnected;
};
