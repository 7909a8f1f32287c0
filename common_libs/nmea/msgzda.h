#pragma once

#include "sentencefields.h"

// Time and date.
//   $--ZDA,time,day,month,year,localZoneHours[,LocalZoneMinutes]*hh
// Day, month and zone written with two digits (05), the year plain.
class MsgZDA : public TableSentence<MsgZDA> {
public:
    static constexpr FieldCount kCount = atLeast(5);
    static std::span<const Field<MsgZDA>> fields();

    MsgZDA();
    MsgZDA(const QString& time, int day, int month, int year, int localZoneHours,
           int LocalZoneMinutes);

    SENTENCE_FIELD(QString, time, setTime)
    SENTENCE_FIELD(int, day, setDay)
    SENTENCE_FIELD(int, month, setMonth)
    SENTENCE_FIELD(int, year, setYear)
    SENTENCE_FIELD(int, localZoneHours, setLocalZoneHours)
    SENTENCE_FIELD(int, LocalZoneMinutes, setLocalZoneMinutes)
};
