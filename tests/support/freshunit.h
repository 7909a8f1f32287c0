#pragma once

#include "errorcounter.h"
#include "gps_input.h"
#include "gpsmovementdetection.h"
#include "ip_handler.h"
#include "platform.h"
#include "sensorinfo.h"
#include "speedcalibrationdata.h"
#include "systemsetup.h"
#include "systemvariables.h"
#include "testroot.h"
#include "vq2_handler.h"

#include <gtest/gtest.h>

// The unit's process-wide stores begun anew: no test sees another's settings, values, counts
// or calibration. The stores that read files read them from the board root configured then.
inline void resetUnitState() {
    SystemSetup::resetForTests();
    SpeedCalibrationData::resetForTests();
    ErrorCounter::resetForTests();
    // The GPS input follows the value store's ticks: it is begun after it.
    GPS_Input::resetForTests();
    SystemVariables::resetForTests();
    GpsMovementDetection::resetForTests();
    SensorInfo::resetForTests();
    VQ2::resetForTests();
    IP_handler::resetForTests();
}

// A fresh board root that the unit's paths point at, with fresh process-wide stores; a fixture
// holds it as its first member, before any of the unit's parts is built.
struct FreshUnitRoot : TestRoot {
    FreshUnitRoot() {
        Platform::configure(path(), QStringLiteral("lo"));
        resetUnitState();
    }
    ~FreshUnitRoot() {
        resetUnitState();
        Platform::configure(QString(), QString());
    }
};
