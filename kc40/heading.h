#pragma once

#include "variabletypest.h"

// Which of the ship's heading inputs counts. A gyro outranks a satellite compass, which
// outranks a magnetic compass corrected by its variation; heading from HDT/HDG outranks the
// same source's THS. A source that stops sending ages out and the next one takes over.
class Heading {
public:
    // The first valid true heading in that order, else the (invalid) gyro heading.
    static varFloat& getHeadingTrue();
    // The first valid magnetic heading (gyro, satellite, compass), else the gyro one.
    static varFloat& getHeadingMagnetic();
};
