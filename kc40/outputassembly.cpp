#include "outputassembly.h"

#include "addresssentences.h"
#include "fixedsentences.h"
#include "logger.h"
#include "msgdtl.h"
#include "msghbt.h"
#include "nmeaparser.h"
#include "platform.h"
#include "sensorinfo.h"
#include "serialreader.h"
#include "serialsensor.h"
#include "setupmessages.h"
#include "systemconfiguration.h"
#include "systemsetup.h"
#include "systemvariables.h"
#include "udp_61162_450.h"
#include "udp_multicast_interface.h"

#include <QDebug>
#include <QTimer>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace {
const QString kNmea1 = QStringLiteral("Nmea_1");
const QString kNmea2 = QStringLiteral("Nmea_2");
const QString kLan = QStringLiteral("LAN");
const QString kIn = QStringLiteral("IN");
const QString kOut = QStringLiteral("OUT");
const QString kDatr = QStringLiteral("DATR");
const QString kDptr = QStringLiteral("DPTR");
constexpr int kSensorChannel = 3;
constexpr int kVersionOfCommands = SetupMessages::kMessageVersion;
// A serial character is ten bits on the line (start, eight data, stop).
constexpr int kBitsPerCharacter = 10;

// The output list, walked in this order every second.
const std::array<QString, 14> kTypeList = {
    QStringLiteral("VBW"), QStringLiteral("VLW"), QStringLiteral("MTW"), QStringLiteral("VHW"),
    QStringLiteral("DPT"), QStringLiteral("ROT"), QStringLiteral("HDT"), QStringLiteral("DLR"),
    QStringLiteral("DLI"), QStringLiteral("DLG"), QStringLiteral("DLM"), kDatr,
    QStringLiteral("CUR"), QStringLiteral("VBWX")};

// Sentences whose speeds follow the channel's one-or-two-decimals choice. The extended dual
// speed keeps its own format.
const std::array<QString, 5> kDecimalTypes = {QStringLiteral("CUR"), QStringLiteral("VBW"),
                                              QStringLiteral("VBWF"), QStringLiteral("VHW"),
                                              QStringLiteral("VLW")};

bool followsChannelDecimals(const NmeaMessage& message) {
    return std::find(kDecimalTypes.begin(), kDecimalTypes.end(), message.messageType()) !=
           kDecimalTypes.end();
}

// The factory's answer for a name it cannot build. Identifiers are keyed by their last three
// letters, so "INFO" and "NFO" are the same sentence.
bool isInformationAnswer(const NmeaMessage& message) {
    return message.messageTypeHash() == NmeaParser::calculateMessageTypeHash(QStringLiteral("NFO"));
}

bool asks(const std::function<bool(const QString&)>& hook, const QString& argument) {
    return hook && hook(argument);
}

template <class Hook, class... Args> void callHook(const Hook& hook, Args&&... args) {
    if (hook) {
        hook(std::forward<Args>(args)...);
    }
}

float validOrAbsent(varFloat& value) {
    return value.getValidity() ? value.getValue() : kAbsentFloat;
}

NmeaMessagePtr monitoringEcho(const QString& channel, const QString& direction, const QString& type,
                              int errorCode) {
    return std::make_shared<MsgIDM>(
        kVersionOfCommands, OutputAssembly::kMonitoringEcho,
        QStringList{channel, direction, type, NmeaParser::NumberToString(errorCode)});
}
} // namespace

int UnitSerialOutputs::send(int channel, const QString& text) {
    switch (channel) {
    case 1:
        return m_nmea1.sendMessage(text);
    case 2:
        return m_nmea2.sendMessage(text);
    case kSensorChannel:
        return m_sensor.sendMessage(text, false);
    default:
        return 0;
    }
}

void UnitSerialOutputs::flush() {
    m_nmea1.flush();
    m_nmea2.flush();
}

void UdpNetworkOutput::sendSingle(const NmeaMessagePtr& message) {
    m_udp.slotSendSingleMsg(message);
}

void UdpNetworkOutput::sendGroup(const QList<NmeaMessagePtr>& messages) {
    m_udp.slotSendListOfMsgs(messages);
}

OutputAssembly::OutputAssembly(SystemSetup& setup, SystemVariables& values,
                               OutputChannelRules& rules, SerialOutputs& serial,
                               NetworkOutput& network, OutputHooks hooks, QObject* parent)
    : QObject(parent), m_setup(setup), m_values(values), m_rules(rules), m_serial(serial),
      m_network(network), m_hooks(std::move(hooks)) {
    QTimer::singleShot(kVersionDelayMs, this, &OutputAssembly::slotEnableSendVerMsgOnStartup);
}

bool OutputAssembly::inStandby() const {
    return m_setup.getSystemInStandby();
}

int OutputAssembly::charactersPerSecond(const QString& channel) const {
    return SerialReader::lineBaudRate(m_rules.getChannelBaudRate(channel)) / kBitsPerCharacter;
}

void OutputAssembly::slotSendOutputMessages() {
    if (inStandby()) {
        return;
    }
    runSimulationStep();

    QList<NmeaMessagePtr> lanList;
    SerialBudget serial[2] = {{kNmea1, 1, charactersPerSecond(kNmea1)},
                              {kNmea2, 2, charactersPerSecond(kNmea2)}};
    for (const QString& name : kTypeList) {
        if (m_rules.isEnabledByAny(name)) {
            sendOneOutput(name, serial, lanList);
        }
    }
    // The cycle leaves each line in one write.
    m_serial.flush();
    lanList.append(SetupMessages::createSensorTimerMsg(m_setup));
    slotSendGroupOnUdpOutput(lanList);

    callHook(m_hooks.calibrationOutputMessages);
    if (m_setup.getSendVersionInfo() && sendVERmsg_enabled) {
        sendVersionMessages(serial);
    }
    slotSendSingleOnUdpOutput(getDataLoggingMessage());
}

void OutputAssembly::runSimulationStep() {
    const SimulationParameters& simulation = m_setup.simulationParameters;
    if (!simulation.SimulationModeOn ||
        simulation.simulationSource == SimulationParameters::SENSOR_FIXED_SPEED) {
        return;
    }
    if (simulation.simulationSource == SimulationParameters::KC_40_FIXED_SPEED) {
        callHook(m_hooks.updateJB_Simulation);
    } else {
        callHook(m_hooks.updateGPS_Simulation);
    }
}

void OutputAssembly::sendOneOutput(const QString& name, SerialBudget (&serial)[2],
                                   QList<NmeaMessagePtr>& lanList) {
    if (name == kDatr) {
        sendLanOnlyDatr();
        return;
    }
    const NmeaMessagePtr message =
        m_hooks.getOutputMsgByName ? m_hooks.getOutputMsgByName(name, -1) : nullptr;
    if (!message || isInformationAnswer(*message)) {
        return;
    }
    if (name == QLatin1String("VBW") || name == QLatin1String("DLM")) {
        Logger::instance()->append(message->getMsgBuffer(), Logger::LOG_INFO);
    }
    // One sentence object serves every channel; each new decimals setting drops the text
    // formatted for the channel before. Channels with the same decimals share one formatting.
    const bool decimalsPerChannel = followsChannelDecimals(*message);
    QString text;
    int textDecimals = 0;
    for (SerialBudget& channel : serial) {
        if (!m_rules.isEnabled(name, channel.name)) {
            continue;
        }
        const int decimals =
            decimalsPerChannel ? (m_rules.getChannelUseTwoDecimals(channel.name) ? 2 : 1) : 0;
        if (text.isEmpty() || decimals != textDecimals) {
            if (decimalsPerChannel) {
                message->setNumber_of_decimals(decimals);
            }
            text = message->getMsgBuffer();
            textDecimals = decimals;
        }
        sendWithinBudget(message, text, channel);
    }
    if (m_rules.isEnabled(name, kLan)) {
        if (decimalsPerChannel) {
            message->setNumber_of_decimals(m_setup.Vq2Setup.numberOfDecimals());
        }
        lanList.append(message);
    }
}

void OutputAssembly::sendLanOnlyDatr() {
    if (!m_hooks.getOutputMsgByName) {
        return;
    }
    const NmeaMessagePtr datr = m_hooks.getOutputMsgByName(kDatr, -1);
    const NmeaMessagePtr dptr = m_hooks.getOutputMsgByName(kDptr, -1);
    QList<NmeaMessagePtr> group;
    for (const NmeaMessagePtr& message : {datr, dptr}) {
        if (message && !isInformationAnswer(*message)) {
            Logger::instance()->append(message->getMsgBuffer(), Logger::LOG_INFO);
            group.append(message);
        }
    }
    if (m_rules.isEnabled(kDatr, kLan) && !group.isEmpty()) {
        slotSendGroupOnUdpOutput(group);
    }
}

void OutputAssembly::sendWithinBudget(const NmeaMessagePtr& message, const QString& text,
                                      SerialBudget& channel) {
    if (channel.used + text.size() >= channel.limit) {
        sendDiagnosticsInfo(channel.name, kOut, std::make_shared<MsgOvf>());
        return;
    }
    if (m_serial.send(channel.number, text) < 1) {
        qDebug().noquote()
            << QStringLiteral("Error sending msg on NMEA_%1\r\n").arg(channel.number);
        return;
    }
    channel.used += static_cast<int>(text.size());
    sendDiagnosticsInfo(channel.name, kOut, message);
}

void OutputAssembly::sendVersionMessages(SerialBudget (&serial)[2]) {
    const QList<NmeaMessagePtr> versions =
        m_hooks.createVersionMsg ? m_hooks.createVersionMsg() : QList<NmeaMessagePtr>();
    for (const NmeaMessagePtr& version : versions) {
        if (!version) {
            continue;
        }
        const QString text = version->getMsgBuffer();
        for (SerialBudget& channel : serial) {
            sendWithinBudget(version, text, channel);
        }
        qDebug().noquote() << " SEND VER MESSAGE: " << text;
        slotSendSingleOnUdpOutput(version);
    }
    m_setup.setSendVersionInfo(false);
}

NmeaMessagePtr OutputAssembly::getDataLoggingMessage() const {
    VQ2DataModel& dat4 = m_values.vq2data;
    return std::make_shared<MsgDTL>(m_values.getSOG_R_GPS(), 0.0f, 0.0f, 0.0f, 0.0f,
                                    validOrAbsent(dat4.stwResBoatCallibrated),
                                    validOrAbsent(dat4.sogResBoatCallibrated));
}

void OutputAssembly::slotSendOnNmeaOutput(int channel, NmeaMessagePtr message) {
    if (!message || inStandby()) {
        return;
    }
    const QString text = message->getMsgBuffer();
    if (channel == 1 || channel == 2) {
        if (m_serial.send(channel, text) < 1) {
            qDebug().noquote() << QStringLiteral("Error sending msg on NMEA_%1\r\n").arg(channel);
            return;
        }
        sendDiagnosticsInfo(channel == 1 ? kNmea1 : kNmea2, kOut, message);
    } else if (channel == kSensorChannel) {
        m_serial.send(kSensorChannel, text);
        slotSendSingleOnUdpOutput(message);
    }
}

void OutputAssembly::slotSendSingleOnUdpOutput(NmeaMessagePtr message) {
    if (!message) {
        return;
    }
    // An echo is not echoed again.
    if (message->fullType() != QLatin1String("IDM3")) {
        sendDiagnosticsInfo(kLan, kOut, message);
    }
    m_network.sendSingle(message);
}

void OutputAssembly::slotSendGroupOnUdpOutput(QList<NmeaMessagePtr> messages) {
    messages.removeAll(nullptr);
    if (messages.isEmpty()) {
        return;
    }
    for (const NmeaMessagePtr& message : messages) {
        sendDiagnosticsInfo(kLan, kOut, message);
    }
    m_network.sendGroup(messages);
}

void OutputAssembly::slotSendDiagnosticsInfo(const QString& channel, const QString& direction,
                                             NmeaMessagePtr message) {
    sendDiagnosticsInfo(channel, direction, message);
}

QString OutputAssembly::monitoredType(const NmeaMessage& message) {
    if (message.messageType() != QLatin1String("ERR")) {
        return message.messageType();
    }
    const QString received = message.receivedText();
    const QString address = received.left(received.indexOf(QLatin1Char(',')));
    const bool proprietary = address.size() > 1 && address.at(1) == QLatin1Char('P');
    return address.mid(proprietary ? 4 : 3);
}

void OutputAssembly::sendDiagnosticsInfo(const QString& channel, const QString& direction,
                                         const NmeaMessagePtr& message) {
    if (!message || inStandby()) {
        return;
    }
    if (direction == kIn) {
        if (!asks(m_hooks.monitorChannelInput, channel)) {
            return;
        }
        int errorCode = 0;
        if (message->errorType() != NO_ERROR) {
            errorCode = 2;
        } else if (m_hooks.typeRecognized && !m_hooks.typeRecognized(message->messageType())) {
            errorCode = 1;
        }
        m_network.sendSingle(
            monitoringEcho(channel, QStringLiteral("Input"), monitoredType(*message), errorCode));
    } else if (direction == kOut) {
        if (!asks(m_hooks.monitorChannelOutput, channel)) {
            return;
        }
        m_network.sendSingle(
            monitoringEcho(channel, QStringLiteral("Output"), message->messageType(), 0));
    }
}

void OutputAssembly::slotSendDAT_Messages() {
    if (!m_rules.isEnabled(kDatr, kLan)) {
        return;
    }
    // Copies: the held sentences are replaced by the next sensor data.
    QList<NmeaMessagePtr> group;
    for (const varNmeaMsg* held : {&m_values.msgDAT4, &m_values.msgDAT5}) {
        if (held->getValidity() && held->getNmeaMessage() != nullptr) {
            group.append(NmeaMessagePtr(held->getNmeaMessage()->clone()));
        }
    }
    slotSendGroupOnUdpOutput(group);
    m_values.msgDAT4.setValidity(false);
}

void OutputAssembly::slotSendHeratBeatMsg() {
    const NmeaMessagePtr heartbeat =
        std::make_shared<MsgHBT>(kHeartbeatPeriodS, QStringLiteral("A"), heartBeatOutCounter);
    heartBeatOutCounter = (heartBeatOutCounter + 1) % kHeartbeatSequences;
    slotSendOnNmeaOutput(1, heartbeat);
    slotSendOnNmeaOutput(2, heartbeat);
    slotSendSingleOnUdpOutput(heartbeat);
    slotSendSingleOnUdpOutput(
        SetupMessages::idm(msgCommands::ProprietaryHeartbeat,
                           {m_setup.Kc40Setup.values().localID, heartbeatMacAddress()}));
}

QString OutputAssembly::heartbeatMacAddress() const {
    if (m_hooks.heartbeatMacAddress) {
        return m_hooks.heartbeatMacAddress();
    }
    const std::optional<InterfaceAddress> eth0 = Platform::interfaceAddress(QStringLiteral("eth0"));
    return eth0 ? eth0->mac : QString();
}

void OutputAssembly::sendAdditionalInformationMsg(bool reverse) {
    slotSendSingleOnUdpOutput(SetupMessages::icm(msgCommands::AdditionalInfo, {reverse ? 1 : 0}));
}

void OutputAssembly::setReverse(bool reverse) {
    bReverse = reverse;
    sendAdditionalInformationMsg(reverse);
}

void OutputAssembly::slotSendConfigurationToDisplay(bool all) {
    if (inStandby()) {
        return;
    }
    if (!all) {
        const QList<NmeaMessagePtr> pending = m_setup.getSetupMsgsListTosend();
        if (!pending.isEmpty()) {
            slotSendGroupOnUdpOutput(pending);
        }
        return;
    }
    callHook(m_hooks.sendAllCalibrationPoints);
    callHook(m_hooks.getAllDefaults);
    QList<NmeaMessagePtr> group;
    for (const QString& channel : {kNmea1, kNmea2, kLan}) {
        group.append(m_rules.getChannelSetupMessage(channel));
    }
    group << SetupMessages::createAliSetupMsg(m_setup) << SetupMessages::createAllSetupMsg(m_setup)
          << SetupMessages::createAuclSetupMsg(m_setup) << SetupMessages::createJbSetupMsg(m_setup)
          << SetupMessages::createJbSetupMsgIDM(m_setup)
          << SetupMessages::createVq2SetupMsg(m_setup) << SetupMessages::createVq2SetupMsg2(m_setup)
          << SetupMessages::createCalibrationCoeffsMsg(m_setup)
          << m_setup.simulationParameters.simParamsChangeConfirm();
    slotSendGroupOnUdpOutput(group);
    sendAdditionalInformationMsg(bReverse);
}

void OutputAssembly::sendConifgurationToServiceSoftware() {
    const KC40_Setup_S& unit = m_setup.Kc40Setup.values();
    const SensorInfo* sensor = SensorInfo::getInstance();
    const InterfaceAddress address = serviceInterfaceAddress();

    auto identity = std::make_shared<MsgCFGR>(1);
    identity->setSystemType(kServiceSystemType);
    identity->setSystemName(unit.unitName);
    identity->setSerialNo(QString::number(unit.serialNumber));
    identity->setFirmwareVer(KC40_Setup::kSoftwareVersion);
    identity->setVq2_serNo(sensor->serialNumber);
    identity->setVq2_firmwVer(sensor->firmwereRev);

    auto network = std::make_shared<MsgCFGR>(2);
    network->setIp(address.ip);
    network->setMac(address.mac);
    network->setSfi(SystemConfiguration::getSource().right(4));
    network->setDestSfi(QString());
    network->setGroup(UDP_61162_450::groupNameToIndex(unit.group) + 1);

    slotSendGroupOnUdpOutput({identity, network});
}

InterfaceAddress OutputAssembly::serviceInterfaceAddress() const {
    if (m_hooks.serviceInterfaceAddress) {
        return m_hooks.serviceInterfaceAddress();
    }
    for (const QString& name : {QStringLiteral("eth0"), QStringLiteral("eth1")}) {
        if (const std::optional<InterfaceAddress> present = Platform::interfaceAddress(name)) {
            return *present;
        }
    }
    return {};
}

void OutputAssembly::slotCheckSpeedLimits() {
    if (m_hooks.isAlarmTestActive && m_hooks.isAlarmTestActive()) {
        return;
    }
    VQ2DataModel& water = *m_values.currentVQ2stwData;
    VQ2DataModel& ground = *m_values.currentVQ2data;
    if (water.stwResBoatCallibrated.getValidity()) {
        const float speed = water.stwResBoatCallibrated.getValue();
        callHook(m_hooks.checkLowSpeed, speed, true);
        callHook(m_hooks.checkHighSpeed, speed, true);
    }
    if (water.stwLongBoatCallibrated.getValidity()) {
        callHook(m_hooks.checkSpeedWarnWater, water.stwLongBoatCallibrated.getValue());
    }
    if (ground.sogResBoatCallibrated.getValidity()) {
        const float speed = ground.sogResBoatCallibrated.getValue();
        callHook(m_hooks.checkLowSpeed, speed, false);
        callHook(m_hooks.checkHighSpeed, speed, false);
    }
}

void OutputAssembly::slotReadVq1speed() {
    const SimulationParameters& simulation = m_setup.simulationParameters;
    const bool simulated =
        simulation.SimulationModeOn &&
        m_setup.Vq2Setup.values().outputParams != VQ2_Setup::kSogOnly &&
        (simulation.simulationSource == SimulationParameters::KC_40_FIXED_SPEED ||
         simulation.simulationSource == SimulationParameters::GPS_SPEED);
    if (!simulated) {
        callHook(m_hooks.readVq1Speed);
        return;
    }
    float longitudinal = simulation.fixedSpeedLong;
    float transverse = simulation.fixedSpeedTra;
    if (simulation.simulationSource == SimulationParameters::GPS_SPEED) {
        longitudinal = m_values.getSOG_L_GPS();
        transverse = m_values.getSOG_T_GPS();
    }
    if (longitudinal == kAbsentFloat || transverse == kAbsentFloat) {
        return;
    }
    m_values.speedToWater_VQ1.setValue(
        std::sqrt(longitudinal * longitudinal + transverse * transverse),
        static_cast<quint64>(Clock::currentMSecsSinceEpoch()));
}
