#pragma once

#include "sentencefields.h"

// Sensor information. The unit asks with a request; the sensor answers with one of two forms.
//   request (written):   $PNRVSNF,sentenceType,*hh
//   information (type 1): $PNRVSNF,systemID,serialNumber,hardwareRev,firmwereRev,
//                         requestedFrequencyInfo,usedFrequencyInfo,offsetTempSens,
//                         scalingTempSpeed,frequencyInfo*hh        (firmwereRev 214 = 2.14)
//   tilt calibration (type 2): $PNRVSNF,formatType,tiltRotation,offsetX,slopeX,curveX,
//                         offsetY,slopeY,curveY,offsetZ,slopeZ,curveZ*hh
// The sensor's answer is known to carry a wrong checksum; the parser lets it through.
class MsgSNF : public ClonableMessage<MsgSNF> {
public:
    static std::span<const Field<MsgSNF>> informationFields();
    static std::span<const Field<MsgSNF>> tiltFields();

    MsgSNF();
    explicit MsgSNF(int sentenceType);

    bool setParams(const QStringList& params) override;
    QList<NamedValue> fieldValues() const override;

protected:
    QStringList buildFields() const override;

    SENTENCE_FIELD(int, sentenceType, setSentenceType)
    SENTENCE_FIELD(int, systemID, setSystemID)
    SENTENCE_FIELD(QString, serialNumber, setSerialNumber)
    SENTENCE_FIELD(QString, hardwareRev, setHardwareRev)
    SENTENCE_FIELD(float, firmwereRev, setFirmwereRev)
    SENTENCE_FIELD(QString, requestedFrequencyInfo, setRequestedFrequencyInfo)
    SENTENCE_FIELD(QString, usedFrequencyInfo, setUsedFrequencyInfo)
    SENTENCE_FIELD(float, offsetTempSens, setOffsetTempSens)
    SENTENCE_FIELD(float, scalingTempSpeed, setScalingTempSpeed)
    SENTENCE_FIELD(QString, frequencyInfo, setFrequencyInfo)
    SENTENCE_FIELD(float, scalingForBeam1, setScalingForBeam1)
    SENTENCE_FIELD(float, scalingForBeam2, setScalingForBeam2)
    SENTENCE_FIELD(int, frequencyNr, setFrequencyNr)
    SENTENCE_FIELD(int, formatType, setFormatType)
    SENTENCE_FIELD(int, tiltRotation, setTiltRotation)
    SENTENCE_FIELD(int, offsetX, setOffsetX)
    SENTENCE_FIELD(int, slopeX, setSlopeX)
    SENTENCE_FIELD(int, curveX, setCurveX)
    SENTENCE_FIELD(int, offsetY, setOffsetY)
    SENTENCE_FIELD(int, slopeY, setSlopeY)
    SENTENCE_FIELD(int, curveY, setCurveY)
    SENTENCE_FIELD(int, offsetZ, setOffsetZ)
    SENTENCE_FIELD(int, slopeZ, setSlopeZ)
    SENTENCE_FIELD(int, curveZ, setCurveZ)
};
