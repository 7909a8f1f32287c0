#include "systemsetup.h"

#include "channels/default_channels_config.h"
#include "commandranges.h"
#include "compiledateandtime.h"
#include "configurationlog.h"
#include "filereader.h"
#include "msgicm.h"
#include "msgidm.h"
#include "msgver.h"
#include "platform.h"
#include "sensor/deviceinfo.h"
#include "setupmessages.h"
#include "systemconfiguration.h"

#include <QProcess>

#include <algorithm>
#include <cfloat>
#include <map>

namespace {
constexpr int kNegotiationDelayMs = 10000;
constexpr int kSrpFollowUpMs = 1000;
constexpr int kTransferPollMs = 1000;
constexpr int kTransferRetryMs = 60000;

const QStringList kGroups = {"MISC", "TGTD", "SATD", "NAVD", "VDRD", "RCOM", "TIME", "PROP"};

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

constexpr int kVersionSentences = 3;
constexpr int kVersionSequenceCount = 10;

std::unique_ptr<SystemSetup>& instanceSlot() {
    static std::unique_ptr<SystemSetup> instance;
    return instance;
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

SystemSetup* SystemSetup::getInstance() {
    auto& slot = instanceSlot();
    if (!slot) {
        slot.reset(new SystemSetup);
        SystemConfiguration::publishToSentences();
    }
    return slot.get();
}

void SystemSetup::resetForTests() {
    instanceSlot().reset();
}

SystemSetup::SystemSetup() : Vq2Setup(CompileDateAndTime::getCompileTimestampAsNumber()) {
    connect(&simulationParameters, &SimulationParameters::sigConfirmSimulation, this,
            &SystemSetup::confirmSimulation);
    m_negotiationTimer.setSingleShot(true);
    m_negotiationTimer.setInterval(kNegotiationDelayMs);
    connect(&m_negotiationTimer, &QTimer::timeout, this,
            &SystemSetup::slotHandleStandbyChangeRequest);
    AlarmIDsSetup.setStwOn(Vq2Setup.getOutputParamsToInt() == 1);
}

SystemSetup::~SystemSetup() = default;

QString SystemSetup::getGroup(int index) {
    return index >= 0 && index < kGroups.size() ? kGroups[index] : QStringLiteral("NAVD");
}

int SystemSetup::getGroupIndex(const QString& group) {
    return int(kGroups.indexOf(group));
}

bool SystemSetup::multicastGroupValid(const QString& group) {
    return kGroups.contains(group);
}

void SystemSetup::sendIcm(msgCommands command, const QList<int>& parameters) {
    send(SetupMessages::icm(command, parameters));
}

void SystemSetup::slotSystemSetupMessage(NmeaMessagePtr msg) {
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

void SystemSetup::handleIcm(const MsgICM& msg, const QList<int>& p) {
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

void SystemSetup::handleSimulationCommand(const QList<int>& p) {
    if (p[5] == 5) {
        return;
    }
    const bool modeBefore = simulationParameters.SimulationModeOn;
    simulationParameters.slotSimulationCommand(p);
    if (p[5] == 1 && (modeBefore == (p[0] != 0) || simulationParameters.simulationSource != 0)) {
        confirmSimulation();
    }
}

void SystemSetup::confirmSimulation() {
    send(simulationParameters.simParamsChangeConfirm());
}

void SystemSetup::handleJbSetupMsg(const QList<int>& p) {
    const KC40_Setup_S& before = Kc40Setup.values();
    const QString address = joinedAddress(p.mid(0, 4));
    const QString group = kGroups[p[5]];
    const bool groupChanged = group != before.group;
    const QString localID = before.localID.left(2) + paddedNumber(p[4]);
    const QString alarmID = QString(QChar(p[6])) + QChar(p[7]) + paddedNumber(p[8]);
    const QString hwVersion =
        QString(QChar(p[kJbHardwareLetter])) + QString::number(p[kJbHardwareLetter + 1]);
    const bool localIdChanged = localID != before.localID;
    const bool addressChanged = address != before.ipAddress;
    Kc40Setup.setKc40(address, localID, group, alarmID, quint32(p[9]), hwVersion);
    if (localIdChanged) {
        SystemConfiguration::publishToSentences();
        sendSRP();
    }
    if (addressChanged) {
        publishAddress(address);
        sendSRP();
    }
    send(SetupMessages::createJbSetupMsg(*this));
    if (groupChanged) {
        emit sigUpdateUDP_group();
    }
}

void SystemSetup::handleJbSetupMsg(const MsgIDM& msg) {
    qCInfo(lcConfiguration) << "SystemSetup::handleJbSetupMsg(MsgIDM *msg)";
    const QStringList p = msg.msgParameters();
    if (p.isEmpty()) {
        return;
    }
    Kc40Setup.set(&KC40_Setup_S::unitName, p[0]);
    if (p.size() > 2) {
        Kc40Setup.set(&KC40_Setup_S::remoteDDC, p[1]);
        Kc40Setup.set(&KC40_Setup_S::lowSpeedGPS_Correction, p[2] == QLatin1String("ON"));
        send(SetupMessages::createJbSetupMsgIDM(*this));
    }
}

void SystemSetup::handleVq2SetupMsg(const QList<int>& p) {
    const VQ2_Setup_S before = Vq2Setup.values();
    const bool satLogBefore = before.outputParams == VQ2_Setup::kSatLog;
    Vq2Setup.setVq2(SetupMessages::fromScaled(p[0], 10), SetupMessages::fromScaled(p[1], 10),
                    SetupMessages::fromScaled(p[2], 10), SetupMessages::fromScaled(p[3], 10),
                    SetupMessages::fromScaled(p[4], 10), p[5], p[6], p[7], p[8] != 0, p[9] != 0,
                    p[10], p[11], float(p[12]), p[13] != 0);
    const VQ2_Setup_S& now = Vq2Setup.values();
    SystemConfiguration::publishToSentences();
    if (now.shalowWaterPingLenght != before.shalowWaterPingLenght ||
        now.deepWaterPingLenght != before.deepWaterPingLenght ||
        now.depthPingChangeLimit != before.depthPingChangeLimit) {
        emit forceDepthSeitchCheck();
    }
    if (Vq2Setup.set(&VQ2_Setup_S::samplingDistance, p[20])) {
        emit sigSendNewConfigToSensor();
    }
    Vq2Setup.set(&VQ2_Setup_S::newDepthSwitch, p[18] != 0);
    const bool outputChanged = Vq2Setup.setOutputParamsFromInt(p[17]);
    // The alarm IDs follow the mode the display has just chosen.
    AlarmIDsSetup.setStwOn(Vq2Setup.getOutputParamsToInt() == 1);
    if (outputChanged) {
        emit sigOutputParamsChanged();
    }
    if (now.vesselMaxSpeed != before.vesselMaxSpeed) {
        emit sigMaxVesselSpeedChanged();
    }
    if (now.tonnage != before.tonnage) {
        handleChangeAveragingFromTonnage(false);
    }
    send(SetupMessages::createVq2SetupMsg(*this));
    if (satLogBefore && now.outputParams != VQ2_Setup::kSatLog) {
        emit sigRelaunchRequested();
    }
}

void SystemSetup::handleVq2SetupMsg2(const QList<int>& p) {
    Vq2Setup.setSetup2ReceivedFlag(true);
    const VQ2_Setup_S& v = Vq2Setup.values();
    if (v.stwAveragingTime != p[0] || v.stwLowSpeedAveragingTime != p[1]) {
        Vq2Setup.setAveragingTimes(p[0], p[1], v.averagingTime, v.lowSpeedAveragingTime);
    }
    const bool primaryHigh = p[2] != 0;
    if (primaryHigh != v.primaryFrequencyHigh) {
        Vq2Setup.setPrimaryFrequencyHigh(primaryHigh, true);
        emit sigSourceDatChanged(primaryHigh);
    }
    if (Vq2Setup.set(&VQ2_Setup_S::sogFrequendcyChangeTreshold,
                     SetupMessages::fromScaled(p[3], 10))) {
        emit sigSogFrequendcyChangeTresholdChanged();
    }
    send(SetupMessages::createVq2SetupMsg2(*this));
}

void SystemSetup::handleChangeAveragingFromTonnage(bool sendBothMessages) {
    struct Band {
        float upToTonnage;
        int stw, stwLowSpeed, sog, sogLowSpeed;
    };
    static constexpr Band kBands[] = {
        {1000.0f, 25, 10, 15, 5}, {50000.0f, 30, 15, 20, 10}, {FLT_MAX, 35, 20, 25, 15}};
    const float tonnage = Vq2Setup.values().tonnage;
    const Band& band = *std::find_if(std::begin(kBands), std::end(kBands),
                                     [&](const Band& b) { return tonnage <= b.upToTonnage; });
    Vq2Setup.setAveragingTimes(band.stw, band.stwLowSpeed, band.sog, band.sogLowSpeed);
    if (sendBothMessages) {
        send(SetupMessages::createVq2SetupMsg(*this));
    }
    send(SetupMessages::createVq2SetupMsg2(*this));
}

int SystemSetup::getCurrentSogAveragingTime() const {
    switch (averagingUsed) {
    case NormalAvr:
        return Vq2Setup.values().averagingTime;
    case LowSpeedAvr:
        return Vq2Setup.values().lowSpeedAveragingTime;
    default:
        return 8;
    }
}

int SystemSetup::getCurrentStwAveragingTime() const {
    switch (averagingUsed) {
    case NormalAvr:
        return Vq2Setup.values().stwAveragingTime;
    case LowSpeedAvr:
        return Vq2Setup.values().stwLowSpeedAveragingTime;
    default:
        return 8;
    }
}

void SystemSetup::handleAlarmLimits(const QList<int>& p) {
    AlarmLimits_Setup_S limits;
    float* fields[] = {&limits.stwHighLimit,    &limits.stwLowLimit,     &limits.sogHighLimit,
                       &limits.sogLowLimit,     &limits.speedLevelHigh1, &limits.speedLevelLow1,
                       &limits.speedLevelHigh2, &limits.speedLevelLow2};
    for (int i = 0; i < 8; ++i) {
        *fields[i] = SetupMessages::fromScaled(p[i], 100);
    }
    AlarmLimitsSetup.setAlarmLimits(limits);
}

void SystemSetup::handleAlarmIds(const QList<int>& p) {
    AlarmIDs_Setup_S ids;
    ids.stwHighAlarmID = p[0];
    ids.stwLowAlarmID = p[1];
    ids.sogHighAlarmID = p[2];
    ids.sogLowAlarmID = p[3];
    ids.systemAlarmID = p[4];
    ids.useALR = p[5] != 0;
    ids.escalationTime = p[6];
    if (AlarmIDsSetup.setAlarmIDs(ids)) {
        emit sigAlertIdChanged();
    }
    send(SetupMessages::createAliSetupMsg(*this));
}

void SystemSetup::handleCalibration(const QList<int>& p) {
    auto scaled = [&](int i) { return SetupMessages::fromScaled(p[i], 100); };
    calibCoeffs.setCalibration(scaled(0), scaled(1), p[2] != 0, scaled(3), scaled(4), scaled(5),
                               scaled(6), scaled(7), scaled(8), scaled(9), p[10]);
}

void SystemSetup::handleOcfSetupMsg(const MsgICM& msg) {
    const QList<int> before = serialBauds();
    const auto result = OutputChannelsSetup.setChannel(msg.msgParameters());
    if (result == Outpu_Channels_Setup::ChannelMessage::Dropped) {
        return;
    }
    emitChangedBauds(before);
    if (result == Outpu_Channels_Setup::ChannelMessage::Applied) {
        send(msg.clone());
    } else {
        // What the unit now holds, not what it could not take.
        const QString& channel = Default_Channels_config::channelList[msg.msgParameters()[0]];
        send(SetupMessages::createOcfSetupMsg(*this, channel));
    }
}

QList<int> SystemSetup::serialBauds() const {
    return {OutputChannelsSetup.getChannelBaudRate(Default_Channels_config::channelList[0]),
            OutputChannelsSetup.getChannelBaudRate(Default_Channels_config::channelList[1])};
}

void SystemSetup::emitChangedBauds(const QList<int>& before) {
    const QList<int> now = serialBauds();
    for (int i = 0; i < now.size(); ++i) {
        if (now[i] != before[i]) {
            emit sigChannelBaudChanged(Default_Channels_config::channelList[i], now[i]);
        }
    }
}

void SystemSetup::handleUpdateHandshake(const QList<int>& p) {
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

void SystemSetup::checkIfTransferFinished() {
    if (startUpdate) {
        FileReader::rewriteWholeFile(QStringLiteral("yess"), versionFile("update_available"));
        startUpdate = false;
        return;
    }
    if (QProcess::execute(QStringLiteral("pidof"), {QStringLiteral("wget")}) != 0) {
        sendIcm(msgCommands::UpdateAvailable, {2, kUpdateTarget});
        startUpdate = true;
        QTimer::singleShot(kTransferRetryMs, this, &SystemSetup::checkIfTransferFinished);
        return;
    }
    ++transferCounter;
    QTimer::singleShot(kTransferPollMs, this, &SystemSetup::checkIfTransferFinished);
}

void SystemSetup::slotUpdateAvailable() {
    sendIcm(msgCommands::UpdateAvailable, {0, kUpdateTarget});
}

void SystemSetup::slotSendUpdateTriggerToJB() {
    sendIcm(msgCommands::UpdateAvailable, {1, kUpdateTarget});
}

void SystemSetup::slotUpdateKc40Setup() {
    qCInfo(lcConfiguration) << "slotUpdateKc40Setup";
    send(SetupMessages::createJbSetupMsg(*this));
}

void SystemSetup::handleStandbyNegotiation(const QList<int>& p) {
    tmp_standby_value = p[0] != 0;
    tmp_standby_msg_length = 1;
    negotiation_requested = true;
    m_negotiationTimer.start();
}

void SystemSetup::slotHandleStandbyChangeRequest() {
    if (negotiation_requested) {
        handleStandbyChangeRequest(tmp_standby_msg_length, tmp_standby_value);
    }
}

void SystemSetup::handleStandbyChangeRequest(int, bool standby) {
    negotiation_requested = false;
    m_negotiationTimer.stop();
    sendIcm(msgCommands::SystemStandby, {int(standby)});
    if (standby == systemInStandby) {
        confirmSystemStandby(standby);
    } else {
        emit sigShotDownSensor(standby);
    }
}

void SystemSetup::confirmSystemStandby(bool standby) {
    systemInStandby = standby;
    standbyStateConfirmed = true;
    RvN003Setup.set(&RV_N_003_Setup_S::systemInStandby, standby);
    emit sigStandbyConfirmed(standby);
    sendIcm(msgCommands::SystemStandby, {int(standby), 1});
    if (wakeUpAfterPowerOff && !standby) {
        wakeUpAfterPowerOff = false;
        sendIcm(msgCommands::ForceDisconnect, {int(standby), 1});
    }
}

void SystemSetup::requestSystemStandby(bool standby) {
    standbyStateConfirmed = false;
    sendIcm(msgCommands::SystemStandby, {int(standby)});
}

void SystemSetup::requestSystemStandbyNegotiation(bool standby) {
    standbyStateConfirmed = false;
    sendIcm(msgCommands::StandbyNegotiation, {int(standby)});
}

void SystemSetup::requestWakeUpAll() {
    standbyStateConfirmed = false;
    sendIcm(msgCommands::StandbyNegotiationWakeUpAll, {0});
}

void SystemSetup::initiateReset(int level) {
    resetLevel = level;
    resetRequestState = 1;
    sendIcm(msgCommands::RestToDefault, {level, 1});
}

void SystemSetup::resetToDefault(int level) {
    AlarmIDsSetup.getDefaults(level);
    AlarmLimitsSetup.getDefaults(level);
    Vq2Setup.getDefaults(level);
    SystemConfiguration::publishToSentences();
    if (level > 0) {
        emit sigMaxVesselSpeedChanged();
        calibCoeffs.getDefaults(level);
    }
    if (level == 2) {
        const QList<int> bauds = serialBauds();
        OutputChannelsSetup.getDefaults();
        emitChangedBauds(bauds);
        Kc40Setup.getDefaults(level);
        SystemConfiguration::publishToSentences();
        publishAddress(Kc40Setup.values().ipAddress);
    }
    // Alerts already raised take the default identifiers.
    emit sigAlertIdChanged();
    if (level == 2) {
        emit sigRebootRequested();
    }
}

void SystemSetup::updateConnectionInfo(const QString& unitName, const QString& ipAddress,
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
    if (checkedAddress(parts).isEmpty() || group < 1 || group > kGroups.size() || !numberOk ||
        !kSfiNumber.contains(number)) {
        qCWarning(lcConfiguration)
            << "Connection data with an invalid address, ID or group dropped";
        return;
    }
    const bool addressChanged = Kc40Setup.set(&KC40_Setup_S::ipAddress, ipAddress);
    const bool idChanged =
        Kc40Setup.set(&KC40_Setup_S::localID, QStringLiteral("VD") + paddedNumber(number));
    if (addressChanged) {
        publishAddress(ipAddress);
    }
    Kc40Setup.set(&KC40_Setup_S::unitName, unitName);
    if (Kc40Setup.set(&KC40_Setup_S::group, kGroups[group - 1])) {
        emit sigUpdateUDP_group();
    }
    QTimer::singleShot(kSrpFollowUpMs, this, &SystemSetup::slotUpdateKc40Setup);
    if (addressChanged || idChanged) {
        SystemConfiguration::publishToSentences();
        sendSRP();
    }
}

void SystemSetup::sendSRP() {
    emit sigChangedSFI();
    QTimer::singleShot(kSrpFollowUpMs, this, &SystemSetup::onIpChangedTimeout);
}

void SystemSetup::publishAddress(const QString& address) {
    emit sigIpAddressChanged(address);
}

QList<NmeaMessagePtr> SystemSetup::getSetupMsgsListTosend() {
    if (!standbyStateConfirmed) {
        sendIcm(msgCommands::SystemStandby, {int(systemInStandby)});
        return {};
    }
    QList<NmeaMessagePtr> list;
    if (AlarmIDsSetup.getSetupReceivedFlag()) {
        list << SetupMessages::createAliSetupMsg(*this);
    }
    if (AlarmLimitsSetup.getSetupReceivedFlag()) {
        list << SetupMessages::createAllSetupMsg(*this);
    }
    if (Vq2Setup.getSetupReceivedFlag()) {
        list << SetupMessages::createVq2SetupMsg(*this);
    }
    if (Vq2Setup.getSetup2ReceivedFlag()) {
        list << SetupMessages::createVq2SetupMsg2(*this);
    }
    if (Kc40Setup.getSetupReceivedFlag()) {
        list << SetupMessages::createJbSetupMsg(*this) << SetupMessages::createJbSetupMsgIDM(*this);
    }
    if (OutputChannelsSetup.getSetupReceivedFlag()) {
        for (const QString& channel : Default_Channels_config::channelList) {
            list << SetupMessages::createOcfSetupMsg(*this, channel);
        }
    }
    if (calibCoeffs.getSetupReceivedFlag()) {
        list << SetupMessages::createCalibrationCoeffsMsg(*this);
    }
    list << SetupMessages::createSensorTimerMsg(*this);
    return list;
}

QList<NmeaMessagePtr> SystemSetup::createVersionMsg(const SensorIdentity& sensor) {
    const KC40_Setup_S& kc40 = Kc40Setup.values();
    const int sequence = versionMsgSequentialIdentifier;
    versionMsgSequentialIdentifier = (versionMsgSequentialIdentifier + 1) % kVersionSequenceCount;
    const QString serial = QString::number(kc40.serialNumber);
    auto version = [&](int number, const QString& serialNumber, const QString& model,
                       const QString& software, const QString& hardware) {
        return std::make_shared<MsgVER>(kVersionSentences, number, DeviceInfo::deviceType(),
                                        DeviceInfo::vendorID(), kc40.localID, serialNumber, model,
                                        software, hardware, sequence);
    };
    return {version(1, serial, DeviceInfo::modelCode(), DeviceInfo::softwareRevision(),
                    DeviceInfo::hardwareRevision()),
            version(2, serial, m_systemType, Kc40Setup.getSoftwareVersion(), kc40.hwVersion),
            version(3, sensor.serialNumber, DeviceInfo::modelCode(), sensor.firmwareRevision,
                    sensor.hardwareRevision)};
}
