#pragma once

#include "msgdpt.h"
#include "msggga.h"
#include "msggll.h"
#include "msghdg.h"
#include "msghdt.h"
#include "msgrmc.h"
#include "msgrot.h"
#include "msgths.h"
#include "msgvbw.h"
#include "msgvtg.h"
#include "msgzda.h"
#include "msgztg.h"

#include <QString>

#include <functional>

// Navigation inputs from GPS, gyro, compass and other sounders, written into the system
// variables with the time of arrival. Each handler returns whether it took the sentence;
// a sentence it does not trust changes nothing.
class ReceivedNavigation {
public:
    // Talkers of position systems whose course and speed count even when they flag them.
    static bool isPositioningTalker(const QString& talker);

    // Course over ground minus heading, in radians; 0 when either is missing.
    static float driftAngle(float courseDegrees, float headingDegrees);
    // Course over ground of the ground-speed vector (longitudinal ahead, transverse to
    // starboard) on the given heading, degrees true in [0, 360); absent when any is missing.
    static float courseFromGroundVector(float headingDegrees, float longitudinal, float transverse);
    // Magnetic heading corrected by its variation ("E" adds, "W" subtracts), in [0, 360).
    static float headingWithVariation(float magnetic, float variation, const QString& direction);

    // Whether the sensor supplies ground speed; without it GPS ground speed takes its place.
    void setSensorValidQuery(std::function<bool()> query) { m_sensorValid = std::move(query); }

    bool handleVTG(const MsgVTG& vtg, quint64 stamp);
    bool handleRMC(const MsgRMC& rmc, quint64 stamp);
    bool handleGGA(const MsgGGA& gga, quint64 stamp);
    bool handleGLL(const MsgGLL& gll, quint64 stamp);
    bool handleVBW(const MsgVBW& vbw, quint64 stamp);
    bool handleHDT(const MsgHDT& hdt, quint64 stamp);
    bool handleTHS(const MsgTHS& ths, quint64 stamp);
    bool handleHDG(const MsgHDG& hdg, quint64 stamp);
    bool handleROT(const MsgROT& rot, quint64 stamp);
    bool handleZDA(const MsgZDA& zda, quint64 stamp);
    bool handleZTG(const MsgZTG& ztg, quint64 stamp);
    // Depth from another sounder; our own (talker VD) echoed back is not another sounder.
    bool handleDPT(const MsgDPT& dpt, quint64 stamp);

private:
    // The sensor's ground speed model follows GPS while GPS already serves it or the sensor
    // fails, unless the unit runs as a satellite log without a sensor.
    void groundSpeedFromGps(quint64 stamp);

    std::function<bool()> m_sensorValid = [] { return true; };
};
