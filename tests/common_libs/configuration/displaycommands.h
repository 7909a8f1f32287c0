#pragma once

#include "configurationfixture.h"
#include "msgicm.h"
#include "setupmessages.h"
#include "signalspy.h"

#include <memory>

// Drives the configuration with display commands and records what it sends back.
class DisplayCommands : public ConfigurationTest {
protected:
    DisplayCommands() { restartUnit(); }

    // A fresh configuration loaded from the files the root holds now; nothing sent yet.
    void restartUnit() {
        SystemSetup::resetForTests();
        setup = SystemSetup::getInstance();
        sent.clear();
        QObject::connect(setup, &SystemSetup::sigSendSingleOnUdpOutput,
                         [this](NmeaMessagePtr msg) { sent.append(msg); });
        QObject::connect(setup, &SystemSetup::sigRelaunchRequested, [this] { ++restarts; });
    }

    void icm(int command, const QList<int>& parameters) {
        setup->slotSystemSetupMessage(std::make_shared<MsgICM>(1, command, parameters));
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
    QList<NmeaMessagePtr> sent;
    int restarts = 0;
};
