#pragma once

#include "alarmhooks.h"
#include "alarminstance.h"
#include "alarmtypes.h"
#include "alertsink.h"
#include "alf_controller.h"
#include "alr_controller.h"
#include "msgalrs.h"
#include "nmeamessage.h"
#include "platformtimer.h"

#include <QList>
#include <QObject>

#include <array>
#include <memory>

// Owns the six alerts of the unit: tests the speed limits, raises and clears the system
// alerts, takes acknowledgements from the operator and from alert management, paces the
// display buzzer and the alarm relay, keeps the display's alert list current and hands every
// change to the reporting scheme chosen in the alarm setup (ALR or ALF), switchable at run time.
class AlarmController : public QObject, public AlertSink {
    Q_OBJECT
public:
    static constexpr float kHysteresisKn = 0.5f;
    static constexpr qint64 kBeepDelayMs = 15'000;
    static constexpr qint64 kDisplayDelayMs = 3'000;
    static constexpr qint64 kStartResetMs = 1'000;
    static constexpr int kDisplayLines = 5;

    explicit AlarmController(QObject* parent = nullptr);

    AlarmHooks& hooks() { return m_hooks; }
    QString utcTimeStamp() const override {
        return m_hooks.utcTimeStamp ? m_hooks.utcTimeStamp() : QString();
    }

    // Speed limits, per sensor data set; water true for speed through water.
    void checkLowSpeed(float speed, bool water);
    void checkHighSpeed(float speed, bool water);
    // The speed-level relay from the longitudinal speed through water.
    void checkSpeedWarnWater(float speed);
    void exitSpeedAlarms();
    void activateAllSpeedAlertsFromTest();

    void setSystemAlarm(SystemAlarmType type);
    void exitSystemAlarm(SystemAlarmType type);

    // Received sentences (ACK, ACN, ALRS); other sentence types are ignored.
    void handleACK(const NmeaMessagePtr& message);
    void handleACN(const NmeaMessagePtr& message);
    void handleALRS(const NmeaMessagePtr& message);
    // The acknowledge and silence keys of the display or an auxiliary input.
    void handleUserACK();
    void handleUserAlarmSilence();
    // Heartbeat supervision of the alert management peer.
    void hbtMessageReceived();
    void hbtMessageNotReceived();

    // Once a second, and every 30 s.
    void periodicalTestAndSend();
    void periodicalSendAlcMSg();

    // Puts an alert sentence on every channel with alarm output enabled.
    void sendAlarmMessage(const NmeaMessagePtr& message) override;
    std::shared_ptr<MsgALRS> getAlarmForDisplay();
    // The display list mode changed (demo, test, mute).
    void notifyChangedWarnState();

    AlarmInstance* getAlertInstance(AlarmSource source) const;
    const std::array<AlarmInstance*, kAlarmSourceCount>& alerts() const override {
        return m_alerts;
    }
    bool useALR() const;
    bool hasUnacknowledged() const { return hasUnacknowledgedAlarm; }
    int pendingBuzzerRequests() const { return m_previousNumberAlerts; }

public slots:
    void slotAlertStateChanged(AlarmSource source);
    void slotAlertBeepDelay();
    void slotSendAlertMsgToDisplay();
    void resetAllAlertsOnStart();
    // The identifiers in the alarm setup changed: each alert takes its new one, keeping the
    // one before; a raised alert whose identifier became 0 is switched off.
    void slotAlertIDChanged();

signals:
    void sigSetAlarmAuxOutput(bool active);
    void sigSetSpeedLimitAuxOutput(bool active);
    // true silences the local buzzer.
    void sigSilenceAlarmBeepOutput(bool silenced);
    void sigSendSingleOnUdp(NmeaMessagePtr message);
    // Channel 1 "Nmea_1", 2 "Nmea_2".
    void sigSendOnNmeaOutput(int channel, NmeaMessagePtr message);

private:
    // The speed alert of that source, or null when its check is switched off (identifier or
    // limit 0), in which case a raised alert of that kind goes away.
    AlarmInstance* speedAlertInUse(AlarmSource source, float limit);
    void checkUnitAck_forAuxOutput();
    void setSpeedLevels(bool low, bool high);
    static QString displayName(const AlarmInstance& alert);
    bool alarmOutputEnabled(const QString& channel) const;
    static bool displayFlag(const std::function<bool()>& hook);

    AlarmHooks m_hooks;
    std::array<AlarmInstance*, kAlarmSourceCount> m_alerts{};
    bool hasUnacknowledgedAlarm = false;
    bool m_alarmOutputOn = false;
    bool bSensorLost = false;
    bool bDisplayLost = false;
    bool bSpeedWaterLimit_L = false;
    bool bSpeedWaterLimit_H = false;
    ALR_Controller alr_Controller;
    ALF_controller alf_Controller;
    int m_previousNumberAlerts = 0;
    PlatformTimer alarmBeepDelay;
    PlatformTimer m_displayDelay;
    PlatformTimer m_startReset;
};
