#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <memory>
#include <optional>

// The board's I2C bus, one call per kernel request on "/dev/i2c-1". A failed call leaves the
// reason in errno. On a virtual board the junction box's chips are simulated behind the same
// calls, so that what a driver sends and decodes is the chips' own bytes.
class I2cBus {
public:
    virtual ~I2cBus() = default;

    // The bus device, or nothing when it cannot be opened.
    static std::unique_ptr<I2cBus> open();

    // I2C_SLAVE: the chip that the following transfers address.
    virtual bool selectSlave(quint8 address) = 0;
    // I2C_TIMEOUT, in units of 10 ms.
    virtual bool setTimeout(int tenMilliseconds) = 0;
    // A plain write of all bytes, and a plain read of `length` bytes.
    virtual bool write(const QByteArray& bytes) = 0;
    virtual std::optional<QByteArray> read(int length) = 0;
    // SMBus word write: command byte, then the word's low and high byte.
    virtual bool writeWordData(quint8 command, quint16 word) = 0;
    // SMBus I2C block read of `length` bytes (at most 32) after the command byte.
    virtual std::optional<QByteArray> readBlockData(quint8 command, int length) = 0;
};

// The SPI device of the extension board, "/dev/spidev32766.0", one call per kernel request.
// On a virtual board the extension board and the older log behind it are simulated.
class SpiDevice {
public:
    virtual ~SpiDevice() = default;

    static std::unique_ptr<SpiDevice> open();

    // SPI_IOC_WR_* and SPI_IOC_RD_*: mode, bits per word (0 is the driver's 8) and the
    // maximum clock in Hz, each written and read back.
    virtual bool writeMode(quint8 mode) = 0;
    virtual std::optional<quint8> readMode() = 0;
    virtual bool writeBitsPerWord(quint8 bits) = 0;
    virtual std::optional<quint8> readBitsPerWord() = 0;
    virtual bool writeMaxSpeed(quint32 hz) = 0;
    virtual std::optional<quint32> readMaxSpeed() = 0;
    // SPI_IOC_MESSAGE(1): one full-duplex transfer; what came back, as long as what was sent.
    virtual std::optional<QByteArray> transfer(const QByteArray& sent, quint32 hz,
                                               quint8 bitsPerWord) = 0;
};
