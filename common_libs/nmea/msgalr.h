#pragma once

#include "sentencefields.h"

// Set alarm state.
//   $--ALR,timeOfAlarm,uniqueAlarmNumber,alarmCondition,alarmAcknowledgeState,alarmDescription*hh
class MsgALR : public TableSentence<MsgALR> {
public:
    static constexpr FieldCount kCount = exactly(5);
    static std::span<const Field<MsgALR>> fields();

    MsgALR();
    MsgALR(const QString& timeOfAlarm, const QString& uniqueAlarmNumber,
           const QString& alarmCondition, const QString& alarmAcknowledgeState,
           const QString& alarmDescription);

    SENTENCE_FIELD(QString, timeOfAlarm, setTimeOfAlarm)
    SENTENCE_FIELD(QString, uniqueAlarmNumber, setUniqueAlarmNumber)
    SENTENCE_FIELD(QString, alarmCondition, setAlarmCondition)
    SENTENCE_FIELD(QString, alarmAcknowledgeState, setAlarmAcknowledgeState)
    SENTENCE_FIELD(QString, alarmDescription, setAlarmDescription)
};
