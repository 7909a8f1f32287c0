#include "msgerr.h"
#include "msgunknown.h"

MsgErr::MsgErr(NmeaMessageErrorType error) : ClonableMessage(QStringLiteral("ERR")) {
    error_ID = error;
}

MsgUnknown::MsgUnknown(const QString& identifier) : ClonableMessage(identifier) {
    m_message_type_hash = 0;
}
