#pragma once

#include "gpio.h"

// The main board's own lines: the sensor's power, the extension's power, the receive polarity
// of the sensor line's driver and two inputs held as the board wires them. Made, every pin is
// exported and set up; start() brings the lines to their running levels.
class MainBoardPins {
public:
    // The extension is powered; the receive polarity lines are pulsed high and left low, the
    // polarity the sensor line's driver runs with.
    void start();
    // Set is on.
    void setSensorPower(bool on) { SEN_OFF_PC21.setState(on); }

private:
    GPIO SEN_OFF_PC21{QStringLiteral("C21"), QStringLiteral("85"), GPIO::kOutput};
    GPIO E_OFF_PC20{QStringLiteral("C20"), QStringLiteral("84"), GPIO::kOutput};
    GPIO RX2DPOL_PE31{QStringLiteral("E31"), QStringLiteral("159"), GPIO::kOutput};
    GPIO RX2DPOL_PB26{QStringLiteral("B26"), QStringLiteral("58"), GPIO::kOutput};
    GPIO RX2DPOL_PB27{QStringLiteral("B27"), QStringLiteral("59"), GPIO::kOutput};
    GPIO CAN_RX_PD14{QStringLiteral("D14"), QStringLiteral("110"), GPIO::kInput};
    GPIO VQ1_LED_PE24{QStringLiteral("E24"), QStringLiteral("152"), GPIO::kInput};
};
