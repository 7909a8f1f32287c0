#include "kc_40_adc_results.h"

#include <gtest/gtest.h>

namespace {

// The supply channels in volts and milliamperes, each against its limits.
TEST(AdcReading, RawValuesTurnIntoSuppliesWithinTheirLimits) {
    struct Case {
        int channel;
        quint16 raw;
        float value;
        bool valid;
    };
    const Case cases[] = {
        {0, 620, 24.05f, true},  {0, 700, 27.15f, false},   {0, 0, 0.0f, false},
        {1, 852, 5.50f, true},   {2, 775, 5.00f, true},     {2, 820, 5.30f, false},
        {3, 767, 4.95f, true},   {4, 767, 3.30f, true},     {4, 700, 3.01f, false},
        {5, 0, 0.0f, true},      {5, 100, 125.03f, true},   {6, 1023, 1279.07f, false},
        {7, 200, 250.06f, true}, {7, 800, 1000.25f, false},
    };
    for (const Case& c : cases) {
        std::array<quint16, AdcReading::kChannels> raw{};
        raw[c.channel] = c.raw;
        const AdcReading reading = AdcReading::fromRaw(raw);
        EXPECT_NEAR(reading.value[c.channel], c.value, 0.01f) << c.channel << " " << c.raw;
        EXPECT_EQ(reading.valid[c.channel], c.valid) << c.channel << " " << c.raw;
    }
}

TEST(AdcResults, OutOfRangeChannelsReadAsInvalidZeroAndCountsRestartWhenRead) {
    KC_40_ADC_Results& results = *KC_40_ADC_Results::getInstance();
    std::array<quint16, AdcReading::kChannels> raw;
    raw.fill(620);
    results.takeMeasurements(AdcReading::fromRaw(raw));
    EXPECT_TRUE(results.getADC_Res(0));
    EXPECT_FALSE(results.getADC_Res(8));
    EXPECT_FALSE(results.getADC_Res(-1));
    EXPECT_EQ(results.getADC_Meas(8), 0.0f);
    results.getOK_sensor_NMEA_count();
    results.increment_OK_sensor_NMEA_count();
    results.increment_OK_sensor_NMEA_count();
    EXPECT_EQ(results.getOK_sensor_NMEA_count(), 2u);
    EXPECT_EQ(results.getOK_sensor_NMEA_count(), 0u);
}

} // namespace
