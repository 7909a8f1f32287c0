#include "msgdat.h"

namespace {
constexpr std::size_t kFull = 15;
constexpr std::size_t kThroughTilt = 9;
constexpr std::size_t kThroughTemperature = 6;
} // namespace

MsgDAT::MsgDAT() : TableSentence(QStringLiteral("DAT")) {
    initProprietary();
}

MsgDAT::MsgDAT(int systemID, float fwdSpeedWater, int fwdSigQualityWater, float aftSpeedWater,
               int aftSigQualityWater, float fTemperature, int tiltX, int tiltY, int tiltZ,
               float fwdSpeedGround, int fwdSigQualityGround, float aftSpeedGround,
               int aftSigQualityGround, float depthFwd, float depthAft)
    : MsgDAT() {
    initForSending();
    m_systemID = systemID;
    m_fwdSpeedWater = fwdSpeedWater;
    m_fwdSigQualityWater = fwdSigQualityWater;
    m_aftSpeedWater = aftSpeedWater;
    m_aftSigQualityWater = aftSigQualityWater;
    m_fTemperature = fTemperature;
    m_tiltX = tiltX;
    m_tiltY = tiltY;
    m_tiltZ = tiltZ;
    m_fwdSpeedGround = fwdSpeedGround;
    m_fwdSigQualityGround = fwdSigQualityGround;
    m_aftSpeedGround = aftSpeedGround;
    m_aftSigQualityGround = aftSigQualityGround;
    m_depthFwd = depthFwd;
    m_depthAft = depthAft;
}

std::size_t MsgDAT::receivedVariantSize(const QStringList& params) {
    if (params.isEmpty()) {
        return 0;
    }
    const QString& id = params.first();
    const auto size = static_cast<std::size_t>(params.size());
    if (id == QLatin1String("2") || id == QLatin1String("3") || id == QLatin1String("4")) {
        return size == kFull ? kFull : 0;
    }
    if (id == QLatin1String("5")) {
        return size == kThroughTilt ? kThroughTilt : 0;
    }
    // System 1 sends water data only; a shorter sentence would leave its temperature unread.
    if (id == QLatin1String("1")) {
        return size >= kThroughTemperature ? kThroughTemperature : 0;
    }
    bool ok = false;
    const int number = id.toInt(&ok);
    return ok && number == 1 && size == kThroughTemperature ? kThroughTemperature : 0;
}

std::size_t MsgDAT::builtVariantSize() const {
    switch (m_systemID) {
    case 1:
        return kThroughTemperature;
    case 5:
        return kThroughTilt;
    default:
        return kFull;
    }
}

bool MsgDAT::setParams(const QStringList& params) {
    const std::size_t size = receivedVariantSize(params);
    if (size == 0) {
        return reject();
    }
    return readFields(*this, fields().first(size), params) || reject();
}

QStringList MsgDAT::buildFields() const {
    return writeFields(*this, fields().first(builtVariantSize()), m_number_of_decimals);
}

std::span<const Field<MsgDAT>> MsgDAT::fields() {
    static constexpr Field<MsgDAT> table[] = {
        {"systemID", &MsgDAT::m_systemID, fmt::integer()},
        {"fwdSpeedWater", &MsgDAT::m_fwdSpeedWater, fmt::fltSigned(1)},
        {"fwdSigQualityWater", &MsgDAT::m_fwdSigQualityWater, fmt::integer()},
        {"aftSpeedWater", &MsgDAT::m_aftSpeedWater, fmt::fltSigned(1)},
        {"aftSigQualityWater", &MsgDAT::m_aftSigQualityWater, fmt::integer()},
        {"fTemperature", &MsgDAT::m_fTemperature, fmt::fltSigned(1)},
        {"tiltX", &MsgDAT::m_tiltX, fmt::integer()},
        {"tiltY", &MsgDAT::m_tiltY, fmt::integer()},
        {"tiltZ", &MsgDAT::m_tiltZ, fmt::integer()},
        {"fwdSpeedGround", &MsgDAT::m_fwdSpeedGround, fmt::fltSigned(1)},
        {"fwdSigQualityGround", &MsgDAT::m_fwdSigQualityGround, fmt::integer()},
        {"aftSpeedGround", &MsgDAT::m_aftSpeedGround, fmt::fltSigned(1)},
        {"aftSigQualityGround", &MsgDAT::m_aftSigQualityGround, fmt::integer()},
        {"depthFwd", &MsgDAT::m_depthFwd, fmt::flt(1)},
        {"depthAft", &MsgDAT::m_depthAft, fmt::flt(1)},
    };
    return table;
}
