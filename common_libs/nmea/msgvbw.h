#pragma once

#include "sentencefields.h"

#include <array>

// The ten fields of the dual ground/water speed, shared by VBW and the unit's own VBWX.
// Speeds in knots with the configured decimals; statuses A valid, V invalid.
template <class Derived> class DualSpeedSentence : public TableSentence<Derived> {
public:
    static constexpr std::size_t kDualSpeedFields = 10;

    static constexpr std::array<Field<Derived>, kDualSpeedFields> dualSpeedFields() {
        using S = DualSpeedSentence;
        return {{
            {"longitudinalWaterSpeed", &S::m_longitudinalWaterSpeed, fmt::fltDec()},
            {"transverseWaterSpeed", &S::m_transverseWaterSpeed, fmt::fltDec()},
            {"statusWaterSpeed", &S::m_statusWaterSpeed, fmt::text()},
            {"longitudinalGroundSpeed", &S::m_longitudinalGroundSpeed, fmt::fltDec()},
            {"transverseGroundSpeed", &S::m_transverseGroundSpeed, fmt::fltDec()},
            {"statusGroundSpeed", &S::m_statusGroundSpeed, fmt::text()},
            {"sternTransWaterSpeed", &S::m_sternTransWaterSpeed, fmt::fltDec()},
            {"statusSternTransWaterSpeed", &S::m_statusSternTransWaterSpeed, fmt::text()},
            {"sternTransGroundSpeed", &S::m_sternTransGroundSpeed, fmt::fltDec()},
            {"statusSternTransGroundSpeed", &S::m_statusSternTransGroundSpeed, fmt::text()},
        }};
    }

protected:
    explicit DualSpeedSentence(const QString& messageType) : TableSentence<Derived>(messageType) {}
    void setDualSpeeds(float longitudinalWaterSpeed, float transverseWaterSpeed,
                       const QString& statusWaterSpeed, float longitudinalGroundSpeed,
                       float transverseGroundSpeed, const QString& statusGroundSpeed,
                       float sternTransWaterSpeed, const QString& statusSternTransWaterSpeed,
                       float sternTransGroundSpeed, const QString& statusSternTransGroundSpeed) {
        m_longitudinalWaterSpeed = longitudinalWaterSpeed;
        m_transverseWaterSpeed = transverseWaterSpeed;
        m_statusWaterSpeed = statusWaterSpeed;
        m_longitudinalGroundSpeed = longitudinalGroundSpeed;
        m_transverseGroundSpeed = transverseGroundSpeed;
        m_statusGroundSpeed = statusGroundSpeed;
        m_sternTransWaterSpeed = sternTransWaterSpeed;
        m_statusSternTransWaterSpeed = statusSternTransWaterSpeed;
        m_sternTransGroundSpeed = sternTransGroundSpeed;
        m_statusSternTransGroundSpeed = statusSternTransGroundSpeed;
    }

    SENTENCE_FIELD(float, longitudinalWaterSpeed, setLongitudinalWaterSpeed)
    SENTENCE_FIELD(float, transverseWaterSpeed, setTransverseWaterSpeed)
    SENTENCE_FIELD(QString, statusWaterSpeed, setStatusWaterSpeed)
    SENTENCE_FIELD(float, longitudinalGroundSpeed, setLongitudinalGroundSpeed)
    SENTENCE_FIELD(float, transverseGroundSpeed, setTransverseGroundSpeed)
    SENTENCE_FIELD(QString, statusGroundSpeed, setStatusGroundSpeed)
    SENTENCE_FIELD(float, sternTransWaterSpeed, setSternTransWaterSpeed)
    SENTENCE_FIELD(QString, statusSternTransWaterSpeed, setStatusSternTransWaterSpeed)
    SENTENCE_FIELD(float, sternTransGroundSpeed, setSternTransGroundSpeed)
    SENTENCE_FIELD(QString, statusSternTransGroundSpeed, setStatusSternTransGroundSpeed)
};

// Dual ground/water speed, full ten-field form (stern transverse speeds included).
//   $--VBW,longitudinalWaterSpeed,transverseWaterSpeed,statusWaterSpeed,
//          longitudinalGroundSpeed,transverseGroundSpeed,statusGroundSpeed,
//          sternTransWaterSpeed,statusSternTransWaterSpeed,
//          sternTransGroundSpeed,statusSternTransGroundSpeed*hh
class MsgVBW : public DualSpeedSentence<MsgVBW> {
public:
    static constexpr FieldCount kCount = exactly(kDualSpeedFields);
    static std::span<const Field<MsgVBW>> fields();

    MsgVBW();
    MsgVBW(float longitudinalWaterSpeed, float transverseWaterSpeed,
           const QString& statusWaterSpeed, float longitudinalGroundSpeed,
           float transverseGroundSpeed, const QString& statusGroundSpeed,
           float sternTransWaterSpeed, const QString& statusSternTransWaterSpeed,
           float sternTransGroundSpeed, const QString& statusSternTransGroundSpeed);
};
