#pragma once

#include "sentencefields.h"

// Heartbeat supervision: period in seconds, A valid or V invalid, a rolling counter.
//   $--HBT,nHeartBeatPeriod,strValid,nHeartBeatCounter*hh
class MsgHBT : public TableSentence<MsgHBT> {
public:
    static constexpr FieldCount kCount = exactly(3);
    static std::span<const Field<MsgHBT>> fields();

    MsgHBT();
    MsgHBT(int nHeartBeatPeriod, const QString& strValid, int nHeartBeatCounter);

    bool setParams(const QStringList& params) override;

    SENTENCE_FIELD(int, nHeartBeatPeriod, setNHeartBeatPeriod)
    SENTENCE_FIELD(QString, strValid, setStrValid)
    SENTENCE_FIELD(int, nHeartBeatCounter, setNHeartBeatCounter)
};
