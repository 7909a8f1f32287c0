#include "sensorinfo.h"

#include "msgsnf.h"
#include "unitinstance.h"

SensorInfo* SensorInfo::getInstance() {
    return unitInstance<SensorInfo>([] { return new SensorInfo; });
}

void SensorInfo::resetForTests() {
    dropUnitInstance<SensorInfo>();
}

int SensorInfo::frequencyNumber(const QString& text) {
    bool ok = false;
    const int n = text.mid(1).toInt(&ok);
    return ok ? n : 0;
}

void SensorInfo::setFromSNF(const MsgSNF& snf) {
    received_SNF = true;
    if (snf.sentenceType() != 1) {
        tiltRotation = snf.tiltRotation();
        offsetX = snf.offsetX();
        slopeX = snf.slopeX();
        curveX = snf.curveX();
        offsetY = snf.offsetY();
        slopeY = snf.slopeY();
        curveY = snf.curveY();
        offsetZ = snf.offsetZ();
        slopeZ = snf.slopeZ();
        curveZ = snf.curveZ();
        return;
    }
    serialNumber = snf.serialNumber();
    hardwareRev = snf.hardwareRev();
    firmwereRev = QString::number(snf.firmwereRev(), 'f', 2);
    scalingForBeam1 = snf.scalingForBeam1();
    scalingForBeam2 = snf.scalingForBeam2();
    offsetTempSens = snf.offsetTempSens();
    scalingTempSpeed = snf.scalingTempSpeed();
    frequencyNr = snf.frequencyNr();
    frequencyInfoFromSnf = snf.frequencyInfo();
    const QString used = snf.usedFrequencyInfo();
    if (used.startsWith(QLatin1Char('C'))) {
        usedFrequencySource = QStringLiteral("Config");
    } else if (used.startsWith(QLatin1Char('E'))) {
        usedFrequencySource = QStringLiteral("EEPROM");
    } else {
        usedFrequencySource = QStringLiteral("Default");
    }
    requestedFrequency = frequencyNumber(snf.requestedFrequencyInfo());
    usedFrequency = frequencyNumber(used);
    frequencyHiLow = frequencyInfoFromSnf.contains(QStringLiteral("HI")) ? QStringLiteral("HI")
                                                                         : QStringLiteral("LOW");
}
