#pragma once

#include "alarmcontroller.h"
#include "calibrationtablesource.h"
#include "demoplayer.h"
#include "diagnosticsservice.h"
#include "displaycommands.h"
#include "distancekeeping.h"
#include "heartbeatsupervision.h"
#include "junctionboxdevices.h"
#include "kc40_aux_handler.h"
#include "mainboardpins.h"
#include "outputassembly.h"
#include "periodicalhandler.h"
#include "semiautocalibrationcontroller.h"
#include "sensorcommandsthread.h"
#include "sensorcontrol.h"
#include "seriallines.h"
#include "simulationcommands.h"
#include "simulator.h"
#include "spiextension.h"
#include "standbyandmute.h"
#include "udp_multicast_interface.h"

#include <QList>
#include <QObject>
#include <QThread>

#include <memory>

class ReceivedNmeaHandler;
class VQ2_Handler;

// The unit: builds every long-lived part and connects them. What the parts do lives in them.
class MainHandler : public QObject {
    Q_OBJECT
public:
    explicit MainHandler(QObject* parent = nullptr);
    ~MainHandler() override;

    // Every long-lived object of the unit, wherever it lives: the handler, its parts on the
    // main thread and on other threads, and the process-wide stores.
    QList<QObject*> parts() const;

    HeartbeatSupervision& supervision() { return heartbeats; }
    SensorControl& sensor() { return sensorControl; }
    PeriodicalHandler& periodicalHandler() { return scheduler; }
    AlarmController& alarms() { return alarmController; }
    DisplayCommands& displayCommands() { return commands; }
    OutputAssembly& outputs() { return *outputAssembly; }

private:
    // Joins the unit's group on the ship's network and hands received sentences on.
    void initUdp();
    // The output cycle and the unit's sending paths, on the lines and the network.
    void initOutputs();
    OutputHooks outputHooks();
    void initAlarms();
    void wireSupervision();
    // What the received-sentence handler asks for and hands on.
    void wireReceivedSentences();
    // Display settings that other parts of the unit follow.
    void wireSetupChanges();
    // The junction box's auxiliary terminals: alarms, pulses, the operator's inputs.
    void initAuxiliary();
    // Live values for points taken from measurement and for the sea test's legs, and the
    // calibration pages' data.
    void wireCalibration();
    void initSensorLink();
    // The self tests: asked for at start and by the display, answered to the display.
    void wireDiagnostics();
    // The junction box's chips on the scheduler thread, and the older log over SPI.
    void initBoardDevices();
    // Simulated speeds, demo playback, the alarm test and raw measurement, as the display's
    // simulation parameters ask.
    void initSimulation();
    // The log on a USB stick, and what the unit and an inserted stick exchange.
    void initUsbStick();
    // Wires and starts the one-second scheduler.
    void initScheduler();

    SerialLines lines;
    ReceivedNmeaHandler* receivedNmeaHandler;
    SpeedCalibration* speedCalib;
    SemiAutoCalibrationController* seaTest;
    CalibrationTableSource calibrationSource;
    VQ2_Handler* vq2Handler;
    QThread sensorThread;
    SensorCommandsThread* sensorCommandsThread;
    DisplayCommands commands;
    MainBoardPins pins;
    SensorControl sensorControl;
    StandbyAndMute standbyAndMute;
    DistanceKeeping distanceKeeping;
    HeartbeatSupervision heartbeats;
    udp_multicast_interface udp_interface;
    AlarmController alarmController;
    Simulator simulator;
    SimulationCommands simulationCommands;
    DemoPlayer* demoPlayer;
    std::unique_ptr<OutputChannelRules> m_channelRules;
    std::unique_ptr<SerialOutputs> m_serialOutputs;
    std::unique_ptr<NetworkOutput> m_networkOutput;
    OutputAssembly* outputAssembly = nullptr;
    DiagnosticsService diagnostics;
    SpiExtension spiExtension;
    // Driven from the scheduler thread: it goes after the scheduler has stopped.
    JunctionBoxDevices* junctionBox;
    KC40_AUX_Handler* auxhandler = nullptr;
    // Last, so that it stops before the objects its passes reach go away.
    PeriodicalHandler scheduler;
};
