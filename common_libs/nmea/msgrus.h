#pragma once

#include "sentencefields.h"

// Progress report of a sensor firmware upgrade, sent to the display.
//   $PNRVRUS,reportType,reportValue,reportmessage*hh
class MsgRUS : public TableSentence<MsgRUS> {
public:
    static constexpr FieldCount kCount = exactly(3);
    static std::span<const Field<MsgRUS>> fields();

    MsgRUS();
    MsgRUS(quint32 reportType, quint32 reportValue, const QString& reportmessage);

    SENTENCE_FIELD(quint32, reportType, setReportType)
    SENTENCE_FIELD(quint32, reportValue, setReportValue)
    SENTENCE_FIELD(QString, reportmessage, setReportmessage)
};
