#include "sensordatavalidator.h"

#include <cmath>

bool sensor_data_validator::checkIfDepthTooFarFromAverage(float depth, float average) {
    return std::fabs(depth - average) <= kAllowedDepthDistance;
}

bool sensor_data_validator::checkIfSpeedTooFarFromAverage(float speed, float average) {
    return std::fabs(speed - average) <= kAllowedSpeedDistance;
}

bool sensor_data_validator::checkIfWithinAllowedValue(float value, float limit) {
    return std::fabs(value) <= limit * 1.2f;
}
