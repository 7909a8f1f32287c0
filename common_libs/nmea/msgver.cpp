#include "msgver.h"

MsgVER::MsgVER() : TableSentence(QStringLiteral("VER")) {}

MsgVER::MsgVER(int totalNumberOfSentences, int sentenceNumber, const QString& deviceType,
               const QString& venderID, const QString& uniqueIdentifier,
               const QString& manufacturerSerialNumber, const QString& modelCode,
               const QString& softwareRevision, const QString& hardwareRevision,
               int sequentialMessageIdentifier)
    : MsgVER() {
    initForSending();
    m_talker_id = QStringLiteral("VD");
    m_totalNumberOfSentences = totalNumberOfSentences;
    m_sentenceNumber = sentenceNumber;
    m_deviceType = deviceType;
    m_venderID = venderID;
    m_uniqueIdentifier = uniqueIdentifier;
    m_manufacturerSerialNumber = manufacturerSerialNumber;
    m_modelCode = modelCode;
    m_softwareRevision = softwareRevision;
    m_hardwareRevision = hardwareRevision;
    m_sequentialMessageIdentifier = sequentialMessageIdentifier;
}

bool MsgVER::setParams(const QStringList& params) {
    if (params.isEmpty()) {
        m_uniqueIdentifier = kRequest;
        return true;
    }
    return TableSentence::setParams(params);
}

std::span<const Field<MsgVER>> MsgVER::fields() {
    static constexpr Field<MsgVER> table[] = {
        {"totalNumberOfSentences", &MsgVER::m_totalNumberOfSentences, fmt::integer()},
        {"sentenceNumber", &MsgVER::m_sentenceNumber, fmt::integer()},
        {"deviceType", &MsgVER::m_deviceType, fmt::text()},
        {"venderID", &MsgVER::m_venderID, fmt::text()},
        {"uniqueIdentifier", &MsgVER::m_uniqueIdentifier, fmt::text()},
        {"manufacturerSerialNumber", &MsgVER::m_manufacturerSerialNumber, fmt::text()},
        {"modelCode", &MsgVER::m_modelCode, fmt::text()},
        {"softwareRevision", &MsgVER::m_softwareRevision, fmt::text()},
        {"hardwareRevision", &MsgVER::m_hardwareRevision, fmt::text()},
        {"sequentialMessageIdentifier", &MsgVER::m_sequentialMessageIdentifier, fmt::integer()},
    };
    return table;
}
