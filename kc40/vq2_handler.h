#pragma once

#include "nmeamessage.h"

#include <QObject>
#include <QString>

// The sensor's configuration as the unit commands it.
class VQ2 {
public:
    static VQ2* getInstance();

    int getFrequencyBand() const { return frequencyBand; }
    void setSogFrequencyBand(int band) { frequencyBand = band; }

    int mode = 0;
    int frequencyBand = 1;
    int nWaterTrackPowerLevel = 3;
    int nWaterTrackPulseLength = 3;
    int nWaterTrackRangeOffset = 15;
    QString outputEnabled = QStringLiteral("1000");
    int nButtomTrackPowerLevel = 3;
    int nButtomTrackPulseLength = 3;
    int nButtomTrackRangeOffset = 15;
    int nPingMode = 0;
    // The simulated-depth index of the simulation parameters: the water-track range offset.
    int simulatedDepthIndex = 1;
};

// Receives the sensor's sentences (DAT, SNF, CFG) and builds the commands the sensor takes.
// The measurement processing of the DATs comes with the sensor data pipeline; for now a DAT is
// kept as the last one of its system.
class VQ2_Handler : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // A CFG for one system: mode with the frequency band, the given water-track power level.
    static NmeaMessagePtr createCFGmsg(int systemId, const QString& formats, int unused,
                                       int powerLevel);
    static NmeaMessagePtr createCFGmsgZeroPower(int systemId, const QString& formats);
    // A TST: on/off 3 when on, 2 when off; format to return "00".
    static NmeaMessagePtr createTESTmsg(int systemId, float speed, bool on, const QString& formats);
    static NmeaMessagePtr createRawDataCFGmsg(int mode, int powerLevel);

    void handleDatMsg(const NmeaMessagePtr& message, quint64 timestamp);
    void handleSnfMsg(const NmeaMessagePtr& message);
    void handleCfgMsg(const NmeaMessagePtr& message);

Q_SIGNALS:
    void sigSendConfigToSensor();
    void sigSendSingleOnUdpOutput(NmeaMessagePtr message);
    void sigReloadSensorVQ2();
    void sigCheckSpeedLimits();
    // A sensor with firmware below 3.0 sends DAT4 only: then a DAT4 is its sign of life.
    void sensorOnlyDAT4(bool only);
};
