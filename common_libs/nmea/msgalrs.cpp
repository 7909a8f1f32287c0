#include "msgalrs.h"

MsgALRS::MsgALRS() : TableSentence(QStringLiteral("ALRS")) {
    initProprietary();
}

MsgALRS::MsgALRS(int nSimulatorType, const QString& lineOne, int statusLineOne,
                 const QString& lineTwo, int statusLineTwo, const QString& lineThree,
                 int statusLineThree, const QString& lineFour, int statusLineFour,
                 const QString& lineFive, int statusLineFive)
    : MsgALRS() {
    initForSending();
    m_nSimulatorType = nSimulatorType;
    m_lineOne = lineOne;
    m_statusLineOne = statusLineOne;
    m_lineTwo = lineTwo;
    m_statusLineTwo = statusLineTwo;
    m_lineThree = lineThree;
    m_statusLineThree = statusLineThree;
    m_lineFour = lineFour;
    m_statusLineFour = statusLineFour;
    m_lineFive = lineFive;
    m_statusLineFive = statusLineFive;
}

std::span<const Field<MsgALRS>> MsgALRS::fields() {
    static constexpr Field<MsgALRS> table[] = {
        {"nSimulatorType", &MsgALRS::m_nSimulatorType, fmt::integer()},
        {"lineOne", &MsgALRS::m_lineOne, fmt::text()},
        {"statusLineOne", &MsgALRS::m_statusLineOne, fmt::integer()},
        {"lineTwo", &MsgALRS::m_lineTwo, fmt::text()},
        {"statusLineTwo", &MsgALRS::m_statusLineTwo, fmt::integer()},
        {"lineThree", &MsgALRS::m_lineThree, fmt::text()},
        {"statusLineThree", &MsgALRS::m_statusLineThree, fmt::integer()},
        {"lineFour", &MsgALRS::m_lineFour, fmt::text()},
        {"statusLineFour", &MsgALRS::m_statusLineFour, fmt::integer()},
        {"lineFive", &MsgALRS::m_lineFive, fmt::text()},
        {"statusLineFive", &MsgALRS::m_statusLineFive, fmt::integer()},
    };
    return table;
}
