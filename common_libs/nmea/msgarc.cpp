#include "msgarc.h"

MsgARC::MsgARC() : TableSentence(QStringLiteral("ARC")) {}

MsgARC::MsgARC(const QString& releaseTime, const QString& manufacturerMnemonicCode,
               quint32 alertIdentifier, quint32 alertInstance, const QString& refusedAlertCommand)
    : MsgARC() {
    initForSending();
    m_releaseTime = releaseTime;
    m_manufacturerMnemonicCode = manufacturerMnemonicCode;
    m_alertIdentifier = alertIdentifier;
    m_alertInstance = alertInstance;
    m_refusedAlertCommand = refusedAlertCommand;
}

std::span<const Field<MsgARC>> MsgARC::fields() {
    static constexpr Field<MsgARC> table[] = {
        {"releaseTime", &MsgARC::m_releaseTime, fmt::text()},
        {"manufacturerMnemonicCode", &MsgARC::m_manufacturerMnemonicCode, fmt::text()},
        {"alertIdentifier", &MsgARC::m_alertIdentifier, fmt::ulongMin(3)},
        {"alertInstance", &MsgARC::m_alertInstance, fmt::ulong()},
        {"refusedAlertCommand", &MsgARC::m_refusedAlertCommand, fmt::text()},
    };
    return table;
}
