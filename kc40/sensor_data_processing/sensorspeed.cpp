#include "sensorspeed.h"

#include "systemsetup.h"
#include "timetoalphatable.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kBlockWidth = 4.0f;
constexpr float kAcceptedJump = 3.0f;
constexpr int kReferenceSamples = 5;
constexpr int kMinQuality = 2;

} // namespace

void SensorSpeed::init(bool isSTW, quint8 datPerSecond) {
    bIsSTW = isSTW;
    m_DatMsgPrSec = datPerSecond;
}

int SensorSpeed::blockOf(float speed) {
    const float shifted = speed >= 0.0f ? speed / kBlockWidth + 0.5f : speed / kBlockWidth - 0.5f;
    if (!std::isfinite(shifted)) {
        return shifted > 0.0f ? kBlockCount - 1 : 0;
    }
    const float block = std::trunc(shifted) + static_cast<float>(kZeroBlock);
    return static_cast<int>(std::clamp(block, 0.0f, static_cast<float>(kBlockCount - 1)));
}

void SensorSpeed::setValue(float speed, quint8 quality) {
    const SystemSetup* setup = SystemSetup::getInstance();
    const int seconds =
        bIsSTW ? setup->getCurrentStwAveragingTime() : setup->getCurrentSogAveragingTime();
    setValue(speed, quality, seconds, setup->Vq2Setup.values().vesselMaxSpeed);
}

void SensorSpeed::setValue(float speed, quint8 quality, int averagingSeconds,
                           float vesselMaxSpeed) {
    timeCouter = 0;
    alpha = TimeToAlphaTable::getAlpha(averagingSeconds);
    const int windowLength = std::max(averagingSeconds * m_DatMsgPrSec, kMinWindow);

    SpeedSample sample;
    sample.fSpeed = speed;
    sample.sigQuality = quality;
    sample.nBlockIndex = blockOf(speed);
    sample.bValidSample = std::fabs(speed) <= vesselMaxSpeed * 120.0f / 100.0f && quality > 2;
    appendToArray(sample, windowLength);
    calulateMeanValueQuality(windowLength);
    computeFilteredValue();
    calculateUsedQuality(windowLength);
    if (outputQuality < kMinQuality) {
        outputValid = false;
    }
}

float SensorSpeed::getSingleValue() const {
    return m_latestSamples.empty() ? 0.0f : m_latestSamples.back().fSpeed;
}

void SensorSpeed::invalidateData() {
    outputValid = false;
    m_latestSamplesBlocksCount.fill(0);
    m_latestSamples.clear();
}

void SensorSpeed::appendToArray(const SpeedSample& sample, int windowLength) {
    m_latestSamples.push_back(sample);
    if (sample.bValidSample) {
        ++m_latestSamplesBlocksCount[static_cast<size_t>(sample.nBlockIndex)];
    }
    while (static_cast<int>(m_latestSamples.size()) > windowLength) {
        const SpeedSample& oldest = m_latestSamples.front();
        if (oldest.bValidSample) {
            --m_latestSamplesBlocksCount[static_cast<size_t>(oldest.nBlockIndex)];
        }
        m_latestSamples.pop_front();
    }
}

void SensorSpeed::calulateMeanValueQuality(int windowLength) {
    meanValueQuality = 0;
    nMaxBlockIndex = -1;
    if (static_cast<int>(m_latestSamples.size()) < kMinWindow) {
        return;
    }
    int best = 1;
    for (int block = 0; block < kBlockCount; ++block) {
        if (m_latestSamplesBlocksCount[static_cast<size_t>(block)] > best) {
            best = m_latestSamplesBlocksCount[static_cast<size_t>(block)];
            nMaxBlockIndex = block;
        }
    }
    if (nMaxBlockIndex < 0) {
        return;
    }
    int count = best;
    if (nMaxBlockIndex > 0) {
        count += m_latestSamplesBlocksCount[static_cast<size_t>(nMaxBlockIndex - 1)];
    }
    if (nMaxBlockIndex < kBlockCount - 1) {
        count += m_latestSamplesBlocksCount[static_cast<size_t>(nMaxBlockIndex + 1)];
    }
    meanValueQuality = count * 10 / windowLength;
}

float SensorSpeed::getMeanValue() const {
    const float lower =
        static_cast<float>((std::max(nMaxBlockIndex - 1, 0) - kZeroBlock) * 4) - 2.0f;
    const float upper =
        static_cast<float>((std::min(nMaxBlockIndex + 1, kBlockCount - 1) - kZeroBlock) * 4) + 2.0f;
    float sum = 0.0f;
    int count = 0;
    for (const SpeedSample& s : m_latestSamples) {
        if (s.bValidSample && s.fSpeed > lower && s.fSpeed < upper) {
            sum += s.fSpeed;
            ++count;
        }
    }
    return count == 0 ? kNoMean : sum / static_cast<float>(count);
}

void SensorSpeed::computeFilteredValue() {
    float reference = 0.0f;
    if (outputValid) {
        float sum = 0.0f;
        int used = 0;
        for (auto it = m_latestSamples.rbegin();
             it != m_latestSamples.rend() && used < kReferenceSamples; ++it) {
            if (it->bUsedInAverage) {
                sum += it->fSpeed;
                ++used;
            }
        }
        reference = used == 0 ? 0.0f : sum / static_cast<float>(used);
    } else {
        if (meanValueQuality < kMinQuality) {
            return;
        }
        reference = getMeanValue();
        previousOutputValue = reference;
        outputValid = true;
    }
    SpeedSample& newest = m_latestSamples.back();
    if (newest.bValidSample && newest.fSpeed > reference - kAcceptedJump &&
        newest.fSpeed < reference + kAcceptedJump) {
        outputValue = alpha * newest.fSpeed + (1.0f - alpha) * previousOutputValue;
        newest.bUsedInAverage = true;
    } else {
        outputValue = previousOutputValue;
    }
    previousOutputValue = outputValue;
}

void SensorSpeed::calculateUsedQuality(int windowLength) {
    if (m_latestSamples.empty()) {
        outputQuality = 0;
        return;
    }
    const auto used = std::count_if(m_latestSamples.begin(), m_latestSamples.end(),
                                    [](const SpeedSample& s) { return s.bUsedInAverage; });
    outputQuality = static_cast<int>(used) * 10 / windowLength;
}
