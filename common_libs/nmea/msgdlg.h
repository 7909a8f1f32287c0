#pragma once

#include "sentencefields.h"

// Distances over ground with their validity.
//   $PNRVDLG,total_sog,trip_sog,valTripSOG,valTotalSOG*hh     (two decimals; flags 1 or 0)
class MsgDLG : public TableSentence<MsgDLG> {
public:
    static constexpr FieldCount kCount = exactly(4);
    static std::span<const Field<MsgDLG>> fields();

    MsgDLG();
    MsgDLG(float total_sog, float trip_sog, bool valTripSOG, bool valTotalSOG);

    SENTENCE_FIELD(float, total_sog, setTotal_sog)
    SENTENCE_FIELD(float, trip_sog, setTrip_sog)
    SENTENCE_FIELD(bool, valTripSOG, setValTripSOG)
    SENTENCE_FIELD(bool, valTotalSOG, setValTotalSOG)
};
