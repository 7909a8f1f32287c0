#include "movingaveragewithslewratelimit.h"

void MovingAverageWithSlewRateLimit::addValue(float x) {
    float reference = x;
    if (firstValue) {
        firstValue = false;
    } else {
        reference = outputValue;
        previousOutputValue = outputValue;
    }
    float limited = x;
    if (x > reference) {
        limited = reference + slewRateLimit;
    } else if (x < reference) {
        limited = reference - slewRateLimit;
    }
    values.append(limited);
    while (values.size() > averagingCount && !values.isEmpty()) {
        values.removeFirst();
    }
    float sum = 0.0f;
    for (float value : values) {
        sum += value;
    }
    outputValue = values.isEmpty() ? limited : sum / static_cast<float>(values.size());
}
