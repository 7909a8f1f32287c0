#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <array>

// What a virtual board's junction box holds, as a person describes it in the root's
// "/board/junction_box.json": the supplies the ADC measures, the board temperature, the ID
// EEPROM's contents, the older speed log behind the SPI extension, and the chips that do not
// answer. Keys left out keep a healthy board's values.
struct JunctionBoxDescription {
    // The ADC's eight channels: 24 V input, 5.5 V, 5 V, auxiliary 5 V and 3.3 V rails (volts),
    // the currents of the 5 V rail, the auxiliary 5 V rail and the sensor (milliamperes).
    static inline const std::array<const char*, 8> kAdcKeys = {
        "supply_24V", "rail_5V5",      "rail_5V",           "rail_5V_aux",
        "rail_3V3",   "current_5V_mA", "current_5V_aux_mA", "current_sensor_mA"};
    std::array<double, 8> adc = {24.0, 5.5, 5.0, 5.0, 3.3, 150.0, 60.0, 350.0};
    double boardTemperature = 35.0;
    quint32 eepromId = 0x12345678;
    QString hardwareVersion = QStringLiteral("B1");

    // The older log on the extension board; without it the extension answers nothing.
    struct Vq1 {
        bool fitted = false;
        // Knots; no speed is sent as "no value".
        bool speedValid = true;
        double speed = 0.0;
        double forwardSpeed = 0.0;
        int forwardQuality = 0;
        double aftSpeed = 0.0;
        int aftQuality = 0;
        // Nautical miles since the last reset, and in all.
        double trip = 0.0;
        double total = 0.0;
        double temperature = 0.0;
    } vq1;

    // "bus" (nothing answers), "adc", "temperature", "eeprom", "leds", "switch", "vq1".
    QStringList notAnswering;
    bool answers(const QString& part) const {
        return !notAnswering.contains(QStringLiteral("bus")) && !notAnswering.contains(part);
    }
};

// The junction box description file of a virtual board and the files in which the board shows
// what the unit wrote to it. Reading it again only when it changed lets a person edit it while
// the unit runs.
class JunctionBoxFile {
public:
    // The description, "/board/junction_box.json" under the root.
    // The board paths, for tools that know the root themselves.
    static constexpr const char* kBoardPath = "/board/junction_box.json";
    static constexpr const char* kLedsBoardPath = "/board/leds";
    static constexpr const char* kVq1FramesBoardPath = "/board/vq1_frames";

    static QString path();
    // The LED port's output as text ("0x1C").
    static QString ledsPath();
    // Frames the unit sent to the extension board, one line of hexadecimal bytes each.
    static QString vq1FramesPath();

    // A missing or unreadable file describes a healthy board without the older log.
    static JunctionBoxDescription read(const QString& file);
    static bool write(const QString& file, const JunctionBoxDescription& description);

    explicit JunctionBoxFile(const QString& file = path()) : m_file(file) {}
    // The description as the file holds it now.
    const JunctionBoxDescription& current();

private:
    QString m_file;
    QDateTime m_modified;
    qint64 m_size = -1;
    bool m_read = false;
    JunctionBoxDescription m_description;
};
