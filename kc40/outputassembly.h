#pragma once

#include "nmeamessage.h"
#include "platform.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class SerialReader;
class SerialSensor;
class SystemSetup;
class SystemVariables;
class udp_multicast_interface;

// What the output cycle asks of the output channel setup. Channels are named "Nmea_1",
// "Nmea_2" and "LAN"; types are the names of the output list ("VBW", "DATR", ...).
class OutputChannelRules {
public:
    virtual ~OutputChannelRules() = default;
    virtual bool isEnabled(const QString& msgType, const QString& channel) const = 0;
    virtual bool isEnabledByAny(const QString& msgType) const = 0;
    virtual bool getChannelUseTwoDecimals(const QString& channel) const = 0;
    virtual int getChannelBaudRate(const QString& channel) const = 0;
    // The channel's setup as the display reads it (ICM 15).
    virtual NmeaMessagePtr getChannelSetupMessage(const QString& channel) const = 0;
};

// The rules answered by any object that has the channel setup's methods of the same names.
template <class Setup> class OutputChannelRulesOf : public OutputChannelRules {
public:
    explicit OutputChannelRulesOf(Setup& setup) : m_setup(setup) {}
    bool isEnabled(const QString& msgType, const QString& channel) const override {
        return m_setup.isEnabled(msgType, channel);
    }
    bool isEnabledByAny(const QString& msgType) const override {
        return m_setup.isEnabledByAny(msgType);
    }
    bool getChannelUseTwoDecimals(const QString& channel) const override {
        return m_setup.getChannelUseTwoDecimals(channel);
    }
    int getChannelBaudRate(const QString& channel) const override {
        return m_setup.getChannelBaudRate(channel);
    }
    NmeaMessagePtr getChannelSetupMessage(const QString& channel) const override {
        return NmeaMessagePtr(m_setup.getChannelSetupMessage(channel));
    }

private:
    Setup& m_setup;
};

// The unit's serial outputs by channel number: 1 "Nmea_1", 2 "Nmea_2", 3 the sensor line.
class SerialOutputs {
public:
    virtual ~SerialOutputs() = default;
    // Bytes written; below 1 when nothing left the unit.
    virtual int send(int channel, const QString& text) = 0;
    // What was written goes onto the lines now, not when the event loop next looks.
    virtual void flush() {}
};

// The unit's own lines behind SerialOutputs.
class UnitSerialOutputs : public SerialOutputs {
public:
    UnitSerialOutputs(SerialReader& nmea1, SerialReader& nmea2, SerialSensor& sensor)
        : m_nmea1(nmea1), m_nmea2(nmea2), m_sensor(sensor) {}
    int send(int channel, const QString& text) override;
    void flush() override;

private:
    SerialReader& m_nmea1;
    SerialReader& m_nmea2;
    SerialSensor& m_sensor;
};

// The ship's network as the output sees it: one sentence, or several as one datagram group.
class NetworkOutput {
public:
    virtual ~NetworkOutput() = default;
    virtual void sendSingle(const NmeaMessagePtr& message) = 0;
    virtual void sendGroup(const QList<NmeaMessagePtr>& messages) = 0;
};

// The unit's network interface behind NetworkOutput.
class UdpNetworkOutput : public NetworkOutput {
public:
    explicit UdpNetworkOutput(udp_multicast_interface& udp) : m_udp(udp) {}
    void sendSingle(const NmeaMessagePtr& message) override;
    void sendGroup(const QList<NmeaMessagePtr>& messages) override;

private:
    udp_multicast_interface& m_udp;
};

// Address and hardware address of a network interface of the board.
using InterfaceAddress = Platform::InterfaceAddress;

// What the output needs from parts that live elsewhere. An empty hook is a part the unit does
// not have: it answers false, nothing, or an empty list.
struct OutputHooks {
    // A new, filled output sentence for a name of the output list (sub-identifier -1); the
    // information sentence ("NFO") for a name it cannot build.
    std::function<NmeaMessagePtr(const QString& name, int sub)> getOutputMsgByName;
    // Whether the service software watches what comes in or goes out on a channel.
    std::function<bool(const QString& channel)> monitorChannelInput;
    std::function<bool(const QString& channel)> monitorChannelOutput;
    // Whether the unit knows a received sentence type; without a hook every type is known.
    std::function<bool(const QString& type)> typeRecognized;
    // The version sentences (VER) asked for by a version request.
    std::function<QList<NmeaMessagePtr>()> createVersionMsg;
    // Refresh the simulated values before the cycle reads them.
    std::function<void()> updateJB_Simulation;
    std::function<void()> updateGPS_Simulation;
    // Speed calibration's own once-a-second sentences, and all its points for the display.
    std::function<void()> calibrationOutputMessages;
    std::function<void()> sendAllCalibrationPoints;
    // Diagnostics sends its default results to the display.
    std::function<void()> getAllDefaults;
    // The speed alarms; water is true for speed through the water, false over the ground.
    std::function<bool()> isAlarmTestActive;
    std::function<void(float speed, bool water)> checkLowSpeed;
    std::function<void(float speed, bool water)> checkHighSpeed;
    std::function<void(float speed)> checkSpeedWarnWater;
    // The older log's speed and distances read over the extension board into the value store.
    std::function<void()> readVq1Speed;
    // The MAC address sent with the outgoing heartbeat; without a hook that of "eth0".
    std::function<QString()> heartbeatMacAddress;
    // The first interface present, for the service software; without a hook "eth0", else
    // "eth1".
    std::function<InterfaceAddress()> serviceInterfaceAddress;
};

// Assembles and routes what the unit sends: the once-a-second output cycle on the serial
// channels (each within what its baud rate carries in a second) and as one datagram group on
// the network, single and grouped network sending, the monitoring echo to the service
// software, the outgoing heartbeat, forwarding of raw sensor data, the configuration for the
// display and the service software, the speed alarm checks and the older log's simulated
// speed. Lives on the main thread; sentences are shared, never copied, unless a copy must
// outlive a change.
class OutputAssembly : public QObject {
    Q_OBJECT
public:
    // The version sentences may go out only this long after start.
    static constexpr int kVersionDelayMs = 30000;
    static constexpr int kHeartbeatPeriodS = 60;
    static constexpr int kHeartbeatSequences = 10;
    // Type code of this unit in the service software's configuration report.
    static constexpr int kServiceSystemType = 136;
    static constexpr int kMonitoringEcho = 3;

    OutputAssembly(SystemSetup& setup, SystemVariables& values, OutputChannelRules& rules,
                   SerialOutputs& serial, NetworkOutput& network, OutputHooks hooks,
                   QObject* parent = nullptr);

    // The text the monitoring echo names a received sentence by: its type, or for a line that
    // could not be parsed the address taken from the line (3 characters dropped, 4 when the
    // second is "P").
    static QString monitoredType(const NmeaMessage& message);

    void sendDiagnosticsInfo(const QString& channel, const QString& direction,
                             const NmeaMessagePtr& message);
    void sendAdditionalInformationMsg(bool reverse);
    void sendConifgurationToServiceSoftware();
    // Stores the direction of travel and tells the display.
    void setReverse(bool reverse);

public Q_SLOTS:
    void slotSendOutputMessages();
    void slotSendOnNmeaOutput(int channel, NmeaMessagePtr message);
    void slotSendSingleOnUdpOutput(NmeaMessagePtr message);
    void slotSendGroupOnUdpOutput(QList<NmeaMessagePtr> messages);
    void slotSendDiagnosticsInfo(const QString& channel, const QString& direction,
                                 NmeaMessagePtr message);
    void slotSendDAT_Messages();
    void slotSendHeratBeatMsg();
    void slotSendConfigurationToDisplay(bool all);
    void slotCheckSpeedLimits();
    void slotReadVq1speed();
    void slotEnableSendVerMsgOnStartup() { sendVERmsg_enabled = true; }

private:
    // One serial channel's share of the current cycle.
    struct SerialBudget {
        QString name;
        int number;
        int limit;
        int used = 0;
    };

    bool inStandby() const;
    // What the channel's line carries in one second at the rate it really runs.
    int charactersPerSecond(const QString& channel) const;
    void runSimulationStep();
    void sendOneOutput(const QString& name, SerialBudget (&serial)[2],
                       QList<NmeaMessagePtr>& lanList);
    void sendLanOnlyDatr();
    // Sends within the channel's budget, or echoes an overflow notice instead.
    // text: the message as formatted for this channel.
    void sendWithinBudget(const NmeaMessagePtr& message, const QString& text,
                          SerialBudget& channel);
    void sendVersionMessages(SerialBudget (&serial)[2]);
    NmeaMessagePtr getDataLoggingMessage() const;
    QString heartbeatMacAddress() const;
    InterfaceAddress serviceInterfaceAddress() const;

    SystemSetup& m_setup;
    SystemVariables& m_values;
    OutputChannelRules& m_rules;
    SerialOutputs& m_serial;
    NetworkOutput& m_network;
    OutputHooks m_hooks;
    int heartBeatOutCounter = 0;
    bool sendVERmsg_enabled = false;
    bool bReverse = false;
};
