#pragma once

#include "gpio.h"
#include "gpioedges.h"

#include <QString>
#include <QStringList>
#include <QThread>

// Watches the input pins for level changes on a thread of its own and reports each change by
// the pin's name; receivers on the main thread get it queued.
class GpioInterrupt : public QThread {
    Q_OBJECT
public:
    explicit GpioInterrupt(QObject* parent = nullptr);
    ~GpioInterrupt() override;

    // Input pins only, each once; the watch starts with the first one.
    void registerInterrupt(const GPIO& pin);
    void unRegisterInterrupt(const GPIO& pin);

Q_SIGNALS:
    void emitInterrupt(const QString& pinName);

protected:
    void run() override;

private:
    GpioEdgeWatch m_edges;
    QStringList registerdInterrupts;
};
