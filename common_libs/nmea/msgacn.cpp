#include "msgacn.h"

MsgACN::MsgACN() : TableSentence(QStringLiteral("ACN")) {}

MsgACN::MsgACN(const QString& timeOfAlert, const QString& manufacturerMnemonicCode,
               quint32 alertIdentifier, quint32 alertInstance, const QString& alertCommand,
               const QString& alertStatusFlag)
    : MsgACN() {
    initForSending();
    m_timeOfAlert = timeOfAlert;
    m_manufacturerMnemonicCode = manufacturerMnemonicCode;
    m_alertIdentifier = alertIdentifier;
    m_alertInstance = alertInstance;
    m_alertCommand = alertCommand;
    m_alertStatusFlag = alertStatusFlag;
}

std::span<const Field<MsgACN>> MsgACN::fields() {
    static constexpr Field<MsgACN> table[] = {
        {"timeOfAlert", &MsgACN::m_timeOfAlert, fmt::text()},
        {"manufacturerMnemonicCode", &MsgACN::m_manufacturerMnemonicCode, fmt::text()},
        {"alertIdentifier", &MsgACN::m_alertIdentifier, fmt::ulongMin(3)},
        {"alertInstance", &MsgACN::m_alertInstance, fmt::ulong()},
        {"alertCommand", &MsgACN::m_alertCommand, fmt::text()},
        {"alertStatusFlag", &MsgACN::m_alertStatusFlag, fmt::text()},
    };
    return table;
}
