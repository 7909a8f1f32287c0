#include "sensorsimulationcheck.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int kPrimarySystem = 4;
} // namespace

bool SensorSimulationCheck::check(const MsgDAT& dat, float fixedLong, float fixedTra) {
    const float expected = std::hypot(fixedLong, fixedTra);
    const float tolerance = std::max(expected * kRelativeTolerance, kMinTolerance);
    m_started = std::min(m_started + 1, kStartedCap);
    const float water = std::hypot(dat.fwdSpeedWater(), dat.aftSpeedWater());
    const float ground = std::hypot(dat.fwdSpeedGround(), dat.aftSpeedGround());
    const bool wrong = water - expected > tolerance ||
                       (dat.systemID() == kPrimarySystem && ground - expected > tolerance);
    if (!wrong || m_started <= kSettlingSentences) {
        return false;
    }
    if (m_wrong++ <= kWrongLimit) {
        return false;
    }
    reset();
    return true;
}

void SensorSimulationCheck::reset() {
    m_started = 0;
    m_wrong = 0;
}
