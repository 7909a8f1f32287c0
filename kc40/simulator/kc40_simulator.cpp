#include "kc40_simulator.h"

#include "pipelinemath.h"
#include "vq2datamodel.h"

#include <cmath>

void KC40_Simulator::recalculateValues(float longitudinal, float transverse) {
    m_long = longitudinal;
    m_tra = transverse;
    write(m_model.timestamp);
}

void KC40_Simulator::setSimulatedDepth(float depth) {
    m_depth = depth;
    m_model.depthFwd.setValue(depth, m_model.timestamp);
    m_model.depthSide.setValue(depth, m_model.timestamp);
}

void KC40_Simulator::refresh(quint64 now, float rateOfTurn) {
    const quint64 previous = m_model.timestamp;
    m_model.timestamp = now;
    write(now);
    if (m_depth < kAbsentFloat) {
        m_model.checkButtom.addSample(m_depth, m_depth);
    }
    m_model.calculateStwAft(rateOfTurn);
    m_model.calculateSogAft(rateOfTurn);
    // The first refresh has no time behind it: no distance.
    const float run = previous == 0 || !m_model.stwResBoatCallibrated.getValidity()
                          ? 0.0f
                          : PipelineMath::distanceNm(m_model.stwResBoatCallibrated.getValue(),
                                                     PipelineMath::elapsedMs(now, previous));
    m_model.deltaWaterDistanceTraveled.setValue(run, now);
    m_model.deltaGroundDistanceTraveled.setValue(run, now);
}

void KC40_Simulator::write(quint64 stamp) {
    const bool known = m_long < kAbsentFloat && m_tra < kAbsentFloat;
    const float resultant = known ? std::hypot(m_long, m_tra) : kAbsentFloat;
    const float angle = known ? std::atan2(m_tra, m_long) : kAbsentFloat;
    VQ2DataModel& m = m_model;
    for (varFloat* lon : {&m.stwLongBoatCallibrated, &m.sogLongBoatCallibrated}) {
        lon->setValue(m_long, stamp);
    }
    for (varFloat* tra : {&m.stwTraBoatCallibrated, &m.sogTraBoatCallibrated}) {
        tra->setValue(m_tra, stamp);
    }
    for (varFloat* res : {&m.stwResBoatCallibrated, &m.sogResBoatCallibrated}) {
        res->setValue(resultant, stamp);
    }
    for (varFloat* course : {&m.ctwResSensor, &m.cogResSensor, &m.ctwResBoat, &m.cogResBoat}) {
        course->setValue(angle, stamp);
    }
    for (varFloat* current : {&m.wcLong, &m.wcTra, &m.wcRes, &m.wcCourse}) {
        current->setValue(0.0f, stamp);
    }
    m.depthFwd.setValue(m_depth, stamp);
    m.depthSide.setValue(m_depth, stamp);
    m.sensorTemperature.temperatureAvg.setValue(kTemperatureC, stamp);
    m.sensorTemperature.temperatureWithOffset.setValue(kTemperatureC, stamp);
}
