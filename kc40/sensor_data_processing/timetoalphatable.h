#pragma once

// The exponential gain that gives a filter the averaging time of 1 to 60 seconds.
class TimeToAlphaTable {
public:
    // 0 s is no filtering (1.0); a time outside the table gets the 16-second gain.
    static float getAlpha(int seconds);
};
