#pragma once

#include "i2c.h"
#include "i2cdevices.h"

#include <QObject>
#include <QString>

#include <atomic>

// The junction box's I2C chips as the scheduler thread drives them: opened at start, the
// supplies, the board temperature and the ID read on each pass, the front LEDs written as
// patterns come. Its slots run on the scheduler thread (direct connections); what the main
// thread needs leaves by queued signal.
class JunctionBoxDevices : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // For tests: a bus given instead of the board's.
    void attach(std::unique_ptr<I2cBus> bus) { i2c.attach(std::move(bus)); }

    float boardTemperature() const { return m_temperature; }
    quint32 boardId() const { return m_id; }

public Q_SLOTS:
    // Opens the bus (unless given) and sets up the chips; the EEPROM's hardware version goes
    // out when it has more than one character.
    void slotStart();
    // The supplies into the ADC results, with whether the chip could be read; the board
    // temperature and ID.
    void slotReadSensors();
    void slotWriteLeds(quint8 pattern);

Q_SIGNALS:
    void sigHardwareVersion(const QString& version);

private:
    I2C i2c;
    AD7997 ad7997;
    Temperature temperature;
    UniqIdEEPROM uiniqIdEEPROM;
    I2C_LED i2c_LED;
    std::atomic<float> m_temperature = 0.0f;
    std::atomic<quint32> m_id = 0;
};
