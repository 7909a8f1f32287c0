#pragma once

#include <QObject>

#include <array>
#include <deque>
#include <optional>

enum DepthSampleStatus {
    DEPTH_SAMPLE_VALID = 0,
    DEPTH_SAMPLE_TOO_DEEP = 1,
    DEPTH_SAMPLE_TOO_SHALLOW = 2,
    DEPTH_SAMPLE_SHALLOW_FROM_DEEP = 3,
    // A shallow sample while the bottom is lost too deep.
    DEPTH_SAMPLE_SHALLOW_WHILE_DEEP = 4,
};
inline constexpr int kDepthSampleStatusKinds = 5;

enum BottomStatus { BOTTOM_VALID = 0, BOTTOM_LOST_TOO_DEEP = 1, BOTTOM_LOST_TOO_SHALLOW = 2 };

// Decides for one depth beam whether the echo sees a valid bottom or has lost it because the
// water is too deep or too shallow. Each sample is judged against the present state; the state
// changes only when enough of the newest samples agree, or at once when the depth jumps about
// too much to be a bottom. A lost state is reported only after a time-out of lost samples.
class BottomClassifier : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    void addSample(float depth);
    DepthSampleStatus classifySample(float depth) const;
    void classifyBottom();
    void clearData();

    BottomStatus getBottomStatus() const { return bottomStatus; }
    DepthSampleStatus newestSampleStatus() const;
    bool isBottomLost() const;
    bool isBottomValid() const;
    bool isTooShallow() const;
    float getAverageDepth() const;
    int getValidTimeoutCounter() const { return m_validTimeoutCounter; }
    void setValidTimeoutLength(int length) { m_validTimeoutLength = length; }
    int getValidTimeoutLength() const { return m_validTimeoutLength; }

    static constexpr float kLostDepth = -5.0f;

private:
    // Walks the newest samples; returns the new state, or the present one.
    using StatusCounts = std::array<int, kDepthSampleStatusKinds>;

    BottomStatus walkStatuses();
    // The status the sample counts lead to at the i-th newest sample, when they decide it.
    std::optional<BottomStatus> transitionAt(int i, const StatusCounts& counts) const;
    void updateAverage(float depth);

    std::deque<float> depthSamples;
    std::deque<float> variationSamples;
    std::deque<DepthSampleStatus> samplesStatusList;
    float m_averageDepth = 0.0f;
    float m_maxAllowedDeviation = 40.0f;
    std::deque<float> m_averageDepthList;
    std::deque<bool> m_averageSamplesValid;
    int m_depthAveragingCount = 20;
    BottomStatus bottomStatus = BOTTOM_VALID;
    int m_validTimeoutCounter = 0;
    int m_validTimeoutLength = 20;
    float m_absVariationSum = 0.0f;
    float m_variationAverage = 0.0f;
    int m_variationCheckCount = 10;
    float m_variationAverageLimit = 50.0f;
    float m_maxDepth = 225.0f;
    float m_minDepth = 0.5f;
    float m_minFromDeep = 10.0f;
    float m_deepToValidHysteresis = 3.0f;
    float m_shallowToValidHysteresis = 0.5f;
    int m_totalSamplesCpount = 121;
    int m_steadyCount = 5;
    int m_deepFromValidCheckCount = 20;
    int m_deepFromValidAllowedCount = 5;
    int m_shallowFromValidCheckCount = 30;
    int m_shallowFromValidAllowedCount = 7;
    int m_validFromDeepCheckCount = 30;
    int m_validFromDeepdAllowedCount = 28;
    int m_validFromShallowCheckCount = 30;
    int m_validFromShallowAllowedCount = 26;
    int m_shallowFromDeepCheckCount = 120;
    int m_shallowFromDeepAllowedCount = 115;
    int m_deepFromShallowCheckCount = 40;
    int m_deepFromShallowAllowedCount = 10;
};

// The bottom classifiers of the forward and side beams together. The bottom counts as lost as
// soon as either beam's state is lost, but as valid only until the beams' time-outs run out.
class BottomClassifierBothAxis : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    void addSample(float fwd, float side);
    bool lastSampleValid() const;
    bool isBottomLost() const;
    bool isBottomValid() const;
    bool isTooShallow() const;
    void setValidTimeoutCount(int count);
    // Called once per tick without samples: a silent sensor clears both beams after 2 minutes.
    void timeoutCounter();
    // Kept for callers that configure the classifier; the beams use their own constants.
    void setMaxLenght(int) {}
    void setAllowedNockCount(int) {}
    void setMaxRawDepth(float) {}
    void setMinRawDepth(float) {}

    const BottomClassifier& forward() const { return m_depthFwd; }
    const BottomClassifier& side() const { return m_depthSide; }

private:
    BottomClassifier m_depthFwd;
    BottomClassifier m_depthSide;
    int m_timeoutCount = 0;
};
