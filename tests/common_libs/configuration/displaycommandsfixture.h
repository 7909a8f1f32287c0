#pragma once

#include "configurationfixture.h"
#include "displaycommands.h"
#include "msgicm.h"
#include "setupmessages.h"
#include "signalspy.h"

#include <memory>

// Drives the configuration with display commands and records what it sends back.
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
        auto record = [this](NmeaMessagePtr msg) { sent.append(msg); };
        QObject::connect(setup, &SystemSetup::sigSendSingleOnUdpOutput, record);
        QObject::connect(commands.get(), &DisplayCommands::sigSendSingleOnUdpOutput, record);
        QObject::connect(commands.get(), &DisplayCommands::sigRelaunchRequested,
                         [this] { ++restarts; });
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
    int restarts = 0;
};
