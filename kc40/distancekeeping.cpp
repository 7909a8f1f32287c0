#include "distancekeeping.h"

#include "systemsetup.h"
#include "systemvariables.h"

DistanceKeeping::DistanceKeeping(SystemSetup& setup, SystemVariables& values, QObject* parent)
    : QObject(parent), m_setup(setup), m_values(values) {}

void DistanceKeeping::restore() {
    const TripTotal_Setup_s& water = m_setup.TripTotalSetup.values();
    const triptotal_SOG_setup_s& ground = m_setup.triptotal_sog_setup.values();
    m_values.initDistances(water.totalDistance, water.tripDistance, ground.totalDistance,
                           ground.tripDistance);
}

void DistanceKeeping::slotSave() {
    m_setup.TripTotalSetup.setTotalTrip(
        static_cast<float>(m_values.totalCumulativeWaterDistance.getValue()),
        static_cast<float>(m_values.waterDistanceSinceReset.getValue()), false);
    m_setup.triptotal_sog_setup.setTotalTrip(
        static_cast<float>(m_values.totalCumulativeGroundDistance.getValue()),
        static_cast<float>(m_values.groundDistanceSinceReset.getValue()), false);
}
