#include "systemvariables.h"

#include "platform.h"
#include "unitinstance.h"

#include <QDebug>

SystemVariables* SystemVariables::getInstance() {
    return unitInstance<SystemVariables>([] { return new SystemVariables; });
}

void SystemVariables::resetForTests() {
    dropUnitInstance<SystemVariables>();
}

SystemVariables::SystemVariables() {
    vq2data.setDataAreFromDat5(false);
    vq2dataDat5.setDataAreFromDat5(true);

    const QList<VarBase*> aged = {&trackDegreesTrue_GPS,
                                  &averageSignalQuality,
                                  &speedToWater_VQ1,
                                  &rateOfTurn,
                                  &headingTrue_Gyro,
                                  &headingTrue_SatLog,
                                  &headingTrue_MagCompass,
                                  &headingTrue_Gyro_THS,
                                  &headingTrue_SatLog_THS,
                                  &headingTrue_MagCompass_THS,
                                  &headingMagnetic_Gyro,
                                  &headingMagnetic_SatLog,
                                  &headingMagnetic_MagCompass,
                                  &utcTime_ZDG,
                                  &utcTime_ZDA,
                                  &utcTime_GGA,
                                  &utcTime_RMC,
                                  &longSpeedToGround_GPS_VTG,
                                  &tranSpeedToGround_GPS_VTG,
                                  &resSpeedToGround_GPS_VTG,
                                  &resSpeedToGround_GPS_VTG_avg,
                                  &longSpeedToGround_GPS_VBW,
                                  &tranSpeedToGround_GPS_VBW,
                                  &resSpeedToGround_GPS_VBW,
                                  &longSpeedToGround_GPS_RMC,
                                  &tranSpeedToGround_GPS_RMC,
                                  &resSpeedToGround_GPS_RMC,
                                  &msgGGA,
                                  &msgGLL,
                                  &msgDPT,
                                  &msgDPT_SD,
                                  &msgDAT4,
                                  &msgDAT5};
    for (VarBase* variable : aged) {
        connect(this, &SystemVariables::sigIncreaseTimeCounter, variable,
                &VarBase::slotIncreaseTimeCounter);
    }
    initDistances(0.0, 0.0, 0.0, 0.0);
    const auto now = static_cast<quint64>(Clock::currentMSecsSinceEpoch());
    totalCumulativeWaterDistanceVQ1.setValue(0.0, now);
    waterDistanceSinceResetVQ1.setValue(0.0, now);
    previousTimeStampSTW_VQ1 = now;
    currentTimeStampSTW_VQ1 = now;
    initAveragedVariables();
    for (VQ2DataModel* model : {&vq2data, &vq2dataDat5, &jbSimulationData, &gpsSimulationData}) {
        connect(this, &SystemVariables::sigIncreaseTimeCounter, model,
                &VQ2DataModel::slotIncreaseTimeCounter);
    }
}

void SystemVariables::initAveragedVariables() {
    vq2data.setDepthAveragingPeriod(10);
    vq2dataDat5.setDepthAveragingPeriod(10);
    setOutputFrom(EXPONENTIAL_FILTER);
}

void SystemVariables::initDistances(double waterTotal, double waterTrip, double groundTotal,
                                    double groundTrip) {
    const auto now = static_cast<quint64>(Clock::currentMSecsSinceEpoch());
    totalCumulativeWaterDistance.setValue(waterTotal, now);
    waterDistanceSinceReset.setValue(waterTrip, now);
    totalCumulativeGroundDistance.setValue(groundTotal, now);
    groundDistanceSinceReset.setValue(groundTrip, now);
}

namespace {
// GPS ground speed by preference: VTG, then VBW, then RMC.
float firstValid(varFloat& fromVtg, varFloat& fromVbw, varFloat& fromRmc) {
    for (varFloat* candidate : {&fromVtg, &fromVbw, &fromRmc}) {
        if (candidate->getValidity()) {
            return candidate->getValue();
        }
    }
    return kAbsentFloat;
}
} // namespace

float SystemVariables::getSOG_L_GPS() {
    return firstValid(longSpeedToGround_GPS_VTG, longSpeedToGround_GPS_VBW,
                      longSpeedToGround_GPS_RMC);
}

float SystemVariables::getSOG_T_GPS() {
    return firstValid(tranSpeedToGround_GPS_VTG, tranSpeedToGround_GPS_VBW,
                      tranSpeedToGround_GPS_RMC);
}

float SystemVariables::getSOG_R_GPS() {
    return firstValid(resSpeedToGround_GPS_VTG, resSpeedToGround_GPS_VBW, resSpeedToGround_GPS_RMC);
}

void SystemVariables::setVQ2_STW_Source(bool useDat5) {
    currentVQ2stwData = useDat5 ? &vq2dataDat5 : &vq2data;
}

void SystemVariables::changeSourceDat(bool useDat5) {
    setVQ2_STW_Source(useDat5);
    Q_EMIT sigSendAllCalib();
    qDebug() << "Using DAT5 :" << useDat5;
}

void SystemVariables::changeVQ2Source(int source) {
    switch (source) {
    case SourceSensor:
        currentVQ2data = currentVQ2stwData = &vq2data;
        bIsSimulation = false;
        break;
    case SourceJbSimulator:
        currentVQ2data = currentVQ2stwData = &jbSimulationData;
        bIsSimulation = true;
        break;
    case SourceGpsSimulator:
        currentVQ2data = currentVQ2stwData = &gpsSimulationData;
        bIsSimulation = true;
        break;
    default:
        break;
    }
}

void SystemVariables::setOutputFrom(UseOutputFrom) {
    vq2data.setOutputFrom(EXPONENTIAL_FILTER);
    vq2dataDat5.setOutputFrom(EXPONENTIAL_FILTER);
}

void SystemVariables::addDistance(varDouble& total, varDouble& trip, float delta, quint64 stamp) {
    // A distance marked invalid restarts from nothing rather than from the absent marker.
    const double totalBefore = total.getValidity() ? total.getValue() : 0.0;
    const double tripBefore = trip.getValidity() ? trip.getValue() : 0.0;
    double newTotal = totalBefore + delta;
    double newTrip = tripBefore + delta;
    if (newTotal >= kTotalWrap) {
        newTotal = 0.0;
    }
    if (static_cast<float>(newTrip) >= kTripWrap) {
        newTrip = 0.0;
    }
    total.setValue(newTotal, stamp);
    trip.setValue(newTrip, stamp);
}

void SystemVariables::calcTraveledDistancesFromVq2data() {
    varFloat& water = currentVQ2stwData->deltaWaterDistanceTraveled;
    if (water.getValidity()) {
        addDistance(totalCumulativeWaterDistance, waterDistanceSinceReset, water.getValue(),
                    currentVQ2stwData->timestamp);
    }
    varFloat& ground = currentVQ2data->deltaGroundDistanceTraveled;
    if (ground.getValidity()) {
        addDistance(totalCumulativeGroundDistance, groundDistanceSinceReset, ground.getValue(),
                    currentVQ2data->timestamp);
    }
}
