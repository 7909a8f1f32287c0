#include "exponentialfilter.h"

#include <cmath>

void ExponentialFilter::addValue(float x) {
    ++m_sampleCount;
    m_latestSamples.append(x);
    while (m_latestSamples.size() > kStoredInputs) {
        m_latestSamples.removeFirst();
    }
    updateDeviation();

    newValue = x;
    isNewValid = resetFilter || std::fabs(x - previousOutputValue) < allowedDifference;
    if (isNewValid) {
        resetFilter = false;
        resetCounter = 0;
    } else if (resetCounter == resetCountLimit) {
        restart();
    } else {
        resetFilter = false;
        ++resetCounter;
    }

    if (m_sampleCount < kSettlingInputs) {
        outputValid = false;
        return;
    }
    previousOutputValue = m_sampleCount == kSettlingInputs ? m_meanValue : outputValue;
    const float input = isNewValid ? x : previousOutputValue;
    outputValid = m_deviationCheckValid;
    outputValue = alpha * input + (1.0f - alpha) * previousOutputValue;
}

void ExponentialFilter::updateDeviation() {
    // The mean seeds the output when the filter settles, even from the few inputs seen right
    // after power-on; without it the output would start from 0 and hold real values off.
    float sum = 0.0f;
    for (float sample : m_latestSamples) {
        sum += sample;
    }
    m_meanValue = sum / static_cast<float>(m_latestSamples.size());
    if (m_latestSamples.size() < kMinInputsForDeviation) {
        m_deviationCheckValid = false;
        return;
    }
    float deviation = 0.0f;
    for (float sample : m_latestSamples) {
        deviation += std::fabs(m_meanValue - sample);
    }
    m_absErrorAvg = deviation / static_cast<float>(m_latestSamples.size());
    m_deviationCheckValid = m_absErrorAvg <= kMaxAbsDeviation;
}

void ExponentialFilter::restart() {
    resetFilter = true;
    resetCounter = 0;
    m_sampleCount = 0;
    m_latestSamples.clear();
    m_meanValue = 0.0f;
}

void ExponentialFilter::setValidity(bool valid) {
    outputValid = valid;
    if (!valid) {
        firstValue = true;
        m_latestSamples.clear();
        m_meanValue = 0.0f;
        m_sampleCount = 0;
    }
}

void ExponentialFilter::removeOne() {
    if (!m_latestSamples.isEmpty()) {
        m_latestSamples.removeFirst();
    }
}
