#include "depthtrendevaluator.h"

#include <cmath>
#include <numbers>

namespace {

constexpr size_t kListLength = 10;
constexpr int kSteadyShoalingSteps = 5;
// The beams look 30 degrees off the vertical: slant ranges for 40 m and 5 m of water.
const float kCos30 = static_cast<float>(std::cos(std::numbers::pi / 6.0));

} // namespace

const QString depthTrendEvaluator::kHigh = QStringLiteral("HIGH");
const QString depthTrendEvaluator::kLow = QStringLiteral("LOW");

depthTrendEvaluator::depthTrendEvaluator()
    : SWITCH_TRESHOLD(40.0f / kCos30), SWITCH_HYSTERESIS(5.0f / kCos30), m_mode(kHigh),
      m_switchToMode(kLow) {}

void depthTrendEvaluator::addToList(BeamTrend& beam, float depth) const {
    const bool valid = depth < MAX_LEGAL_VALUE;
    if (!valid) {
        ++beam.nokCount;
    } else if (!beam.depths.empty()) {
        const float last = beam.depths.back();
        if (depth - last > ALLOWED_DEVIATION) {
            ++beam.increasingCount;
            beam.decreasingCount = 0;
        } else if (last - depth > ALLOWED_DEVIATION) {
            beam.increasingCount = 0;
            ++beam.decreasingCount;
        }
    }
    beam.depths.push_back(depth);
    if (beam.depths.size() > kListLength) {
        if (beam.depths.front() >= MAX_LEGAL_VALUE) {
            --beam.nokCount;
        }
        beam.depths.pop_front();
    }
}

void depthTrendEvaluator::addToDepthLists(float fwd, float side) {
    addToList(m_fwd, fwd);
    addToList(m_side, side);
    m_depthLost = m_fwd.nokCount >= ALLOWED_NOK_COUNT || m_side.nokCount >= ALLOWED_NOK_COUNT;
    evaluateMode(fwd, side);
    evaluateSogFrequency(fwd, side);
}

void depthTrendEvaluator::evaluateMode(float fwd, float side) {
    if (m_mode == kLow) {
        const float deep = SWITCH_TRESHOLD + SWITCH_HYSTERESIS;
        if (fwd > deep || side > deep) {
            ++m_lowToHigCount;
        } else {
            m_lowToHigCount = 0;
        }
        if (m_lowToHigCount >= LOW_TO_HIGH_SWITCHING_COUNT || m_depthLost) {
            m_lowToHigCount = 0;
            m_switchToMode = kHigh;
        }
        return;
    }
    if (m_depthLost) {
        m_highToLowCount = 0;
        m_fwd.increasingCount = m_fwd.decreasingCount = 0;
        m_side.increasingCount = m_side.decreasingCount = 0;
        return;
    }
    const float shallow = SWITCH_TRESHOLD - SWITCH_HYSTERESIS;
    if (fwd < shallow && side < shallow) {
        if (m_fwd.decreasingCount > kSteadyShoalingSteps &&
            m_side.decreasingCount > kSteadyShoalingSteps) {
            m_highToLowCount = HIGH_TO_LOW_SWITCHING_COUNT;
        } else {
            ++m_highToLowCount;
        }
    } else if (m_highToLowCount > 0) {
        --m_highToLowCount;
    }
    if (m_highToLowCount >= HIGH_TO_LOW_SWITCHING_COUNT) {
        m_highToLowCount = 0;
        m_switchToMode = kLow;
    }
}

void depthTrendEvaluator::evaluateSogFrequency(float fwd, float side) {
    if (!m_useHighFreqForSOG) {
        m_useHighFreqForSOG = fwd < m_sogHighFreqTreshold && side < m_sogHighFreqTreshold;
    } else if (fwd > m_sogHighFreqTreshold + SOG_HIGH_FREQ_HYSTERESIS &&
               side > m_sogHighFreqTreshold + SOG_HIGH_FREQ_HYSTERESIS) {
        m_useHighFreqForSOG = false;
    }
    if (m_depthLost || (m_mode == kHigh && m_sogHighFreqTreshold <= SWITCH_TRESHOLD)) {
        m_useHighFreqForSOG = false;
    }
}

bool depthTrendEvaluator::switchToLowDepthMode() const {
    return (m_mode == kHigh && m_switchToMode == kLow) || (m_forceSwitch && m_mode == kLow);
}

bool depthTrendEvaluator::switchToHighDepthMode() const {
    return (m_mode == kLow && m_switchToMode == kHigh) || (m_forceSwitch && m_mode == kHigh);
}

void depthTrendEvaluator::setMode(const QString& mode) {
    m_mode = mode;
    m_forceSwitch = false;
}
