#include "receivednavigation.h"

#include "gps_input.h"
#include "heading.h"
#include "nmeaparser.h"
#include "systemsetup.h"
#include "systemvariables.h"

#include <cmath>
#include <numbers>

namespace {
constexpr float kDegToRad = std::numbers::pi_v<float> / 180.0f;
constexpr float kFullCircle = 360.0f;

bool present(float value) {
    return value != kAbsentFloat;
}

float normalisedDegrees(float degrees) {
    float result = std::fmod(degrees, kFullCircle);
    if (result < 0.0f) {
        result += kFullCircle;
    }
    // A tiny negative remainder rounds up to a full circle.
    return result >= kFullCircle ? 0.0f : result;
}

// Resultant, longitudinal and transverse ground speed from speed and course.
struct GroundSpeed {
    float resultant;
    float longitudinal;
    float transverse;
};

GroundSpeed projected(float speed, float courseDegrees) {
    if (!present(speed)) {
        return {kAbsentFloat, kAbsentFloat, kAbsentFloat};
    }
    const float drift =
        ReceivedNavigation::driftAngle(courseDegrees, Heading::getHeadingTrue().getValue());
    return {speed, speed * std::cos(drift), speed * std::sin(drift)};
}
} // namespace

bool ReceivedNavigation::isPositioningTalker(const QString& talker) {
    return talker == QLatin1String("GP") || talker == QLatin1String("IN") ||
           talker == QLatin1String("RA") || talker == QLatin1String("GN");
}

float ReceivedNavigation::driftAngle(float courseDegrees, float headingDegrees) {
    if (!present(courseDegrees) || !present(headingDegrees)) {
        return 0.0f;
    }
    return (courseDegrees - headingDegrees) * kDegToRad;
}

float ReceivedNavigation::courseFromGroundVector(float headingDegrees, float longitudinal,
                                                 float transverse) {
    if (!present(headingDegrees) || !present(longitudinal) || !present(transverse)) {
        return kAbsentFloat;
    }
    const float vectorDegrees = std::atan2(transverse, longitudinal) / kDegToRad;
    return normalisedDegrees(headingDegrees + vectorDegrees);
}

float ReceivedNavigation::headingWithVariation(float magnetic, float variation,
                                               const QString& direction) {
    float heading = magnetic;
    if (present(variation) && direction == QLatin1String("E")) {
        heading += variation;
    } else if (present(variation) && direction == QLatin1String("W")) {
        heading -= variation;
    }
    return normalisedDegrees(heading);
}

bool ReceivedNavigation::handleVTG(const MsgVTG& vtg, quint64 stamp) {
    if (vtg.modeIndicator() == QLatin1String("N") && !isPositioningTalker(vtg.talkerId())) {
        return false;
    }
    SystemVariables* sv = SystemVariables::getInstance();
    const GroundSpeed ground = projected(vtg.speedKnots(), vtg.trackDegresTrue());
    sv->trackDegreesTrue_GPS.setValue(vtg.trackDegresTrue(), stamp);
    sv->resSpeedToGround_GPS_VTG.setValue(ground.resultant, stamp);
    sv->longSpeedToGround_GPS_VTG.setValue(ground.longitudinal, stamp);
    sv->tranSpeedToGround_GPS_VTG.setValue(ground.transverse, stamp);
    GPS_Input::getInstance()->handleVTG(vtg);
    groundSpeedFromGps(stamp);
    return true;
}

// A receiver that flags its fix void still knows the time, but not the ship's speed.
bool ReceivedNavigation::handleRMC(const MsgRMC& rmc, quint64 stamp) {
    SystemVariables* sv = SystemVariables::getInstance();
    if (!rmc.time().isEmpty()) {
        sv->utcTime_RMC.setValue(rmc.time(), stamp);
    }
    if (rmc.status() == QLatin1String("V")) {
        return false;
    }
    const GroundSpeed ground = projected(rmc.speedOverGround(), rmc.courseOverGround());
    sv->resSpeedToGround_GPS_RMC.setValue(ground.resultant, stamp);
    sv->longSpeedToGround_GPS_RMC.setValue(ground.longitudinal, stamp);
    sv->tranSpeedToGround_GPS_RMC.setValue(ground.transverse, stamp);
    groundSpeedFromGps(stamp);
    return true;
}

void ReceivedNavigation::groundSpeedFromGps(quint64 stamp) {
    SystemVariables* sv = SystemVariables::getInstance();
    if ((sv->bSOG_fromGPS || !m_sensorValid()) &&
        SystemSetup::getInstance()->Vq2Setup.values().outputParams != VQ2_Setup::kSatLog) {
        sv->vq2data.replaceSogWithGps(stamp);
        sv->bSOG_fromGPS = true;
    }
}

// Quality 0 is "no fix"; an empty quality field is no better.
bool ReceivedNavigation::handleGGA(const MsgGGA& gga, quint64 stamp) {
    const int quality = gga.gpsQualityIndicator();
    if (quality == 0 || !NmeaParser::isNumberValidInt(quality)) {
        return false;
    }
    SystemVariables* sv = SystemVariables::getInstance();
    if (!gga.time().isEmpty()) {
        sv->utcTime_GGA.setValue(gga.time(), stamp);
    }
    sv->msgGGA.setNmeaMessage(gga, stamp);
    return true;
}

bool ReceivedNavigation::handleGLL(const MsgGLL& gll, quint64 stamp) {
    if (gll.status() != QLatin1String("A") || gll.modeIndicator() == QLatin1String("N")) {
        return false;
    }
    SystemVariables::getInstance()->msgGLL.setNmeaMessage(gll, stamp);
    return true;
}

bool ReceivedNavigation::handleVBW(const MsgVBW& vbw, quint64 stamp) {
    if (vbw.statusGroundSpeed() != QLatin1String("A") && !isPositioningTalker(vbw.talkerId())) {
        return false;
    }
    SystemVariables* sv = SystemVariables::getInstance();
    const float longitudinal = vbw.longitudinalGroundSpeed();
    const float transverse = vbw.transverseGroundSpeed();
    const bool both = present(longitudinal) && present(transverse);
    sv->longSpeedToGround_GPS_VBW.setValue(longitudinal, stamp);
    sv->tranSpeedToGround_GPS_VBW.setValue(transverse, stamp);
    sv->resSpeedToGround_GPS_VBW.setValue(
        both ? std::hypot(longitudinal, transverse) : kAbsentFloat, stamp);
    const float course =
        courseFromGroundVector(Heading::getHeadingTrue().getValue(), longitudinal, transverse);
    if (present(course)) {
        sv->trackDegreesTrue_GPS.setValue(course, stamp);
    }
    return true;
}

bool ReceivedNavigation::handleHDT(const MsgHDT& hdt, quint64 stamp) {
    if (hdt.statusTrue() != QLatin1String("T")) {
        return false;
    }
    SystemVariables* sv = SystemVariables::getInstance();
    if (hdt.talkerId() == QLatin1String("HE")) {
        sv->headingTrue_Gyro.setValue(hdt.headingDegrees(), stamp);
    } else if (isPositioningTalker(hdt.talkerId())) {
        sv->headingTrue_SatLog.setValue(hdt.headingDegrees(), stamp);
    }
    GPS_Input::getInstance()->handleHDT(hdt);
    return true;
}

bool ReceivedNavigation::handleTHS(const MsgTHS& ths, quint64 stamp) {
    const QString mode = ths.modeIndicator();
    if (mode != QLatin1String("A") && mode != QLatin1String("E") && mode != QLatin1String("M") &&
        mode != QLatin1String("S")) {
        return false;
    }
    if (ths.talkerId() == QLatin1String("HE") || ths.talkerId() == QLatin1String("IN")) {
        SystemVariables::getInstance()->headingTrue_Gyro_THS.setValue(ths.headingDegrees(), stamp);
    }
    GPS_Input::getInstance()->handleTHS(ths);
    return true;
}

bool ReceivedNavigation::handleHDG(const MsgHDG& hdg, quint64 stamp) {
    if (hdg.talkerId() != QLatin1String("HC") || !present(hdg.magneticSensorHeading())) {
        return false;
    }
    SystemVariables::getInstance()->headingTrue_MagCompass.setValue(
        headingWithVariation(hdg.magneticSensorHeading(), hdg.magneticVariation(),
                             hdg.magneticVariationEW()),
        stamp);
    return true;
}

bool ReceivedNavigation::handleROT(const MsgROT& rot, quint64 stamp) {
    if (rot.status() != QLatin1String("A")) {
        return false;
    }
    SystemVariables::getInstance()->rateOfTurn.setValue(rot.rateOfTurn(), stamp);
    GPS_Input::getInstance()->handleROT(rot);
    return true;
}

bool ReceivedNavigation::handleZDA(const MsgZDA& zda, quint64 stamp) {
    if (zda.time().isEmpty()) {
        return false;
    }
    SystemVariables::getInstance()->utcTime_ZDA.setValue(zda.time(), stamp);
    return true;
}

bool ReceivedNavigation::handleZTG(const MsgZTG& ztg, quint64 stamp) {
    if (ztg.time().isEmpty()) {
        return false;
    }
    SystemVariables::getInstance()->utcTime_ZDG.setValue(ztg.time(), stamp);
    return true;
}

bool ReceivedNavigation::handleDPT(const MsgDPT& dpt, quint64 stamp) {
    if (dpt.talkerId() == QLatin1String("VD")) {
        return false;
    }
    SystemVariables::getInstance()->msgDPT_SD.setNmeaMessage(dpt, stamp);
    return true;
}
