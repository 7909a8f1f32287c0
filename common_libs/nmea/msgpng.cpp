#include "msgpng.h"

MsgPNG::MsgPNG() : TableSentence(QStringLiteral("PNG")) {
    initProprietary();
}

MsgPNG::MsgPNG(int systemID) : MsgPNG() {
    initForSending();
    m_systemID = systemID;
}

std::span<const Field<MsgPNG>> MsgPNG::fields() {
    static constexpr Field<MsgPNG> table[] = {{"systemID", &MsgPNG::m_systemID, fmt::integer()}};
    return table;
}
