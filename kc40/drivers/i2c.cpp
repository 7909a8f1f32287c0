#include "i2c.h"

#include <QDebug>

bool I2C::init() {
    attach(I2cBus::open());
    if (!isOpen()) {
        qWarning() << "ERROR, I2C open()";
    }
    return isOpen();
}

void I2C::attach(std::unique_ptr<I2cBus> bus) {
    QMutexLocker locker(&m_lock);
    m_bus = std::move(bus);
}

I2C::Result I2C::transaction(quint8 address, const Transfer& transfer) {
    QMutexLocker locker(&m_lock);
    if (!m_bus || !m_bus->selectSlave(address)) {
        return Result::SelectFailed;
    }
    return transfer(*m_bus) ? Result::Done : Result::TransferFailed;
}
