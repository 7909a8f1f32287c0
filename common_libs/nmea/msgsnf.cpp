#include "msgsnf.h"

namespace {
constexpr int kInformation = 1;
constexpr int kTilt = 2;
constexpr float kRevisionScale = 100.0f;
} // namespace

MsgSNF::MsgSNF() : ClonableMessage(QStringLiteral("SNF")) {
    initProprietary();
}

MsgSNF::MsgSNF(int sentenceType) : MsgSNF() {
    initForSending();
    m_sentenceType = sentenceType;
}

bool MsgSNF::setParams(const QStringList& params) {
    if (params.size() == static_cast<qsizetype>(informationFields().size())) {
        m_sentenceType = kInformation;
        m_scalingForBeam1 = 0.0f;
        m_scalingForBeam2 = 0.0f;
        m_frequencyNr = 0;
        if (!readFields(*this, informationFields(), params)) {
            return reject();
        }
        // An empty revision stays absent rather than becoming a huge "valid" one.
        if (m_firmwereRev != kAbsentFloat) {
            m_firmwereRev /= kRevisionScale;
        }
        return true;
    }
    if (params.size() == static_cast<qsizetype>(tiltFields().size())) {
        m_sentenceType = kTilt;
        return readFields(*this, tiltFields(), params) || reject();
    }
    return reject();
}

QStringList MsgSNF::buildFields() const {
    return {fieldcodec::write(m_sentenceType, fmt::integer(), 0), QString()};
}

QList<NamedValue> MsgSNF::fieldValues() const {
    QList<NamedValue> values{{QStringLiteral("sentenceType"), fieldcodec::value(m_sentenceType)}};
    if (m_sentenceType == kInformation) {
        values += namedValues(*this, informationFields());
    } else if (m_sentenceType == kTilt) {
        values += namedValues(*this, tiltFields());
    }
    return values;
}

std::span<const Field<MsgSNF>> MsgSNF::informationFields() {
    static constexpr Field<MsgSNF> table[] = {
        {"systemID", &MsgSNF::m_systemID, fmt::integer()},
        {"serialNumber", &MsgSNF::m_serialNumber, fmt::text()},
        {"hardwareRev", &MsgSNF::m_hardwareRev, fmt::text()},
        {"firmwereRev", &MsgSNF::m_firmwereRev, fmt::flt(2)},
        {"requestedFrequencyInfo", &MsgSNF::m_requestedFrequencyInfo, fmt::text()},
        {"usedFrequencyInfo", &MsgSNF::m_usedFrequencyInfo, fmt::text()},
        {"offsetTempSens", &MsgSNF::m_offsetTempSens, fmt::flt(1)},
        {"scalingTempSpeed", &MsgSNF::m_scalingTempSpeed, fmt::flt(1)},
        {"frequencyInfo", &MsgSNF::m_frequencyInfo, fmt::text()},
    };
    return table;
}

std::span<const Field<MsgSNF>> MsgSNF::tiltFields() {
    static constexpr Field<MsgSNF> table[] = {
        {"formatType", &MsgSNF::m_formatType, fmt::integer()},
        {"tiltRotation", &MsgSNF::m_tiltRotation, fmt::integer()},
        {"offsetX", &MsgSNF::m_offsetX, fmt::integer()},
        {"slopeX", &MsgSNF::m_slopeX, fmt::integer()},
        {"curveX", &MsgSNF::m_curveX, fmt::integer()},
        {"offsetY", &MsgSNF::m_offsetY, fmt::integer()},
        {"slopeY", &MsgSNF::m_slopeY, fmt::integer()},
        {"curveY", &MsgSNF::m_curveY, fmt::integer()},
        {"offsetZ", &MsgSNF::m_offsetZ, fmt::integer()},
        {"slopeZ", &MsgSNF::m_slopeZ, fmt::integer()},
        {"curveZ", &MsgSNF::m_curveZ, fmt::integer()},
    };
    return table;
}
