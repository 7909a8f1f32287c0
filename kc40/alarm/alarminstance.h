#pragma once

#include "alarmtypes.h"
#include "platformtimer.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <functional>

// One bridge alert and its life: raised, acknowledged, silenced for 30 s, handed over to alert
// management, rectified, ended; re-raised by escalation when left unattended. Every recorded
// change carries a new revision (1..99) and is announced with sigAlertStateChanged.
class AlarmInstance : public QObject {
    Q_OBJECT
public:
    static constexpr qint64 kSilenceMs = 30'000;
    static constexpr int kMaxRevision = 99;
    static constexpr int kMaxEscalation = 9;

    // timeStamp gives the UTC time text of a change (empty when no time is known).
    AlarmInstance(AlarmSource source, AlertCategory category, AlertPriority priority,
                  std::function<QString()> timeStamp, QObject* parent = nullptr);

    void setActive();
    void setAcknowledged();
    void setAcknowledgedInALR();
    void setSilenced();
    void setResponsabilityTransfered();
    void setRectified();
    void reset();

    void setAlertText(const QString& text);
    void setDefaultAlertText();
    // A missed heartbeat of the alert management peer; the second brings the alert back.
    void incrementLostHBTCounter();
    // The peer is alive again.
    void resetLostHBTCounter() { m_lostHbtCounter = 0; }
    void startEscalation();

    int getAlertID() const { return m_alertID; }
    void setAlertID(int id);
    int getPreviousAlertID() const { return m_alertPreviosID; }
    AlarmLevel getAlertState() const { return m_alert_state; }
    AlarmLevel getPreviousAlertState() const { return m_previous_state; }
    QString getAlertText() const { return alertText; }
    QString getAlertCategoryStr() const;
    QString getAlertPriorityStr() const;
    AlertCategory getAlertCategory() const { return alertCategory; }
    AlertPriority getAlertPriority() const { return alertPriority; }
    AlarmSource getAlarmSource() const { return alarmSource; }
    int getAlertInstanceNumber() const { return bAlertInstance; }
    bool isAllowedResponsibilityTransfer() const;
    QDateTime getTimeOfLastChange() const { return m_timeOfLastChange; }
    QString getTimeStampleStateChanged() const { return stateChangedTimeStample; }
    int getRevisionCounter() const { return nRevisionCounter; }
    int getEscalationCounter() const { return nExcalationCounter; }
    int getLostHbtCounter() const { return m_lostHbtCounter; }
    bool isEscalationRunning() const { return m_escalationTimer.isActive(); }
    qint64 escalationIntervalMs() const { return m_escalationTimer.interval(); }
    bool getBuzzerWasActivated() const { return buzzerWasActivated; }
    void setBuzzerWasActivated(bool activated) { buzzerWasActivated = activated; }

    // Records a change: time text, time of change, next revision, announcement.
    void setTimestampleStateChanged();

    // The escalation wait for a number of minutes; 0 when escalation is off.
    static qint64 escalationDelayMs(qint64 minutes);

signals:
    void sigAlertStateChanged(AlarmSource source);

public slots:
    void slotSilenceTimeout();
    void slotEscalationTimeout();

private:
    void enter(AlarmLevel level);
    // An acknowledgement of an alert whose condition is gone ends it: straight back to normal,
    // never through acknowledged-active, which would tell the bridge the condition still holds.
    // Returns whether it was such an alert.
    bool endIfRectified();
    void stopEscalation();
    int idFromSetup() const;

    AlarmLevel m_alert_state = NO_ALARM;
    AlarmLevel m_previous_state = NO_ALARM;
    int nRevisionCounter = 0;
    int nExcalationCounter = 0;
    int bAlertInstance;
    bool buzzerWasActivated = false;
    QString alertText;
    bool alertTextChanged = false;
    AlertCategory alertCategory;
    AlertPriority alertPriority;
    AlarmSource alarmSource;
    int m_alertID = 0;
    int m_alertPreviosID = 0;
    QString stateChangedTimeStample;
    PlatformTimer m_silenceTimer;
    PlatformTimer m_escalationTimer;
    bool m_escalationDelayed = false;
    bool m_previouslySilenced = false;
    QDateTime m_timeOfLastChange;
    int m_lostHbtCounter = 0;
    std::function<QString()> m_timeStamp;
};
