#include "msgcur.h"

MsgCUR::MsgCUR() : TableSentence(QStringLiteral("CUR")) {}

MsgCUR::MsgCUR(const QString& validityOfData, int dataSetNumber, int layerNumber,
               float currentDepthInMeters, float CurrentDirectionIndegrees,
               const QString& directionReferenceInUse, float currentSpeedInKnots,
               float referenceLayerDepthInMeters, float heading, const QString& headingReference,
               const QString& speedReference)
    : MsgCUR() {
    initForSending();
    m_validityOfData = validityOfData;
    m_dataSetNumber = dataSetNumber;
    m_layerNumber = layerNumber;
    m_currentDepthInMeters = currentDepthInMeters;
    m_CurrentDirectionIndegrees = CurrentDirectionIndegrees;
    m_directionReferenceInUse = directionReferenceInUse;
    m_currentSpeedInKnots = currentSpeedInKnots;
    m_referenceLayerDepthInMeters = referenceLayerDepthInMeters;
    m_heading = heading;
    m_headingReference = headingReference;
    m_speedReference = speedReference;
}

std::span<const Field<MsgCUR>> MsgCUR::fields() {
    static constexpr Field<MsgCUR> table[] = {
        {"validityOfData", &MsgCUR::m_validityOfData, fmt::text()},
        {"dataSetNumber", &MsgCUR::m_dataSetNumber, fmt::integer()},
        {"layerNumber", &MsgCUR::m_layerNumber, fmt::integer()},
        {"currentDepthInMeters", &MsgCUR::m_currentDepthInMeters, fmt::flt(1)},
        {"CurrentDirectionIndegrees", &MsgCUR::m_CurrentDirectionIndegrees, fmt::flt(1)},
        {"directionReferenceInUse", &MsgCUR::m_directionReferenceInUse, fmt::text()},
        {"currentSpeedInKnots", &MsgCUR::m_currentSpeedInKnots, fmt::fltDec()},
        {"referenceLayerDepthInMeters", &MsgCUR::m_referenceLayerDepthInMeters, fmt::flt(1)},
        {"heading", &MsgCUR::m_heading, fmt::flt(1)},
        {"headingReference", &MsgCUR::m_headingReference, fmt::text()},
        {"speedReference", &MsgCUR::m_speedReference, fmt::text()},
    };
    return table;
}
