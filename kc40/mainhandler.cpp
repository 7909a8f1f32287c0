#include "mainhandler.h"

#include "boardactions.h"
#include "errorcounter.h"
#include "gps_input.h"
#include "gpsmovementdetection.h"
#include "logger.h"
#include "msgicm.h"
#include "msgsrp.h"
#include "platform.h"
#include "receivednmeahandler.h"
#include "sensorinfo.h"
#include "setupmessages.h"
#include "systemsetup.h"
#include "systemvariables.h"
#include "udpmulticastparser.h"
#include "utc_time.h"
#include "vq2_handler.h"

#include <QSet>
#include <QTimer>

#include <climits>

namespace {
constexpr int kSensorBaud = 4800;
constexpr int kDebugBaud = 115200;
// Below this forward depth the depth sounder pulse pings.
constexpr float kPingPulseDepthMetres = 10.0f;
// The sensor values of the display's monitoring page.
constexpr int kSensorMonitoringValues = 12;
} // namespace

MainHandler::MainHandler(QObject* parent)
    : QObject(parent), receivedNmeaHandler(new ReceivedNmeaHandler(this)),
      speedCalib(new SpeedCalibration(SpeedCalibrationData::getInstance(), this)),
      calibrationSource(*speedCalib), vq2Handler(new VQ2_Handler(this)),
      sensorCommandsThread(new SensorCommandsThread),
      standbyAndMute(
          serialSensor, *SystemSetup::getInstance(), [this] { return sensorInUse(); }, this),
      distanceKeeping(*SystemSetup::getInstance(), *SystemVariables::getInstance(), this),
      scheduler([this] { return schedulerConditions(); }) {
    qRegisterMetaType<NmeaMessagePtr>("NmeaMessagePtr");
    qRegisterMetaType<SensorConfiguration>();
    vq2Handler->setSpeedCalibration(&calibrationSource);
    receivedNmeaHandler->setVq2Handler(vq2Handler);
    distanceKeeping.restore();
    initUdp();
    initSerial();
    initOutputs();
    initAlarms();
    wireReceivedSentences();
    wireSetupChanges();
    wireCalibration();
    serialReaderNmea_1.enableReceiving(true);
    serialReaderNmea_2.enableReceiving(true);
    serialSensor.enableReceiving(true);
    initSensorLink();
    initSensorStart();
    initScheduler();
}

// The debug line is held open for its rate only and talks to nothing: it is not listed.
QList<QObject*> MainHandler::parts() const {
    auto* self = const_cast<MainHandler*>(this);
    SystemSetup* setup = SystemSetup::getInstance();
    SystemVariables* store = SystemVariables::getInstance();
    const QList<QObject*> roots{self,
                                &self->serialReaderNmea_1,
                                &self->serialReaderNmea_2,
                                &self->serialSensor,
                                sensorCommandsThread,
                                &self->udp_interface,
                                &self->udp_interface.srp(),
                                &self->alarmController,
                                &self->scheduler,
                                setup,
                                &setup->simulationParameters,
                                &setup->sensTimer,
                                store,
                                &store->vq2data,
                                &store->vq2dataDat5,
                                &store->jbSimulationData,
                                &store->gpsSimulationData,
                                GPS_Input::getInstance(),
                                SpeedCalibrationData::getInstance(),
                                ErrorCounter::getInstance(),
                                UDP_61162_450::getInstance(),
                                &ReceivedNmeaHandler::errorCounter,
                                &UdpMulticastParser::errorCounter};
    QSet<QObject*> all;
    for (QObject* root : roots) {
        all << root;
        for (QObject* child : root->findChildren<QObject*>()) {
            all << child;
        }
    }
    return all.values();
}

MainHandler::~MainHandler() {
    sensorThread.quit();
    sensorThread.wait();
}

void MainHandler::initUdp() {
    UDP_61162_450* transport = UDP_61162_450::getInstance();
    SystemSetup* setup = SystemSetup::getInstance();
    transport->setGroupName(setup->Kc40Setup.values().group);
    udp_interface.setInterfaceName(Platform::hostInterface(QStringLiteral("eth0")));
    if (!udp_interface.init()) {
        Logger::instance()->append(QStringLiteral("Network output not available"),
                                   Logger::LOG_ERROR);
    }
    connect(setup, &SystemSetup::sigUpdateUDP_group, this,
            [transport, setup] { transport->setGroupName(setup->Kc40Setup.values().group); });
    connect(setup, &SystemSetup::sigChangedSFI, this, &MainHandler::slotSendSRP);
    connect(setup, &SystemSetup::sigChangedIP, this, [this] {
        udp_interface.onChangedIpAddress();
        slotSendSRP();
    });
    connect(setup, &SystemSetup::sigStandbyConfirmed, &udp_interface,
            &udp_multicast_interface::setSystemInStandby);
    connect(&udp_interface, &udp_multicast_interface::sigNmeaMsgReceived, receivedNmeaHandler,
            [this](const NmeaMessagePtr& message) {
                receivedNmeaHandler->handleReceived(message, ReceivedNmeaHandler::kSourceNetwork);
            });
    connect(setup, &SystemSetup::sigChannelBaudChanged, this, &MainHandler::slotChannelBaudChanged);
    // Faults on the inputs go to the network error counters.
    ErrorCounter* errors = ErrorCounter::getInstance();
    connect(&ReceivedNmeaHandler::errorCounter, &NmeaErrorCounter::sigError, errors,
            &ErrorCounter::slotErrors);
    connect(&UdpMulticastParser::errorCounter, &NmeaErrorCounter::sigError, errors,
            &ErrorCounter::slotErrors);
    connect(vq2Handler, &VQ2_Handler::sigError, errors, &ErrorCounter::slotErrors);
}

void MainHandler::initOutputs() {
    SystemSetup* setup = SystemSetup::getInstance();
    m_channelRules =
        std::make_unique<OutputChannelRulesOf<Outpu_Channels_Setup>>(setup->OutputChannelsSetup);
    m_serialOutputs =
        std::make_unique<UnitSerialOutputs>(serialReaderNmea_1, serialReaderNmea_2, serialSensor);
    m_networkOutput = std::make_unique<UdpNetworkOutput>(udp_interface);
    outputAssembly = new OutputAssembly(*setup, *SystemVariables::getInstance(), *m_channelRules,
                                        *m_serialOutputs, *m_networkOutput, outputHooks(), this);
    OutputAssembly* out = outputAssembly;
    // Sentences for the display and service tools leave as single datagrams, echoed to the
    // service software on the way.
    connect(vq2Handler, &VQ2_Handler::sigSendSingleOnUdpOutput, out,
            &OutputAssembly::slotSendSingleOnUdpOutput);
    connect(speedCalib, &SpeedCalibration::sigSendSingleOnUdpOutput, out,
            &OutputAssembly::slotSendSingleOnUdpOutput);
    connect(speedCalib, &SpeedCalibration::sigSendGroupOnUdpOutput, out,
            &OutputAssembly::slotSendGroupOnUdpOutput);
    connect(setup, &SystemSetup::sigSendSingleOnUdpOutput, out,
            &OutputAssembly::slotSendSingleOnUdpOutput);
    connect(vq2Handler, &VQ2_Handler::sigCheckSpeedLimits, out,
            &OutputAssembly::slotCheckSpeedLimits);
    connect(&udp_interface, &udp_multicast_interface::sigSendDiagnosticsInfo, out,
            &OutputAssembly::slotSendDiagnosticsInfo);

    PeriodicalHandler* clock = &scheduler;
    connect(clock, &PeriodicalHandler::sigSendOutputMessages, out,
            &OutputAssembly::slotSendOutputMessages);
    connect(clock, &PeriodicalHandler::sigSendHeratBeatMsg, out,
            &OutputAssembly::slotSendHeratBeatMsg);
    connect(clock, &PeriodicalHandler::sigSendConfigurationToDisplay, out,
            &OutputAssembly::slotSendConfigurationToDisplay);
    connect(clock, &PeriodicalHandler::sigReadVq1speed, out, &OutputAssembly::slotReadVq1speed);
    connect(clock, &PeriodicalHandler::sigCheckSpeedLimits, out,
            &OutputAssembly::slotCheckSpeedLimits);
    connect(clock, &PeriodicalHandler::sigSaveErrorCounters, ErrorCounter::getInstance(),
            &ErrorCounter::writeToLogFile);
}

OutputHooks MainHandler::outputHooks() {
    SystemSetup* setup = SystemSetup::getInstance();
    OutputHooks hooks;
    hooks.getOutputMsgByName = [](const QString& name, int sub) {
        return SystemVariables::getInstance()->getOutputMsgByName(name, sub);
    };
    ReceivedNmeaHandler* received = receivedNmeaHandler;
    hooks.monitorChannelInput = [received](const QString& channel) {
        return received->monitorChannelInput(channel);
    };
    hooks.monitorChannelOutput = [received](const QString& channel) {
        return received->monitorChannelOutput(channel);
    };
    hooks.typeRecognized = &ReceivedNmeaHandler::typeRecognized;
    hooks.createVersionMsg = [setup] {
        const SensorInfo* sensor = SensorInfo::getInstance();
        return setup->createVersionMsg(
            {sensor->serialNumber, sensor->firmwereRev, sensor->hardwareRev});
    };
    SpeedCalibration* calibration = speedCalib;
    hooks.calibrationOutputMessages = [calibration] { calibration->slotSendOutputMessages(); };
    hooks.sendAllCalibrationPoints = [calibration] { calibration->sendAllCalibrationPoints(); };
    AlarmController* alarms = &alarmController;
    hooks.checkLowSpeed = [alarms](float speed, bool water) {
        alarms->checkLowSpeed(speed, water);
    };
    hooks.checkHighSpeed = [alarms](float speed, bool water) {
        alarms->checkHighSpeed(speed, water);
    };
    hooks.checkSpeedWarnWater = [alarms](float speed) { alarms->checkSpeedWarnWater(speed); };
    return hooks;
}

void MainHandler::initAlarms() {
    AlarmHooks& hooks = alarmController.hooks();
    hooks.alarmOutputEnabled = [](const QString& channel) {
        return SystemSetup::getInstance()->OutputChannelsSetup.isAlarmOutputEnabled(channel);
    };
    hooks.utcTimeStamp = &UTC_Time::getTimeStample;
    hooks.sensorMuted = [this] { return standbyAndMute.isMuted(); };
    AlarmController* alarms = &alarmController;
    // The display's alert list shows whether the sensor is muted.
    connect(&standbyAndMute, &StandbyAndMute::sigMuteChanged, alarms,
            &AlarmController::notifyChangedWarnState);
    connect(alarms, &AlarmController::sigSendSingleOnUdp, outputAssembly,
            &OutputAssembly::slotSendSingleOnUdpOutput);
    connect(alarms, &AlarmController::sigSendOnNmeaOutput, outputAssembly,
            &OutputAssembly::slotSendOnNmeaOutput);
    connect(this, &MainHandler::sigSetSystemAlarm, alarms,
            [alarms](int type) { alarms->setSystemAlarm(SystemAlarmType(type)); });
    connect(this, &MainHandler::sigExitSystemAlarm, alarms,
            [alarms](int type) { alarms->exitSystemAlarm(SystemAlarmType(type)); });
    connect(SystemSetup::getInstance(), &SystemSetup::sigAlertIdChanged, alarms,
            &AlarmController::slotAlertIDChanged);
    // Every heartbeat of the alert management peer restarts its supervision, also the count of
    // heartbeats missed while it holds responsibility for an alert.
    connect(this, &MainHandler::sigReceivedHbtFromBam, alarms,
            &AlarmController::hbtMessageReceived);
    connect(this, &MainHandler::sigHbtFromBamNotReceived, alarms,
            &AlarmController::hbtMessageNotReceived);

    PeriodicalHandler* clock = &scheduler;
    connect(clock, &PeriodicalHandler::sigSendAlcMsg, alarms,
            &AlarmController::periodicalSendAlcMSg);
    connect(clock, &PeriodicalHandler::sigPeriodicalTestAndSend, this, [this] {
        alarmController.periodicalTestAndSend();
        if (m_receiveDataFromSensor) {
            SystemSetup::getInstance()->sensTimer.slotIncMsgCount(1);
        }
    });
}

void MainHandler::wireReceivedSentences() {
    ReceivedNmeaHandler* received = receivedNmeaHandler;
    OutputAssembly* out = outputAssembly;
    AlarmController* alarms = &alarmController;
    SystemSetup* setup = SystemSetup::getInstance();
    received->setSensorValidQuery([this] { return isVQ2_SensorValid(); });
    received->setDatrEnabledQuery(
        [setup] { return setup->OutputChannelsSetup.isEnabledByAny(QStringLiteral("DATR")); });
    connect(received, &ReceivedNmeaHandler::sigSendSingleOnUdpOutput, out,
            &OutputAssembly::slotSendSingleOnUdpOutput);
    connect(received, &ReceivedNmeaHandler::sigSendOnNmeaOutput, out,
            &OutputAssembly::slotSendOnNmeaOutput);
    connect(received, &ReceivedNmeaHandler::sigSystemSetupMessage, setup,
            &SystemSetup::slotSystemSetupMessage);
    connect(received, &ReceivedNmeaHandler::sigCalibrationCommandReceived, speedCalib,
            &SpeedCalibration::slotCalibrationCommandReceived);
    connect(received, &ReceivedNmeaHandler::sigSendConfigurationToDisplay, out,
            &OutputAssembly::slotSendConfigurationToDisplay);
    connect(received, &ReceivedNmeaHandler::sigSendConfigurationToServiceSoftware, out,
            &OutputAssembly::sendConifgurationToServiceSoftware);
    connect(received, &ReceivedNmeaHandler::sigUserAcknowledge, alarms,
            &AlarmController::handleUserACK);
    connect(received, &ReceivedNmeaHandler::sigUserSilence, alarms,
            &AlarmController::handleUserAlarmSilence);
    connect(received, &ReceivedNmeaHandler::sigAckReceived, alarms, &AlarmController::handleACK);
    connect(received, &ReceivedNmeaHandler::sigAcnReceived, alarms, &AlarmController::handleACN);
    connect(received, &ReceivedNmeaHandler::sigAlrsReceived, alarms, &AlarmController::handleALRS);
    connect(received, &ReceivedNmeaHandler::sigDisplayHeartBeatReceived, this,
            &MainHandler::slotDisplayHeartBeatReceived);
    connect(received, &ReceivedNmeaHandler::sigHeartBeatReceived, this,
            &MainHandler::slotHeartBeatBamCam);
    connect(received, &ReceivedNmeaHandler::sigSynchRequest, &standbyAndMute,
            &StandbyAndMute::slotSynchRequest);
    connect(received, &ReceivedNmeaHandler::sigSynchConfirmed, &standbyAndMute,
            &StandbyAndMute::slotSynchOffNmeaReceived);
    connect(received, &ReceivedNmeaHandler::sigSensorDataReceived, this, [this](bool dat4) {
        setReceiveDataFromSensor(true);
        if (dat4) {
            notifySensorMsgReceived();
        }
    });
    connect(received, &ReceivedNmeaHandler::sigSendOutputMessages, out,
            &OutputAssembly::slotSendDAT_Messages);
    connect(received, &ReceivedNmeaHandler::sigForwReverseChanged, this, [this](bool reverse) {
        vq2Handler->setForwReverseDirection(reverse);
        outputAssembly->setReverse(reverse);
    });
    connect(received, &ReceivedNmeaHandler::sigSendSRP, this, &MainHandler::slotSendSRP);
    connect(received, &ReceivedNmeaHandler::sigDiagnosticsTest, this,
            &MainHandler::sigDiagnosticsTest);
}

void MainHandler::wireSetupChanges() {
    SystemSetup* setup = SystemSetup::getInstance();
    SystemVariables* store = SystemVariables::getInstance();
    VQ2_Handler* sensorData = vq2Handler;
    auto* board = new BoardActions(this);
    connect(setup, &SystemSetup::sigRebootRequested, board, &BoardActions::reboot);
    connect(setup, &SystemSetup::sigRelaunchRequested, board, &BoardActions::relaunch);
    connect(setup, &SystemSetup::sigFileRemovalRequested, board, &BoardActions::removeFile);
    connect(setup, &SystemSetup::sigShotDownSensor, &standbyAndMute,
            &StandbyAndMute::slotShotDownSensor);
    connect(setup, &SystemSetup::sigOutputParamsChanged, this,
            &MainHandler::slotOutputParametersChanged);
    connect(setup, &SystemSetup::sigSendNewConfigToSensor, this,
            &MainHandler::slotSendConfigToSensor);
    connect(setup, &SystemSetup::forceDepthSeitchCheck, sensorData,
            &VQ2_Handler::setForceDepthSwitchCheck);
    connect(setup, &SystemSetup::sigSogFrequendcyChangeTresholdChanged, sensorData,
            &VQ2_Handler::slotSogFrequendcyChangeTresholdChanged);
    // A new primary frequency moves speed through water to the other data set, whose
    // calibration points the display then shows.
    connect(setup, &SystemSetup::sigSourceDatChanged, store, &SystemVariables::changeSourceDat);
    connect(&setup->simulationParameters, &SimulationParameters::sigSourceDatChanged, store,
            &SystemVariables::changeSourceDat);
    connect(store, &SystemVariables::sigSendAllCalib, speedCalib,
            &SpeedCalibration::sendAllCalibrationPoints);
    // Without a sensor, ground speed is the GPS speed projected onto the hull.
    connect(GPS_Input::getInstance(), &GPS_Input::signalGPS_InputReceived, store,
            [store] { store->vq2data.handleGPS_Input(); });
    store->vq2data.slotOutputParametersChanged();
    store->vq2dataDat5.slotOutputParametersChanged();
}

void MainHandler::wireCalibration() {
    SystemVariables* store = SystemVariables::getInstance();
    speedCalib->setMeasurementSource([store] { return liveCalibrationMeasurement(*store); });
    speedCalib->setPreparedMessageSource(
        [store](msgCommands page) { return calibrationPageData(*store, page); });
}

void MainHandler::slotSendSRP() {
    const Platform::InterfaceAddress eth0 =
        Platform::interfaceAddress(QStringLiteral("eth0")).value_or(Platform::InterfaceAddress{});
    udp_interface.slotSendSingleOnSrpGroup(std::make_shared<MsgSRP>(eth0.mac, eth0.ip));
}

void MainHandler::initSerial() {
    connect(&serialReaderNmea_1, &SerialReader::receivedSerialNmea, this,
            &MainHandler::handleNmea_1_message);
    connect(&serialReaderNmea_2, &SerialReader::receivedSerialNmea, this,
            &MainHandler::handleNmea_2_message);
    connect(&serialSensor, &SerialSensor::receivedSerialNmea, this,
            &MainHandler::handleSensor_message);

    const Outpu_Channels_Setup& channels = SystemSetup::getInstance()->OutputChannelsSetup;
    openLine(serialReaderNmea_1, QStringLiteral("ttyS1"),
             SerialReader::lineBaudRate(channels.getChannelBaudRate(QStringLiteral("Nmea_1"))));
    openLine(serialReaderNmea_2, QStringLiteral("ttyS2"),
             SerialReader::lineBaudRate(channels.getChannelBaudRate(QStringLiteral("Nmea_2"))));
    slotStopSensorUart(false);
    openLine(serialReaderDbgu, QStringLiteral("ttyS0"), kDebugBaud, false);
}

bool MainHandler::openLine(SerialReader& reader, const QString& name, int baudRate,
                           bool connectReceive) {
    if (reader.init(name, baudRate, connectReceive)) {
        return true;
    }
    Logger::instance()->append(QStringLiteral("Serial line ") + name +
                                   QStringLiteral(" is not available; running without it"),
                               Logger::LOG_ERROR);
    return false;
}

void MainHandler::slotChannelBaudChanged(const QString& channel, int baudRate) {
    if (!SerialReader::validateBaudRate(baudRate)) {
        return;
    }
    if (channel == QLatin1String("Nmea_1")) {
        openLine(serialReaderNmea_1, QStringLiteral("ttyS1"), baudRate);
    } else if (channel == QLatin1String("Nmea_2")) {
        openLine(serialReaderNmea_2, QStringLiteral("ttyS2"), baudRate);
    }
}

void MainHandler::handleNmea_1_message(NmeaMessagePtr message) {
    outputAssembly->sendDiagnosticsInfo(QStringLiteral("Nmea_1"), QStringLiteral("IN"), message);
    receivedNmeaHandler->handleReceived(message, 1);
}

void MainHandler::handleNmea_2_message(NmeaMessagePtr message) {
    outputAssembly->sendDiagnosticsInfo(QStringLiteral("Nmea_2"), QStringLiteral("IN"), message);
    receivedNmeaHandler->handleReceived(message, 2);
}

void MainHandler::initSensorLink() {
    SensorCommandsThread* worker = sensorCommandsThread;
    worker->moveToThread(&sensorThread);
    connect(&sensorThread, &QThread::finished, worker, &QObject::deleteLater);
    connect(this, &MainHandler::sigSendInitialConfig, worker,
            &SensorCommandsThread::slotSendInitialConfig);
    connect(this, &MainHandler::sigSendConfig, worker, &SensorCommandsThread::slotSendConfig);
    connect(this, &MainHandler::sigSensorLineReleased, worker,
            &SensorCommandsThread::slotSensorLineReleased);
    // Configuration requests of the sensor data handler and the setup leave with the settings
    // of the moment, taken here on the main thread.
    connect(vq2Handler, &VQ2_Handler::sigSendConfigToSensor, this,
            &MainHandler::slotSendConfigToSensor);
    connect(worker, &SensorCommandsThread::sigSendOnNmeaOutput, this,
            &MainHandler::slotSendToSensor);
    connect(worker, &SensorCommandsThread::sigSimulationResponse, this,
            &MainHandler::slotSimulationResponse);
    connect(worker, &SensorCommandsThread::sigStopSensorUart, this,
            &MainHandler::slotStopSensorUart);
    connect(&serialSensor, &SerialSensor::sigSynchConfirmed, &standbyAndMute,
            &StandbyAndMute::slotSynchConfirmed);
    connect(vq2Handler, &VQ2_Handler::sensorOnlyDAT4, &serialSensor, &SerialSensor::setOnlyDAT4);
    connect(vq2Handler, &VQ2_Handler::sigReloadSensorVQ2, this, &MainHandler::slotReloadSensorVQ2);
    sensorThread.start();
}

void MainHandler::slotSendToSensor(int channel, NmeaMessagePtr message) {
    if (channel == SensorCommandsThread::kSensorChannel) {
        serialSensor.sendMessage(message->getMsgBuffer(), false);
    }
}

void MainHandler::slotStopSensorUart(bool stop) {
    if (stop) {
        serialSensor.close();
        Q_EMIT sigSensorLineReleased();
        return;
    }
    if (!serialSensor.init(QStringLiteral("ttyS3"), kSensorBaud, true)) {
        Logger::instance()->append(
            QStringLiteral("Serial line ttyS3 is not available; running without it"),
            Logger::LOG_ERROR);
    }
}

void MainHandler::slotReloadSensorVQ2() {
    if (serialSensor.getMuteOn()) {
        return;
    }
    // While raw data or an upgrade owns the line, application sending is off and nothing leaves.
    static const QByteArray kReload("$PNRVFIRM\0\r\n", 12);
    serialSensor.sendByteArray(kReload, false);
}

void MainHandler::slotSimulationResponse(bool ok) {
    Logger::instance()->append(QStringLiteral("Sensor simulation: ") +
                                   (ok ? QStringLiteral("ok") : QStringLiteral("failed")),
                               Logger::LOG_INFO);
}

void MainHandler::handleSensor_message(NmeaMessagePtr message) {
    if (!message->receivedText().contains(QLatin1String("DAT"))) {
        Logger::instance()->append(QStringLiteral("From sensor: ") + message->receivedText(),
                                   Logger::LOG_DEBUG);
    }
    receivedNmeaHandler->handleMessages(message, -1);
}

void MainHandler::initSensorStart() {
    // One timer each, restarted by every power-on: a sensor switched on again never gets a
    // second, stale start sequence.
    timerSNF.setSingleShot(true);
    timerSNF.setInterval(kInitialConfigDelayMs);
    connect(&timerSNF, &QTimer::timeout, this, &MainHandler::slotRequestSNF);
    m_initialConfigRepeat.setSingleShot(true);
    m_initialConfigRepeat.setInterval(kInitialConfigRepeatMs);
    connect(&m_initialConfigRepeat, &QTimer::timeout, this,
            &MainHandler::slotSendInitialConfigToSensor);
    connect(vq2Handler, &VQ2_Handler::sigPulseLeds, this, &MainHandler::sigPulseLeds);
    if (sensorInUse()) {
        turnSensorOn();
    }
}

bool MainHandler::sensorInUse() const {
    return SystemSetup::getInstance()->Vq2Setup.values().outputParams != VQ2_Setup::kSatLog;
}

void MainHandler::turnSensorOn() {
    Q_EMIT sigSensorPower(false);
    Q_EMIT sigSensorPower(true);
    m_sensorPowered = true;
    timerSNF.start();
}

void MainHandler::turnSensorOff() {
    Q_EMIT sigSensorPower(false);
    m_sensorPowered = false;
    timerSNF.stop();
    m_initialConfigRepeat.stop();
}

void MainHandler::slotOutputParametersChanged() {
    SystemVariables* store = SystemVariables::getInstance();
    store->vq2data.slotOutputParametersChanged();
    store->vq2dataDat5.slotOutputParametersChanged();
    if (sensorInUse()) {
        if (!m_sensorPowered) {
            turnSensorOn();
        }
        return;
    }
    turnSensorOff();
    store->bSOG_fromGPS = false;
}

void MainHandler::slotRequestSNF() {
    slotSendInitialConfigToSensor();
    Q_EMIT sigDiagnosticsTest(QStringLiteral("Sensor test"), QStringLiteral("Start"));
}

void MainHandler::slotSendInitialConfigToSensor() {
    SystemSetup* setup = SystemSetup::getInstance();
    if (setup->getSystemInStandby()) {
        return;
    }
    if (setup->RvN003Setup.values().systemInStandby) {
        // The display went to standby before the power was lost: the unit follows it.
        setup->handleStandbyChangeRequest(2, true);
        setup->setWakeUpAfterPowerOff(true);
        return;
    }
    if (firstConfigToSensor) {
        m_initialConfigRepeat.start();
    }
    firstConfigToSensor = !firstConfigToSensor;
    Q_EMIT sigSendInitialConfig(VQ2::getInstance()->configuration());
}

void MainHandler::slotSendConfigToSensor() {
    if (!SystemSetup::getInstance()->getSystemInStandby()) {
        Q_EMIT sigSendConfig(VQ2::getInstance()->configuration());
    }
}

void MainHandler::notifySensorMsgReceived() {
    if (sensorHeartBeatAlarmOn) {
        Q_EMIT sigExitSystemAlarm(SYS_SENSOR_LOST);
        sensorHeartBeatAlarmOn = false;
        slotSendConfigToSensor();
    }
    Q_EMIT sigResetSensorHeartBeat();
    varFloat& depth = SystemVariables::getInstance()->vq2data.depthFwdAvg;
    Q_EMIT sigPingPulse(depth.getValidity() && depth.getValue() < kPingPulseDepthMetres);
}

void MainHandler::setLeds(quint8 pattern) {
    Q_EMIT sigSetLeds(pattern);
}

void MainHandler::setDisplayConnectedCheck(DisplayConnectedCheck check) {
    m_displayConnected = std::move(check);
}

void MainHandler::initScheduler() {
    PeriodicalHandler* clock = &scheduler;
    connect(clock, &PeriodicalHandler::SendSRP, this, &MainHandler::slotSendSRP);
    connect(clock, &PeriodicalHandler::sigReloadSensorVQ2, this, &MainHandler::slotReloadSensorVQ2);
    connect(clock, &PeriodicalHandler::sigUpdateTimeouts, SystemVariables::getInstance(),
            &SystemVariables::slotTimeCounter);
    connect(clock, &PeriodicalHandler::sigSaveTripTotal, &distanceKeeping,
            &DistanceKeeping::slotSave);
    connect(clock, &PeriodicalHandler::sigCheckMovement, this, &MainHandler::slotCheckGpsMovement);
    connect(clock, &PeriodicalHandler::sigDisplayHeratBeatAlarm, this,
            &MainHandler::slotDisplayHeratBeatAlarm);
    connect(clock, &PeriodicalHandler::sigSensorHeratBeatAlarm, this,
            &MainHandler::slotSensorHeratBeatAlarm);
    connect(clock, &PeriodicalHandler::sigHbtFromBamNotReceived, this,
            &MainHandler::slotBamHbtNotReceived);
    connect(this, &MainHandler::sigResetDisplayHeartBeat, clock,
            &PeriodicalHandler::slotResetDisplayHeartBeat);
    connect(this, &MainHandler::sigResetSensorHeartBeat, clock,
            &PeriodicalHandler::slotResetSensorHeartBeat);
    connect(this, &MainHandler::sigSetLeds, clock, &PeriodicalHandler::slotSetLeds);
    connect(this, &MainHandler::sigPulseLeds, clock, &PeriodicalHandler::slotPulseLeds);
    connect(this, &MainHandler::sigReceivedHbtFromBam, clock,
            &PeriodicalHandler::slotResetBamCamHbtCounter);
    clock->start();
}

PassConditions MainHandler::schedulerConditions() const {
    const SystemSetup* setup = SystemSetup::getInstance();
    const SimulationParameters& simulation = setup->simulationParameters;
    return {setup->getSystemInStandby(),
            simulation.SimulationModeOn &&
                simulation.simulationSource != SimulationParameters::SENSOR_FIXED_SPEED,
            setup->Vq2Setup.values().outputParams == VQ2_Setup::kSatLog};
}

// A ship lying still gets the low-speed corrections and counts no distance.
void MainHandler::slotCheckGpsMovement() {
    GpsMovementDetection* detection = GpsMovementDetection::getInstance();
    detection->slotCheckMovement(SystemVariables::getInstance()->getSOG_R_GPS());
    vq2Handler->slotVesselStill(detection->isNotMoving());
}

void MainHandler::slotDisplayHeartBeatReceived(const QString& id, const QString& mac) {
    if (m_displayConnected && !m_displayConnected(id, mac)) {
        return;
    }
    if (displayHeartBeatAlarmOn) {
        Q_EMIT sigExitSystemAlarm(SYS_DISPLAY_LOST);
        displayHeartBeatAlarmOn = false;
    }
    Q_EMIT sigResetDisplayHeartBeat();
}

void MainHandler::slotDisplayHeratBeatAlarm() {
    const SystemSetup* setup = SystemSetup::getInstance();
    if (setup->getSystemInStandby()) {
        Q_EMIT sigResetDisplayHeartBeat();
        return;
    }
    if (setup->AlarmIDsSetup.values().systemAlarmID == 0) {
        // System alarms are switched off: a raised one goes away.
        if (displayHeartBeatAlarmOn) {
            displayHeartBeatAlarmOn = false;
            Q_EMIT sigExitSystemAlarm(SYS_DISPLAY_LOST);
        }
        return;
    }
    if (!displayHeartBeatAlarmOn) {
        Q_EMIT sigSetSystemAlarm(SYS_DISPLAY_LOST);
        displayHeartBeatAlarmOn = true;
        Q_EMIT sigDisconnectFromPaired();
    }
}

void MainHandler::slotSensorHeratBeatAlarm() {
    setReceiveDataFromSensor(false);
    SystemSetup* setup = SystemSetup::getInstance();
    if (setup->getSystemInStandby()) {
        Q_EMIT sigResetSensorHeartBeat();
        return;
    }
    if (setup->AlarmIDsSetup.values().systemAlarmID == 0 ||
        setup->Vq2Setup.values().outputParams == VQ2_Setup::kSatLog) {
        if (sensorHeartBeatAlarmOn) {
            sensorHeartBeatAlarmOn = false;
            Q_EMIT sigExitSystemAlarm(SYS_SENSOR_LOST);
        }
        return;
    }
    Q_EMIT sigResetSensorHeartBeat();
    SystemVariables* store = SystemVariables::getInstance();
    store->vq2data.invalidateData();
    store->vq2dataDat5.invalidateData();
    SimulationParameters& simulation = setup->simulationParameters;
    if (simulation.SimulationModeOn &&
        simulation.simulationSource != SimulationParameters::SENSOR_FIXED_SPEED) {
        // The speeds are simulated without the sensor: its silence is expected.
        Q_EMIT sigExitSystemAlarm(SYS_SENSOR_LOST);
        sensorHeartBeatAlarmOn = false;
        return;
    }
    if (sensorHeartBeatAlarmOn) {
        return;
    }
    Q_EMIT sigSetSystemAlarm(SYS_SENSOR_LOST);
    sensorHeartBeatAlarmOn = true;
    if (simulation.SimulationModeOn) {
        // The sensor's own simulation ended with the sensor.
        simulation.SimulationModeOn = false;
        Q_EMIT simulation.sigSimulationParametersChanged();
        udp_interface.slotSendSingleMsg(simulation.simParamsChangeConfirm());
    }
    // Every sensor value on the display's monitoring page becomes unknown.
    udp_interface.slotSendSingleMsg(std::make_shared<MsgICM>(
        SetupMessages::kMessageVersion, msgCommands::QualityFactorDataCommand,
        QList<int>(kSensorMonitoringValues, INT_MAX)));
}

void MainHandler::slotHeartBeatBamCam(NmeaMessagePtr message) {
    if (message->getSourceSfi() == SystemSetup::getInstance()->Kc40Setup.values().alarmID) {
        Q_EMIT sigReceivedHbtFromBam();
    }
}

void MainHandler::slotBamHbtNotReceived() {
    Q_EMIT sigHbtFromBamNotReceived();
}
