#pragma once

#include "gpio.h"
#include "msgicm.h"

#include <QList>
#include <QString>

#include <functional>
#include <memory>

class KC40_Aux_Setup;

// The junction box's auxiliary terminals: one pin each, made once from the setup; what a
// terminal does follows its function in the setup, which the display may change at any time.
class AuxTerminals {
public:
    // inStandby: while true every output is driven inactive.
    AuxTerminals(const KC40_Aux_Setup& setup, std::function<bool()> inStandby);

    int count() const { return int(Aux.size()); }
    const GPIO& pin(int index) const { return Aux[index]; }
    QString functionOf(int index) const;
    // The terminal wired to that pin, -1 for none.
    int indexOfPin(const QString& pinName) const;
    bool serves(const QString& function) const;

    // An active output: the third terminal's driver passes the state, the others invert it.
    void setOutput(int index, bool active);
    // Every terminal serving the function.
    void setFunction(const QString& function, bool active);

    // The display's view (ICM 26): each pin's level, the input terminal's (the last) inverted:
    // its line is pulled up, and a closed contact, which reads 0, shows as 1.
    std::shared_ptr<MsgICM> getAuxStates() const;

private:
    static constexpr int kDirectTerminal = 2;

    const KC40_Aux_Setup& m_setup;
    std::function<bool()> m_inStandby;
    QList<GPIO> Aux;
};
