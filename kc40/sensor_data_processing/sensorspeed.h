#pragma once

#include <QtGlobal>

#include <array>
#include <deque>

// One speed measurement in the averaging window.
struct SpeedSample {
    float fSpeed = 0.0f;
    quint8 sigQuality = 0;
    int nBlockIndex = 0;
    bool bValidSample = false;
    bool bUsedInAverage = false;
};

// Robust averaging of one speed axis. Valid samples are counted per 4-knot speed block; the
// dominant block and its neighbours define the plausible speed, and only samples within 3 kn
// of the recent average feed the exponential filter. The window spans the averaging time.
class SensorSpeed {
public:
    static constexpr int kBlockCount = 31;
    static constexpr int kZeroBlock = 15;
    static constexpr int kMinWindow = 10;
    static constexpr float kNoMean = -1000.0f;

    void init(bool isSTW, quint8 datPerSecond);
    // Takes the averaging time and the vessel maximum speed from the setup.
    void setValue(float speed, quint8 quality);
    void setValue(float speed, quint8 quality, int averagingSeconds, float vesselMaxSpeed);

    float getValue() const { return outputValue; }
    float getSingleValue() const;
    bool getValidity() const { return outputValid; }
    int getAvgQuality() const { return outputQuality; }
    int getMeanValueQuality() const { return meanValueQuality; }
    int getDominantBlock() const { return nMaxBlockIndex; }
    int windowSize() const { return static_cast<int>(m_latestSamples.size()); }
    void invalidateData();
    void setAlpha(float gain) { alpha = gain; }
    float getAlpha() const { return alpha; }

    static int blockOf(float speed);

private:
    void appendToArray(const SpeedSample& sample, int windowLength);
    void calulateMeanValueQuality(int windowLength);
    void computeFilteredValue();
    float getMeanValue() const;
    void calculateUsedQuality(int windowLength);

    std::deque<SpeedSample> m_latestSamples;
    std::array<int, kBlockCount> m_latestSamplesBlocksCount{};
    quint8 m_DatMsgPrSec = 2;
    float outputValue = 0.0f;
    float previousOutputValue = 0.0f;
    bool outputValid = false;
    int meanValueQuality = 0;
    int outputQuality = 0;
    int nMaxBlockIndex = -1;
    int timeCouter = 0;
    bool bIsSTW = true;
    float alpha = 1.0f;
};
