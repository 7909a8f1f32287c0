#pragma once

#include "boardbus.h"
#include "junctionboxfile.h"

#include <array>

// The junction box's I2C chips on a virtual board, answering at their addresses as the chips
// do: the AD7997 ADC (0x20), the temperature sensor (0x48), the ID EEPROM (0x50), the LED port
// expander (0x3B) and the bus switch of the extension (0x71). What they measure and hold comes
// from the junction box description; the LED port's output is shown in the board's LED file.
// Used under the unit's bus lock, from one thread at a time.
class JunctionBoxTwinBus : public I2cBus {
public:
    explicit JunctionBoxTwinBus(const QString& description = JunctionBoxFile::path());

    bool selectSlave(quint8 address) override;
    bool setTimeout(int tenMilliseconds) override;
    bool write(const QByteArray& bytes) override;
    std::optional<QByteArray> read(int length) override;
    bool writeWordData(quint8 command, quint16 word) override;
    std::optional<QByteArray> readBlockData(quint8 command, int length) override;

private:
    // Whether the selected chip acknowledges; errno tells why not.
    bool acknowledged();
    QByteArray adcSequence(int length);
    QByteArray temperatureRegister();
    QByteArray eepromBytes(quint8 from, int length);
    void showLeds() const;

    JunctionBoxFile m_file;
    quint8 m_slave = 0;
    // The ADC's configuration register as the chip holds it (channel selection in bits 11..4).
    quint16 m_adcConfig = 0;
    quint8 m_temperaturePointer = 0;
    quint8 m_eepromAddress = 0;
    // The expander's registers after power-on: every pin an input.
    quint8 m_ledConfig = 0xff;
    quint8 m_ledOutput = 0xff;
    quint8 m_switch = 0;
};

// The extension board with the older speed log behind it, on a virtual board. It answers the
// speed request with the log's values from the junction box description, takes trip and total
// settings over as the log does, and appends every command frame it receives (all but the
// speed requests) to the board's frame file, one line of hexadecimal bytes each.
class Vq1ExtensionTwin : public SpiDevice {
public:
    explicit Vq1ExtensionTwin(const QString& description = JunctionBoxFile::path());

    bool writeMode(quint8 mode) override;
    std::optional<quint8> readMode() override { return m_mode; }
    bool writeBitsPerWord(quint8 bits) override;
    std::optional<quint8> readBitsPerWord() override { return m_bits; }
    bool writeMaxSpeed(quint32 hz) override;
    std::optional<quint32> readMaxSpeed() override { return m_hz; }
    std::optional<QByteArray> transfer(const QByteArray& sent, quint32 hz,
                                       quint8 bitsPerWord) override;

private:
    QByteArray speedAnswer(const JunctionBoxDescription::Vq1& log, int length);
    void record(const QByteArray& frame) const;

    JunctionBoxFile m_file;
    quint8 m_mode = 0;
    quint8 m_bits = 0;
    quint32 m_hz = 0;
    // The log's distances: the description's, or what the unit set since the description's
    // last changed.
    double m_describedTrip = -1.0;
    double m_describedTotal = -1.0;
    double m_trip = 0.0;
    double m_total = 0.0;
};
