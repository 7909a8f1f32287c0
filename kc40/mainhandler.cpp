#include "mainhandler.h"

#include "boardactions.h"
#include "errorcounter.h"
#include "gps_input.h"
#include "ip_handler.h"
#include "kc_40_adc_results.h"
#include "logger.h"
#include "platform.h"
#include "receivednmeahandler.h"
#include "sensorinfo.h"
#include "serializationcontroller.h"
#include "systemsetup.h"
#include "systemvariables.h"
#include "udpmulticastparser.h"
#include "usb_setup_manipulation.h"
#include "utc_time.h"
#include "vq2_handler.h"

#include <QSet>

MainHandler::MainHandler(QObject* parent)
    : QObject(parent), lines(this), receivedNmeaHandler(new ReceivedNmeaHandler(this)),
      speedCalib(new SpeedCalibration(SpeedCalibrationData::getInstance(), this)),
      seaTest(new SemiAutoCalibrationController(SpeedCalibrationData::getInstance(), *speedCalib,
                                                this)),
      calibrationSource(*speedCalib), vq2Handler(new VQ2_Handler(this)),
      sensorCommandsThread(new SensorCommandsThread), commands(*SystemSetup::getInstance(), this),
      sensorControl(*SystemSetup::getInstance(), commands, *SystemVariables::getInstance(),
                    lines.sensor(), this),
      standbyAndMute(
          lines.sensor(), *SystemSetup::getInstance(),
          [this] { return sensorControl.sensorInUse(); }, this),
      distanceKeeping(*SystemSetup::getInstance(), *SystemVariables::getInstance(), this),
      heartbeats(*SystemSetup::getInstance(), *SystemVariables::getInstance(), this),
      simulator(SystemSetup::getInstance()->simulationParameters, *SystemVariables::getInstance()),
      simulationCommands(*SystemSetup::getInstance(), *SystemVariables::getInstance(),
                         alarmController),
      demoPlayer(new DemoPlayer(this)),
      diagnostics(*KC_40_ADC_Results::getInstance(), *SystemSetup::getInstance(), this),
      junctionBox(new JunctionBoxDevices(this)),
      scheduler([] { return PeriodicalHandler::conditionsOf(*SystemSetup::getInstance()); }) {
    qRegisterMetaType<NmeaMessagePtr>("NmeaMessagePtr");
    qRegisterMetaType<SensorConfiguration>();
    vq2Handler->setSpeedCalibration(&calibrationSource);
    receivedNmeaHandler->setVq2Handler(vq2Handler);
    distanceKeeping.restore();
    initUdp();
    initOutputs();
    initAlarms();
    wireSupervision();
    wireReceivedSentences();
    wireSetupChanges();
    initAuxiliary();
    wireCalibration();
    initSensorLink();
    wireDiagnostics();
    initSimulation();
    pins.start();
    lines.open(SystemSetup::getInstance()->OutputChannelsSetup);
    sensorControl.start();
    initBoardDevices();
    initUsbStick();
    initScheduler();
}

MainHandler::~MainHandler() {
    sensorThread.quit();
    sensorThread.wait();
}

// The debug line is held open for its rate only and talks to nothing: it is not listed.
QList<QObject*> MainHandler::parts() const {
    auto* self = const_cast<MainHandler*>(this);
    SystemSetup* setup = SystemSetup::getInstance();
    SystemVariables* store = SystemVariables::getInstance();
    const QList<QObject*> roots{self,
                                sensorCommandsThread,
                                diagnostics.diagnostics(),
                                &self->udp_interface,
                                &self->udp_interface.srp(),
                                &self->alarmController,
                                &self->simulator,
                                &self->simulationCommands,
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
                                IP_handler::getInstance(),
                                &ReceivedNmeaHandler::errorCounter,
                                &UdpMulticastParser::errorCounter,
                                Logger::instance()};
    QSet<QObject*> all;
    for (QObject* root : roots) {
        all << root;
        for (QObject* child : root->findChildren<QObject*>()) {
            all << child;
        }
    }
    return all.values();
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
    connect(&commands, &DisplayCommands::sigUpdateUDP_group, this,
            [transport, setup] { transport->setGroupName(setup->Kc40Setup.values().group); });
    connect(&commands, &DisplayCommands::sigChangedSFI, &udp_interface,
            &udp_multicast_interface::slotSendSRP);
    connect(&commands, &DisplayCommands::sigChangedIP, &udp_interface,
            &udp_multicast_interface::onChangedIpAddress);
    connect(&commands, &DisplayCommands::sigChangedIP, &udp_interface,
            &udp_multicast_interface::slotSendSRP);
    // Address and hardware-address changes go to the board's network settings; once its
    // network service has restarted, the sockets follow.
    IP_handler* network = IP_handler::getInstance();
    connect(&commands, &DisplayCommands::sigIpAddressChanged, network,
            &IP_handler::changeIpAddress);
    connect(receivedNmeaHandler, &ReceivedNmeaHandler::sigMacAddress, network,
            &IP_handler::setMacAddress);
    connect(network, &IP_handler::sigNetworkRestarted, &udp_interface,
            &udp_multicast_interface::slotNetworkRestarted);
    connect(setup, &SystemSetup::sigStandbyConfirmed, &udp_interface,
            &udp_multicast_interface::setSystemInStandby);
    udp_interface.setDemoPlaybackCheck(
        [setup] { return setup->simulationParameters.isDemoActive(); });
    connect(&udp_interface, &udp_multicast_interface::sigNmeaMsgReceived, receivedNmeaHandler,
            [this](const NmeaMessagePtr& message) {
                receivedNmeaHandler->handleReceived(message, ReceivedNmeaHandler::kSourceNetwork);
            });
    connect(&commands, &DisplayCommands::sigChannelBaudChanged, &lines,
            &SerialLines::slotChannelBaudChanged);
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
        std::make_unique<UnitSerialOutputs>(lines.nmea1(), lines.nmea2(), lines.sensor());
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
    connect(setup, &SystemSetup::sigSendSingleOnUdpOutput, out,
            &OutputAssembly::slotSendSingleOnUdpOutput);
    connect(&commands, &DisplayCommands::sigSendSingleOnUdpOutput, out,
            &OutputAssembly::slotSendSingleOnUdpOutput);
    connect(&heartbeats, &HeartbeatSupervision::sigSendSingleOnUdpOutput, out,
            &OutputAssembly::slotSendSingleOnUdpOutput);
    connect(speedCalib, &SpeedCalibration::sigSendGroupOnUdpOutput, out,
            &OutputAssembly::slotSendGroupOnUdpOutput);
    connect(vq2Handler, &VQ2_Handler::sigCheckSpeedLimits, out,
            &OutputAssembly::slotCheckSpeedLimits);
    connect(&udp_interface, &udp_multicast_interface::sigSendDiagnosticsInfo, out,
            &OutputAssembly::slotSendDiagnosticsInfo);
    // What comes in on the NMEA channels is echoed to the service software and handled.
    connect(&lines, &SerialLines::sigChannelSentence, out,
            [out](const NmeaMessagePtr& message, int source) {
                out->sendDiagnosticsInfo(source == SerialLines::kSourceNmea1
                                             ? QStringLiteral("Nmea_1")
                                             : QStringLiteral("Nmea_2"),
                                         QStringLiteral("IN"), message);
            });

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
    DiagnosticsService* tests = &diagnostics;
    hooks.getAllDefaults = [tests] { tests->slotSendDefaults(); };
    AlarmController* alarms = &alarmController;
    hooks.checkLowSpeed = [alarms](float speed, bool water) {
        alarms->checkLowSpeed(speed, water);
    };
    hooks.checkHighSpeed = [alarms](float speed, bool water) {
        alarms->checkHighSpeed(speed, water);
    };
    hooks.checkSpeedWarnWater = [alarms](float speed) { alarms->checkSpeedWarnWater(speed); };
    hooks.readVq1Speed = [this] { spiExtension.getVQ1Speed(*SystemVariables::getInstance()); };
    hooks.updateJB_Simulation = [this] { simulator.updateJB_Simulation(); };
    hooks.updateGPS_Simulation = [this] { simulator.updateGPS_Simulation(); };
    hooks.isAlarmTestActive = [this] { return simulationCommands.isAlarmTestActive(); };
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
    connect(&commands, &DisplayCommands::sigAlertIdChanged, alarms,
            &AlarmController::slotAlertIDChanged);

    PeriodicalHandler* clock = &scheduler;
    connect(clock, &PeriodicalHandler::sigSendAlcMsg, alarms,
            &AlarmController::periodicalSendAlcMSg);
    connect(clock, &PeriodicalHandler::sigPeriodicalTestAndSend, alarms,
            &AlarmController::periodicalTestAndSend);
}

void MainHandler::wireSupervision() {
    HeartbeatSupervision* supervision = &heartbeats;
    AlarmController* alarms = &alarmController;
    PeriodicalHandler* clock = &scheduler;
    connect(supervision, &HeartbeatSupervision::sigSetSystemAlarm, alarms,
            &AlarmController::setSystemAlarm);
    connect(supervision, &HeartbeatSupervision::sigExitSystemAlarm, alarms,
            &AlarmController::exitSystemAlarm);
    // Every heartbeat of the alert management peer restarts its supervision, also the count of
    // heartbeats missed while it holds responsibility for an alert.
    connect(supervision, &HeartbeatSupervision::sigReceivedHbtFromBam, alarms,
            &AlarmController::hbtMessageReceived);
    connect(supervision, &HeartbeatSupervision::sigReceivedHbtFromBam, clock,
            &PeriodicalHandler::slotResetBamCamHbtCounter);
    connect(clock, &PeriodicalHandler::sigHbtFromBamNotReceived, alarms,
            &AlarmController::hbtMessageNotReceived);
    // Only a paired display's heartbeat counts; a lost display must pair again.
    supervision->setDisplayConnectedCheck([this](const QString& id, const QString& mac) {
        return udp_interface.isDisplayConnected(id, mac);
    });
    connect(supervision, &HeartbeatSupervision::sigDisconnectFromPaired, &udp_interface,
            &udp_multicast_interface::disconnectFromPaired);
    connect(supervision, &HeartbeatSupervision::sigResetDisplayHeartBeat, clock,
            &PeriodicalHandler::slotResetDisplayHeartBeat);
    connect(supervision, &HeartbeatSupervision::sigResetSensorHeartBeat, clock,
            &PeriodicalHandler::slotResetSensorHeartBeat);
    connect(clock, &PeriodicalHandler::sigDisplayHeratBeatAlarm, supervision,
            &HeartbeatSupervision::slotDisplayHeratBeatAlarm);
    connect(clock, &PeriodicalHandler::sigSensorHeratBeatAlarm, supervision,
            &HeartbeatSupervision::slotSensorHeratBeatAlarm);
    connect(clock, &PeriodicalHandler::sigPeriodicalTestAndSend, supervision,
            &HeartbeatSupervision::slotCountSensorUpTime);
    // A sensor that comes back gets its configuration again.
    connect(supervision, &HeartbeatSupervision::sigSensorReturned, &sensorControl,
            &SensorControl::slotSendConfigToSensor);
}

void MainHandler::wireReceivedSentences() {
    ReceivedNmeaHandler* received = receivedNmeaHandler;
    OutputAssembly* out = outputAssembly;
    AlarmController* alarms = &alarmController;
    SystemSetup* setup = SystemSetup::getInstance();
    received->setSensorValidQuery([this] { return heartbeats.isVQ2_SensorValid(); });
    received->setDatrEnabledQuery(
        [setup] { return setup->OutputChannelsSetup.isEnabledByAny(QStringLiteral("DATR")); });
    // While a demonstration plays, it speaks for the sensor, and the simulation settings are
    // taken from the ship's network only.
    const SimulationParameters* simulation = &setup->simulationParameters;
    connect(&lines, &SerialLines::sigChannelSentence, received,
            [received, simulation](const NmeaMessagePtr& m, int source) {
                if (!simulation->isDemoActive() || m->messageType() != QLatin1String("EPV")) {
                    received->handleReceived(m, source);
                }
            });
    connect(&lines, &SerialLines::sigSensorSentence, received,
            [received, simulation](NmeaMessagePtr m) {
                if (!simulation->isDemoActive()) {
                    received->handleMessages(m, ReceivedNmeaHandler::kSourceSensor);
                }
            });
    connect(received, &ReceivedNmeaHandler::sigSendSingleOnUdpOutput, out,
            &OutputAssembly::slotSendSingleOnUdpOutput);
    connect(received, &ReceivedNmeaHandler::sigSendOnNmeaOutput, out,
            &OutputAssembly::slotSendOnNmeaOutput);
    connect(received, &ReceivedNmeaHandler::sigSystemSetupMessage, &commands,
            &DisplayCommands::slotSystemSetupMessage);
    connect(received, &ReceivedNmeaHandler::sigConnectionData, &commands,
            &DisplayCommands::updateConnectionInfo);
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
    connect(received, &ReceivedNmeaHandler::sigDisplayHeartBeatReceived, &heartbeats,
            &HeartbeatSupervision::slotDisplayHeartBeatReceived);
    connect(received, &ReceivedNmeaHandler::sigHeartBeatReceived, &heartbeats,
            &HeartbeatSupervision::slotHeartBeatBamCam);
    connect(received, &ReceivedNmeaHandler::sigSensorDataReceived, &heartbeats,
            &HeartbeatSupervision::slotSensorDataReceived);
    connect(received, &ReceivedNmeaHandler::sigSynchRequest, &standbyAndMute,
            &StandbyAndMute::slotSynchRequest);
    connect(received, &ReceivedNmeaHandler::sigSynchConfirmed, &standbyAndMute,
            &StandbyAndMute::slotSynchOffNmeaReceived);
    connect(received, &ReceivedNmeaHandler::sigSendOutputMessages, out,
            &OutputAssembly::slotSendDAT_Messages);
    connect(received, &ReceivedNmeaHandler::sigForwReverseChanged, vq2Handler,
            &VQ2_Handler::setForwReverseDirection);
    connect(received, &ReceivedNmeaHandler::sigForwReverseChanged, out,
            &OutputAssembly::setReverse);
    connect(received, &ReceivedNmeaHandler::sigSendSRP, &udp_interface,
            &udp_multicast_interface::slotSendSRP);
}

void MainHandler::wireSetupChanges() {
    SystemSetup* setup = SystemSetup::getInstance();
    SystemVariables* store = SystemVariables::getInstance();
    VQ2_Handler* sensorData = vq2Handler;
    auto* board = new BoardActions(this);
    DisplayCommands* display = &commands;
    connect(display, &DisplayCommands::sigRebootRequested, board, &BoardActions::reboot);
    connect(display, &DisplayCommands::sigRelaunchRequested, board, &BoardActions::relaunch);
    connect(display, &DisplayCommands::sigFileRemovalRequested, board, &BoardActions::removeFile);
    connect(display, &DisplayCommands::sigShotDownSensor, &standbyAndMute,
            &StandbyAndMute::slotShotDownSensor);
    connect(display, &DisplayCommands::sigOutputParamsChanged, &sensorControl,
            &SensorControl::slotOutputParametersChanged);
    connect(display, &DisplayCommands::sigSendNewConfigToSensor, &sensorControl,
            &SensorControl::slotSendConfigToSensor);
    connect(display, &DisplayCommands::forceDepthSeitchCheck, sensorData,
            &VQ2_Handler::setForceDepthSwitchCheck);
    connect(display, &DisplayCommands::sigSogFrequendcyChangeTresholdChanged, sensorData,
            &VQ2_Handler::slotSogFrequendcyChangeTresholdChanged);
    // Zone borders move with the vessel's maximum speed: the old table no longer fits.
    connect(display, &DisplayCommands::sigMaxVesselSpeedChanged,
            SpeedCalibrationData::getInstance(), &SpeedCalibrationData::slotMaxVesselSpeedChanged);
    // A new primary frequency moves speed through water to the other data set, whose
    // calibration points the display then shows.
    connect(display, &DisplayCommands::sigSourceDatChanged, store,
            &SystemVariables::changeSourceDat);
    connect(&setup->simulationParameters, &SimulationParameters::sigSourceDatChanged, store,
            &SystemVariables::changeSourceDat);
    connect(store, &SystemVariables::sigSendAllCalib, speedCalib,
            &SpeedCalibration::sendAllCalibrationPoints);
    // Without a sensor, ground speed is the GPS speed projected onto the hull.
    connect(GPS_Input::getInstance(), &GPS_Input::signalGPS_InputReceived, &store->vq2data,
            &VQ2DataModel::handleGPS_Input);
}

void MainHandler::initAuxiliary() {
    SystemSetup* setup = SystemSetup::getInstance();
    auxhandler = new KC40_AUX_Handler(
        *setup, KC40_AUX_Handler::speedsOf(*SystemVariables::getInstance()), this);
    KC40_AUX_Handler* aux = auxhandler;
    AlarmController* alarms = &alarmController;
    connect(alarms, &AlarmController::sigSetAlarmAuxOutput, aux,
            &KC40_AUX_Handler::slotSetAlarmAuxOutput);
    connect(alarms, &AlarmController::sigSetSpeedLimitAuxOutput, aux,
            &KC40_AUX_Handler::slotSetSpeedLimitAuxOutput);
    connect(alarms, &AlarmController::sigSilenceAlarmBeepOutput, aux,
            &KC40_AUX_Handler::slotSilenceAlarmBeepOutput);
    connect(aux, &KC40_AUX_Handler::sigOnAlarmAcked, alarms, &AlarmController::handleUserACK);
    connect(aux, &KC40_AUX_Handler::sigOnAlarmSilenced, alarms,
            &AlarmController::handleUserAlarmSilence);
    connect(&heartbeats, &HeartbeatSupervision::sigPingPulse, aux,
            &KC40_AUX_Handler::slotDatReceived);
    ReceivedNmeaHandler* received = receivedNmeaHandler;
    connect(received, &ReceivedNmeaHandler::sigAuxSetupMessage, aux,
            &KC40_AUX_Handler::slotAuxSetupMessage);
    connect(received, &ReceivedNmeaHandler::sigFittnesPulseReceived, aux,
            &KC40_AUX_Handler::generateFittnesPulse);
    // The mute input asks the sensor; the blanking output follows the sensor's answer.
    connect(aux, &KC40_AUX_Handler::sigSynchRequest, &standbyAndMute,
            &StandbyAndMute::slotSynchRequest);
    connect(&standbyAndMute, &StandbyAndMute::sigMuteChanged, aux,
            &KC40_AUX_Handler::slotSynchConfirmed);
    connect(aux, &KC40_AUX_Handler::sigForwReverseChanged, vq2Handler,
            &VQ2_Handler::setForwReverseDirection);
    connect(aux, &KC40_AUX_Handler::sigForwReverseChanged, outputAssembly,
            &OutputAssembly::setReverse);
    connect(aux, &KC40_AUX_Handler::sigSendSingleOnUdpOutput, outputAssembly,
            &OutputAssembly::slotSendSingleOnUdpOutput);
    connect(setup, &SystemSetup::sigStandbyConfirmed, aux, &KC40_AUX_Handler::slotStandbyConfirmed);
    connect(&scheduler, &PeriodicalHandler::sigUpdateTimeouts, aux,
            &KC40_AUX_Handler::slotUpdateOutputs);
}

void MainHandler::wireCalibration() {
    SystemVariables* store = SystemVariables::getInstance();
    SemiAutoCalibrationController* legs = seaTest;
    speedCalib->setMeasurementSource([store] { return liveCalibrationMeasurement(*store); });
    speedCalib->setPreparedMessageSource([store, legs](msgCommands page) {
        switch (page) {
        case msgCommands::DataForSemiAutoCalibrationCommand:
            return legs->getDataForSemiautomaticCalibration();
        case msgCommands::ValidityForSemiAutoCalibrationCommand:
            return legs->getValidityForSemiautomaticCalibration();
        default:
            return calibrationPageData(*store, page);
        }
    });
    legs->setSampleSource([store] { return semiAutoSample(*store); });
    connect(speedCalib, &SpeedCalibration::sigSemiAutomaticCommand, legs,
            &SemiAutoCalibrationController::slotSemiAutomaticCommand);
    connect(legs, &SemiAutoCalibrationController::sigSendSingleOnUdpOutput, outputAssembly,
            &OutputAssembly::slotSendSingleOnUdpOutput);
    // The leg under way is reported in DATR.
    connect(legs, &SemiAutoCalibrationController::sigLegProgress, store,
            [store](quint32 leg, quint32 distance) {
                store->nCurrentSeaCalibLeg = leg;
                store->nCurrentSeaCalibDistance = distance;
            });
}

void MainHandler::initSensorLink() {
    SensorCommandsThread* worker = sensorCommandsThread;
    worker->moveToThread(&sensorThread);
    connect(&sensorThread, &QThread::finished, worker, &QObject::deleteLater);
    connect(&sensorControl, &SensorControl::sigSendInitialConfig, worker,
            &SensorCommandsThread::slotSendInitialConfig);
    connect(&sensorControl, &SensorControl::sigSendConfig, worker,
            &SensorCommandsThread::slotSendConfig);
    connect(&lines, &SerialLines::sigSensorLineReleased, worker,
            &SensorCommandsThread::slotSensorLineReleased);
    // Configuration requests of the sensor data handler leave with the settings of the moment,
    // taken on the main thread.
    connect(vq2Handler, &VQ2_Handler::sigSendConfigToSensor, &sensorControl,
            &SensorControl::slotSendConfigToSensor);
    connect(worker, &SensorCommandsThread::sigSendOnNmeaOutput, &lines,
            &SerialLines::slotSendToSensor);
    connect(worker, &SensorCommandsThread::sigStopSensorUart, &lines,
            &SerialLines::slotStopSensorUart);
    // A firmware image dropped for the sensor is looked for every second; the upgrade's
    // reports go to the display.
    connect(&scheduler, &PeriodicalHandler::sigPeriodicalTestAndSend, worker,
            &SensorCommandsThread::slotStartSensorUpgrade);
    connect(worker, &SensorCommandsThread::sigSendSingleOnUdpOutput, outputAssembly,
            &OutputAssembly::slotSendSingleOnUdpOutput);
    connect(&lines.sensor(), &SerialSensor::sigSynchConfirmed, &standbyAndMute,
            &StandbyAndMute::slotSynchConfirmed);
    connect(vq2Handler, &VQ2_Handler::sensorOnlyDAT4, &lines.sensor(), &SerialSensor::setOnlyDAT4);
    connect(vq2Handler, &VQ2_Handler::sigReloadSensorVQ2, &sensorControl,
            &SensorControl::slotReloadSensorVQ2);
    // The sensor test reports how many good and bad sentences the sensor sent.
    KC_40_ADC_Results* counts = KC_40_ADC_Results::getInstance();
    connect(&lines.sensor(), &SerialSensor::receivedValidDataFromSensor, this,
            [counts] { counts->increment_OK_sensor_NMEA_count(); });
    connect(&lines.sensor(), &SerialSensor::receivedInvalidDataFromSensor, this,
            [counts] { counts->increment_NOK_sensor_NMEA_count(); });
    connect(&sensorControl, &SensorControl::sigSensorPower, this,
            [this](bool on) { pins.setSensorPower(on); });
    // Raw measurement frames go to the network as binary images.
    connect(worker, &SensorCommandsThread::sigSendBinaryToUDP, &udp_interface,
            &udp_multicast_interface::slotSendBinaryToUDP);
    connect(&lines.sensor(), &SerialSensor::sigSendBinaryToUDP, &udp_interface,
            &udp_multicast_interface::slotSendBinaryToUDP);
    sensorThread.start();
}

void MainHandler::wireDiagnostics() {
    DiagnosticsService* tests = &diagnostics;
    connect(&sensorControl, &SensorControl::sigDiagnosticsTest, tests,
            &DiagnosticsService::slotDiagnosticsTest);
    connect(receivedNmeaHandler, &ReceivedNmeaHandler::sigDiagnosticsTest, tests,
            &DiagnosticsService::slotDiagnosticsTest);
    // Direct: the sensor test waits for the answer on its own thread.
    connect(receivedNmeaHandler, &ReceivedNmeaHandler::sigSensorAnswered, tests,
            &DiagnosticsService::slotSensorAnswered, Qt::DirectConnection);
    connect(tests, &DiagnosticsService::sigSendGroupOnUdpOutput, outputAssembly,
            &OutputAssembly::slotSendGroupOnUdpOutput);
    connect(tests, &DiagnosticsService::sigSendSingleOnUdp, outputAssembly,
            &OutputAssembly::slotSendSingleOnUdpOutput);
    connect(tests, &DiagnosticsService::sigSendOnNmeaOutput, &lines,
            &SerialLines::slotSendToSensor);
}

void MainHandler::initBoardDevices() {
    PeriodicalHandler* clock = &scheduler;
    JunctionBoxDevices* board = junctionBox;
    connect(clock, &PeriodicalHandler::sigStartJunctionBox, board, &JunctionBoxDevices::slotStart,
            Qt::DirectConnection);
    connect(clock, &PeriodicalHandler::sigReadJunctionBox, board,
            &JunctionBoxDevices::slotReadSensors, Qt::DirectConnection);
    connect(clock, &PeriodicalHandler::sigWriteLeds, board, &JunctionBoxDevices::slotWriteLeds,
            Qt::DirectConnection);
    // The setup file is written on the main thread.
    KC40_Setup* identity = &SystemSetup::getInstance()->Kc40Setup;
    connect(
        board, &JunctionBoxDevices::sigHardwareVersion, this,
        [identity](const QString& version) { identity->setHwVersion(version); },
        Qt::QueuedConnection);
    spiExtension.init();
    connect(receivedNmeaHandler, &ReceivedNmeaHandler::sigSetTripTotalVQ1, this,
            [this](float trip, float total) { spiExtension.setTripTotal(trip, total); });
}

void MainHandler::initSimulation() {
    SimulationParameters* parameters = &SystemSetup::getInstance()->simulationParameters;
    SimulationCommands* commandsOf = &simulationCommands;
    SensorCommandsThread* worker = sensorCommandsThread;
    connect(parameters, &SimulationParameters::sigSimulationParametersChanged, &simulator,
            &Simulator::slotSimulationParametersChanged);
    connect(parameters, &SimulationParameters::sigRawMeasurementSettingsChanged, &simulator,
            &Simulator::slotRawMeasurementSettingsChanged);
    connect(&simulator, &Simulator::sigSendSimulationCommand, commandsOf,
            &SimulationCommands::slotSendSimulationCommand);

    // Raw measurement: the sensor line goes to the command thread and comes back after it.
    connect(&simulator, &Simulator::sigStartVQ2RawDataReading, &sensorControl,
            &SensorControl::slotStartVQ2RawDataReading);
    connect(&simulator, &Simulator::sigStopVQ2RawDataReading, &sensorControl,
            &SensorControl::slotStopVQ2RawDataReading);
    connect(&sensorControl, &SensorControl::sigStartRawDataReading, worker,
            &SensorCommandsThread::slotStartVQ2RawDataReading);
    connect(&sensorControl, &SensorControl::sigStopRawDataReading, worker,
            &SensorCommandsThread::slotStopVQ2RawDataReading);

    // The sensor's own simulation and its answer.
    connect(commandsOf, &SimulationCommands::sigStartSensorSimulator, worker,
            &SensorCommandsThread::slotStartSimulator);
    connect(worker, &SensorCommandsThread::sigSimulationResponse, commandsOf,
            &SimulationCommands::slotSimulationResponse);
    connect(commandsOf, &SimulationCommands::sigSensorSimulationRefused, &heartbeats,
            &HeartbeatSupervision::slotSensorHeratBeatAlarm);
    ReceivedNmeaHandler* received = receivedNmeaHandler;
    connect(commandsOf, &SimulationCommands::sigSimulationCountersCleared, received,
            [received] { received->resetSensorSimulationCheck(); });
    connect(commandsOf, &SimulationCommands::sigSendSingleOnUdpOutput, outputAssembly,
            &OutputAssembly::slotSendSingleOnUdpOutput);

    // A demonstration's sentences are taken as the sensor's and the ship's equipment's.
    connect(commandsOf, &SimulationCommands::sigStartDemo, demoPlayer, &DemoPlayer::playDemo);
    connect(commandsOf, &SimulationCommands::sigStopDemo, demoPlayer, &DemoPlayer::stopDemo);
    connect(demoPlayer, &DemoPlayer::nmeaMessageFromFile, received, [received](NmeaMessagePtr m) {
        received->handleMessages(m, ReceivedNmeaHandler::kSourceSensor);
    });

    // The display's alert list tells a simulation and an alarm test from normal work.
    AlarmHooks& hooks = alarmController.hooks();
    hooks.sensorDemoActive = [commandsOf] { return commandsOf->isSensorDemoActive(); };
    hooks.alarmTestActive = [commandsOf] { return commandsOf->isAlarmTestActive(); };
}

void MainHandler::initUsbStick() {
    Logger* logger = Logger::instance();
    const KC40_Setup* identity = &SystemSetup::getInstance()->Kc40Setup;
    logger->setTimeSource(&UTC_Time::getTimeStample);
    logger->setUnitNameSource([identity] { return identity->values().unitName; });
    new USB_setup_manipulation(*logger, &Platform::relaunch, this);
    // Every settings file written is offered to the stick.
    SerializationController::setWrittenHook(
        [](const QString& fileName) { Logger::instance()->emitSigCopyFileToStick(fileName); });
    logger->startLoggerTimer();
}

void MainHandler::initScheduler() {
    PeriodicalHandler* clock = &scheduler;
    connect(clock, &PeriodicalHandler::SendSRP, &udp_interface,
            &udp_multicast_interface::slotSendSRP);
    connect(clock, &PeriodicalHandler::sigReloadSensorVQ2, &sensorControl,
            &SensorControl::slotReloadSensorVQ2);
    connect(clock, &PeriodicalHandler::sigUpdateTimeouts, SystemVariables::getInstance(),
            &SystemVariables::slotTimeCounter);
    connect(clock, &PeriodicalHandler::sigSaveTripTotal, &distanceKeeping,
            &DistanceKeeping::slotSave);
    connect(clock, &PeriodicalHandler::sigCheckMovement, vq2Handler,
            &VQ2_Handler::slotCheckGpsMovement);
    connect(vq2Handler, &VQ2_Handler::sigPulseLeds, clock, &PeriodicalHandler::slotPulseLeds);
    clock->start();
}
