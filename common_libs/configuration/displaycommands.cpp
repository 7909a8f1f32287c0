#include "displaycommands.h"

#include "channels/default_channels_config.h"
#include "commandranges.h"
#include "configurationlog.h"
#include "filereader.h"
#include "msgicm.h"
#include "msgidm.h"
#include "platform.h"
#include "setupmessages.h"
#include "systemconfiguration.h"
#include "systemsetup.h"

#include <QProcess>

#include <algorithm>
#include <cfloat>
#include <map>

namespace {
constexpr int kNegotiationDelayMs = 10000;
constexpr int kSrpFollowUpMs = 1000;
constexpr int kTransferPollMs = 1000;
constexpr int kTransferRetryMs = 60000;

// Plausible settings from the display, in the scaling of its commands. Where a record already
// limits a value, the range is the record's; the others hold what a real vessel may need.
constexpr ParameterRange kOctet{0, 255};
constexpr ParameterRange kSfiNumber{0, 9999}; // the four digits after a two-letter talker
constexpr ParameterRange kGroupIndex{0, 7};   // the eight multicast groups
constexpr ParameterRange kUpperLetter{'A', 'Z'};
constexpr ParameterRange kSerialNumber{0, 999999999};
constexpr ParameterRange kHardwareNumber{0, 9}; // a hardware version is a letter and a digit
constexpr ParameterRange kDraftX10{0, 400};     // 0..40 m
constexpr ParameterRange kMaxSpeedX10{10, 800}; // 1..80 kn; it spans the calibration zones
constexpr ParameterRange kLengthX10{0, 5000};   // 0..500 m, also the sensor's distance from the bow
constexpr ParameterRange kTonnageX10{0, 10000000}; // 0..1 000 000 t
constexpr ParameterRange kAveragingSeconds{1, 600};
constexpr ParameterRange kCurrentCorrection{0, 2};
constexpr ParameterRange kPingLengthCode{1, 8};
constexpr ParameterRange kPingChangeDepth{0, 3}; // m; the record keeps no more than 3
constexpr ParameterRange kOutputMode{0, 2};      // SOG only, SOG + STW, SAT LOG
constexpr ParameterRange kSamplingDistance{0, 1000};
constexpr ParameterRange kSpeedX10{0, 800}; // 0..80 kn
constexpr ParameterRange kSpeedX100{0, 8000};
constexpr ParameterRange kSimulatedSpeedX100{-8000, 8000}; // astern and sideways as well
constexpr ParameterRange kSimulationSource{0, 3};
constexpr ParameterRange kSimulationState{1, 5}; // 1 request, 2 confirmation, 5 ignored
constexpr ParameterRange kSimulatedDepth{1, 18}; // position in the simulated depths
constexpr ParameterRange kRawSetting{-9999, 9999};
constexpr ParameterRange kResetLevel{0, 2};
constexpr ParameterRange kUpdatePhase{0, 2};
constexpr ParameterRange kAlertIdentifier{0, 9999999}; // 0 switches the alert off
constexpr ParameterRange kEscalationMinutes{0, 60};    // 0 switches escalation off
constexpr ParameterRange kChannel{0, Default_Channels_config::kChannelCount - 1};
constexpr ParameterRange kAlarmOutput{0, 1};               // "ON", "OFF"
constexpr ParameterRange kHeadingAngleX100{-36000, 36000}; // degrees, either convention
constexpr ParameterRange kTiltAngleX100{-9000, 9000};
constexpr ParameterRange kTemperatureX100{-1000, 5000}; // -10..50 degC

// A junction-box command of 15 parameters lacks the fourth software-version part; with it
// inserted, the hardware version always follows at the same positions.
constexpr int kShortJbParameterCount = 15;
constexpr int kJbHardwareLetter = 14;

// The ranges of every display command's parameters, in message order.
const CommandRanges* commandRanges(int command) {
    static const std::map<msgCommands, CommandRanges> table = {
        // Mode, alarm-output test, source, longitudinal and transverse speed, state, second
        // data set, simulated depth, raw-measurement setting.
        {msgCommands::SimulatinCommand,
         {{kFlag, kFlag, kSimulationSource, kSimulatedSpeedX100, kSimulatedSpeedX100,
           kSimulationState, kFlag, kSimulatedDepth, kRawSetting}}},
        // The reply carries its own state in place of the display's.
        {msgCommands::RestToDefault, {{kResetLevel, kNotRead}}},
        {msgCommands::SystemStandby, {{kFlag}}},
        // Address, local ID, group, alarm-ID letters and number, serial number, software
        // version (the unit's own, not read), hardware letter and digit.
        {msgCommands::JBsetupCommand,
         {{kOctet, kOctet, kOctet, kOctet, kSfiNumber, kGroupIndex, kUpperLetter, kUpperLetter,
           kSfiNumber, kSerialNumber, kNotRead, kNotRead, kNotRead, kNotRead, kUpperLetter,
           kHardwareNumber}}},
        // Draft, maximum speed, length, sensor distance from the bow, tonnage, SOG averaging
        // and low-speed averaging, current correction, STW on, GPS SOG on lost bottom,
        // shallow and deep ping length, ping-change depth, two decimals, three fields not
        // read, output mode, new depth switch, one field not read, sampling distance.
        {msgCommands::VQ2setupCommand,
         {.fields =
              {kDraftX10,         kMaxSpeedX10,      kLengthX10,         kLengthX10, kTonnageX10,
               kAveragingSeconds, kAveragingSeconds, kCurrentCorrection, kFlag,      kFlag,
               kPingLengthCode,   kPingLengthCode,   kPingChangeDepth,   kFlag,      kNotRead,
               kNotRead,          kNotRead,          kOutputMode,        kFlag,      kNotRead,
               kSamplingDistance},
          .exactCount = true}},
        // Eight speed limits and levels, 0 switching one off.
        {msgCommands::ALLsetupCommand, {QList<ParameterRange>(8, kSpeedX100)}},
        // Five alert identifiers, ALR reporting, escalation.
        {msgCommands::ALIsetupCommand,
         {{kAlertIdentifier, kAlertIdentifier, kAlertIdentifier, kAlertIdentifier, kAlertIdentifier,
           kFlag, kEscalationMinutes}}},
        // Channel, baud rate (the channel record keeps out the ones it does not support),
        // alarm output, two decimals; then pairs of sentence type (likewise) and enable.
        {msgCommands::OCFsetupCommand,
         {{kChannel, kAnyNumber, kAlarmOutput, kFlag}, {kAnyNumber, kFlag}}},
        // Installation angle, STW offset angle, STW offset on, pitch, roll, two pairs of real
        // and measured temperature, satellite-log angle offset, stop on GPS.
        {msgCommands::CalibrationCoeffitients,
         {{kHeadingAngleX100, kHeadingAngleX100, kFlag, kTiltAngleX100, kTiltAngleX100,
           kTemperatureX100, kTemperatureX100, kTemperatureX100, kTemperatureX100,
           kHeadingAngleX100, kFlag}}},
        {msgCommands::UpdateAvailable, {{kUpdatePhase}}},
        // STW averaging and low-speed averaging, primary frequency high, SOG frequency change
        // threshold.
        {msgCommands::VQ2setup2Command, {{kAveragingSeconds, kAveragingSeconds, kFlag, kSpeedX10}}},
        {msgCommands::StandbyNegotiation, {{kFlag}}},
    };
    const auto found = table.find(static_cast<msgCommands>(command));
    return found == table.end() ? nullptr : &found->second;
}

QList<int> receivedParameters(const MsgICM& icm) {
    QList<int> p = icm.msgParameters();
    if (icm.commandID() == int(msgCommands::JBsetupCommand) && p.size() == kShortJbParameterCount) {
        p.insert(kJbHardwareLetter - 1, 0);
    }
    return p;
}

QString joinedAddress(const QList<int>& parts) {
    QStringList texts;
    for (int part : parts) {
        texts << QString::number(part);
    }
    return texts.join(QLatin1Char('.'));
}

// "10.0.0.5" with four parts of 0..255, else empty.
QString checkedAddress(const QList<int>& parts) {
    const bool usable = parts.size() == 4 && std::all_of(parts.begin(), parts.end(), [](int part) {
                            return kOctet.contains(part);
                        });
    return usable ? joinedAddress(parts) : QString();
}

QString paddedNumber(int number) {
    return QString::number(number).rightJustified(4, QLatin1Char('0'));
}

QString versionFile(const QString& name) {
    return Platform::appPath(QStringLiteral("version_info/") + name);
}
} // namespace

DisplayCommands::DisplayCommands(SystemSetup& setup, QObject* parent)
    : QObject(parent), m_setup(setup) {
    m_negotiationTimer.setSingleShot(true);
    m_negotiationTimer.setInterval(kNegotiationDelayMs);
    connect(&m_negotiationTimer, &QTimer::timeout, this,
            &DisplayCommands::slotHandleStandbyChangeRequest);
}

void DisplayCommands::sendIcm(msgCommands command, const QList<int>& parameters) {
    send(SetupMessages::icm(command, parameters));
}

void DisplayCommands::slotSystemSetupMessage(NmeaMessagePtr msg) {
    if (const auto* icm = dynamic_cast<const MsgICM*>(msg.get())) {
        const int type = icm->commandID();
        const QList<int> p = receivedParameters(*icm);
        const CommandRanges* ranges = commandRanges(type);
        const QString fault = ranges ? ranges->fault(*icm, p) : QString();
        if (fault.isEmpty()) {
            handleIcm(*icm, p);
        } else {
            qCWarning(lcConfiguration).noquote()
                << QStringLiteral("Configuration command %1 rejected, nothing changed: %2")
                       .arg(type)
                       .arg(fault);
        }
    } else if (const auto* idm = dynamic_cast<const MsgIDM*>(msg.get())) {
        if (idm->commandID() == int(msgCommands::JBsetupCommand)) {
            handleJbSetupMsg(*idm);
        }
    }
}

void DisplayCommands::handleIcm(const MsgICM& msg, const QList<int>& p) {
    switch (static_cast<msgCommands>(msg.commandID())) {
    case msgCommands::SimulatinCommand:
        handleSimulationCommand(p);
        break;
    case msgCommands::RestToDefault: {
        QList<int> reply = p;
        reply[1] = 2;
        sendIcm(msgCommands::RestToDefault, reply);
        resetToDefault(p[0]);
        break;
    }
    case msgCommands::SystemStandby:
        handleStandbyChangeRequest(int(p.size()), p[0] != 0);
        break;
    case msgCommands::JBsetupCommand:
        handleJbSetupMsg(p);
        break;
    case msgCommands::VQ2setupCommand:
        handleVq2SetupMsg(p);
        break;
    case msgCommands::ALLsetupCommand:
        handleAlarmLimits(p);
        send(msg.clone());
        break;
    case msgCommands::ALIsetupCommand:
        handleAlarmIds(p);
        break;
    case msgCommands::OCFsetupCommand:
        handleOcfSetupMsg(msg);
        break;
    case msgCommands::CalibrationCoeffitients:
        handleCalibration(p);
        send(msg.clone());
        break;
    case msgCommands::UpdateAvailable:
        handleUpdateHandshake(p);
        break;
    case msgCommands::VQ2setup2Command:
        handleVq2SetupMsg2(p);
        break;
    case msgCommands::UpdateKC40SetupOnDisplay:
        slotUpdateKc40Setup();
        break;
    case msgCommands::StandbyNegotiation:
        send(msg.clone());
        handleStandbyNegotiation(p);
        break;
    default:
        break;
    }
}

void DisplayCommands::handleSimulationCommand(const QList<int>& p) {
    if (p[5] == 5) {
        return;
    }
    const bool modeBefore = m_setup.simulationParameters.SimulationModeOn;
    m_setup.simulationParameters.slotSimulationCommand(p);
    if (p[5] == 1 &&
        (modeBefore == (p[0] != 0) || m_setup.simulationParameters.simulationSource != 0)) {
        confirmSimulation();
    }
}

void DisplayCommands::confirmSimulation() {
    send(m_setup.simulationParameters.simParamsChangeConfirm());
}

void DisplayCommands::handleJbSetupMsg(const QList<int>& p) {
    const KC40_Setup_S& before = m_setup.Kc40Setup.values();
    const QString address = joinedAddress(p.mid(0, 4));
    const QString group = SystemSetup::getGroup(p[5]);
    const bool groupChanged = group != before.group;
    const QString localID = before.localID.left(2) + paddedNumber(p[4]);
    const QString alarmID = QString(QChar(p[6])) + QChar(p[7]) + paddedNumber(p[8]);
    const QString hwVersion =
        QString(QChar(p[kJbHardwareLetter])) + QString::number(p[kJbHardwareLetter + 1]);
    const bool localIdChanged = localID != before.localID;
    const bool addressChanged = address != before.ipAddress;
    m_setup.Kc40Setup.setKc40(address, localID, group, alarmID, quint32(p[9]), hwVersion);
    if (localIdChanged) {
        SystemConfiguration::publishToSentences();
        sendSRP();
    }
    if (addressChanged) {
        publishAddress(address);
        sendSRP();
    }
    send(SetupMessages::createJbSetupMsg(m_setup));
    if (groupChanged) {
        emit sigUpdateUDP_group();
    }
}

void DisplayCommands::handleJbSetupMsg(const MsgIDM& msg) {
    qCInfo(lcConfiguration) << "SystemSetup::handleJbSetupMsg(MsgIDM *msg)";
    const QStringList p = msg.msgParameters();
    if (p.isEmpty()) {
        return;
    }
    m_setup.Kc40Setup.set(&KC40_Setup_S::unitName, p[0]);
    if (p.size() > 2) {
        m_setup.Kc40Setup.set(&KC40_Setup_S::remoteDDC, p[1]);
        m_setup.Kc40Setup.set(&KC40_Setup_S::lowSpeedGPS_Correction, p[2] == QLatin1String("ON"));
        send(SetupMessages::createJbSetupMsgIDM(m_setup));
    }
}

void DisplayCommands::handleVq2SetupMsg(const QList<int>& p) {
    const VQ2_Setup_S before = m_setup.Vq2Setup.values();
    const bool satLogBefore = before.outputParams == VQ2_Setup::kSatLog;
    m_setup.Vq2Setup.setVq2(
        SetupMessages::fromScaled(p[0], 10), SetupMessages::fromScaled(p[1], 10),
        SetupMessages::fromScaled(p[2], 10), SetupMessages::fromScaled(p[3], 10),
        SetupMessages::fromScaled(p[4], 10), p[5], p[6], p[7], p[8] != 0, p[9] != 0, p[10], p[11],
        float(p[12]), p[13] != 0);
    const VQ2_Setup_S& now = m_setup.Vq2Setup.values();
    SystemConfiguration::publishToSentences();
    if (now.shalowWaterPingLenght != before.shalowWaterPingLenght ||
        now.deepWaterPingLenght != before.deepWaterPingLenght ||
        now.depthPingChangeLimit != before.depthPingChangeLimit) {
        emit forceDepthSeitchCheck();
    }
    if (m_setup.Vq2Setup.set(&VQ2_Setup_S::samplingDistance, p[20])) {
        emit sigSendNewConfigToSensor();
    }
    m_setup.Vq2Setup.set(&VQ2_Setup_S::newDepthSwitch, p[18] != 0);
    const bool outputChanged = m_setup.Vq2Setup.setOutputParamsFromInt(p[17]);
    // The alarm IDs follow the mode the display has just chosen.
    m_setup.AlarmIDsSetup.setStwOn(m_setup.Vq2Setup.getOutputParamsToInt() == 1);
    if (outputChanged) {
        emit sigOutputParamsChanged();
    }
    if (now.vesselMaxSpeed != before.vesselMaxSpeed) {
        emit sigMaxVesselSpeedChanged();
    }
    if (now.tonnage != before.tonnage) {
        handleChangeAveragingFromTonnage(false);
    }
    send(SetupMessages::createVq2SetupMsg(m_setup));
    if (satLogBefore && now.outputParams != VQ2_Setup::kSatLog) {
        emit sigRelaunchRequested();
    }
}

void DisplayCommands::handleVq2SetupMsg2(const QList<int>& p) {
    m_setup.Vq2Setup.setSetup2ReceivedFlag(true);
    const VQ2_Setup_S& v = m_setup.Vq2Setup.values();
    if (v.stwAveragingTime != p[0] || v.stwLowSpeedAveragingTime != p[1]) {
        m_setup.Vq2Setup.setAveragingTimes(p[0], p[1], v.averagingTime, v.lowSpeedAveragingTime);
    }
    const bool primaryHigh = p[2] != 0;
    if (primaryHigh != v.primaryFrequencyHigh) {
        m_setup.Vq2Setup.setPrimaryFrequencyHigh(primaryHigh, true);
        emit sigSourceDatChanged(primaryHigh);
    }
    if (m_setup.Vq2Setup.set(&VQ2_Setup_S::sogFrequendcyChangeTreshold,
                             SetupMessages::fromScaled(p[3], 10))) {
        emit sigSogFrequendcyChangeTresholdChanged();
    }
    send(SetupMessages::createVq2SetupMsg2(m_setup));
}

void DisplayCommands::handleChangeAveragingFromTonnage(bool sendBothMessages) {
    struct Band {
        float upToTonnage;
        int stw, stwLowSpeed, sog, sogLowSpeed;
    };
    static constexpr Band kBands[] = {
        {1000.0f, 25, 10, 15, 5}, {50000.0f, 30, 15, 20, 10}, {FLT_MAX, 35, 20, 25, 15}};
    const float tonnage = m_setup.Vq2Setup.values().tonnage;
    const Band& band = *std::find_if(std::begin(kBands), std::end(kBands),
                                     [&](const Band& b) { return tonnage <= b.upToTonnage; });
    m_setup.Vq2Setup.setAveragingTimes(band.stw, band.stwLowSpeed, band.sog, band.sogLowSpeed);
    if (sendBothMessages) {
        send(SetupMessages::createVq2SetupMsg(m_setup));
    }
    send(SetupMessages::createVq2SetupMsg2(m_setup));
}

void DisplayCommands::handleAlarmLimits(const QList<int>& p) {
    AlarmLimits_Setup_S limits;
    float* fields[] = {&limits.stwHighLimit,    &limits.stwLowLimit,     &limits.sogHighLimit,
                       &limits.sogLowLimit,     &limits.speedLevelHigh1, &limits.speedLevelLow1,
                       &limits.speedLevelHigh2, &limits.speedLevelLow2};
    for (int i = 0; i < 8; ++i) {
        *fields[i] = SetupMessages::fromScaled(p[i], 100);
    }
    m_setup.AlarmLimitsSetup.setAlarmLimits(limits);
}

void DisplayCommands::handleAlarmIds(const QList<int>& p) {
    AlarmIDs_Setup_S ids;
    ids.stwHighAlarmID = p[0];
    ids.stwLowAlarmID = p[1];
    ids.sogHighAlarmID = p[2];
    ids.sogLowAlarmID = p[3];
    ids.systemAlarmID = p[4];
    ids.useALR = p[5] != 0;
    ids.escalationTime = p[6];
    if (m_setup.AlarmIDsSetup.setAlarmIDs(ids)) {
        emit sigAlertIdChanged();
    }
    send(SetupMessages::createAliSetupMsg(m_setup));
}

void DisplayCommands::handleCalibration(const QList<int>& p) {
    auto scaled = [&](int i) { return SetupMessages::fromScaled(p[i], 100); };
    m_setup.calibCoeffs.setCalibration(scaled(0), scaled(1), p[2] != 0, scaled(3), scaled(4),
                                       scaled(5), scaled(6), scaled(7), scaled(8), scaled(9),
                                       p[10]);
}

void DisplayCommands::handleOcfSetupMsg(const MsgICM& msg) {
    const QList<int> before = serialBauds();
    const auto result = m_setup.OutputChannelsSetup.setChannel(msg.msgParameters());
    if (result == Outpu_Channels_Setup::ChannelMessage::Dropped) {
        return;
    }
    emitChangedBauds(before);
    if (result == Outpu_Channels_Setup::ChannelMessage::Applied) {
        send(msg.clone());
    } else {
        // What the unit now holds, not what it could not take.
        const QString& channel = Default_Channels_config::channelList[msg.msgParameters()[0]];
        send(SetupMessages::createOcfSetupMsg(m_setup, channel));
    }
}

QList<int> DisplayCommands::serialBauds() const {
    return {
        m_setup.OutputChannelsSetup.getChannelBaudRate(Default_Channels_config::channelList[0]),
        m_setup.OutputChannelsSetup.getChannelBaudRate(Default_Channels_config::channelList[1])};
}

void DisplayCommands::emitChangedBauds(const QList<int>& before) {
    const QList<int> now = serialBauds();
    for (int i = 0; i < now.size(); ++i) {
        if (now[i] != before[i]) {
            emit sigChannelBaudChanged(Default_Channels_config::channelList[i], now[i]);
        }
    }
}

void DisplayCommands::handleUpdateHandshake(const QList<int>& p) {
    switch (p[0]) {
    case 1:
        FileReader::rewriteWholeFile(QStringLiteral("yes"), versionFile("update_now"));
        break;
    case 2:
        if (kUpdateTarget > 1) {
            emit sigFileRemovalRequested(QStringLiteral("/var/www/UP_K105"));
        }
        if (kUpdateTarget % 2 == 1) {
            startUpdate = true;
        }
        checkIfTransferFinished();
        break;
    default:
        break;
    }
}

void DisplayCommands::checkIfTransferFinished() {
    if (startUpdate) {
        FileReader::rewriteWholeFile(QStringLiteral("yess"), versionFile("update_available"));
        startUpdate = false;
        return;
    }
    if (QProcess::execute(QStringLiteral("pidof"), {QStringLiteral("wget")}) != 0) {
        sendIcm(msgCommands::UpdateAvailable, {2, kUpdateTarget});
        startUpdate = true;
        QTimer::singleShot(kTransferRetryMs, this, &DisplayCommands::checkIfTransferFinished);
        return;
    }
    ++transferCounter;
    QTimer::singleShot(kTransferPollMs, this, &DisplayCommands::checkIfTransferFinished);
}

void DisplayCommands::slotUpdateKc40Setup() {
    qCInfo(lcConfiguration) << "slotUpdateKc40Setup";
    send(SetupMessages::createJbSetupMsg(m_setup));
}

void DisplayCommands::handleStandbyNegotiation(const QList<int>& p) {
    tmp_standby_value = p[0] != 0;
    tmp_standby_msg_length = 1;
    negotiation_requested = true;
    m_negotiationTimer.start();
}

void DisplayCommands::slotHandleStandbyChangeRequest() {
    if (negotiation_requested) {
        handleStandbyChangeRequest(tmp_standby_msg_length, tmp_standby_value);
    }
}

void DisplayCommands::handleStandbyChangeRequest(int, bool standby) {
    negotiation_requested = false;
    m_negotiationTimer.stop();
    sendIcm(msgCommands::SystemStandby, {int(standby)});
    if (standby == m_setup.getSystemInStandby()) {
        m_setup.confirmSystemStandby(standby);
    } else {
        emit sigShotDownSensor(standby);
    }
}

void DisplayCommands::resetToDefault(int level) {
    m_setup.AlarmIDsSetup.getDefaults(level);
    m_setup.AlarmLimitsSetup.getDefaults(level);
    m_setup.Vq2Setup.getDefaults(level);
    SystemConfiguration::publishToSentences();
    if (level > 0) {
        emit sigMaxVesselSpeedChanged();
        m_setup.calibCoeffs.getDefaults(level);
    }
    if (level == 2) {
        const QList<int> bauds = serialBauds();
        m_setup.OutputChannelsSetup.getDefaults();
        emitChangedBauds(bauds);
        m_setup.Kc40AuxSetup.getDefaults();
        m_setup.Kc40Setup.getDefaults(level);
        SystemConfiguration::publishToSentences();
        publishAddress(m_setup.Kc40Setup.values().ipAddress);
    }
    // Alerts already raised take the default identifiers.
    emit sigAlertIdChanged();
    if (level == 2) {
        emit sigRebootRequested();
    }
}

void DisplayCommands::updateConnectionInfo(const QString& unitName, const QString& ipAddress,
                                           const QString& localIdNumber, int group) {
    QList<int> parts;
    for (const QString& part : ipAddress.split(QLatin1Char('.'))) {
        bool ok = false;
        parts << part.toInt(&ok);
        if (!ok) {
            parts.last() = -1;
        }
    }
    bool numberOk = false;
    const int number = localIdNumber.toInt(&numberOk);
    if (checkedAddress(parts).isEmpty() || !kGroupIndex.contains(group - 1) || !numberOk ||
        !kSfiNumber.contains(number)) {
        qCWarning(lcConfiguration)
            << "Connection data with an invalid address, ID or group dropped";
        return;
    }
    const bool addressChanged = m_setup.Kc40Setup.set(&KC40_Setup_S::ipAddress, ipAddress);
    const bool idChanged =
        m_setup.Kc40Setup.set(&KC40_Setup_S::localID, QStringLiteral("VD") + paddedNumber(number));
    if (addressChanged) {
        publishAddress(ipAddress);
    }
    m_setup.Kc40Setup.set(&KC40_Setup_S::unitName, unitName);
    if (m_setup.Kc40Setup.set(&KC40_Setup_S::group, SystemSetup::getGroup(group - 1))) {
        emit sigUpdateUDP_group();
    }
    QTimer::singleShot(kSrpFollowUpMs, this, &DisplayCommands::slotUpdateKc40Setup);
    if (addressChanged || idChanged) {
        SystemConfiguration::publishToSentences();
        sendSRP();
    }
}

void DisplayCommands::sendSRP() {
    emit sigChangedSFI();
    QTimer::singleShot(kSrpFollowUpMs, this, &DisplayCommands::onIpChangedTimeout);
}

void DisplayCommands::publishAddress(const QString& address) {
    emit sigIpAddressChanged(address);
}
