#pragma once

#include <QList>

// Moving average of slew-limited inputs: each input moves the reference (the current output)
// by exactly the slew-rate limit towards itself, whatever the size of the step, and the
// output is the mean of the last averagingCount limited values.
class MovingAverageWithSlewRateLimit {
public:
    static constexpr int kDefaultAveragingCount = 15;

    void addValue(float x);
    float getValue() const { return outputValue; }
    bool getValidity() const { return true; }

    void setAveragingCount(int count) { averagingCount = count; }
    void resetAveragingCount() { averagingCount = kDefaultAveragingCount; }
    void setSlewRateLimit(float limit) { slewRateLimit = limit; }

private:
    QList<float> values;
    float outputValue = 0.0f;
    float previousOutputValue = 0.0f;
    bool firstValue = true;
    int averagingCount = kDefaultAveragingCount;
    float slewRateLimit = 0.5f;
};
