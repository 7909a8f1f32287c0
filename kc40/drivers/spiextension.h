#pragma once

#include "boardbus.h"

#include <QByteArray>

#include <memory>
#include <optional>

class SystemVariables;

// What the older speed log answers to a speed request.
struct Vq1Answer {
    // Knots; absent when the log has no speed.
    std::optional<float> speed;
    float forwardSpeed = 0.0f;
    int forwardQuality = 0;
    float aftSpeed = 0.0f;
    int aftQuality = 0;
    // Nautical miles since the last reset, and in all.
    double trip = 0.0;
    double total = 0.0;
    float temperature = 0.0f;

    // A 50-byte answer; nothing unless byte 26 is 0xAA.
    static std::optional<Vq1Answer> decode(const QByteArray& received);
};

// The SPI link to the extension board that carries an older speed log. Every exchange is one
// full-duplex transfer of 50 bytes at 1 MHz, 8 bits per word: command, subcommand and data out,
// the answer in. Used on the main thread.
class SpiExtension {
public:
    static constexpr int kFrameBytes = 50;
    static constexpr quint32 nSpiSpeed = 1000000;
    static constexpr quint8 nSpiMode = 0;
    // 0 is the driver's default, 8.
    static constexpr quint8 nSpiBitesPrWord = 0;

    // Opens the device and sets mode, word size and clock, each read back.
    bool init();
    // For tests: a device given instead of the board's.
    void attach(std::unique_ptr<SpiDevice> device) { fd = std::move(device); }

    // The answer lands in the received buffer; false without a device or when the transfer
    // fails.
    bool sendCommand(quint8 command, quint8 subcommand, const QByteArray& data = QByteArray());
    // Asks the log for its speed and distances; a good answer goes into the store's older-log
    // values (the speed unless the log has none) and into the log.
    bool getVQ1Speed(SystemVariables& store);
    // The log's trip and total, in nautical miles.
    void setTripTotal(float trip, float total);

    // Trip and total x 100, each as a 24-bit big-endian integer.
    static QByteArray tripTotalData(float trip, float total);
    const QByteArray& received() const { return bufRec; }

private:
    std::unique_ptr<SpiDevice> fd;
    QByteArray bufRec = QByteArray(kFrameBytes, '\0');
    QByteArray bufSend = QByteArray(kFrameBytes, '\0');
};
