#pragma once

#include <QList>

// First-order low-pass filter for a noisy measured value. A jump larger than the allowed
// difference is held off for a while (the previous output is used instead); after too many
// held-off inputs in a row the filter restarts from the newest input. The output is only
// valid once the filter has seen enough inputs and the inputs are steady.
class ExponentialFilter {
public:
    static constexpr float kDefaultAlpha = 0.05f;

    void addValue(float x);
    float getValue() const { return outputValue; }
    // Valid only with a settled output and steady inputs.
    bool getValidity() const { return outputValid && m_deviationCheckValid; }
    // An invalidated value restarts the settling of the filter.
    void setValidity(bool valid);
    float getAbsErrorAvg() const { return m_absErrorAvg; }
    void removeOne();

    void setAlpha(float alpha) { this->alpha = alpha; }
    void resetAlpha() { alpha = kDefaultAlpha; }
    void setAllowedDifference(float difference) { allowedDifference = difference; }
    void setResetCountLimit(int limit) { resetCountLimit = limit; }

private:
    static constexpr int kStoredInputs = 20;
    static constexpr int kSettlingInputs = 20;
    static constexpr int kMinInputsForDeviation = 6;
    static constexpr float kMaxAbsDeviation = 10.0f;

    void updateDeviation();
    void restart();

    float newValue = 0.0f;
    float outputValue = 0.0f;
    float previousOutputValue = 0.0f;
    bool outputValid = false;
    bool isNewValid = false;
    bool resetFilter = true;
    bool firstValue = true;
    int resetCounter = 0;
    float alpha = kDefaultAlpha;
    float allowedDifference = 4.0f;
    int resetCountLimit = 20;
    QList<float> m_latestSamples;
    bool m_deviationCheckValid = false;
    float m_absErrorAvg = 0.0f;
    float m_meanValue = 0.0f;
    // Starts part-way so that the first output after power-on comes after five inputs.
    int m_sampleCount = 15;
};
