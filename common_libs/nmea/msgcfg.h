#pragma once

#include "sentencefields.h"

// Sensor configuration. The unit writes the water-track part; the sensor answers with all ten
// fields, or with system and mode only.
//   written: $PNRVCFG,systemID,mode,wTrackPowLev,wTrackPulseLen,wTrackRangeOffset,formats*hh
//   read:    ...,formats,bTrackPowLev,bTrackPulseLen,bTrackRangeOffset,pingMode*hh
class MsgCFG : public TableSentence<MsgCFG> {
public:
    static constexpr FieldCount kCount = exactly(10);
    static std::span<const Field<MsgCFG>> fields();

    MsgCFG();
    MsgCFG(int systemID, int mode, int wTrackPowLev, int wTrackPulseLen, quint32 wTrackRangeOffset,
           const QString& formats);

    bool setParams(const QStringList& params) override;

protected:
    QStringList buildFields() const override;

    SENTENCE_FIELD(int, systemID, setSystemID)
    SENTENCE_FIELD(int, mode, setMode)
    SENTENCE_FIELD(int, wTrackPowLev, setWTrackPowLev)
    SENTENCE_FIELD(int, wTrackPulseLen, setWTrackPulseLen)
    SENTENCE_FIELD(quint32, wTrackRangeOffset, setWTrackRangeOffset)
    SENTENCE_FIELD(QString, formats, setFormats)
    SENTENCE_FIELD(int, bTrackPowLev, setBTrackPowLev)
    SENTENCE_FIELD(int, bTrackPulseLen, setBTrackPulseLen)
    SENTENCE_FIELD(int, bTrackRangeOffset, setBTrackRangeOffset)
    SENTENCE_FIELD(int, pingMode, setPingMode)
};
