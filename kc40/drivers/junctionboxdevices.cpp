#include "junctionboxdevices.h"

#include "kc_40_adc_results.h"

#include <QDebug>

void JunctionBoxDevices::slotStart() {
    if (!i2c.isOpen() && !i2c.init()) {
        qWarning() << "I2C bus not available: the junction box is not monitored";
        return;
    }
    ad7997.init(&i2c);
    temperature.init(&i2c);
    uiniqIdEEPROM.init(&i2c);
    i2c_LED.init(&i2c);
    const QString version = uiniqIdEEPROM.readHardwareVersion();
    if (version.size() > 1) {
        Q_EMIT sigHardwareVersion(version);
    }
}

void JunctionBoxDevices::slotReadSensors() {
    AdcReading reading;
    const bool read = ad7997.readAdc(reading);
    KC_40_ADC_Results* results = KC_40_ADC_Results::getInstance();
    results->setADC_I2C_Status(read);
    results->takeMeasurements(reading);
    float celsius = 0.0f;
    if (temperature.readTemperature(&celsius)) {
        m_temperature = celsius;
    }
    m_id = uiniqIdEEPROM.readID();
}

void JunctionBoxDevices::slotWriteLeds(quint8 pattern) {
    i2c_LED.setLeds(pattern);
}
