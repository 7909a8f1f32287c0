#pragma once

#include "sentencefields.h"

// Alarm list for the display: five lines of text, each with its status.
//   $PNRVALRS,nSimulatorType,lineOne,statusLineOne,lineTwo,statusLineTwo,lineThree,
//            statusLineThree,lineFour,statusLineFour,lineFive,statusLineFive*hh
class MsgALRS : public TableSentence<MsgALRS> {
public:
    static constexpr FieldCount kCount = exactly(11);
    static std::span<const Field<MsgALRS>> fields();

    MsgALRS();
    MsgALRS(int nSimulatorType, const QString& lineOne, int statusLineOne, const QString& lineTwo,
            int statusLineTwo, const QString& lineThree, int statusLineThree,
            const QString& lineFour, int statusLineFour, const QString& lineFive,
            int statusLineFive);

    SENTENCE_FIELD(int, nSimulatorType, setNSimulatorType)
    SENTENCE_FIELD(QString, lineOne, setLineOne)
    SENTENCE_FIELD(int, statusLineOne, setStatusLineOne)
    SENTENCE_FIELD(QString, lineTwo, setLineTwo)
    SENTENCE_FIELD(int, statusLineTwo, setStatusLineTwo)
    SENTENCE_FIELD(QString, lineThree, setLineThree)
    SENTENCE_FIELD(int, statusLineThree, setStatusLineThree)
    SENTENCE_FIELD(QString, lineFour, setLineFour)
    SENTENCE_FIELD(int, statusLineFour, setStatusLineFour)
    SENTENCE_FIELD(QString, lineFive, setLineFive)
    SENTENCE_FIELD(int, statusLineFive, setStatusLineFive)
};
