#pragma once

#include "sentencefields.h"

// Forward speed averaged by the sensor. Written with three fields; the sensor's own form has
// ten, of which only the first and third are taken.
//   $PNRVVBWF,forwardAvrSpeed,,dataStatus*hh          (speed with the configured decimals)
class MsgVBWF : public TableSentence<MsgVBWF> {
public:
    static constexpr FieldCount kCount = exactly(10);
    static std::span<const Field<MsgVBWF>> fields();

    MsgVBWF();
    MsgVBWF(float forwardAvrSpeed, const QString& dataStatus);

    bool setParams(const QStringList& params) override;

protected:
    QStringList buildFields() const override;

    SENTENCE_FIELD(float, forwardAvrSpeed, setForwardAvrSpeed)
    SENTENCE_FIELD(QString, dataStatus, setDataStatus)
};
