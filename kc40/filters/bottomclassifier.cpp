#include "bottomclassifier.h"

#include <cmath>
#include <numeric>
#include <optional>

namespace {

constexpr int kSilentTicksBeforeClear = 119;

// The state a run of equal newest samples confirms.
DepthSampleStatus ownStatus(BottomStatus status) {
    switch (status) {
    case BOTTOM_LOST_TOO_DEEP:
        return DEPTH_SAMPLE_TOO_DEEP;
    case BOTTOM_LOST_TOO_SHALLOW:
        return DEPTH_SAMPLE_TOO_SHALLOW;
    case BOTTOM_VALID:
        break;
    }
    return DEPTH_SAMPLE_VALID;
}

} // namespace

DepthSampleStatus BottomClassifier::classifySample(float depth) const {
    switch (bottomStatus) {
    case BOTTOM_VALID:
        if (depth - m_averageDepth > m_maxAllowedDeviation) {
            return DEPTH_SAMPLE_TOO_DEEP;
        }
        if (m_averageDepth - depth > m_maxAllowedDeviation) {
            return DEPTH_SAMPLE_TOO_SHALLOW;
        }
        if (depth > m_maxDepth) {
            return DEPTH_SAMPLE_TOO_DEEP;
        }
        if (depth < m_minDepth) {
            return DEPTH_SAMPLE_TOO_SHALLOW;
        }
        return DEPTH_SAMPLE_VALID;
    case BOTTOM_LOST_TOO_DEEP:
        if (depth < m_minFromDeep) {
            return DEPTH_SAMPLE_SHALLOW_WHILE_DEEP;
        }
        if (depth < m_maxDepth - m_deepToValidHysteresis) {
            return DEPTH_SAMPLE_VALID;
        }
        return DEPTH_SAMPLE_TOO_DEEP;
    case BOTTOM_LOST_TOO_SHALLOW:
        if (depth > m_maxDepth) {
            return DEPTH_SAMPLE_SHALLOW_FROM_DEEP;
        }
        if (depth > m_minDepth + m_shallowToValidHysteresis) {
            return DEPTH_SAMPLE_VALID;
        }
        return DEPTH_SAMPLE_TOO_SHALLOW;
    }
    return DEPTH_SAMPLE_VALID;
}

void BottomClassifier::addSample(float depth) {
    variationSamples.push_back(depthSamples.empty() ? 0.0f : depth - depthSamples.back());
    depthSamples.push_back(depth);
    samplesStatusList.push_back(classifySample(depth));
    if (static_cast<int>(samplesStatusList.size()) > m_totalSamplesCpount) {
        variationSamples.pop_front();
        depthSamples.pop_front();
        samplesStatusList.pop_front();
    }
    classifyBottom();
    if (bottomStatus == BOTTOM_VALID) {
        m_validTimeoutCounter = 0;
    } else if (m_validTimeoutCounter < 3 * m_validTimeoutLength &&
               samplesStatusList.back() != DEPTH_SAMPLE_VALID) {
        ++m_validTimeoutCounter;
    }
    updateAverage(depth);
}

void BottomClassifier::updateAverage(float depth) {
    if (m_averageDepthList.empty()) {
        m_averageDepthList.push_back(depth);
        m_averageSamplesValid.push_back(true);
    } else if (samplesStatusList.back() == DEPTH_SAMPLE_VALID) {
        m_averageDepthList.push_back(depth);
        m_averageSamplesValid.push_back(true);
    } else {
        m_averageDepthList.push_back(m_averageDepthList.back());
        m_averageSamplesValid.push_back(false);
    }
    while (static_cast<int>(m_averageDepthList.size()) > m_depthAveragingCount) {
        m_averageDepthList.pop_front();
        m_averageSamplesValid.pop_front();
    }
    m_averageDepth = std::accumulate(m_averageDepthList.begin(), m_averageDepthList.end(), 0.0f) /
                     static_cast<float>(m_averageDepthList.size());
}

void BottomClassifier::classifyBottom() {
    bottomStatus = walkStatuses();
}

BottomStatus BottomClassifier::walkStatuses() {
    StatusCounts counts{};
    bool steady = true;
    bool decided = false;
    m_absVariationSum = 0.0f;
    m_variationAverage = 0.0f;
    const int n = static_cast<int>(samplesStatusList.size());
    for (int i = 0; i < n; ++i) {
        const auto index = static_cast<size_t>(n - 1 - i);
        const DepthSampleStatus status = samplesStatusList[index];
        if (i < m_variationCheckCount) {
            const float variation = variationSamples[index];
            m_absVariationSum += std::fabs(variation);
            m_variationAverage += (variation - m_variationAverage) / static_cast<float>(i + 1);
            if (i == m_variationCheckCount - 1) {
                m_absVariationSum /= static_cast<float>(m_variationCheckCount);
                if (m_absVariationSum > m_variationAverageLimit) {
                    if (bottomStatus != BOTTOM_VALID) {
                        return bottomStatus;
                    }
                    return m_averageDepth <= m_maxDepth / 2.0f ? BOTTOM_LOST_TOO_SHALLOW
                                                               : BOTTOM_LOST_TOO_DEEP;
                }
                if (decided) {
                    return bottomStatus;
                }
            }
        }
        if (decided) {
            continue;
        }
        ++counts[static_cast<size_t>(status)];
        if (i > 0 && status != samplesStatusList[index + 1]) {
            steady = false;
        }
        if (i == m_steadyCount - 1 && steady && status == ownStatus(bottomStatus)) {
            if (i >= m_variationCheckCount) {
                return bottomStatus;
            }
            decided = true;
            continue;
        }
        if (const std::optional<BottomStatus> next = transitionAt(i, counts)) {
            return *next;
        }
    }
    return bottomStatus;
}

std::optional<BottomStatus> BottomClassifier::transitionAt(int i,
                                                           const StatusCounts& counts) const {
    switch (bottomStatus) {
    case BOTTOM_VALID:
        if (i == m_deepFromValidCheckCount - 1 &&
            counts[DEPTH_SAMPLE_TOO_DEEP] > m_deepFromValidAllowedCount) {
            return BOTTOM_LOST_TOO_DEEP;
        }
        if (i == m_shallowFromValidCheckCount - 1 &&
            counts[DEPTH_SAMPLE_TOO_SHALLOW] > m_shallowFromValidAllowedCount) {
            return BOTTOM_LOST_TOO_SHALLOW;
        }
        if (i >= m_deepFromValidCheckCount - 1 && i >= m_shallowFromValidCheckCount - 1) {
            return bottomStatus;
        }
        return std::nullopt;
    case BOTTOM_LOST_TOO_DEEP:
        if (i == m_validFromDeepCheckCount - 1 &&
            counts[DEPTH_SAMPLE_VALID] > m_validFromDeepdAllowedCount) {
            return BOTTOM_VALID;
        }
        if (i == m_shallowFromDeepCheckCount - 1 &&
            counts[DEPTH_SAMPLE_SHALLOW_WHILE_DEEP] > m_shallowFromDeepAllowedCount) {
            return BOTTOM_LOST_TOO_SHALLOW;
        }
        return std::nullopt;
    case BOTTOM_LOST_TOO_SHALLOW:
        if (i == m_validFromShallowCheckCount - 1 &&
            counts[DEPTH_SAMPLE_VALID] > m_validFromShallowAllowedCount) {
            return BOTTOM_VALID;
        }
        if (i == m_deepFromShallowCheckCount - 1 &&
            counts[DEPTH_SAMPLE_SHALLOW_FROM_DEEP] > m_deepFromShallowAllowedCount) {
            return BOTTOM_LOST_TOO_DEEP;
        }
        return std::nullopt;
    }
    return std::nullopt;
}

void BottomClassifier::clearData() {
    bottomStatus = BOTTOM_VALID;
    depthSamples.clear();
    variationSamples.clear();
    samplesStatusList.clear();
    m_averageDepthList.clear();
    m_averageSamplesValid.clear();
    m_averageDepth = 0.0f;
    m_absVariationSum = 0.0f;
    m_variationAverage = 0.0f;
    m_validTimeoutCounter = 0;
}

DepthSampleStatus BottomClassifier::newestSampleStatus() const {
    return samplesStatusList.empty() ? DEPTH_SAMPLE_VALID : samplesStatusList.back();
}

bool BottomClassifier::isBottomLost() const {
    return bottomStatus != BOTTOM_VALID && m_validTimeoutCounter >= m_validTimeoutLength;
}

bool BottomClassifier::isBottomValid() const {
    return bottomStatus == BOTTOM_VALID || m_validTimeoutCounter < m_validTimeoutLength;
}

bool BottomClassifier::isTooShallow() const {
    return bottomStatus == BOTTOM_LOST_TOO_SHALLOW && m_validTimeoutCounter >= m_validTimeoutLength;
}

float BottomClassifier::getAverageDepth() const {
    if (isBottomLost()) {
        return kLostDepth;
    }
    if (m_averageDepthList.empty()) {
        return 0.0f;
    }
    return std::accumulate(m_averageDepthList.begin(), m_averageDepthList.end(), 0.0f) /
           static_cast<float>(m_averageDepthList.size());
}

void BottomClassifierBothAxis::addSample(float fwd, float side) {
    m_depthFwd.addSample(fwd);
    m_depthSide.addSample(side);
    m_timeoutCount = 0;
}

bool BottomClassifierBothAxis::lastSampleValid() const {
    return m_depthFwd.newestSampleStatus() == DEPTH_SAMPLE_VALID &&
           m_depthSide.newestSampleStatus() == DEPTH_SAMPLE_VALID;
}

bool BottomClassifierBothAxis::isBottomLost() const {
    return m_depthFwd.getBottomStatus() != BOTTOM_VALID ||
           m_depthSide.getBottomStatus() != BOTTOM_VALID;
}

bool BottomClassifierBothAxis::isBottomValid() const {
    return m_depthFwd.isBottomValid() && m_depthSide.isBottomValid();
}

bool BottomClassifierBothAxis::isTooShallow() const {
    return m_depthFwd.getBottomStatus() == BOTTOM_LOST_TOO_SHALLOW &&
           m_depthSide.getBottomStatus() == BOTTOM_LOST_TOO_SHALLOW;
}

void BottomClassifierBothAxis::setValidTimeoutCount(int count) {
    m_depthFwd.setValidTimeoutLength(count);
    m_depthSide.setValidTimeoutLength(count);
}

void BottomClassifierBothAxis::timeoutCounter() {
    ++m_timeoutCount;
    if (m_timeoutCount > kSilentTicksBeforeClear) {
        m_depthFwd.clearData();
        m_depthSide.clearData();
        m_timeoutCount = 0;
    }
}
