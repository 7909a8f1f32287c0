#pragma once

#include "alarm/alarmids_setup.h"
#include "alarm/alarmlimits_setup.h"
#include "calibration.h"
#include "channels/outpu_channels_setup.h"
#include "display/rv_n_003_setup.h"
#include "distance/triptotal_setup.h"
#include "junctionbox/kc40_aux_setup.h"
#include "junctionbox/kc40_setup.h"
#include "nmeamessage.h"
#include "sensor/sensoruptimer.h"
#include "simulation/simulationparameters.h"
#include "vessel/vq2_setup.h"

#include <QList>
#include <QObject>

#include <memory>

// The unit's configuration root: owns one record per setting group, each loaded from its
// file at construction (defaults written when the file is missing or unusable), and the state
// the whole unit reads: standby and its confirmation, the averaging in force, the version
// sentences and the configuration pending for the display. The display's commands that change
// the records are carried out by DisplayCommands.
class SystemSetup : public QObject {
    Q_OBJECT
public:
    enum AveragingType { NormalAvr = 1, LowSpeedAvr = 2, GPS_StillAvr = 3 };

    static SystemSetup* getInstance();
    // Drops the configuration so that the next getInstance() loads it anew from the board
    // root then configured; a fresh temporary root gives a factory-new unit.
    static void resetForTests();

    ~SystemSetup() override;

    QString systemType() const { return m_systemType; }

    // Multicast groups by index: MISC TGTD SATD NAVD VDRD RCOM TIME PROP.
    static QString getGroup(int index);
    static int getGroupIndex(const QString& group);
    static bool multicastGroupValid(const QString& group);

    // The messages of every record the display has set, for its pending configuration.
    QList<NmeaMessagePtr> getSetupMsgsListTosend();

    // What the sensor reports about itself, for the version sentences.
    struct SensorIdentity {
        QString serialNumber;
        QString firmwareRevision;
        QString hardwareRevision;
    };
    // The three version sentences (product, junction box, sensor), numbered with the next
    // sequential message identifier (0 to 9).
    QList<NmeaMessagePtr> createVersionMsg(const SensorIdentity& sensor);

    // The unit is now in standby (true) or awake: stored, announced and confirmed to the
    // display.
    void confirmSystemStandby(bool standby);
    // A standby request is on its way: until it is confirmed the display gets the standby
    // state in place of its pending configuration.
    int getCurrentSogAveragingTime() const;
    int getCurrentStwAveragingTime() const;

    bool getSystemInStandby() const { return systemInStandby; }
    bool getWakeUpAfterPowerOff() const { return wakeUpAfterPowerOff; }
    void setWakeUpAfterPowerOff(bool pending) { wakeUpAfterPowerOff = pending; }
    bool getSendVersionInfo() const { return sendVersionInfo; }
    void setSendVersionInfo(bool due) { sendVersionInfo = due; }
    bool getFixSogToLowFrequency() const { return m_fixSogToLowFrequency; }
    void setFixSogToLowFrequency(bool fix) { m_fixSogToLowFrequency = fix; }
    AveragingType getAveragingUsed() const { return averagingUsed; }
    void setAveragingUsed(AveragingType type) { averagingUsed = type; }
    bool sensorFirmware213() const { return m_sensorFirmware213; }
    void setSensorFirmware213(bool atLeast213) { m_sensorFirmware213 = atLeast213; }

    // Records, constructed and loaded in this order.
    AlarmIDs_Setup AlarmIDsSetup;
    AlarmLimits_Setup AlarmLimitsSetup;
    RV_N_003_Setup RvN003Setup;
    VQ2_Setup Vq2Setup;
    KC40_Setup Kc40Setup;
    TripTotal_Setup TripTotalSetup;
    triptotal_SOG_setup triptotal_sog_setup;
    KC40_Aux_Setup Kc40AuxSetup;
    Outpu_Channels_Setup OutputChannelsSetup;
    SensorUpTimer sensTimer;
    calibration calibCoeffs;
    SimulationParameters simulationParameters;

signals:
    // The standby state for the display: confirmed, or still asked for while the display
    // wants its pending configuration.
    void sigSendSingleOnUdpOutput(NmeaMessagePtr msg);
    // The unit is now in standby (true) or awake.
    void sigStandbyConfirmed(bool standby);

private:
    SystemSetup();

    void send(NmeaMessagePtr msg) { emit sigSendSingleOnUdpOutput(std::move(msg)); }
    void sendIcm(msgCommands command, const QList<int>& parameters);

    QString m_systemType = QStringLiteral("KC_40");
    bool m_fixSogToLowFrequency = false;
    bool sendVersionInfo = true;
    bool systemInStandby = false;
    bool wakeUpAfterPowerOff = false;
    AveragingType averagingUsed = NormalAvr;
    bool m_sensorFirmware213 = false;
    int versionMsgSequentialIdentifier = 0;
};
