#pragma once

#include "configurationfixture.h"
#include "displaycommands.h"
#include "msgicm.h"
#include "setupmessages.h"

#include <memory>

// Drives the configuration with display commands and records what it sends back and what it
// announces to the rest of the unit, in order ("group", "baud Nmea_2 4800", ...).
class DisplayCommandsTest : public ConfigurationTest {
protected:
    DisplayCommandsTest() { restartUnit(); }

    // A fresh configuration loaded from the files the root holds now; nothing sent yet.
    void restartUnit() {
        commands.reset();
        SystemSetup::resetForTests();
        setup = SystemSetup::getInstance();
        commands = std::make_unique<DisplayCommands>(*setup);
        sent.clear();
        announced.clear();
        auto record = [this](NmeaMessagePtr msg) { sent.append(msg); };
        QObject::connect(setup, &SystemSetup::sigSendSingleOnUdpOutput, record);
        using DC = DisplayCommands;
        DC* c = commands.get();
        auto note = [this](const char* what) { return [this, what] { announced << what; }; };
        QObject::connect(c, &DC::sigSendSingleOnUdpOutput, record);
        QObject::connect(c, &DC::sigUpdateUDP_group, note("group"));
        QObject::connect(c, &DC::sigMaxVesselSpeedChanged, note("max speed"));
        QObject::connect(c, &DC::sigOutputParamsChanged, note("output mode"));
        QObject::connect(c, &DC::sigSendNewConfigToSensor, note("sensor config"));
        QObject::connect(c, &DC::forceDepthSeitchCheck, note("depth switch"));
        QObject::connect(c, &DC::sigSogFrequendcyChangeTresholdChanged, note("threshold"));
        QObject::connect(c, &DC::sigChangedSFI, note("sfi"));
        QObject::connect(c, &DC::sigAlertIdChanged, note("alert ids"));
        QObject::connect(c, &DC::sigRebootRequested, note("reboot"));
        QObject::connect(c, &DC::sigRelaunchRequested, note("relaunch"));
        QObject::connect(c, &DC::sigShotDownSensor, [this](bool on) {
            announced << QStringLiteral("sensor standby %1").arg(on);
        });
        QObject::connect(c, &DC::sigSourceDatChanged, [this](bool high) {
            announced << QStringLiteral("primary high %1").arg(high);
        });
        QObject::connect(c, &DC::sigIpAddressChanged,
                         [this](const QString& a) { announced << "address " + a; });
        QObject::connect(c, &DC::sigFileRemovalRequested,
                         [this](const QString& path) { announced << "remove " + path; });
        QObject::connect(c, &DC::sigChannelBaudChanged, [this](const QString& channel, int baud) {
            announced << QStringLiteral("baud %1 %2").arg(channel).arg(baud);
        });
    }

    void icm(int command, const QList<int>& parameters) {
        commands->slotSystemSetupMessage(std::make_shared<MsgICM>(1, command, parameters));
    }
    // The commands and parameters of the ICM sentences sent so far.
    QList<std::pair<int, QList<int>>> sentIcm() const {
        QList<std::pair<int, QList<int>>> out;
        for (const NmeaMessagePtr& msg : sent) {
            if (const auto* m = dynamic_cast<const MsgICM*>(msg.get())) {
                out.append({m->commandID(), m->msgParameters()});
            }
        }
        return out;
    }
    QList<int> defaultVq2() const {
        return SetupMessages::createVq2SetupMsg(*setup)->msgParameters();
    }

    SystemSetup* setup = nullptr;
    std::unique_ptr<DisplayCommands> commands;
    QList<NmeaMessagePtr> sent;
    QStringList announced;
};
