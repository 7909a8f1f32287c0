#pragma once

#include "boardbus.h"

#include <QMutex>

#include <functional>
#include <memory>

// The junction box's I2C bus, shared by the scheduler thread and the threads that light the
// LEDs. Choosing a chip and talking to it is one transaction under the bus lock: the kernel
// keeps one chip address per open bus, so a chip chosen between another driver's choice and
// its transfer would get that driver's bytes (an LED pattern written into the ADC).
class I2C {
public:
    enum class Result { Done, SelectFailed, TransferFailed };
    using Transfer = std::function<bool(I2cBus& bus)>;

    // Opens the bus; false, with "ERROR, I2C open()", when it cannot.
    bool init();
    // For tests: a bus given instead of the board's.
    void attach(std::unique_ptr<I2cBus> bus);
    bool isOpen() const { return m_bus != nullptr; }

    // Chooses the chip and runs the transfer, neither interleaved with another transaction.
    // Without an open bus the selection fails.
    Result transaction(quint8 address, const Transfer& transfer);

private:
    QMutex m_lock;
    std::unique_ptr<I2cBus> m_bus;
};
