#pragma once

#include "runablediagnostictest.h"

class KC_40_ADC_Results;

// The junction box's supplies as the ADC measured them last: the four voltages and the 3.3 V
// rail with two decimals, the three currents in whole milliamperes. A value outside its
// channel's limits fails the test, except the auxiliary 5 V current, which depends on what
// the yard connected. A failed ADC bus fails it with nothing else to say.
class VoltageTest : public RunableDiagnosticTest {
    Q_OBJECT
public:
    explicit VoltageTest(const KC_40_ADC_Results& adc, QObject* parent = nullptr);

    DiagnosticsTest runTest(bool send) override;
    DiagnosticsTest getDefaultTestData() const override;

private:
    const KC_40_ADC_Results& m_adc;
};
