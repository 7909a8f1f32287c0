#include "msgalr.h"

MsgALR::MsgALR() : TableSentence(QStringLiteral("ALR")) {}

MsgALR::MsgALR(const QString& timeOfAlarm, const QString& uniqueAlarmNumber,
               const QString& alarmCondition, const QString& alarmAcknowledgeState,
               const QString& alarmDescription)
    : MsgALR() {
    initForSending();
    m_timeOfAlarm = timeOfAlarm;
    m_uniqueAlarmNumber = uniqueAlarmNumber;
    m_alarmCondition = alarmCondition;
    m_alarmAcknowledgeState = alarmAcknowledgeState;
    m_alarmDescription = alarmDescription;
}

std::span<const Field<MsgALR>> MsgALR::fields() {
    static constexpr Field<MsgALR> table[] = {
        {"timeOfAlarm", &MsgALR::m_timeOfAlarm, fmt::text()},
        {"uniqueAlarmNumber", &MsgALR::m_uniqueAlarmNumber, fmt::text()},
        {"alarmCondition", &MsgALR::m_alarmCondition, fmt::text()},
        {"alarmAcknowledgeState", &MsgALR::m_alarmAcknowledgeState, fmt::text()},
        {"alarmDescription", &MsgALR::m_alarmDescription, fmt::text()},
    };
    return table;
}
