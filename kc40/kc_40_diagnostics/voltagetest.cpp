#include "voltagetest.h"

#include "kc_40_adc_results.h"

namespace {
struct SupplyChannel {
    const char* name;
    bool volts;
    // Whether a value outside the limits fails the test.
    bool judged;
};

constexpr SupplyChannel kChannels[AdcReading::kChannels] = {
    {"+24V", true, true},           {"+5V5", true, true},       {"+5V", true, true},
    {"+5V AUX", true, true},        {"+3V3", true, true},       {"+5V CURR", false, true},
    {"+5V AUX CURR", false, false}, {"SENS CURR", false, true},
};
} // namespace

VoltageTest::VoltageTest(const KC_40_ADC_Results& adc, QObject* parent)
    : RunableDiagnosticTest(QStringLiteral("Voltages test"), parent), m_adc(adc) {}

DiagnosticsTest VoltageTest::runTest(bool) {
    DiagnosticsTest test;
    test.testName = getTestName();
    if (!m_adc.getADC_I2C_Status()) {
        test.testStatus = DiagnosticsTest::kFailed;
        test.addComment(QStringLiteral("ADC I2C"), QStringLiteral("ERR: NO I2C"));
        return test;
    }
    test.testStatus = DiagnosticsTest::kPassed;
    test.addComment(QStringLiteral("ADC I2C"), QStringLiteral("OK: COMM"));
    for (int i = 0; i < AdcReading::kChannels; ++i) {
        const SupplyChannel& channel = kChannels[i];
        const float value = m_adc.getADC_Meas(i);
        const bool ok = m_adc.getADC_Res(i);
        const QString text = channel.volts ? QString::number(value, 'f', 2) + QStringLiteral(" V")
                                           : QString::number(int(value)) + QStringLiteral(" mA");
        test.addComment(QLatin1String(channel.name),
                        (ok ? QStringLiteral("OK: ") : QStringLiteral("ERR: ")) + text);
        if (!ok && channel.judged) {
            test.testStatus = DiagnosticsTest::kFailed;
        }
    }
    return test;
}

DiagnosticsTest VoltageTest::getDefaultTestData() const {
    return notTested(QStringLiteral("ADC I2C"));
}
