#pragma once

#include "setuprecord.h"

#include <QObject>

// Alert identifiers reported for the speed and system alarms, file "alarm_ids_setup".
struct AlarmIDs_Setup_S {
    Q_GADGET
    Q_PROPERTY(int stwHighAlarmID MEMBER stwHighAlarmID)
    Q_PROPERTY(int stwLowAlarmID MEMBER stwLowAlarmID)
    Q_PROPERTY(int sogHighAlarmID MEMBER sogHighAlarmID)
    Q_PROPERTY(int sogLowAlarmID MEMBER sogLowAlarmID)
    Q_PROPERTY(int systemAlarmID MEMBER systemAlarmID)
    Q_PROPERTY(bool useALR MEMBER useALR)
    Q_PROPERTY(int escalationTime MEMBER escalationTime)
public:
    int stwHighAlarmID = 3032;
    int stwLowAlarmID = 3032;
    int sogHighAlarmID = 3032;
    int sogLowAlarmID = 3032;
    int systemAlarmID = 3015;
    bool useALR = false;
    int escalationTime = 0;
};

class AlarmIDs_Setup : public SetupRecord<AlarmIDs_Setup_S> {
public:
    AlarmIDs_Setup();

    void getDefaults(int level) override;
    // The identifiers used with ALR reporting.
    void getDefaultsAlr();
    // Stores the whole record from the display; true when an alert identifier changed.
    bool setAlarmIDs(const AlarmIDs_Setup_S& values);

    // 0 STW low, 1 STW high, 2 SOG low, 3 SOG high, 4 and 5 system, else 0.
    int getAlarmIDbyIndex(int index) const;
    // 0 STW low, 1 STW high, 2 SOG low, 3 SOG high, 5 system, -1 none; first match wins.
    int getAlarmSouceByAlarmID(int alarmId) const;

    int getSystemAlarmID() const { return m_s.systemAlarmID; }
    // Minutes an unattended alert waits before it sounds again; 0 switches escalation off.
    int getEscalationTime() const { return m_s.escalationTime; }
    // true: alerts reported with ALR/ACK, false: with ALF/ACN/ALC/ARC.
    bool getUseALR() const { return m_s.useALR; }

    bool stwOn() const { return m_stwOn; }
    void setStwOn(bool on) { m_stwOn = on; }

private:
    void applyIds(const AlarmIDs_Setup_S& ids);

    bool m_stwOn = false;
};
