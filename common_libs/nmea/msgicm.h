#pragma once

#include "commandsentence.h"

// Integer command between the unit and the display.
//   $PNRVICM,messageVersion,commandID,msgParameters[0],msgParameters[1],...*hh
class MsgICM : public CommandSentence<MsgICM, int> {
public:
    MsgICM() : CommandSentence(QStringLiteral("ICM")) {}
    MsgICM(int messageVersion, int commandID, const QList<int>& msgParameters = {})
        : CommandSentence(QStringLiteral("ICM"), messageVersion, commandID, msgParameters) {}
    MsgICM(int messageVersion, msgCommands command, const QList<int>& msgParameters = {})
        : MsgICM(messageVersion, static_cast<int>(command), msgParameters) {}
};
