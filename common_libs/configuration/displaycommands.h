#pragma once

#include "msgcommands.h"
#include "nmeamessage.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

class MsgICM;
class MsgIDM;
class SystemSetup;

// The display's configuration protocol. Checks every configuration command against the ranges
// of its parameters, applies it to the setup records and answers with the new state; requests
// and negotiates standby with the other units, resets to defaults, runs the software-update
// handshake and takes the connection data of the service software. What the rest of the unit
// must do in consequence it announces with its signals.
class DisplayCommands : public QObject {
    Q_OBJECT
public:
    // Both update packages (bit 0 and bit 1).
    static constexpr int kUpdateTarget = 3;

    explicit DisplayCommands(SystemSetup& setup, QObject* parent = nullptr);

    void resetToDefault(int level);
    // Sends the display the standby state asked for, then confirms it at once when the unit is
    // in it already, else has the sensor switched first.
    void handleStandbyChangeRequest(int parameterCount, bool standby);

    bool getNegotiationRequested() const { return negotiation_requested; }

signals:
    void sigSendSingleOnUdpOutput(NmeaMessagePtr msg);
    void sigUpdateUDP_group();
    void sigMaxVesselSpeedChanged();
    void sigOutputParamsChanged();
    // Standby (true) or wake-up asked while the unit is in the other state: the sensor is
    // muted or woken, and the standby confirmed once it has answered.
    void sigShotDownSensor(bool bOn);
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
    void slotHandleStandbyChangeRequest();

private:
    // A command whose parameters passed their ranges.
    void handleIcm(const MsgICM& msg, const QList<int>& p);
    void handleSimulationCommand(const QList<int>& p);
    void confirmSimulation();
    void handleJbSetupMsg(const QList<int>& p);
    void handleJbSetupMsg(const MsgIDM& msg);
    void handleVq2SetupMsg(const QList<int>& p);
    void handleVq2SetupMsg2(const QList<int>& p);
    void handleChangeAveragingFromTonnage(bool sendBothMessages);
    void handleAlarmLimits(const QList<int>& p);
    void handleAlarmIds(const QList<int>& p);
    void handleCalibration(const QList<int>& p);
    void handleOcfSetupMsg(const MsgICM& msg);
    // Announces the serial outputs whose baud rate is no longer the one given, Nmea_1 first.
    void emitChangedBauds(const QList<int>& before);
    QList<int> serialBauds() const;
    void handleUpdateHandshake(const QList<int>& p);
    // Polls the running download of the update package until the update can start.
    void checkIfTransferFinished();
    void handleStandbyNegotiation(const QList<int>& p);
    void slotUpdateKc40Setup();
    // Announces a changed identity: SRP now, the address change a second later.
    void sendSRP();
    void onIpChangedTimeout() { emit sigChangedIP(); }
    void publishAddress(const QString& address);
    void send(NmeaMessagePtr msg) { emit sigSendSingleOnUdpOutput(std::move(msg)); }
    void sendIcm(msgCommands command, const QList<int>& parameters);

    SystemSetup& m_setup;
    bool tmp_standby_value = false;
    int tmp_standby_msg_length = 0;
    bool negotiation_requested = false;
    int transferCounter = 0;
    bool startUpdate = false;
    QTimer m_negotiationTimer;
};
