#pragma once

#include "nmeamessage.h"
#include "variabletypest.h"
#include "vq2datamodel.h"

#include <QList>
#include <QObject>
#include <QString>

// The unit's run-time store of measured and received values. Every value ages with the
// once-a-second tick and becomes invalid when not refreshed; the distances never age. It holds
// the sensor data models of systems 4 and 5, chooses which one serves speed through water, and
// accumulates the trip and total distances. Written and aged on the main thread only.
class SystemVariables : public QObject {
    Q_OBJECT
public:
    // Where the speeds come from.
    enum Vq2Source { SourceSensor = 0, SourceJbSimulator = 1, SourceGpsSimulator = 2 };

    static constexpr double kTotalWrap = 999999.0;
    static constexpr float kTripWrap = 99999.9f;

    static SystemVariables* getInstance();
    // Drops the instance: the next getInstance() starts afresh. For test fixtures.
    static void resetForTests();

    float getSOG_L_GPS();
    float getSOG_T_GPS();
    float getSOG_R_GPS();

    void setVQ2_STW_Source(bool useDat5);
    void changeVQ2Source(int source);
    // Whatever is asked, both sensor models take their output from the exponential filter.
    void setOutputFrom(UseOutputFrom from);
    void calcTraveledDistancesFromVq2data();
    // Distances as kept by the trip setups.
    void initDistances(double waterTotal, double waterTrip, double groundTotal, double groundTrip);

    // The output sentence factory: a new sentence of the named type filled from the current
    // values; `sub` picks the command of an ICM measurement list. A name it cannot build
    // gives an information sentence of type "NFO", which the output cycle drops.
    NmeaMessagePtr getOutputMsgByName(const QString& name, int sub);
    NmeaMessagePtr getOutputMsgByHash(quint32 hash, int sub);

    bool bIsSimulation = false;
    varFloat trackDegreesTrue_GPS;
    bool bTwoAxisDepth = false;
    varFloat averageSignalQuality;
    varFloat speedToWater_VQ1;
    varFloat rateOfTurn;
    varFloat headingTrue_Gyro;
    varFloat headingTrue_SatLog;
    varFloat headingTrue_MagCompass;
    varFloat headingTrue_Gyro_THS;
    varFloat headingTrue_SatLog_THS;
    varFloat headingTrue_MagCompass_THS;
    varFloat headingMagnetic_Gyro;
    varFloat headingMagnetic_SatLog;
    varFloat headingMagnetic_MagCompass;
    varDouble totalCumulativeWaterDistance;
    varDouble waterDistanceSinceReset;
    varDouble totalCumulativeGroundDistance;
    varDouble groundDistanceSinceReset;
    varDouble totalCumulativeWaterDistanceVQ1;
    varDouble waterDistanceSinceResetVQ1;
    quint64 previousTimeStampSTW_VQ1 = 0;
    quint64 currentTimeStampSTW_VQ1 = 0;
    varString utcTime_ZDG;
    varString utcTime_ZDA;
    varString utcTime_GGA;
    varString utcTime_RMC;
    varFloat longSpeedToGround_GPS_VTG;
    varFloat tranSpeedToGround_GPS_VTG;
    varFloat resSpeedToGround_GPS_VTG;
    varFloat resSpeedToGround_GPS_VTG_avg;
    varFloat longSpeedToGround_GPS_VBW;
    varFloat tranSpeedToGround_GPS_VBW;
    varFloat resSpeedToGround_GPS_VBW;
    varFloat longSpeedToGround_GPS_RMC;
    varFloat tranSpeedToGround_GPS_RMC;
    varFloat resSpeedToGround_GPS_RMC;
    QList<varFloat*> averagedVariables;
    varNmeaMsg msgGGA;
    varNmeaMsg msgGLL;
    varNmeaMsg msgDPT;
    varNmeaMsg msgDPT_SD;
    varNmeaMsg msgDAT4;
    varNmeaMsg msgDAT5;
    VQ2DataModel vq2data;
    VQ2DataModel vq2dataDat5;
    // The data models the junction-box and GPS simulators fill.
    VQ2DataModel jbSimulationData;
    VQ2DataModel gpsSimulationData;
    VQ2DataModel* currentVQ2data = &vq2data;
    VQ2DataModel* currentVQ2stwData = &vq2data;
    int diference = 0;
    bool increase = true;
    bool stwPulseOn = true;
    bool bSOG_fromGPS = false;
    bool bWC_fromGPS = false;
    quint32 nCurrentSeaCalibLeg = 0;
    quint32 nCurrentSeaCalibDistance = 0;

Q_SIGNALS:
    void sigIncreaseTimeCounter();
    void sigSendAllCalib();

public Q_SLOTS:
    void changeSourceDat(bool useDat5);
    void slotTimeCounter() { Q_EMIT sigIncreaseTimeCounter(); }

private:
    SystemVariables();
    void initAveragedVariables();
    static void addDistance(varDouble& total, varDouble& trip, float delta, quint64 stamp);
};
