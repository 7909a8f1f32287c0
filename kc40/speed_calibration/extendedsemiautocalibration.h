#pragma once

#include "calibrationpoints.h"
#include "semiautosample.h"

#include <QtGlobal>

#include <array>
#include <optional>
#include <vector>

// The four speeds a leg measures, each on its own: water and ground speed on the high and on
// the low transmit frequency.
enum class LegChannel { STWhigh = 0, STWlow = 1, SOGhigh = 2, SOGlow = 3 };
constexpr int kLegChannels = 4;

// One sample of the extended computation: the speeds of the channels measured then and the
// GPS speed over ground.
struct ExtendeSemiAutoMeasurementPoint {
    qint64 m_pointTimestamp = 0;
    std::array<std::optional<BoatAxes>, kLegChannels> channels;
    std::optional<float> m_GPS_SOG;

    static ExtendeSemiAutoMeasurementPoint fromSample(const SemiAutoSample& sample, qint64 now);
};

// A leg's samples integrated pairwise with the trapezoidal rule, per channel and for GPS.
class SemiAutoCalIntegratedLegMeasurements {
public:
    struct ChannelIntegral {
        double longIntegral = 0.0; // nautical miles
        double traIntegral = 0.0;
        qint64 validInterval = 0; // ms
        double validPercentage = 0.0;
        double longAverage = 0.0; // knots
        double traAverage = 0.0;
        double averageOffset = 0.0; // radians
    };

    // The heading offsets the unit turned each channel by when the leg started, radians.
    SemiAutoCalIntegratedLegMeasurements(float legDistance,
                                         const std::array<double, kLegChannels>& usedOffsets);

    void add(const ExtendeSemiAutoMeasurementPoint& point);

    const ChannelIntegral& channel(LegChannel c) const { return m_channels[int(c)]; }
    qint64 legInterval() const { return m_legInterval; }
    float legDistance() const { return m_legDistance; }
    double gpsTotalIntegral() const { return m_GPS_SOG_TotalIntegral; }
    double gpsAverage() const { return m_GPS_SOGaverage; }
    // Time until GPS has covered the leg distance at the average GPS speed, ms; 0 once it has,
    // -1 without a GPS speed to judge by.
    qint64 estimatedGPStimeLeftMS() const;

private:
    void integrate(const ExtendeSemiAutoMeasurementPoint& p,
                   const ExtendeSemiAutoMeasurementPoint& n);
    void bridgeGpsGap();

    float m_legDistance;
    std::array<double, kLegChannels> m_usedOffsets;
    qint64 m_legInterval = 0;
    std::vector<ExtendeSemiAutoMeasurementPoint> m_measurementList;
    std::array<ChannelIntegral, kLegChannels> m_channels;
    double m_GPS_SOGintegral = 0.0;
    double m_GPS_SOG_TotalIntegral = 0.0;
    qint64 m_GPS_SOGvalidInterval = 0;
    double m_GPS_SOGaverage = 0.0;
};

// One leg of the extended computation: idle, running, finished.
class ExtendedSingleLegCalibration {
public:
    enum State { Idle = 0, Running = 1, Finished = 2 };

    void start(float legDistance, const std::array<double, kLegChannels>& usedOffsets);
    void takeMeasurement(const ExtendeSemiAutoMeasurementPoint& point);
    void finish() { m_state = Finished; }
    State state() const { return m_state; }
    const SemiAutoCalIntegratedLegMeasurements* measurements() const {
        return m_integratedMesurements ? &*m_integratedMesurements : nullptr;
    }
    // The leg's point per channel: true speed from distance and time, the channel's mean
    // speed and offset; a channel valid for 90 % of the leg or less gives an invalid point.
    std::optional<ExtendedSpeedCalibrationPoint> getResultantPoint() const;

private:
    State m_state = Idle;
    std::optional<SemiAutoCalIntegratedLegMeasurements> m_integratedMesurements;
};

// The extended computation of the same legs: a calibration point per frequency and speed.
class ExtendedSemiAutoCalibratin {
public:
    // The first leg runs unless it has finished, then the second.
    void startLeg(float legDistance, const std::array<double, kLegChannels>& usedOffsets);
    void stopLeg();
    void takeMeasurement(const ExtendeSemiAutoMeasurementPoint& point);
    bool isRunning() const { return active().state() == ExtendedSingleLegCalibration::Running; }
    void resetCalibration();
    void resetLeg(int leg);

    // Both legs averaged when both finished, else the first when it finished, else none.
    std::optional<ExtendedSpeedCalibrationPoint> getResultantPoint() const;
    double getGPStotalDistance() const;
    float getLegDistance() const { return legDistance; }
    qint64 estimatedGPStimeLeftMS() const;

private:
    const ExtendedSingleLegCalibration& active() const { return activeLeg == 2 ? legTwo : legOne; }
    ExtendedSingleLegCalibration& active() { return activeLeg == 2 ? legTwo : legOne; }

    ExtendedSingleLegCalibration legOne;
    ExtendedSingleLegCalibration legTwo;
    int activeLeg = 1;
    float legDistance = 0.0f;
};
