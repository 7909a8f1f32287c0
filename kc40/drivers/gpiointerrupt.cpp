#include "gpiointerrupt.h"

GpioInterrupt::GpioInterrupt(QObject* parent) : QThread(parent) {}

GpioInterrupt::~GpioInterrupt() {
    m_edges.stop();
    wait();
}

void GpioInterrupt::registerInterrupt(const GPIO& pin) {
    const QString name = pin.getGpioName();
    if (pin.getDirection() != GPIO::kInput || registerdInterrupts.contains(name) ||
        !m_edges.add(name)) {
        return;
    }
    registerdInterrupts << name;
    if (!isRunning()) {
        start();
    }
}

void GpioInterrupt::unRegisterInterrupt(const GPIO& pin) {
    if (registerdInterrupts.removeOne(pin.getGpioName())) {
        m_edges.remove(pin.getGpioName());
    }
}

void GpioInterrupt::run() {
    while (!m_edges.stopped()) {
        for (const QString& name : m_edges.wait()) {
            Q_EMIT emitInterrupt(name);
        }
    }
}
