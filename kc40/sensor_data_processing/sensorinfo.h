#pragma once

#include <QString>

class MsgSNF;

// What the sensor says about itself in its SNF sentences: identity and frequency choice
// (type 1) and the tilt sensor's calibration (the other type).
class SensorInfo {
public:
    static SensorInfo* getInstance();
    // Drops the instance: the next getInstance() starts afresh. For test fixtures.
    static void resetForTests();

    void setFromSNF(const MsgSNF& snf);

    QString serialNumber = QStringLiteral("1-16");
    QString hardwareRev = QStringLiteral("A9");
    QString firmwereRev = QStringLiteral("2.0X");
    float scalingForBeam1 = 0.0f;
    float scalingForBeam2 = 0.0f;
    float offsetTempSens = 0.0f;
    float scalingTempSpeed = 0.0f;
    int frequencyNr = 0;
    QString frequencyInfoFromSnf;
    QString frequencyHiLow;
    QString usedFrequencySource;
    int requestedFrequency = 0;
    int usedFrequency = 0;
    int tiltRotation = 0;
    int offsetX = 0;
    int slopeX = 0;
    int curveX = 0;
    int offsetY = 0;
    int slopeY = 0;
    int curveY = 0;
    int offsetZ = 0;
    int slopeZ = 0;
    int curveZ = 0;
    bool received_SNF = false;

private:
    // "C1" is frequency 1 chosen by the configuration: the number after the source letter.
    static int frequencyNumber(const QString& text);
};
