#include "receivednmeahandler.h"

#include "addresssentences.h"
#include "channels/default_channels_config.h"
#include "errorcounter.h"
#include "fixedsentences.h"
#include "ip_handler.h"
#include "logger.h"
#include "msgblnk.h"
#include "msgdat.h"
#include "msgddc.h"
#include "msgepv.h"
#include "msgerrorcode.h"
#include "msgerrortable.h"
#include "msgicm.h"
#include "msgidm.h"
#include "msgmaca.h"
#include "msgsaf.h"
#include "msgsnf.h"
#include "msgsrp.h"
#include "msgstl.h"
#include "msgver.h"
#include "msgvmpcgter.h"
#include "nmeaparser.h"
#include "platform.h"
#include "sentencedispatch.h"
#include "sentencekey.h"
#include "setupmessages.h"
#include "systemsetup.h"
#include "systemvariables.h"
#include "vq2_handler.h"

#include <cmath>
#include <numbers>

namespace {
template <class Sentence> const Sentence* as(const NmeaMessage& message) {
    return dynamic_cast<const Sentence*>(&message);
}

void logLine(const QString& text, int level = Logger::LOG_INFO) {
    Logger::instance()->append(text, level);
}

quint64 now() {
    return static_cast<quint64>(Clock::currentMSecsSinceEpoch());
}

SystemSetup* setup() {
    return SystemSetup::getInstance();
}

bool sogOnly() {
    return setup()->Vq2Setup.values().outputParams == VQ2_Setup::kSogOnly;
}

constexpr int kPrimarySystem = 4;
constexpr int kBlankingCommand = 2;
constexpr int kPropertyReverse = 50;
constexpr int kPropertySimulationStart = 1000;
constexpr int kPropertySimulationLong = 1001;
constexpr int kPropertySimulationTra = 1002;
constexpr int kMonitoringCommand = 3;
constexpr int kDiagnosticsCommand = 99;
// A configuration command of the display that has no name of its own.
constexpr int kSetupCommand35 = 35;
// From this firmware on the sensor sends both data sets and runs its primary frequency high.
constexpr float kFirmwareBothDataSets = 3.0f;
constexpr float kFirmwareDeepMinimum = 2.14f;
constexpr float kFirmware213 = 2.13f;
constexpr float kMinRawDepthDeep = 4.5f;
constexpr float kMinRawDepth = 2.6f;
constexpr float kBeamAngleRad = std::numbers::pi_v<float> / 6.0f;
} // namespace

NmeaErrorCounter ReceivedNmeaHandler::errorCounter;

ReceivedNmeaHandler::ReceivedNmeaHandler(QObject* parent) : QObject(parent) {
    for (const QString& channel : Default_Channels_config::channelList) {
        channelsMonitorState.insert(channel, MonitorState{});
    }
}

void ReceivedNmeaHandler::setSensorValidQuery(std::function<bool()> query) {
    m_navigation.setSensorValidQuery(std::move(query));
}

void ReceivedNmeaHandler::handleReceived(const NmeaMessagePtr& message, int source) {
    if (setup()->getSystemInStandby()) {
        const auto* icm = as<MsgICM>(*message);
        const bool standbyCommand =
            icm && (icm->commandID() == int(msgCommands::SystemStandby) ||
                    icm->commandID() == int(msgCommands::StandbyNegotiation));
        if (!standbyCommand) {
            return;
        }
    }
    if (message->errorType() != NO_ERROR) {
        errorCounter.emitSigError(message->errorType() == ERR_MAX_LENGTH ? ERR_TYPE_MSG_LENGTH
                                                                         : ERR_TYPE_NMEA_FORMAT);
        return;
    }
    handleMessages(message, source);
}

template <class Sentence, bool (ReceivedNavigation::*Handle)(const Sentence&, quint64)>
void ReceivedNmeaHandler::navigate(const NmeaMessagePtr& message, int) {
    if (const auto* sentence = as<Sentence>(*message)) {
        (m_navigation.*Handle)(*sentence, now());
    }
}

template <class Sentence,
          void (ReceivedNmeaHandler::*Handle)(const NmeaMessagePtr&, const Sentence&, int)>
void ReceivedNmeaHandler::typed(const NmeaMessagePtr& message, int source) {
    if (const auto* sentence = as<Sentence>(*message)) {
        (this->*Handle)(message, *sentence, source);
    }
}

const QHash<quint32, ReceivedNmeaHandler::Handler>& ReceivedNmeaHandler::handlers() {
    using R = ReceivedNmeaHandler;
    using N = ReceivedNavigation;
    static const QHash<quint32, Handler> table = {
        {sentenceKey("VTG"), &R::navigate<MsgVTG, &N::handleVTG>},
        {sentenceKey("RMC"), &R::navigate<MsgRMC, &N::handleRMC>},
        {sentenceKey("GGA"), &R::navigate<MsgGGA, &N::handleGGA>},
        {sentenceKey("GLL"), &R::navigate<MsgGLL, &N::handleGLL>},
        {sentenceKey("VBW"), &R::navigate<MsgVBW, &N::handleVBW>},
        {sentenceKey("HDT"), &R::navigate<MsgHDT, &N::handleHDT>},
        {sentenceKey("THS"), &R::navigate<MsgTHS, &N::handleTHS>},
        {sentenceKey("HDG"), &R::navigate<MsgHDG, &N::handleHDG>},
        {sentenceKey("ROT"), &R::navigate<MsgROT, &N::handleROT>},
        {sentenceKey("ZDA"), &R::navigate<MsgZDA, &N::handleZDA>},
        {sentenceKey("ZTG"), &R::navigate<MsgZTG, &N::handleZTG>},
        {sentenceKey("DPT"), &R::navigate<MsgDPT, &N::handleDPT>},
        {sentenceKey("DAT"), &R::typed<MsgDAT, &R::handleDat>},
        {sentenceKey("SNF"), &R::handleSnf},
        {sentenceKey("CFG"), &R::handleCfg},
        {sentenceKey("TWF"), &R::handleWind},
        {sentenceKey("ACK"), &R::forwardAck},
        {sentenceKey("ACN"), &R::forwardAcn},
        {sentenceKey("ALRS"), &R::forwardAlrs},
        {sentenceKey("HBT"), &R::forwardHeartBeat},
        {sentenceKey("ICM"), &R::typed<MsgICM, &R::handleIcm>},
        {sentenceKey("IDM"), &R::typed<MsgIDM, &R::handleIdm>},
        {sentenceKey("EPV"), &R::typed<MsgEPV, &R::handleEpv>},
        {sentenceKey("SRP"), &R::typed<MsgSRP, &R::handleSrp>},
        {sentenceKey("GCF"), &R::handleServiceConfigurationRequest},
        {sentenceKey("SCF"), &R::typed<MsgSCF, &R::handleScf>},
        {sentenceKey("VER"), &R::typed<MsgVER, &R::handleVer>},
        {sentenceKey("BLNK"), &R::typed<MsgBLNK, &R::handleBlnk>},
        {sentenceKey("DDC"), &R::handleDdc},
        {sentenceKey("MACA"), &R::typed<MsgMACA, &R::handleMaca>},
        {sentenceKey("TER"), &R::typed<MsgVMPCGTER, &R::handleTer>},
        {sentenceKey("STL"), &R::typed<MsgSTL, &R::handleStl>},
        {sentenceKey("RSTT"), &R::resetWaterTrip},
        {sentenceKey("RSTTG"), &R::resetGroundTrip},
        {sentenceKey("RSTO"), &R::resetTotals},
        {sentenceKey("RSH"), &R::resetSensorHours},
        {sentenceKey("SAF"), &R::typed<MsgSAF, &R::handleSaf>},
        {sentenceKey("SLP"), &R::forwardSleep},
    };
    return table;
}

// Every accepted sentence is traced with its source, for the service engineer; the sensor's
// DATs, four a second, are already in the log as the sensor line received them ("<-- ").
void ReceivedNmeaHandler::handleMessages(const NmeaMessagePtr& message, int source) {
    const NmeaMessage& m = *message;
    const quint32 type = m.messageTypeHash();
    if (source != kSourceSensor || type != sentenceKey("DAT")) {
        logLine(QStringLiteral("received from %1: %2 error %3: %4")
                    .arg(source)
                    .arg(m.messageType())
                    .arg(m.errorType())
                    .arg(m.receivedText().trimmed()),
                Logger::LOG_DEBUG);
    }
    if (const Handler handle = handlers().value(type)) {
        (this->*handle)(message, source);
    }
}

void ReceivedNmeaHandler::handleWind(const NmeaMessagePtr& message, int) {
    logLine(QStringLiteral("Wind: ") + message->getMsgBuffer());
}

void ReceivedNmeaHandler::forwardAck(const NmeaMessagePtr& message, int) {
    Q_EMIT sigAckReceived(message);
}

void ReceivedNmeaHandler::forwardAcn(const NmeaMessagePtr& message, int) {
    Q_EMIT sigAcnReceived(message);
}

void ReceivedNmeaHandler::forwardAlrs(const NmeaMessagePtr& message, int) {
    Q_EMIT sigAlrsReceived(message);
}

void ReceivedNmeaHandler::forwardHeartBeat(const NmeaMessagePtr& message, int) {
    Q_EMIT sigHeartBeatReceived(message);
}

void ReceivedNmeaHandler::forwardSleep(const NmeaMessagePtr& message, int) {
    Q_EMIT sigSendSingleOnUdpOutput(message);
}

void ReceivedNmeaHandler::handleServiceConfigurationRequest(const NmeaMessagePtr&, int) {
    Q_EMIT sigSendConfigurationToServiceSoftware();
}

void ReceivedNmeaHandler::handleVer(const NmeaMessagePtr&, const MsgVER& ver, int) {
    if (ver.isRequest()) {
        setup()->setSendVersionInfo(true);
    }
}

void ReceivedNmeaHandler::resetSensorHours(const NmeaMessagePtr&, int) {
    setup()->sensTimer.set(&SensorUpTimer_S::hourCount, 0);
    setup()->sensTimer.set(&SensorUpTimer_S::msgCount, 0);
}

void ReceivedNmeaHandler::handleSaf(const NmeaMessagePtr&, const MsgSAF& saf, int) {
    if (saf.outputFrom() >= MOVING_AVERAGE && saf.outputFrom() <= EXPONENTIAL_FILTER) {
        SystemVariables::getInstance()->setOutputFrom(static_cast<UseOutputFrom>(saf.outputFrom()));
    }
}

// Simulated speeds from the junction box or GPS replace the sensor's data, and a satellite
// log has no sensor: then a DAT is not measurement data.
void ReceivedNmeaHandler::handleDat(const NmeaMessagePtr& message, const MsgDAT& dat, int) {
    const SimulationParameters& simulation = setup()->simulationParameters;
    const bool simulatedElsewhere =
        simulation.SimulationModeOn &&
        (simulation.simulationSource == SimulationParameters::KC_40_FIXED_SPEED ||
         simulation.simulationSource == SimulationParameters::GPS_SPEED);
    if (simulatedElsewhere || setup()->Vq2Setup.values().outputParams == VQ2_Setup::kSatLog) {
        return;
    }
    Q_EMIT sigSynchConfirmed(false);
    const bool primary = dat.systemID() == kPrimarySystem;
    Q_EMIT sigSensorDataReceived(primary);
    if (simulation.SimulationModeOn &&
        simulation.simulationSource == SimulationParameters::SENSOR_FIXED_SPEED) {
        checkSensorSimulation(dat);
    }
    if (vq2_Handler) {
        vq2_Handler->handleDatMsg(message, now());
    }
    if (primary && m_datrEnabled()) {
        Q_EMIT sigSendOutputMessages();
    }
}

void ReceivedNmeaHandler::checkSensorSimulation(const MsgDAT& dat) {
    SimulationParameters& simulation = setup()->simulationParameters;
    if (!m_simulationCheck.check(dat, simulation.fixedSpeedLong, simulation.fixedSpeedTra)) {
        return;
    }
    logLine(QStringLiteral("Sensor does not follow the simulated speed; simulation stopped"),
            Logger::LOG_WARNING);
    simulation.startSimulation(QStringLiteral("0"));
    Q_EMIT sigSendSingleOnUdpOutput(simulation.simParamsChangeConfirm());
}

void ReceivedNmeaHandler::handleSnf(const NmeaMessagePtr& message, int) {
    if (vq2_Handler) {
        vq2_Handler->handleSnfMsg(message);
    }
    const auto* snf = as<MsgSNF>(*message);
    if (snf && snf->sentenceType() == 1 && NmeaParser::isNumberValidFloat(snf->firmwereRev())) {
        applySensorFirmware(*snf);
    }
    Q_EMIT sigSensorAnswered();
}

void ReceivedNmeaHandler::applySensorFirmware(const MsgSNF& snf) {
    SystemSetup* s = setup();
    const float firmware = snf.firmwereRev();
    s->sensTimer.setSerialNumber(snf.serialNumber());
    s->setSensorFirmware213(firmware >= kFirmware213);
    const float minRawDepth = firmware == kFirmwareDeepMinimum ? kMinRawDepthDeep : kMinRawDepth;
    if (vq2_Handler) {
        vq2_Handler->setMinRawDepth(minRawDepth / std::cos(kBeamAngleRad));
    }
    if (s->Vq2Setup.getFrequencySourceIsDefault()) {
        s->Vq2Setup.setPrimaryFrequencyHigh(firmware >= kFirmwareBothDataSets, true);
        Q_EMIT sigSendSingleOnUdpOutput(SetupMessages::createVq2SetupMsg2(*s));
    }
    s->Vq2Setup.setNewSensorFirmware(true);
    Q_EMIT sigSendSingleOnUdpOutput(SetupMessages::createVq2SetupMsg(*s));
}

void ReceivedNmeaHandler::handleCfg(const NmeaMessagePtr& message, int) {
    if (vq2_Handler) {
        vq2_Handler->handleCfgMsg(message);
    }
    Q_EMIT sigSensorAnswered();
}

void ReceivedNmeaHandler::handleIcm(const NmeaMessagePtr& message, const MsgICM& icm, int) {
    const int command = icm.commandID();
    const int first = icm.msgParameters().value(0, 0);
    switch (command) {
    case int(msgCommands::AUCLsetupCommand):
        Q_EMIT sigAuxSetupMessage(message);
        return;
    case int(msgCommands::CalibrationCommand):
    case int(msgCommands::CalibrationPointCommand):
    case int(msgCommands::CurrentCalibrationpoints):
    case int(msgCommands::RecommandedAngles):
        Q_EMIT sigCalibrationCommandReceived(message);
        return;
    case int(msgCommands::SendMeConfigurationCommand):
        Q_EMIT sigSendConfigurationToDisplay(first != 0);
        return;
    case int(msgCommands::FitnessConfirmCommand):
        if (first == 1) {
            Q_EMIT sigUserAcknowledge();
        }
        Q_EMIT sigFittnesPulseReceived();
        return;
    case int(msgCommands::SilenceAllCommand):
        if (first == 1) {
            Q_EMIT sigUserSilence();
        }
        return;
    case int(msgCommands::Reboot):
        CommandRunner::run(QStringLiteral("reboot"));
        return;
    case int(msgCommands::UpdateKC40SetupOnDisplay):
    case int(msgCommands::CalibrationCoeffitients):
    case int(msgCommands::UpdateAvailable):
    case kSetupCommand35:
    case int(msgCommands::VQ2setup2Command):
    case int(msgCommands::StandbyNegotiation):
        Q_EMIT sigSystemSetupMessage(message);
        return;
    default:
        if (command >= int(msgCommands::SimulatinCommand) &&
            command <= int(msgCommands::SetupReceivedConfirmationCommand)) {
            Q_EMIT sigSystemSetupMessage(message);
        }
        return;
    }
}

void ReceivedNmeaHandler::handleIdm(const NmeaMessagePtr& message, const MsgIDM& idm, int) {
    const QStringList fields = idm.msgParameters();
    switch (idm.commandID()) {
    case kMonitoringCommand: {
        const QString channel = fields.value(0);
        const QString word = fields.value(1);
        if (word == QLatin1String("StartInput") || word == QLatin1String("StopInput")) {
            setMonitorChannelInput(channel, word.startsWith(QLatin1String("Start")));
        } else if (word == QLatin1String("StartOutput") || word == QLatin1String("StopOutput")) {
            setMonitorChannelOutput(channel, word.startsWith(QLatin1String("Start")));
        }
        return;
    }
    case kDiagnosticsCommand:
        if (fields.size() >= 2) {
            Q_EMIT sigDiagnosticsTest(fields[0], fields[1]);
        }
        return;
    case int(msgCommands::JBsetupCommand):
        Q_EMIT sigSystemSetupMessage(NmeaMessagePtr(message->clone()));
        return;
    case int(msgCommands::ProprietaryHeartbeat):
        if (fields.size() >= 2) {
            Q_EMIT sigDisplayHeartBeatReceived(fields[0], fields[1]);
        }
        return;
    default:
        return;
    }
}

// Only a command addressed to this junction box is carried out and answered; a reply from
// another device is never answered, so two devices cannot echo each other for ever.
void ReceivedNmeaHandler::handleEpv(const NmeaMessagePtr&, const MsgEPV& epv, int source) {
    if (epv.sentenceStatusFlag() != QLatin1String("C")) {
        return;
    }
    const QString localId = setup()->Kc40Setup.values().localID;
    if (epv.equipmType() != localId.left(2) || epv.uniqueIdentif() != localId.mid(2)) {
        logLine(QStringLiteral("Warn: Received EPV but wrong destination: ") + epv.equipmType() +
                    epv.uniqueIdentif(),
                Logger::LOG_WARNING);
        return;
    }
    const int property = epv.properNameIdentif();
    if (property == kPropertyReverse) {
        handleReverse(epv.properValue());
    } else if (property >= kPropertySimulationStart && property <= kPropertySimulationTra) {
        handleSimulation(property, epv.properValue());
    }
    replyTo(source, std::make_shared<MsgEPV>(epv.equipmType(), epv.uniqueIdentif(), property,
                                             epv.properValue()));
}

void ReceivedNmeaHandler::handleReverse(const QString& value) {
    if (value == QLatin1String("1")) {
        Q_EMIT sigForwReverseChanged(true);
    } else if (value == QLatin1String("0")) {
        Q_EMIT sigForwReverseChanged(false);
    } else {
        logLine(QStringLiteral("Error: received EPV/REVERSE with parameter value = ") + value,
                Logger::LOG_ERROR);
    }
}

void ReceivedNmeaHandler::handleSimulation(int property, const QString& value) {
    SimulationParameters& simulation = setup()->simulationParameters;
    bool ok = true;
    const float speed = value.toFloat(&ok);
    if (property == kPropertySimulationStart) {
        simulation.startSimulation(value);
    } else if (!ok || !std::isfinite(speed)) {
        logLine(QStringLiteral("Error: received EPV/simulation with parameter value = ") + value,
                Logger::LOG_ERROR);
        return;
    } else if (property == kPropertySimulationLong) {
        simulation.fixedSpeedLong = speed;
    } else {
        simulation.fixedSpeedTra = speed;
    }
    Q_EMIT sigSendSingleOnUdpOutput(simulation.simParamsChangeConfirm());
}

void ReceivedNmeaHandler::replyTo(int source, const NmeaMessagePtr& reply) {
    if (source == kSourceNetwork) {
        Q_EMIT sigSendSingleOnUdpOutput(reply);
    } else if (source == kSourceNmea1 || source == kSourceNmea2) {
        Q_EMIT sigSendOnNmeaOutput(source, reply);
    } else {
        logLine(QStringLiteral("Fixed memory leak in 1.2.1.1, handleEpvMsg, wrong source: ") +
                    QString::number(source),
                Logger::LOG_WARNING);
    }
}

void ReceivedNmeaHandler::handleSrp(const NmeaMessagePtr&, const MsgSRP& srp, int) {
    const bool noInstance = !NmeaParser::isNumberValidInt(srp.instanceNo());
    logLine(QStringLiteral("SRP from MAC %1, IP %2, instance %3")
                .arg(srp.strMAC(), srp.strIP(), NmeaParser::NumberToString(srp.instanceNo())),
            Logger::LOG_DEBUG);
    if (srp.strMAC().isEmpty() && srp.strIP().isEmpty() && noInstance) {
        Q_EMIT sigSendSRP();
    }
}

void ReceivedNmeaHandler::handleScf(const NmeaMessagePtr&, const MsgSCF& scf, int) {
    if (!NetInterface::isDottedQuad(scf.ip())) {
        logLine(QStringLiteral("Connection data with an invalid address dropped: ") + scf.ip(),
                Logger::LOG_WARNING);
        return;
    }
    Q_EMIT sigConnectionData(scf.systemName(), scf.ip(), scf.sfi(), scf.group());
}

void ReceivedNmeaHandler::handleMaca(const NmeaMessagePtr&, const MsgMACA& maca, int) {
    if (!IP_handler::macAddressValid(maca.macAddress())) {
        logLine(QStringLiteral("MAC address invalid!"), Logger::LOG_WARNING);
        return;
    }
    Q_EMIT sigMacAddress(QStringLiteral("eth0"), maca.macAddress());
}

void ReceivedNmeaHandler::handleTer(const NmeaMessagePtr&, const MsgVMPCGTER& ter, int) {
    ErrorCounter* counter = ErrorCounter::getInstance();
    switch (ter.msgComand()) {
    case 0: {
        const quint32 latest = counter->getLatestErrorCode();
        sendOnAllChannels(
            std::make_shared<MsgERRORCODE>(latest, counter->getErrorCountByID(int(latest))));
        return;
    }
    case 1:
        sendOnAllChannels(std::make_shared<MsgERRORTABLE>(counter->getListOfErrorCodes(),
                                                          counter->getListOfErrorCounts()));
        return;
    case 9:
        sendOnAllChannels(std::make_shared<MsgERRORTABLE>(counter->getListOfErrorCodes(),
                                                          counter->getListOfErrorCounts()));
        counter->countLogReset();
        return;
    default:
        return;
    }
}

void ReceivedNmeaHandler::sendOnAllChannels(const NmeaMessagePtr& message) {
    Q_EMIT sigSendOnNmeaOutput(kSourceNmea1, NmeaMessagePtr(message->clone()));
    Q_EMIT sigSendOnNmeaOutput(kSourceNmea2, NmeaMessagePtr(message->clone()));
    Q_EMIT sigSendSingleOnUdpOutput(message);
}

void ReceivedNmeaHandler::handleBlnk(const NmeaMessagePtr&, const MsgBLNK& blnk, int) {
    if (blnk.systemID() != kBlankingCommand) {
        return;
    }
    if (blnk.pingOnOff() == QLatin1String("ON")) {
        Q_EMIT sigSynchRequest(true);
    } else if (blnk.pingOnOff() == QLatin1String("OFF")) {
        Q_EMIT sigSynchRequest(false);
    }
}

void ReceivedNmeaHandler::handleDdc(const NmeaMessagePtr& message, int) {
    const auto* ddc = as<MsgDDC>(*message);
    if (ddc && ddc->statusFlag() == QLatin1String("C") &&
        setup()->Kc40Setup.values().remoteDDC == QLatin1String("ON")) {
        Q_EMIT sigSendSingleOnUdpOutput(message);
    }
}

// Distances are never negative and an empty field is no distance: such a setting is dropped
// rather than written into the trip and total records.
void ReceivedNmeaHandler::handleStl(const NmeaMessagePtr&, const MsgSTL& stl, int) {
    if (!NmeaParser::isNumberValidFloat(stl.tripValue()) ||
        !NmeaParser::isNumberValidFloat(stl.totalValue()) || stl.tripValue() < 0.0f ||
        stl.totalValue() < 0.0f) {
        return;
    }
    const float trip = stl.tripValue();
    const float total = stl.totalValue();
    const quint64 stamp = now();
    setup()->TripTotalSetup.setTotalTrip(total, trip, false);
    SystemVariables* sv = SystemVariables::getInstance();
    for (varDouble* tripValue : {&sv->waterDistanceSinceReset, &sv->groundDistanceSinceReset,
                                 &sv->waterDistanceSinceResetVQ1}) {
        tripValue->setValue(trip, stamp);
    }
    for (varDouble* totalValue :
         {&sv->totalCumulativeWaterDistance, &sv->totalCumulativeGroundDistance,
          &sv->totalCumulativeWaterDistanceVQ1}) {
        totalValue->setValue(total, stamp);
    }
    if (sogOnly()) {
        Q_EMIT sigSetTripTotalVQ1(trip, total);
    }
}

void ReceivedNmeaHandler::resetWaterTrip(const NmeaMessagePtr&, int) {
    SystemSetup* s = setup();
    SystemVariables* sv = SystemVariables::getInstance();
    const quint64 stamp = now();
    s->TripTotalSetup.setTotalTrip(s->TripTotalSetup.values().totalDistance, 0.0f, false);
    sv->waterDistanceSinceReset.setValue(0.0, stamp);
    sv->waterDistanceSinceResetVQ1.setValue(0.0, stamp);
    if (sogOnly()) {
        Q_EMIT sigSetTripTotalVQ1(0.0f, float(sv->totalCumulativeWaterDistanceVQ1.getValue()));
    }
}

void ReceivedNmeaHandler::resetGroundTrip(const NmeaMessagePtr&, int) {
    triptotal_SOG_setup& ground = setup()->triptotal_sog_setup;
    ground.setTotalTrip(ground.values().totalDistance, 0.0f, false);
    ground.set(&triptotal_SOG_setup_s::tripValid, 1.0f);
    SystemVariables::getInstance()->groundDistanceSinceReset.setValue(0.0, now());
}

// The older log keeps its trip when the totals are reset.
void ReceivedNmeaHandler::resetTotals(const NmeaMessagePtr&, int) {
    SystemSetup* s = setup();
    SystemVariables* sv = SystemVariables::getInstance();
    const quint64 stamp = now();
    s->TripTotalSetup.setTotalTrip(0.0f, s->TripTotalSetup.values().tripDistance, false);
    triptotal_SOG_setup& ground = s->triptotal_sog_setup;
    ground.setTotalTrip(0.0f, ground.values().tripDistance, false);
    ground.set(&triptotal_SOG_setup_s::tripValid, 1.0f);
    ground.set(&triptotal_SOG_setup_s::totalValid, 1.0f);
    sv->totalCumulativeWaterDistance.setValue(0.0, stamp);
    sv->totalCumulativeGroundDistance.setValue(0.0, stamp);
    sv->totalCumulativeWaterDistanceVQ1.setValue(0.0, stamp);
    if (sogOnly()) {
        Q_EMIT sigSetTripTotalVQ1(float(sv->waterDistanceSinceResetVQ1.getValue()), 0.0f);
    }
}

bool ReceivedNmeaHandler::monitorChannelInput(const QString& channel) const {
    return channelsMonitorState.value(channel).input;
}

bool ReceivedNmeaHandler::monitorChannelOutput(const QString& channel) const {
    return channelsMonitorState.value(channel).output;
}

void ReceivedNmeaHandler::setMonitorChannelInput(const QString& channel, bool on) {
    if (channelsMonitorState.contains(channel)) {
        channelsMonitorState[channel].input = on;
    }
}

void ReceivedNmeaHandler::setMonitorChannelOutput(const QString& channel, bool on) {
    if (channelsMonitorState.contains(channel)) {
        channelsMonitorState[channel].output = on;
    }
}

bool ReceivedNmeaHandler::typeRecognized(const QString& type) {
    return findSentenceFactory(sentenceKey(type)) != nullptr;
}
