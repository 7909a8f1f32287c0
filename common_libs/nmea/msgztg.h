#pragma once

#include "sentencefields.h"

// Time to go to a waypoint.
//   $--ZTG,time,timeToGo,destinationWaypointID*hh
class MsgZTG : public TableSentence<MsgZTG> {
public:
    static constexpr FieldCount kCount = exactly(3);
    static std::span<const Field<MsgZTG>> fields();

    MsgZTG();
    MsgZTG(const QString& time, const QString& timeToGo, const QString& destinationWaypointID);

    SENTENCE_FIELD(QString, time, setTime)
    SENTENCE_FIELD(QString, timeToGo, setTimeToGo)
    SENTENCE_FIELD(QString, destinationWaypointID, setDestinationWaypointID)
};
