#include "mainboardpins.h"

void MainBoardPins::start() {
    E_OFF_PC20.set();
    for (GPIO* polarity : {&RX2DPOL_PE31, &RX2DPOL_PB26, &RX2DPOL_PB27}) {
        polarity->set();
        polarity->reset();
    }
}
