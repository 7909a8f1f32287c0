#pragma once

#include "commandsentence.h"

// Text command between the unit and the display.
//   $PNRVIDM,messageVersion,commandID,msgParameters[0],msgParameters[1],...*hh
class MsgIDM : public CommandSentence<MsgIDM, QString> {
public:
    MsgIDM() : CommandSentence(QStringLiteral("IDM")) {}
    MsgIDM(int messageVersion, int commandID, const QStringList& msgParameters = {})
        : CommandSentence(QStringLiteral("IDM"), messageVersion, commandID, msgParameters) {}
    MsgIDM(int messageVersion, msgCommands command, const QStringList& msgParameters = {})
        : MsgIDM(messageVersion, static_cast<int>(command), msgParameters) {}
};
