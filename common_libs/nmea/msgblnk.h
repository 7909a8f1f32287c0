#pragma once

#include "sentencefields.h"

// Switches the sensor pinging on or off; the second field is not used.
//   $PNRVBLNK,systemID,notUsed,pingOnOff*hh                  (pingOnOff "ON" or "OFF")
class MsgBLNK : public TableSentence<MsgBLNK> {
public:
    static constexpr FieldCount kCount = exactly(3);
    static std::span<const Field<MsgBLNK>> fields();

    MsgBLNK();
    MsgBLNK(int systemID, const QString& notUsed, const QString& pingOnOff);

    bool setParams(const QStringList& params) override;

    SENTENCE_FIELD(int, systemID, setSystemID)
    SENTENCE_FIELD(QString, notUsed, setNotUsed)
    SENTENCE_FIELD(QString, pingOnOff, setPingOnOff)
};
