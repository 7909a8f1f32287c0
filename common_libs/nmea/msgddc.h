#pragma once

#include "sentencefields.h"

// Display dimming (approved form); palette and status flag may be left off.
//   $--DDC,dispDimmPreset,brightnes[,coulorPalette[,statusFlag]]*hh     (statusFlag C: command)
class MsgDDC : public TableSentence<MsgDDC> {
public:
    static constexpr FieldCount kCount = atLeast(2);
    static std::span<const Field<MsgDDC>> fields();

    MsgDDC();
    MsgDDC(const QString& dispDimmPreset, int brightnes, const QString& coulorPalette,
           const QString& statusFlag);

    bool setParams(const QStringList& params) override;

    SENTENCE_FIELD(QString, dispDimmPreset, setDispDimmPreset)
    SENTENCE_FIELD(int, brightnes, setBrightnes)
    SENTENCE_FIELD(QString, coulorPalette, setCoulorPalette)
    SENTENCE_FIELD(QString, statusFlag, setStatusFlag)
};
