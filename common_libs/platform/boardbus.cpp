#include "boardbus.h"

#include "junctionboxtwins.h"
#include "platform.h"

#include <fcntl.h>
#include <linux/i2c-dev.h>
#include <linux/i2c.h>
#include <linux/spi/spidev.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cstring>

namespace {
// An open device node, closed with its owner.
class DeviceNode {
public:
    explicit DeviceNode(const char* path) : fd(::open(path, O_RDWR)) {}
    ~DeviceNode() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
    DeviceNode(const DeviceNode&) = delete;
    DeviceNode& operator=(const DeviceNode&) = delete;
    bool isOpen() const { return fd >= 0; }

    int fd;
};

class DeviceI2cBus : public I2cBus {
public:
    DeviceI2cBus() : m_node("/dev/i2c-1") {}
    bool isOpen() const { return m_node.isOpen(); }

    bool selectSlave(quint8 address) override {
        return ioctl(m_node.fd, I2C_SLAVE, static_cast<unsigned long>(address)) >= 0;
    }
    bool setTimeout(int tenMilliseconds) override {
        return ioctl(m_node.fd, I2C_TIMEOUT, static_cast<unsigned long>(tenMilliseconds)) >= 0;
    }
    bool write(const QByteArray& bytes) override {
        return ::write(m_node.fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    }
    std::optional<QByteArray> read(int length) override {
        QByteArray bytes(length, '\0');
        if (::read(m_node.fd, bytes.data(), size_t(length)) != length) {
            return std::nullopt;
        }
        return bytes;
    }
    bool writeWordData(quint8 command, quint16 word) override {
        i2c_smbus_data data{};
        data.word = word;
        return smbus(I2C_SMBUS_WRITE, command, I2C_SMBUS_WORD_DATA, &data);
    }
    std::optional<QByteArray> readBlockData(quint8 command, int length) override {
        if (length < 1 || length > I2C_SMBUS_BLOCK_MAX) {
            return std::nullopt;
        }
        i2c_smbus_data data{};
        data.block[0] = static_cast<__u8>(length);
        if (!smbus(I2C_SMBUS_READ, command, I2C_SMBUS_I2C_BLOCK_DATA, &data)) {
            return std::nullopt;
        }
        return QByteArray(reinterpret_cast<const char*>(&data.block[1]), data.block[0]);
    }

private:
    bool smbus(char readWrite, quint8 command, int size, i2c_smbus_data* data) {
        i2c_smbus_ioctl_data request{};
        request.read_write = readWrite;
        request.command = command;
        request.size = size;
        request.data = data;
        return ioctl(m_node.fd, I2C_SMBUS, &request) >= 0;
    }

    DeviceNode m_node;
};

class DeviceSpi : public SpiDevice {
public:
    DeviceSpi() : m_node("/dev/spidev32766.0") {}
    bool isOpen() const { return m_node.isOpen(); }

    bool writeMode(quint8 mode) override { return ioctl(m_node.fd, SPI_IOC_WR_MODE, &mode) >= 0; }
    std::optional<quint8> readMode() override { return readBack<quint8>(SPI_IOC_RD_MODE); }
    bool writeBitsPerWord(quint8 bits) override {
        return ioctl(m_node.fd, SPI_IOC_WR_BITS_PER_WORD, &bits) >= 0;
    }
    std::optional<quint8> readBitsPerWord() override {
        return readBack<quint8>(SPI_IOC_RD_BITS_PER_WORD);
    }
    bool writeMaxSpeed(quint32 hz) override {
        return ioctl(m_node.fd, SPI_IOC_WR_MAX_SPEED_HZ, &hz) >= 0;
    }
    std::optional<quint32> readMaxSpeed() override {
        return readBack<quint32>(SPI_IOC_RD_MAX_SPEED_HZ);
    }
    std::optional<QByteArray> transfer(const QByteArray& sent, quint32 hz,
                                       quint8 bitsPerWord) override {
        QByteArray received(sent.size(), '\0');
        spi_ioc_transfer message{};
        message.tx_buf = reinterpret_cast<quintptr>(sent.constData());
        message.rx_buf = reinterpret_cast<quintptr>(received.data());
        message.len = static_cast<__u32>(sent.size());
        message.speed_hz = hz;
        message.bits_per_word = bitsPerWord;
        if (ioctl(m_node.fd, SPI_IOC_MESSAGE(1), &message) < 1) {
            return std::nullopt;
        }
        return received;
    }

private:
    template <class T> std::optional<T> readBack(unsigned long request) {
        T value{};
        if (ioctl(m_node.fd, request, &value) < 0) {
            return std::nullopt;
        }
        return value;
    }

    DeviceNode m_node;
};
} // namespace

std::unique_ptr<I2cBus> I2cBus::open() {
    if (!Platform::root().isEmpty()) {
        return std::make_unique<JunctionBoxTwinBus>();
    }
    auto bus = std::make_unique<DeviceI2cBus>();
    if (!bus->isOpen()) {
        return nullptr;
    }
    return bus;
}

std::unique_ptr<SpiDevice> SpiDevice::open() {
    if (!Platform::root().isEmpty()) {
        return std::make_unique<Vq1ExtensionTwin>();
    }
    auto device = std::make_unique<DeviceSpi>();
    if (!device->isOpen()) {
        return nullptr;
    }
    return device;
}
