#include "vq2datamodel.h"

VQ2DataModel::VQ2DataModel(QObject* parent) : QObject(parent) {
    m_variables = {&depthFwdAvg,
                   &depthSideAvg,
                   &stwLongSensor,
                   &stwTraSensor,
                   &sogLongSensor,
                   &sogTraSensor,
                   &depthFwd,
                   &depthSide,
                   &stwLongBoatNoCallib,
                   &stwTraBoatNoCallib,
                   &sogLongBoatNoCallib,
                   &sogTraBoatNoCallib,
                   &stwResBoatNoCallib,
                   &sogResBoatNoCallib,
                   &ctwResSensor,
                   &cogResSensor,
                   &ctwResBoat,
                   &cogResBoat,
                   &stwResBoatCallibrated,
                   &sogResBoatCallibrated,
                   &stwLongBoatCallibrated,
                   &stwTraBoatCallibrated,
                   &sogLongBoatCallibrated,
                   &sogTraBoatCallibrated,
                   &stwTraAftCallibrated,
                   &sogTraAftCallibrated,
                   &wcLong,
                   &wcTra,
                   &wcRes,
                   &wcCourse,
                   &deltaWaterDistanceTraveled,
                   &deltaGroundDistanceTraveled};
    for (varFloat* variable : m_variables) {
        connect(this, &VQ2DataModel::sigIncreaseTimeCounter, variable,
                &varFloat::slotIncreaseTimeCounter);
    }
    depthFwdAvg.setUseAverage(true);
    depthSideAvg.setUseAverage(true);
    wcCourse.setValue(0.0f, 0);
    wcRes.setValue(0.0f, 0);
}

void VQ2DataModel::setDepthAveragingPeriod(int seconds) {
    depthFwdAvg.setDefaultAveragingPeriodS(static_cast<quint64>(seconds));
    depthSideAvg.setDefaultAveragingPeriodS(static_cast<quint64>(seconds));
    prevDepthAveragingPeriod = seconds;
}

void VQ2DataModel::setOutputFrom(UseOutputFrom from) {
    for (varFloat* variable : m_variables) {
        if (variable != &depthFwdAvg && variable != &depthSideAvg) {
            variable->setOutputFrom(from);
        }
    }
}

void VQ2DataModel::invalidateData() {
    for (varFloat* variable : m_variables) {
        variable->setValidity(false);
    }
}
