#pragma once

#include "nmeaerrorcounter.h"
#include "nmeamessage.h"
#include "receivednavigation.h"
#include "sensorsimulationcheck.h"

#include <QHash>
#include <QObject>
#include <QString>

#include <functional>

class MsgBLNK;
class MsgDAT;
class MsgEPV;
class MsgICM;
class MsgIDM;
class MsgMACA;
class MsgSAF;
class MsgSCF;
class MsgSNF;
class MsgSRP;
class MsgSTL;
class MsgVER;
class MsgVMPCGTER;
class VQ2_Handler;

// The single entry for every sentence that reaches the unit. Sources: 0 network, 1 "Nmea_1",
// 2 "Nmea_2", -1 the sensor line. Damaged sentences are counted and dropped; navigation data
// goes into the system variables, sensor data to the sensor data handler, and display and
// service commands leave as signals for the objects that carry them out.
class ReceivedNmeaHandler : public QObject {
    Q_OBJECT
public:
    static constexpr int kSourceNetwork = 0;
    static constexpr int kSourceNmea1 = 1;
    static constexpr int kSourceNmea2 = 2;
    static constexpr int kSourceSensor = -1;

    // Reports the parse faults of received sentences by their error identity.
    static NmeaErrorCounter errorCounter;

    explicit ReceivedNmeaHandler(QObject* parent = nullptr);

    void setVq2Handler(VQ2_Handler* handler) { vq2_Handler = handler; }
    // Whether the sensor is alive; while it is not, GPS gives the ground speed.
    void setSensorValidQuery(std::function<bool()> query);
    // Whether raw sensor data ("DATR") is sent on any channel.
    void setDatrEnabledQuery(std::function<bool()> query) { m_datrEnabled = std::move(query); }

    // Sentences from the network and the NMEA channels.
    void handleReceived(const NmeaMessagePtr& message, int source);
    // The dispatcher; sensor sentences enter here directly.
    void handleMessages(const NmeaMessagePtr& message, int source);

    // The monitoring echo of a channel ("Nmea_1", "Nmea_2", "LAN") to the service software.
    bool monitorChannelInput(const QString& channel) const;
    bool monitorChannelOutput(const QString& channel) const;
    void setMonitorChannelInput(const QString& channel, bool on);
    void setMonitorChannelOutput(const QString& channel, bool on);
    // Whether the unit reads sentences of this type.
    static bool typeRecognized(const QString& type);

    // Simulation ended: the sensor's answers are judged afresh next time.
    void resetSensorSimulationCheck() { m_simulationCheck.reset(); }
    const SensorSimulationCheck& sensorSimulationCheck() const { return m_simulationCheck; }

Q_SIGNALS:
    void sigSendSingleOnUdpOutput(NmeaMessagePtr message);
    void sigSendOnNmeaOutput(int channel, NmeaMessagePtr message);
    void sigSystemSetupMessage(NmeaMessagePtr message);
    // Connection data from the service software, its address a dotted IPv4 address.
    void sigConnectionData(const QString& unitName, const QString& ipAddress,
                           const QString& localIdNumber, int group);
    void sigAuxSetupMessage(NmeaMessagePtr message);
    void sigCalibrationCommandReceived(NmeaMessagePtr message);
    void sigSendConfigurationToDisplay(bool all);
    void sigSendConfigurationToServiceSoftware();
    void sigFittnesPulseReceived();
    void sigUserAcknowledge();
    void sigUserSilence();
    void sigDisplayHeartBeatReceived(const QString& displayId, const QString& macAddress);
    void sigDiagnosticsTest(const QString& test, const QString& command);
    // The sensor answered a request (its SNF or the echo of a command); what it said about
    // itself is taken in by then.
    void sigSensorAnswered();
    void sigHeartBeatReceived(NmeaMessagePtr message);
    void sigAckReceived(NmeaMessagePtr message);
    void sigAcnReceived(NmeaMessagePtr message);
    void sigAlrsReceived(NmeaMessagePtr message);
    // Mute (true) or unmute the sensor, on request of another speed log.
    void sigSynchRequest(bool mute);
    // A sensor that sends data is not muted.
    void sigSynchConfirmed(bool muted);
    // Sensor data arrived; dat4 for the primary data set, the sensor's sign of life.
    void sigSensorDataReceived(bool dat4);
    // Raw sensor data is due on the channels that carry it.
    void sigSendOutputMessages();
    void sigSetTripTotalVQ1(float trip, float total);
    void sigForwReverseChanged(bool reverse);
    void sigSendSRP();
    void sigMacAddress(const QString& interfaceName, const QString& macAddress);

private:
    // What the unit does with one sentence type; source as for handleMessages.
    using Handler = void (ReceivedNmeaHandler::*)(const NmeaMessagePtr& message, int source);
    // The handlers by the dispatch key of their sentence type.
    static const QHash<quint32, Handler>& handlers();
    // A navigation sentence into the navigation inputs.
    template <class Sentence, bool (ReceivedNavigation::*Handle)(const Sentence&, quint64)>
    void navigate(const NmeaMessagePtr& message, int source);
    // A handler of one sentence class, given the sentence as that class.
    template <class Sentence,
              void (ReceivedNmeaHandler::*Handle)(const NmeaMessagePtr&, const Sentence&, int)>
    void typed(const NmeaMessagePtr& message, int source);

    void handleDat(const NmeaMessagePtr& message, const MsgDAT& dat, int source);
    void checkSensorSimulation(const MsgDAT& dat);
    void handleSnf(const NmeaMessagePtr& message, int source);
    void applySensorFirmware(const MsgSNF& snf);
    void handleCfg(const NmeaMessagePtr& message, int source);
    void handleWind(const NmeaMessagePtr& message, int source);
    void forwardAck(const NmeaMessagePtr& message, int source);
    void forwardAcn(const NmeaMessagePtr& message, int source);
    void forwardAlrs(const NmeaMessagePtr& message, int source);
    void forwardHeartBeat(const NmeaMessagePtr& message, int source);
    void forwardSleep(const NmeaMessagePtr& message, int source);
    void handleIcm(const NmeaMessagePtr& message, const MsgICM& icm, int source);
    void handleIdm(const NmeaMessagePtr& message, const MsgIDM& idm, int source);
    void handleEpv(const NmeaMessagePtr& message, const MsgEPV& epv, int source);
    void handleReverse(const QString& value);
    void handleSimulation(int property, const QString& value);
    void handleSrp(const NmeaMessagePtr& message, const MsgSRP& srp, int source);
    void handleServiceConfigurationRequest(const NmeaMessagePtr& message, int source);
    void handleScf(const NmeaMessagePtr& message, const MsgSCF& scf, int source);
    void handleVer(const NmeaMessagePtr& message, const MsgVER& ver, int source);
    void handleMaca(const NmeaMessagePtr& message, const MsgMACA& maca, int source);
    void handleTer(const NmeaMessagePtr& message, const MsgVMPCGTER& ter, int source);
    void handleBlnk(const NmeaMessagePtr& message, const MsgBLNK& blnk, int source);
    void handleDdc(const NmeaMessagePtr& message, int source);
    void handleStl(const NmeaMessagePtr& message, const MsgSTL& stl, int source);
    void handleSaf(const NmeaMessagePtr& message, const MsgSAF& saf, int source);
    void resetWaterTrip(const NmeaMessagePtr& message, int source);
    void resetGroundTrip(const NmeaMessagePtr& message, int source);
    void resetTotals(const NmeaMessagePtr& message, int source);
    void resetSensorHours(const NmeaMessagePtr& message, int source);
    // A copy on channel 1, a copy on channel 2 and the sentence on the network.
    void sendOnAllChannels(const NmeaMessagePtr& message);
    void replyTo(int source, const NmeaMessagePtr& reply);

    struct MonitorState {
        bool input = false;
        bool output = false;
    };

    VQ2_Handler* vq2_Handler = nullptr;
    ReceivedNavigation m_navigation;
    QHash<QString, MonitorState> channelsMonitorState;
    SensorSimulationCheck m_simulationCheck;
    std::function<bool()> m_datrEnabled = [] { return false; };
};
