#include "msgvbwf.h"

MsgVBWF::MsgVBWF() : TableSentence(QStringLiteral("VBWF")) {
    initProprietary();
}

MsgVBWF::MsgVBWF(float forwardAvrSpeed, const QString& dataStatus) : MsgVBWF() {
    initForSending();
    m_forwardAvrSpeed = forwardAvrSpeed;
    m_dataStatus = dataStatus;
}

bool MsgVBWF::setParams(const QStringList& params) {
    if (!kCount.accepts(params.size()) || !fieldcodec::read(params[0], m_forwardAvrSpeed)) {
        return reject();
    }
    m_dataStatus = params[2];
    return true;
}

QStringList MsgVBWF::buildFields() const {
    const QStringList values = TableSentence::buildFields();
    return {values[0], QString(), values[1]};
}

std::span<const Field<MsgVBWF>> MsgVBWF::fields() {
    static constexpr Field<MsgVBWF> table[] = {
        {"forwardAvrSpeed", &MsgVBWF::m_forwardAvrSpeed, fmt::fltDec()},
        {"dataStatus", &MsgVBWF::m_dataStatus, fmt::text()},
    };
    return table;
}
