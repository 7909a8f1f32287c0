#include "i2cdevices.h"

#include <QDebug>
#include <QtEndian>

namespace {
// 100 ms, in the bus's units of 10 ms.
constexpr int kTimeout = 10;

bool usable(I2C* bus) {
    return bus != nullptr && bus->isOpen();
}

// Stores the bus and sets the time-out for the chip; false when either fails.
bool attachWithTimeout(I2C*& own, I2C* bus, quint8 address) {
    own = usable(bus) ? bus : nullptr;
    return own != nullptr && own->transaction(address, [](I2cBus& b) {
        return b.setTimeout(kTimeout);
    }) == I2C::Result::Done;
}
} // namespace

bool AD7997::init(I2C* bus) {
    constexpr quint8 kConfigRegister = 2;
    // Sent low byte first, the chip reads 0x0FF0: every channel selected.
    constexpr quint16 kAllChannels = 0xf00f;
    if (!attachWithTimeout(i2cFd, bus, kAddress) || i2cFd->transaction(kAddress, [](I2cBus& b) {
            return b.writeWordData(kConfigRegister, kAllChannels);
        }) != I2C::Result::Done) {
        qWarning() << "ERROR, I2C ioctl error for AD7997";
        return false;
    }
    return true;
}

std::array<quint16, AdcReading::kChannels> AD7997::channelsOf(const QByteArray& block) {
    std::array<quint16, AdcReading::kChannels> raw{};
    for (int i = 0; i < AdcReading::kChannels && 2 * i + 1 < block.size(); ++i) {
        const int high = quint8(block[2 * i]) & 0x0f;
        const int low = quint8(block[2 * i + 1]);
        raw[i] = static_cast<quint16>((high * 256 + low) >> 2);
    }
    return raw;
}

bool AD7997::readAdc(AdcReading& reading) {
    constexpr quint8 kReadSequence = 0x70;
    constexpr int kBlock = 2 * AdcReading::kChannels;
    if (i2cFd == nullptr) {
        return false;
    }
    QByteArray block;
    const I2C::Result result = i2cFd->transaction(kAddress, [&block](I2cBus& b) {
        const std::optional<QByteArray> read = b.readBlockData(kReadSequence, kBlock);
        block = read.value_or(QByteArray());
        return block.size() == kBlock;
    });
    if (result != I2C::Result::Done) {
        qWarning() << "ERROR, I2C ioctl error for AD7997";
        return false;
    }
    reading = AdcReading::fromRaw(channelsOf(block));
    return true;
}

bool Temperature::init(I2C* bus) {
    if (!attachWithTimeout(i2cFd, bus, kAddress)) {
        qWarning() << "ERROR, I2C ioctl error for temperature IC";
        return false;
    }
    return true;
}

float Temperature::celsiusOf(quint8 high, quint8 low) {
    const auto word = static_cast<qint16>((high << 8) | low);
    return static_cast<float>(word >> 4) / 16.0f;
}

bool Temperature::readTemperature(float* celsius) {
    if (i2cFd == nullptr || celsius == nullptr) {
        return false;
    }
    QByteArray answer;
    const I2C::Result result = i2cFd->transaction(kAddress, [&answer](I2cBus& b) {
        if (!b.write(QByteArray(1, '\0'))) {
            return false;
        }
        answer = b.read(2).value_or(QByteArray());
        return answer.size() == 2;
    });
    if (result != I2C::Result::Done) {
        qWarning() << "ERROR, I2C ioctl error for temperature IC";
        return false;
    }
    *celsius = celsiusOf(quint8(answer[0]), quint8(answer[1]));
    return true;
}

bool UniqIdEEPROM::init(I2C* bus) {
    if (!attachWithTimeout(i2cFd, bus, kAddress)) {
        qWarning() << "ERROR, I2C ioctl error for ID IC";
        return false;
    }
    return true;
}

quint32 UniqIdEEPROM::idOf(const QByteArray& sixBytes) {
    return sixBytes.size() == 6 ? qFromLittleEndian<quint32>(sixBytes.constData() + 2) : 0;
}

QString UniqIdEEPROM::hardwareVersionOf(const QByteArray& block) {
    QString version;
    for (const char byte : block) {
        const auto code = quint8(byte);
        if (code == 0x00 || code == 0xff) {
            break;
        }
        if (code >= 0x20 && code < 0x7f) {
            version += QLatin1Char(byte);
        }
    }
    return version.trimmed();
}

quint32 UniqIdEEPROM::readID() {
    constexpr char kIdAddress = '\xfa';
    if (i2cFd == nullptr) {
        return 0;
    }
    QByteArray bytes;
    const I2C::Result result = i2cFd->transaction(kAddress, [&bytes](I2cBus& b) {
        if (!b.write(QByteArray(1, kIdAddress))) {
            return false;
        }
        bytes = b.read(6).value_or(QByteArray());
        return bytes.size() == 6;
    });
    if (result != I2C::Result::Done) {
        qWarning() << "ERROR, I2C ioctl error for ID IC";
        return 0;
    }
    return idOf(bytes);
}

QString UniqIdEEPROM::readHardwareVersion() {
    constexpr int kVersionBytes = 16;
    if (i2cFd == nullptr) {
        return QString();
    }
    QByteArray block;
    const I2C::Result result = i2cFd->transaction(kAddress, [&block](I2cBus& b) {
        block = b.readBlockData(0, kVersionBytes).value_or(QByteArray());
        return block.size() == kVersionBytes;
    });
    if (result != I2C::Result::Done) {
        qWarning() << "ERROR, I2C ioctl error for ID IC";
        return QString();
    }
    return hardwareVersionOf(block);
}

bool I2C_Switch::init(I2C* bus) {
    if (!attachWithTimeout(i2cFd, bus, kAddress)) {
        qWarning() << "ERROR, I2C ioctl error for SWITCH extension";
        return false;
    }
    return true;
}

bool I2C_Switch::writeControl(quint8 control) {
    if (i2cFd == nullptr) {
        return false;
    }
    const I2C::Result result = i2cFd->transaction(
        kAddress, [control](I2cBus& b) { return b.write(QByteArray(1, char(control))); });
    if (result != I2C::Result::Done) {
        qWarning() << "ERROR, I2C enable error for SWITCH extension";
        return false;
    }
    return true;
}

bool I2C_Switch::resetSwitchOnExtension() {
    return writeControl(0);
}

bool I2C_Switch::enableSwitchOnExtension(int channel) {
    return writeControl(static_cast<quint8>(channel + 1));
}

bool I2C_LED::init(I2C* bus) {
    // Pins 0, 1 and 7 stay inputs; the LEDs hang on pins 2 to 6.
    const QByteArray configuration{"\x03\x83", 2};
    i2cFd = usable(bus) ? bus : nullptr;
    if (i2cFd == nullptr) {
        return false;
    }
    switch (i2cFd->transaction(kAddress,
                               [&configuration](I2cBus& b) { return b.write(configuration); })) {
    case I2C::Result::Done:
        return true;
    case I2C::Result::SelectFailed:
        qWarning() << "ERROR, I2C ioctl error 1 for init leds";
        break;
    case I2C::Result::TransferFailed:
        qWarning() << "ERROR, I2C ioctl error 2 for init leds";
        break;
    }
    return false;
}

bool I2C_LED::setLeds(quint8 leds) {
    constexpr char kOutputRegister = 1;
    if (i2cFd == nullptr) {
        return false;
    }
    QByteArray bytes(1, kOutputRegister);
    bytes.append(static_cast<char>(leds));
    if (i2cFd->transaction(kAddress, [&bytes](I2cBus& b) { return b.write(bytes); }) !=
        I2C::Result::Done) {
        qWarning() << "ERROR, setLeds error 1";
        return false;
    }
    return true;
}
