#include "gps_input.h"

#include "platform.h"
#include "systemvariables.h"
#include "unitinstance.h"

#include <cmath>
#include <numbers>

namespace {
constexpr float kDegToRad = std::numbers::pi_v<float> / 180.0f;

quint64 now() {
    return static_cast<quint64>(Clock::currentMSecsSinceEpoch());
}

float radiansOrAbsent(float degrees) {
    return degrees == kAbsentFloat ? kAbsentFloat : degrees * kDegToRad;
}
} // namespace

GPS_Input* GPS_Input::getInstance() {
    return unitInstance<GPS_Input>([] { return new GPS_Input; });
}

void GPS_Input::resetForTests() {
    dropUnitInstance<GPS_Input>();
}

GPS_Input::GPS_Input() {
    receivingTimer.setSingleShot(true);
    receivingTimer.setInterval(kBurstWindowMs);
    connect(&receivingTimer, &QTimer::timeout, this, &GPS_Input::finishBurst);
    connect(SystemVariables::getInstance(), &SystemVariables::sigIncreaseTimeCounter, this,
            &GPS_Input::slotIncreaseTimeCounter);
}

void GPS_Input::handleVTG(const MsgVTG& vtg) {
    const quint64 stamp = now();
    trackDegreesTrueFromVTG.setValue(vtg.trackDegresTrue(), stamp);
    trackDegreesMagneticFromVTG.setValue(vtg.trackDegresMagnetic(), stamp);
    speedKnotsFromVTG.setValue(vtg.speedKnots(), stamp);
    speedKmhFromVTG.setValue(vtg.speedKilometers(), stamp);
    countInput(stamp);
}

void GPS_Input::handleROT(const MsgROT& rot) {
    const quint64 stamp = now();
    rateOfTurnFromROT.setValue(rot.rateOfTurn(), stamp);
    countInput(stamp);
}

void GPS_Input::handleTHS(const MsgTHS& ths) {
    const quint64 stamp = now();
    headingDegreesFromTHS.setValue(ths.headingDegrees(), stamp);
    boatHeadingRad.setValue(radiansOrAbsent(ths.headingDegrees()), stamp);
    countInput(stamp);
}

// A ship with a gyro but no satellite compass sends HDT only; its heading serves the
// projection just as well as a THS heading.
void GPS_Input::handleHDT(const MsgHDT& hdt) {
    const quint64 stamp = now();
    boatHeadingRad.setValue(radiansOrAbsent(hdt.headingDegrees()), stamp);
    countInput(stamp);
}

void GPS_Input::countInput(quint64 stamp) {
    m_receivedTimeStamp = stamp;
    if (!receivingTimer.isActive()) {
        receivingTimer.start();
    }
    if (++m_inputCounter >= kInputsPerBurst) {
        finishBurst();
    }
}

void GPS_Input::finishBurst() {
    m_inputCounter = 0;
    receivingTimer.stop();
    calculateSpeedProjections();
    Q_EMIT signalGPS_InputReceived();
}

void GPS_Input::calculateSpeedProjections() {
    if (!speedKnotsFromVTG.getValidity() || !boatHeadingRad.getValidity() ||
        !trackDegreesTrueFromVTG.getValidity()) {
        return;
    }
    const float speed = speedKnotsFromVTG.getValue();
    const float drift = trackDegreesTrueFromVTG.getValue() * kDegToRad - boatHeadingRad.getValue();
    speedLongKnots.setValue(speed * std::cos(drift), m_receivedTimeStamp);
    speedTransKnots.setValue(speed * std::sin(drift), m_receivedTimeStamp);
}

void GPS_Input::slotIncreaseTimeCounter() {
    for (varFloat* value :
         {&rateOfTurnFromROT, &headingDegreesFromTHS, &boatHeadingRad, &trackDegreesTrueFromVTG,
          &trackDegreesMagneticFromVTG, &speedKnotsFromVTG, &speedKmhFromVTG, &speedLongKnots,
          &speedTransKnots}) {
        value->increaseTimeCounter();
    }
}
