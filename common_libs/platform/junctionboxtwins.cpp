#include "junctionboxtwins.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>

#include <algorithm>
#include <cerrno>
#include <cmath>

namespace {
constexpr quint8 kAdc = 0x20;
constexpr quint8 kTemperature = 0x48;
constexpr quint8 kEeprom = 0x50;
constexpr quint8 kLeds = 0x3b;
constexpr quint8 kSwitch = 0x71;

constexpr quint8 kAdcConfigRegister = 2;
constexpr quint8 kAdcReadSequence = 0x70;
constexpr quint8 kLedOutputRegister = 1;
constexpr quint8 kLedConfigRegister = 3;

QString chipName(quint8 address) {
    switch (address) {
    case kAdc:
        return QStringLiteral("adc");
    case kTemperature:
        return QStringLiteral("temperature");
    case kEeprom:
        return QStringLiteral("eeprom");
    case kLeds:
        return QStringLiteral("leds");
    case kSwitch:
        return QStringLiteral("switch");
    default:
        return QString();
    }
}

// What one ADC step is worth on each channel: the dividers in front of the 3.3 V, 10-bit
// converter for the voltages, the 43 mOhm shunts with their 60-fold amplifiers for the
// currents (in mA).
double adcStep(std::size_t channel) {
    constexpr double kVolt = 3.3 / 1023.0;
    constexpr std::array<double, 5> kDivider = {46900.0 / 3900.0, 7800.0 / 3900.0, 7800.0 / 3900.0,
                                                7800.0 / 3900.0, 5200.0 / 3900.0};
    return channel < kDivider.size() ? kVolt * kDivider[channel] : 1000.0 * kVolt / 60.0 / 0.043;
}

void writeAtomically(const QString& file, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(file).absolutePath());
    QSaveFile out(file);
    if (out.open(QIODevice::WriteOnly)) {
        out.write(bytes);
        out.commit();
    }
}

void putLittleEndian(QByteArray& bytes, int at, qint32 value) {
    qToLittleEndian(value, bytes.data() + at);
}
} // namespace

JunctionBoxTwinBus::JunctionBoxTwinBus(const QString& description) : m_file(description) {}

bool JunctionBoxTwinBus::selectSlave(quint8 address) {
    // The kernel only remembers the address; a missing chip shows at the first transfer.
    m_slave = address;
    return true;
}

bool JunctionBoxTwinBus::setTimeout(int) {
    return true;
}

bool JunctionBoxTwinBus::acknowledged() {
    const QString chip = chipName(m_slave);
    if (chip.isEmpty() || !m_file.current().answers(chip)) {
        errno = EREMOTEIO;
        return false;
    }
    return true;
}

bool JunctionBoxTwinBus::write(const QByteArray& bytes) {
    if (!acknowledged() || bytes.isEmpty()) {
        return false;
    }
    const auto first = static_cast<quint8>(bytes[0]);
    switch (m_slave) {
    case kTemperature:
        m_temperaturePointer = first;
        break;
    case kEeprom:
        m_eepromAddress = first;
        break;
    case kLeds:
        if (bytes.size() == 2 && first == kLedConfigRegister) {
            m_ledConfig = static_cast<quint8>(bytes[1]);
        } else if (bytes.size() == 2 && first == kLedOutputRegister) {
            m_ledOutput = static_cast<quint8>(bytes[1]);
            showLeds();
        }
        break;
    case kSwitch:
        m_switch = first;
        break;
    default:
        break;
    }
    return true;
}

std::optional<QByteArray> JunctionBoxTwinBus::read(int length) {
    if (!acknowledged()) {
        return std::nullopt;
    }
    switch (m_slave) {
    case kTemperature:
        if (m_temperaturePointer == 0) {
            return temperatureRegister().left(length).leftJustified(length, '\0');
        }
        break;
    case kEeprom: {
        const QByteArray bytes = eepromBytes(m_eepromAddress, length);
        m_eepromAddress = static_cast<quint8>(m_eepromAddress + length);
        return bytes;
    }
    case kSwitch:
        return QByteArray(length, static_cast<char>(m_switch));
    default:
        break;
    }
    return QByteArray(length, '\0');
}

bool JunctionBoxTwinBus::writeWordData(quint8 command, quint16 word) {
    if (!acknowledged()) {
        return false;
    }
    // SMBus sends the low byte first; the ADC takes the first byte as the high one.
    if (m_slave == kAdc && command == kAdcConfigRegister) {
        m_adcConfig = qbswap(word);
    }
    return true;
}

std::optional<QByteArray> JunctionBoxTwinBus::readBlockData(quint8 command, int length) {
    if (!acknowledged()) {
        return std::nullopt;
    }
    if (m_slave == kAdc && command == kAdcReadSequence) {
        return adcSequence(length);
    }
    if (m_slave == kEeprom) {
        return eepromBytes(command, length);
    }
    return QByteArray(length, '\0');
}

// The channels of the conversion sequence in order, two bytes each: the channel's number in
// bits 6..4 of the first, the 10-bit result in bits 11..2 of the pair.
QByteArray JunctionBoxTwinBus::adcSequence(int length) {
    const JunctionBoxDescription& board = m_file.current();
    QByteArray bytes;
    for (std::size_t channel = 0; channel < board.adc.size(); ++channel) {
        if ((m_adcConfig & (0x800 >> channel)) == 0) {
            continue;
        }
        const long raw = std::clamp(std::lround(board.adc[channel] / adcStep(channel)), 0L, 1023L);
        const int word = static_cast<int>(raw) << 2;
        bytes.append(static_cast<char>((channel << 4) | ((word >> 8) & 0x0f)));
        bytes.append(static_cast<char>(word & 0xff));
    }
    return bytes.left(length).leftJustified(length, '\0');
}

// Twelve bits of two's complement in 1/16 degree, left-aligned in the 16-bit register.
QByteArray JunctionBoxTwinBus::temperatureRegister() {
    const long sixteenths =
        std::clamp(std::lround(m_file.current().boardTemperature * 16.0), -2048L, 2047L);
    const auto value = static_cast<quint16>((sixteenths & 0xfff) << 4);
    QByteArray bytes(1, static_cast<char>(value >> 8));
    return bytes.append(static_cast<char>(value & 0xff));
}

// The hardware version text from address 0 (unwritten bytes read 0xFF); the unique ID at
// 0xFC..0xFF behind the maker's two code bytes.
QByteArray JunctionBoxTwinBus::eepromBytes(quint8 from, int length) {
    const JunctionBoxDescription& board = m_file.current();
    QByteArray memory(256, '\xff');
    memory.replace(0, std::min<qsizetype>(16, board.hardwareVersion.size()),
                   board.hardwareVersion.toLatin1().left(16));
    memory[0xfa] = '\x29';
    memory[0xfb] = '\x41';
    qToLittleEndian(board.eepromId, memory.data() + 0xfc);
    QByteArray bytes;
    for (int i = 0; i < length; ++i) {
        bytes.append(memory[(from + i) % memory.size()]);
    }
    return bytes;
}

void JunctionBoxTwinBus::showLeds() const {
    writeAtomically(JunctionBoxFile::ledsPath(),
                    "0x" + QByteArray::number(m_ledOutput, 16).rightJustified(2, '0').toUpper() +
                        '\n');
}

Vq1ExtensionTwin::Vq1ExtensionTwin(const QString& description) : m_file(description) {}

bool Vq1ExtensionTwin::writeMode(quint8 mode) {
    m_mode = mode;
    return true;
}

bool Vq1ExtensionTwin::writeBitsPerWord(quint8 bits) {
    m_bits = bits;
    return true;
}

bool Vq1ExtensionTwin::writeMaxSpeed(quint32 hz) {
    m_hz = hz;
    return true;
}

std::optional<QByteArray> Vq1ExtensionTwin::transfer(const QByteArray& sent, quint32, quint8) {
    constexpr char kSpeedRequest = 0x4b;
    constexpr char kSettings = 0x21;
    constexpr char kTripTotal = 2;
    const JunctionBoxDescription& board = m_file.current();
    const JunctionBoxDescription::Vq1& log = board.vq1;
    if (log.trip != m_describedTrip || log.total != m_describedTotal) {
        m_describedTrip = m_trip = log.trip;
        m_describedTotal = m_total = log.total;
    }
    const bool answering = log.fitted && board.answers(QStringLiteral("vq1"));
    if (sent.size() < 2) {
        return QByteArray(sent.size(), '\0');
    }
    if (sent[0] == kSpeedRequest) {
        return answering ? speedAnswer(log, int(sent.size())) : QByteArray(sent.size(), '\0');
    }
    if (sent[0] == kSettings && sent[1] == kTripTotal && sent.size() >= 8) {
        record(sent.left(8));
        if (answering) {
            const auto uint24 = [&sent](int at) {
                return (quint8(sent[at]) << 16) | (quint8(sent[at + 1]) << 8) |
                       quint8(sent[at + 2]);
            };
            m_trip = uint24(2) / 100.0;
            m_total = uint24(5) / 100.0;
        }
    } else if (sent[0] == kSettings) {
        record(sent.left(2));
    } else {
        record(sent);
    }
    return QByteArray(sent.size(), '\0');
}

// Little-endian integers: speed x 10 (-9999 without one), forward speed x 10, forward
// quality, aft speed x 10, aft quality, trip x 100, total x 100, temperature x 10; 0xAA at
// byte 26 marks a good answer.
QByteArray Vq1ExtensionTwin::speedAnswer(const JunctionBoxDescription::Vq1& log, int length) {
    QByteArray answer(std::max(length, 27), '\0');
    const auto scaled = [](double value, double scale) {
        return static_cast<qint32>(std::lround(value * scale));
    };
    putLittleEndian(answer, 0, log.speedValid ? scaled(log.speed, 10) : -9999);
    putLittleEndian(answer, 4, scaled(log.forwardSpeed, 10));
    answer[8] = static_cast<char>(log.forwardQuality);
    putLittleEndian(answer, 9, scaled(log.aftSpeed, 10));
    answer[13] = static_cast<char>(log.aftQuality);
    putLittleEndian(answer, 14, scaled(m_trip, 100));
    putLittleEndian(answer, 18, scaled(m_total, 100));
    putLittleEndian(answer, 22, scaled(log.temperature, 10));
    answer[26] = '\xaa';
    return answer.left(length);
}

void Vq1ExtensionTwin::record(const QByteArray& frame) const {
    QDir().mkpath(QFileInfo(JunctionBoxFile::vq1FramesPath()).absolutePath());
    QFile out(JunctionBoxFile::vq1FramesPath());
    if (out.open(QIODevice::Append)) {
        out.write(frame.toHex(' ').toUpper() + '\n');
    }
}
