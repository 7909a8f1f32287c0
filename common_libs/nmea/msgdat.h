#pragma once

#include "sentencefields.h"

// Measurement data of the sensor; the system identifier in field 1 selects how many follow.
//   $PNRVDAT,systemID,fwdSpeedWater,fwdSigQualityWater,aftSpeedWater,aftSigQualityWater,
//            fTemperature,tiltX,tiltY,tiltZ,fwdSpeedGround,fwdSigQualityGround,
//            aftSpeedGround,aftSigQualityGround,depthFwd,depthAft*hh
// Systems 2, 3 and 4 send all 15 fields, system 5 the first 9 (through tiltZ), system 1 the
// first 6 (through fTemperature).
class MsgDAT : public TableSentence<MsgDAT> {
public:
    static constexpr FieldCount kCount = exactly(15);
    static std::span<const Field<MsgDAT>> fields();

    MsgDAT();
    MsgDAT(int systemID, float fwdSpeedWater, int fwdSigQualityWater, float aftSpeedWater,
           int aftSigQualityWater, float fTemperature, int tiltX, int tiltY, int tiltZ,
           float fwdSpeedGround, int fwdSigQualityGround, float aftSpeedGround,
           int aftSigQualityGround, float depthFwd, float depthAft);

    bool setParams(const QStringList& params) override;

protected:
    QStringList buildFields() const override;

private:
    // The number of fields the variant of a received sentence carries, 0 when none fits.
    static std::size_t receivedVariantSize(const QStringList& params);
    std::size_t builtVariantSize() const;

    SENTENCE_FIELD(int, systemID, setSystemID)
    SENTENCE_FIELD(float, fwdSpeedWater, setFwdSpeedWater)
    SENTENCE_FIELD(int, fwdSigQualityWater, setFwdSigQualityWater)
    SENTENCE_FIELD(float, aftSpeedWater, setAftSpeedWater)
    SENTENCE_FIELD(int, aftSigQualityWater, setAftSigQualityWater)
    SENTENCE_FIELD(float, fTemperature, setFTemperature)
    SENTENCE_FIELD(int, tiltX, setTiltX)
    SENTENCE_FIELD(int, tiltY, setTiltY)
    SENTENCE_FIELD(int, tiltZ, setTiltZ)
    SENTENCE_FIELD(float, fwdSpeedGround, setFwdSpeedGround)
    SENTENCE_FIELD(int, fwdSigQualityGround, setFwdSigQualityGround)
    SENTENCE_FIELD(float, aftSpeedGround, setAftSpeedGround)
    SENTENCE_FIELD(int, aftSigQualityGround, setAftSigQualityGround)
    SENTENCE_FIELD(float, depthFwd, setDepthFwd)
    SENTENCE_FIELD(float, depthAft, setDepthAft)
};
