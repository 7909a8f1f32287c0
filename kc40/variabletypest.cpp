#include "variabletypest.h"

#include "platform.h"

#include <algorithm>

namespace {
quint64 now() {
    return static_cast<quint64>(Clock::currentMSecsSinceEpoch());
}
} // namespace

void VarBase::increaseTimeCounter() {
    ++timeCouter;
    if (timeCouter == validityPeriod) {
        expire();
    }
}

void VarBase::markUpdated(quint64 stamp, bool valid) {
    timeStamp = stamp;
    timeCouter = 0;
    status = 1;
    validity = valid;
}

void varInt::setValue(int newValue, quint64 stamp) {
    value = newValue;
    markUpdated(stamp, true);
}

void varInt::setValidity(bool valid) {
    validity = valid;
    if (!valid) {
        value = kAbsentInt;
    }
}

void varDouble::setValue(double newValue, quint64 stamp) {
    value = newValue;
    markUpdated(stamp, newValue != static_cast<double>(kAbsentFloat));
}

void varDouble::setValidity(bool valid) {
    validity = valid;
    if (!valid) {
        value = static_cast<double>(kAbsentFloat);
    }
}

void varString::setValue(const QString& newValue, quint64 stamp) {
    value = newValue;
    markUpdated(stamp, true);
}

void varNmeaMsg::setNmeaMessage(const NmeaMessage& message, quint64 stamp) {
    nmeaMessage = message.clone();
    markUpdated(stamp, true);
}

void varFloatAvg::append(float value, quint64 stamp) {
    values.append(value);
    timeStamps.append(stamp);
}

void varFloatAvg::removeOld(quint64 now) {
    qsizetype old = 0;
    // A sample stamped in the future has age 0: it is young.
    while (old < timeStamps.size() && now >= timeStamps[old] &&
           now - timeStamps[old] >= averagingTime) {
        ++old;
    }
    values.remove(0, old);
    timeStamps.remove(0, old);
    if (values.isEmpty()) {
        minCount = 1;
        return;
    }
    const auto required =
        static_cast<qsizetype>(static_cast<double>(averagingTime) / AVERAGING_TIME_CONSTANT);
    if (values.size() >= required) {
        minCount = static_cast<int>(required);
    }
}

bool varFloatAvg::checkTime(quint64 now) {
    if (timeStamps.isEmpty()) {
        return false;
    }
    if (now >= timeStamps.last() && now - timeStamps.last() >= averagingTime) {
        clear();
        return false;
    }
    return true;
}

float varFloatAvg::getAverageValue(quint64 now) {
    if (!checkTime(now)) {
        return kAbsentFloat;
    }
    double sum = 0.0;
    int used = 0;
    for (float value : values) {
        if (value != kAbsentFloat) {
            sum += value;
            ++used;
        }
    }
    if (used == 0 || used < minCount) {
        return kAbsentFloat;
    }
    return static_cast<float>(sum / used);
}

bool varFloatAvg::getAverageValidity(quint64 now) {
    return checkTime(now) && values.size() >= minCount;
}

float varFloatAvg::getMinValue() const {
    return values.isEmpty() ? kAbsentFloat : *std::min_element(values.begin(), values.end());
}

float varFloatAvg::getMaxValue() const {
    return values.isEmpty() ? kAbsentFloat : *std::max_element(values.begin(), values.end());
}

float varFloatAvg::getLastValue() const {
    return values.isEmpty() ? kAbsentFloat : values.last();
}

void varFloatAvg::clear() {
    values.clear();
    timeStamps.clear();
}

float varFloat::getValue() {
    if (!useAverage) {
        return value;
    }
    switch (outputFrom) {
    case MOVING_AVERAGE:
        return average.getAverageValue(now());
    case MOVING_AVERAGE_WITH_SLEW_LIMIT:
        return slewLimit.getValue();
    case EXPONENTIAL_FILTER:
        return exponentialFilter.getValue();
    }
    return value;
}

void varFloat::setValue(float newValue, quint64 stamp) {
    value = newValue;
    markUpdated(stamp, newValue != kAbsentFloat);
    if (!useAverage || newValue == kAbsentFloat) {
        exponentialFilter.setValidity(validity);
        return;
    }
    switch (outputFrom) {
    case MOVING_AVERAGE:
        average.removeOld(now());
        average.append(newValue, stamp);
        break;
    case MOVING_AVERAGE_WITH_SLEW_LIMIT:
        slewLimit.addValue(newValue);
        break;
    case EXPONENTIAL_FILTER:
        exponentialFilter.addValue(newValue);
        break;
    }
}

bool varFloat::getValidity() {
    if (!useAverage) {
        return validity;
    }
    switch (outputFrom) {
    case MOVING_AVERAGE:
        return average.getAverageValidity(now()) && validity;
    case MOVING_AVERAGE_WITH_SLEW_LIMIT:
        return slewLimit.getValidity();
    case EXPONENTIAL_FILTER:
        return exponentialFilter.getValidity() && validity;
    }
    return validity;
}

void varFloat::setValidity(bool valid) {
    validity = valid;
    if (!valid) {
        value = kAbsentFloat;
        exponentialFilter.setValidity(false);
    }
}

float varFloat::getLastValue() const {
    return useAverage ? average.getLastValue() : value;
}

quint64 varFloat::getAveragingPeriodS() const {
    return useAverage ? average.averagingTime / 1000 : 0;
}

void varFloat::setAveragingPeriodS(quint64 seconds) {
    average.averagingTime = seconds * 1000;
    average.minCount = 1;
}

void varFloat::setDefaultAveragingPeriodS(quint64 seconds) {
    average.defaultAveragingTime = seconds;
    setAveragingPeriodS(seconds);
}

void varFloat::expire() {
    setValidity(false);
    if (useAverage) {
        average.clear();
    }
}
