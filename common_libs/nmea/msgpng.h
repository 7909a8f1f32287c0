#pragma once

#include "sentencefields.h"

// Ping request to the sensor, and its echo.
//   $PNRVPNG,systemID*hh
class MsgPNG : public TableSentence<MsgPNG> {
public:
    static constexpr FieldCount kCount = exactly(1);
    static std::span<const Field<MsgPNG>> fields();

    MsgPNG();
    explicit MsgPNG(int systemID);

    SENTENCE_FIELD(int, systemID, setSystemID)
};
