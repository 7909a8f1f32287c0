#include "auxterminals.h"

#include "junctionbox/kc40_aux_setup.h"

namespace {
constexpr int kIcmVersion = 1;
}

AuxTerminals::AuxTerminals(const KC40_Aux_Setup& setup, std::function<bool()> inStandby)
    : m_setup(setup), m_inStandby(std::move(inStandby)) {
    for (int i = 0; i < setup.getAuxCount(); ++i) {
        Aux.append(GPIO(setup.getPinName(i), QString::number(setup.getPinNumber(i)),
                        setup.getAuxDirectionInt(i) == 0 ? GPIO::kOutput : GPIO::kInput));
    }
}

QString AuxTerminals::functionOf(int index) const {
    return m_setup.getFunctionName(index);
}

int AuxTerminals::indexOfPin(const QString& pinName) const {
    for (int i = 0; i < count(); ++i) {
        if (Aux[i].getGpioName() == pinName) {
            return i;
        }
    }
    return -1;
}

bool AuxTerminals::serves(const QString& function) const {
    for (int i = 0; i < count(); ++i) {
        if (functionOf(i) == function) {
            return true;
        }
    }
    return false;
}

void AuxTerminals::setOutput(int index, bool active) {
    const bool state = active && !m_inStandby();
    Aux[index].setState(index == kDirectTerminal ? state : !state);
}

void AuxTerminals::setFunction(const QString& function, bool active) {
    for (int i = 0; i < count(); ++i) {
        if (functionOf(i) == function) {
            setOutput(i, active);
        }
    }
}

std::shared_ptr<MsgICM> AuxTerminals::getAuxStates() const {
    QList<int> levels;
    for (int i = 0; i < count(); ++i) {
        const bool level = Aux[i].getState();
        levels << int(i == count() - 1 ? !level : level);
    }
    return std::make_shared<MsgICM>(kIcmVersion, msgCommands::AuxStatesCommand, levels);
}
