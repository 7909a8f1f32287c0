#include "kc_40_adc_results.h"

#include <QMutexLocker>

#include <utility>

namespace {
struct AdcChannel {
    // Volts per raw step after the channel's divider, or milliamperes per step of the shunt.
    double scale;
    float lower;
    float upper;
};

constexpr double kVoltsPerStep = 3.3 / 1023;
constexpr double kMilliampsPerStep = 1000 * 3.3 / 1023 / 60 / 0.043;

constexpr AdcChannel kAdcChannels[AdcReading::kChannels] = {
    {kVoltsPerStep / 3900 * 46900, 22.8f, 27.0f}, // +24V
    {kVoltsPerStep / 3900 * 7800, 5.23f, 5.78f},  // +5V5
    {kVoltsPerStep / 3900 * 7800, 4.75f, 5.25f},  // +5V
    {kVoltsPerStep / 3900 * 7800, 3.75f, 6.25f},  // +5V AUX
    {kVoltsPerStep / 3900 * 5200, 3.1f, 3.46f},   // +3V3
    {kMilliampsPerStep, 0.0f, 1000.0f},           // +5V CURR
    {kMilliampsPerStep, 0.0f, 1000.0f},           // +5V AUX CURR
    {kMilliampsPerStep, 0.0f, 1000.0f},           // SENS CURR
};

bool inRange(int i) {
    return i >= 0 && i < AdcReading::kChannels;
}
} // namespace

AdcReading AdcReading::fromRaw(const std::array<quint16, kChannels>& raw) {
    AdcReading reading;
    for (int i = 0; i < kChannels; ++i) {
        const float value = static_cast<float>(raw[i] * kAdcChannels[i].scale);
        reading.value[i] = value;
        reading.valid[i] = value >= kAdcChannels[i].lower && value <= kAdcChannels[i].upper;
    }
    return reading;
}

KC_40_ADC_Results* KC_40_ADC_Results::getInstance() {
    static KC_40_ADC_Results instance;
    return &instance;
}

void KC_40_ADC_Results::takeMeasurements(const AdcReading& reading) {
    QMutexLocker lock(&m_lock);
    m_reading = reading;
}

bool KC_40_ADC_Results::getADC_Res(int i) const {
    QMutexLocker lock(&m_lock);
    return inRange(i) && m_reading.valid[i];
}

float KC_40_ADC_Results::getADC_Meas(int i) const {
    QMutexLocker lock(&m_lock);
    return inRange(i) ? m_reading.value[i] : 0.0f;
}

void KC_40_ADC_Results::setADC_I2C_Status(bool ok) {
    QMutexLocker lock(&m_lock);
    bADC_I2C_Status = ok;
}

bool KC_40_ADC_Results::getADC_I2C_Status() const {
    QMutexLocker lock(&m_lock);
    return bADC_I2C_Status;
}

void KC_40_ADC_Results::increment_OK_sensor_NMEA_count() {
    QMutexLocker lock(&m_lock);
    ++OK_sensor_NMEA_count;
}

void KC_40_ADC_Results::increment_NOK_sensor_NMEA_count() {
    QMutexLocker lock(&m_lock);
    ++NOK_sensor_NMEA_count;
}

quint64 KC_40_ADC_Results::getOK_sensor_NMEA_count() {
    QMutexLocker lock(&m_lock);
    return std::exchange(OK_sensor_NMEA_count, 0);
}

quint64 KC_40_ADC_Results::getNOK_sensor_NMEA_count() {
    QMutexLocker lock(&m_lock);
    return std::exchange(NOK_sensor_NMEA_count, 0);
}
