#pragma once

#include <QString>

#include <deque>

// Chooses the sensor's depth mode from the two beam depths of each primary DAT: "HIGH" (long
// pulse, full power) for deep water, "LOW" (short pulse) for shallow water, with hysteresis,
// confirmation counts and a fast path for a steadily shoaling bottom. Also advises when ground
// speed is better taken from the high frequency.
class depthTrendEvaluator {
public:
    depthTrendEvaluator();

    void addToDepthLists(float fwd, float side);
    bool switchToLowDepthMode() const;
    bool switchToHighDepthMode() const;
    // The mode now in force; clears a pending forced switch.
    void setMode(const QString& mode);
    QString getMode() const { return m_mode; }
    QString getSwitchToMode() const { return m_switchToMode; }
    bool isDepthLost() const { return m_depthLost; }
    bool getForceSwitch() const { return m_forceSwitch; }
    void setForceSwitch(bool force) { m_forceSwitch = force; }
    bool getUseHighFreqForSOG() const { return m_useHighFreqForSOG; }
    void setSogHighFreqTreshold(float treshold) { m_sogHighFreqTreshold = treshold; }
    float getSogHighFreqTreshold() const { return m_sogHighFreqTreshold; }
    float getMAX_LEGAL_VALUE() const { return MAX_LEGAL_VALUE; }
    void setMAX_LEGAL_VALUE(float value) { MAX_LEGAL_VALUE = value; }
    float getMIN_LEGAL_VALUE() const { return MIN_LEGAL_VALUE; }
    void setMIN_LEGAL_VALUE(float value) { MIN_LEGAL_VALUE = value; }
    int highToLowCount() const { return m_highToLowCount; }
    int lowToHighCount() const { return m_lowToHigCount; }

    static const QString kHigh;
    static const QString kLow;

private:
    // The recent depths of one beam with their invalid count and trend counters.
    struct BeamTrend {
        std::deque<float> depths;
        int nokCount = 0;
        int increasingCount = 0;
        int decreasingCount = 0;
    };

    void addToList(BeamTrend& beam, float depth) const;
    void evaluateMode(float fwd, float side);
    void evaluateSogFrequency(float fwd, float side);

    const float SWITCH_TRESHOLD;
    const float SWITCH_HYSTERESIS;
    float MAX_LEGAL_VALUE = 225.0f;
    float MIN_LEGAL_VALUE = 2.6f;
    int ALLOWED_NOK_COUNT = 3;
    int HIGH_TO_LOW_SWITCHING_COUNT = 60;
    int LOW_TO_HIGH_SWITCHING_COUNT = 5;
    float ALLOWED_DEVIATION = 2.0f;
    float SOG_HIGH_FREQ_HYSTERESIS = 2.0f;
    BeamTrend m_fwd;
    BeamTrend m_side;
    bool m_depthLost = false;
    int m_lowToHigCount = 0;
    int m_highToLowCount = 0;
    QString m_mode;
    QString m_switchToMode;
    bool m_forceSwitch = false;
    bool m_useHighFreqForSOG = false;
    float m_sogHighFreqTreshold = 5.0f;
};
