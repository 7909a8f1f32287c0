#pragma once

#include "alarm/alarmids_setup.h"
#include "alarm/alarmlimits_setup.h"
#include "calibration.h"
#include "channels/outpu_channels_setup.h"
#include "display/rv_n_003_setup.h"
#include "distance/triptotal_setup.h"
#include "junctionbox/kc40_setup.h"
#include "nmeamessage.h"
#include "sensor/sensoruptimer.h"
#include "simulation/simulationparameters.h"
#include "vessel/vq2_setup.h"

#include <QList>
#include <QObject>
#include <QTimer>

#include <memory>

class MsgICM;
class MsgIDM;

// The unit's configuration root: owns one record per setting group, each loaded from its
// file at construction (defaults written when the file is missing or unusable), and applies
// the display's configuration commands to them, answering each with the new state.
class SystemSetup : public QObject {
    Q_OBJECT
public:
    enum AveragingType { NormalAvr = 1, LowSpeedAvr = 2, GPS_StillAvr = 3 };
    // Both update packages (bit 0 and bit 1).
    static constexpr int kUpdateTarget = 3;

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

    void initiateReset(int level);
    void resetToDefault(int level);
    void requestSystemStandby(bool standby);
    void requestSystemStandbyNegotiation(bool standby);
    void requestWakeUpAll();
    void handleStandbyChangeRequest(int parameterCount, bool standby);
    void confirmSystemStandby(bool standby);
    void handleChangeAveragingFromTonnage(bool sendBothMessages);
    int getCurrentSogAveragingTime() const;
    int getCurrentStwAveragingTime() const;
    void checkIfTransferFinished();

    bool getSystemInStandby() const { return systemInStandby; }
    bool getStandbyStateConfirmed() const { return standbyStateConfirmed; }
    bool getNegotiationRequested() const { return negotiation_requested; }
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
    int getResetRequestState() const { return resetRequestState; }
    int getResetLevel() const { return resetLevel; }

    // Records, constructed and loaded in this order.
    AlarmIDs_Setup AlarmIDsSetup;
    AlarmLimits_Setup AlarmLimitsSetup;
    RV_N_003_Setup RvN003Setup;
    VQ2_Setup Vq2Setup;
    KC40_Setup Kc40Setup;
    TripTotal_Setup TripTotalSetup;
    triptotal_SOG_setup triptotal_sog_setup;
    Outpu_Channels_Setup OutputChannelsSetup;
    SensorUpTimer sensTimer;
    calibration calibCoeffs;
    SimulationParameters simulationParameters;

signals:
    void sigSendSingleOnUdpOutput(NmeaMessagePtr msg);
    void sigUpdateUDP_group();
    void sigMaxVesselSpeedChanged();
    void sigOutputParamsChanged();
    void sigShotDownSensor(bool bOn);
    // The unit is now in standby (true) or awake.
    void sigStandbyConfirmed(bool standby);
    // A serial output's stored baud rate changed: the line is reopened at the new rate.
    void sigChannelBaudChanged(const QString& outputChannelName, int baudRate);
    void sigSendNewConfigToSensor();
    void forceDepthSeitchCheck();
    void sigSourceDatChanged(bool primary_high);
    void sigSogFrequendcyChangeTresholdChanged();
    void sigChangedIP();
    // The unit's own identifier changed: announce it (SRP).
    void sigChangedSFI();
    // The unit's address changed: the network layer applies it to the interface in use,
    // keeping its gateway, saves the interface settings and resets the transport.
    void sigIpAddressChanged(const QString& address);
    // The display changed an alert identifier: alerts already raised must take it over.
    void sigAlertIdChanged();
    // What the board must do for the configuration, carried out by the unit: restart the
    // board (after a reset of level 2), start a fresh copy of the unit in place of the running
    // one (after leaving satellite-log mode), remove a file (the display's update package,
    // once the display has started its update).
    void sigRebootRequested();
    void sigRelaunchRequested();
    void sigFileRemovalRequested(const QString& boardPath);

public slots:
    // Every ICM/IDM the received-sentence handler routes to the configuration.
    void slotSystemSetupMessage(NmeaMessagePtr msg);
    // Connection data from the service software: the unit's name, address, local-ID number
    // and multicast group (1 to 8). Nothing is taken unless all of them are usable.
    void updateConnectionInfo(const QString& unitName, const QString& ipAddress,
                              const QString& localIdNumber, int group);
    void slotSendUpdateTriggerToJB();
    void slotUpdateAvailable();
    void slotHandleStandbyChangeRequest();
    void confirmSimulation();
    void onIpChangedTimeout() { emit sigChangedIP(); }

private:
    SystemSetup();

    // A command whose parameters passed their ranges.
    void handleIcm(const MsgICM& msg, const QList<int>& p);
    void handleSimulationCommand(const QList<int>& p);
    void handleJbSetupMsg(const QList<int>& p);
    void handleJbSetupMsg(const MsgIDM& msg);
    void handleVq2SetupMsg(const QList<int>& p);
    void handleVq2SetupMsg2(const QList<int>& p);
    void handleAlarmLimits(const QList<int>& p);
    void handleAlarmIds(const QList<int>& p);
    void handleCalibration(const QList<int>& p);
    void handleOcfSetupMsg(const MsgICM& msg);
    // Announces the serial outputs whose baud rate is no longer the one given, Nmea_1 first.
    void emitChangedBauds(const QList<int>& before);
    QList<int> serialBauds() const;
    void handleUpdateHandshake(const QList<int>& p);
    void handleStandbyNegotiation(const QList<int>& p);
    void slotUpdateKc40Setup();
    // Announces a changed identity: SRP now, the address change a second later.
    void sendSRP();
    void publishAddress(const QString& address);
    void send(NmeaMessagePtr msg) { emit sigSendSingleOnUdpOutput(std::move(msg)); }
    void sendIcm(msgCommands command, const QList<int>& parameters);

    QString m_systemType = QStringLiteral("KC_40");
    bool tmp_standby_value = false;
    int tmp_standby_msg_length = 0;
    bool negotiation_requested = false;
    bool m_fixSogToLowFrequency = false;
    bool sendVersionInfo = true;
    bool systemInStandby = false;
    bool standbyStateConfirmed = true;
    bool wakeUpAfterPowerOff = false;
    int resetRequestState = 0;
    int resetLevel = 0;
    int transferCounter = 0;
    bool startUpdate = false;
    AveragingType averagingUsed = NormalAvr;
    bool m_sensorFirmware213 = false;
    int versionMsgSequentialIdentifier = 0;
    QTimer m_negotiationTimer;
};
