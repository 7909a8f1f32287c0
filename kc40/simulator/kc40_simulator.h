#pragma once

#include "variabletypest.h"

#include <QtGlobal>

class VQ2DataModel;

// A complete set of calibrated values for a fixed speed, written into a data model that then
// stands in for the sensor's: speeds through the water and over the ground alike, no current,
// the chosen simulated depth on both beams and 15 degrees water. Used for the junction box's
// own fixed speed and, fed with the GPS speed, for GPS simulation (which has no depth).
class KC40_Simulator {
public:
    static constexpr float kTemperatureC = 15.0f;

    explicit KC40_Simulator(VQ2DataModel& model) : m_model(model) {}

    // Speeds in knots; an absent component leaves the speeds and their course absent.
    void recalculateValues(float longitudinal, float transverse);
    void setSimulatedDepth(float depth);
    // Writes the values anew at `now` so that they stay fresh, with the stern speeds for the
    // rate of turn (degrees a minute, absent when unknown) and the distance run since the
    // previous refresh. A simulated depth is a bottom found.
    void refresh(quint64 now, float rateOfTurn);

private:
    void write(quint64 stamp);

    VQ2DataModel& m_model;
    float m_long = 0.0f;
    float m_tra = 0.0f;
    float m_depth = kAbsentFloat;
};
