#pragma once

#include "i2c.h"
#include "kc_40_adc_results.h"

#include <QByteArray>
#include <QString>

#include <array>

// The junction box's chips on the I2C bus. Each driver talks to its chip through the bus's
// transactions and decodes the chip's bytes; none has policy. Every operation fails (false,
// 0 or empty) when the driver has no open bus or the chip does not answer, and says so.

// The 8-channel, 10-bit supply monitor.
class AD7997 {
public:
    static constexpr quint8 kAddress = 0x20;

    // All eight channels into the conversion sequence.
    bool init(I2C* bus);
    // The eight channels converted and checked against their limits; the reading is left as it
    // was when the chip cannot be read.
    bool readAdc(AdcReading& reading);

    // The 10-bit results of a 16-byte sequence read, channel i in bytes 2i and 2i+1.
    static std::array<quint16, AdcReading::kChannels> channelsOf(const QByteArray& block);

private:
    I2C* i2cFd = nullptr;
};

// The board temperature sensor.
class Temperature {
public:
    static constexpr quint8 kAddress = 0x48;

    bool init(I2C* bus);
    bool readTemperature(float* celsius);

    // The temperature register: twelve bits of two's complement in 1/16 degree, left-aligned.
    static float celsiusOf(quint8 high, quint8 low);

private:
    I2C* i2cFd = nullptr;
};

// The EEPROM with the board's unique ID and its hardware version.
class UniqIdEEPROM {
public:
    static constexpr quint8 kAddress = 0x50;

    bool init(I2C* bus);
    // 0 when it cannot be read.
    quint32 readID();
    // Empty when it cannot be read.
    QString readHardwareVersion();

    // The ID in the last four of the six bytes read from 0xFA, in the board's memory order.
    static quint32 idOf(const QByteArray& sixBytes);
    // The text up to the first unwritten (0xFF) or NUL byte, without what cannot be printed: a
    // blank or damaged EEPROM gives no version rather than one that overwrites the stored one.
    static QString hardwareVersionOf(const QByteArray& block);

private:
    I2C* i2cFd = nullptr;
};

// The bus switch on the extension board.
class I2C_Switch {
public:
    static constexpr quint8 kAddress = 0x71;

    bool init(I2C* bus);
    bool resetSwitchOnExtension();
    bool enableSwitchOnExtension(int channel);

private:
    bool writeControl(quint8 control);

    I2C* i2cFd = nullptr;
};

// The port expander that drives the front LEDs.
class I2C_LED {
public:
    static constexpr quint8 kAddress = 0x3b;

    // The LED pins become outputs.
    bool init(I2C* bus);
    bool setLeds(quint8 leds);

private:
    I2C* i2cFd = nullptr;
};
