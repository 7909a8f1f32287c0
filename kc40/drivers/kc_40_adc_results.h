#pragma once

#include <QMutex>
#include <QtGlobal>

#include <array>

// The junction box's eight supply channels as the ADC reports them (10 bits, 3.3 V reference):
// the 24 V input, the 5.5 V, 5 V, auxiliary 5 V and 3.3 V rails, and the currents drawn from
// the 5 V rail, the auxiliary 5 V rail and by the sensor.
struct AdcReading {
    static constexpr int kChannels = 8;
    std::array<bool, kChannels> valid{};
    std::array<float, kChannels> value{};

    // Volts on channels 1 to 5, milliamperes on 6 to 8; a value is valid within its channel's
    // limits, the limits included.
    static AdcReading fromRaw(const std::array<quint16, kChannels>& raw);
};

// The latest supply measurements and the count of good and bad sentences from the sensor since
// the sensor test last read them. The board thread writes the measurements, the main thread
// counts, the diagnostics read: every access takes the one lock.
class KC_40_ADC_Results {
public:
    static KC_40_ADC_Results* getInstance();

    void takeMeasurements(const AdcReading& reading);
    // Entry i of 0..7; false and 0 for any other index.
    bool getADC_Res(int i) const;
    float getADC_Meas(int i) const;
    void setADC_I2C_Status(bool ok);
    bool getADC_I2C_Status() const;

    void increment_OK_sensor_NMEA_count();
    void increment_NOK_sensor_NMEA_count();
    // The count since the last call: each read starts it again from 0.
    quint64 getOK_sensor_NMEA_count();
    quint64 getNOK_sensor_NMEA_count();

private:
    mutable QMutex m_lock;
    AdcReading m_reading;
    bool bADC_I2C_Status = false;
    quint64 OK_sensor_NMEA_count = 0;
    quint64 NOK_sensor_NMEA_count = 0;
};
