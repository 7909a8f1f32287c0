#include "alarmids_setup.h"

#include <array>

namespace {
std::array<int, 5> alertIds(const AlarmIDs_Setup_S& s) {
    return {s.stwLowAlarmID, s.stwHighAlarmID, s.sogLowAlarmID, s.sogHighAlarmID, s.systemAlarmID};
}
} // namespace

AlarmIDs_Setup::AlarmIDs_Setup() : SetupRecord(QStringLiteral("alarm_ids_setup")) {
    readSetup();
}

void AlarmIDs_Setup::applyIds(const AlarmIDs_Setup_S& ids) {
    const int escalation = m_s.escalationTime;
    m_s = ids;
    m_s.escalationTime = escalation;
    writeSetup();
}

bool AlarmIDs_Setup::setAlarmIDs(const AlarmIDs_Setup_S& values) {
    const std::array<int, 5> before = alertIds(m_s);
    storeReceived(values);
    return alertIds(m_s) != before;
}

void AlarmIDs_Setup::getDefaults(int) {
    applyIds(AlarmIDs_Setup_S{});
}

void AlarmIDs_Setup::getDefaultsAlr() {
    AlarmIDs_Setup_S ids;
    ids.stwHighAlarmID = 234;
    ids.stwLowAlarmID = 235;
    ids.sogHighAlarmID = 236;
    ids.sogLowAlarmID = 237;
    ids.systemAlarmID = 238;
    ids.useALR = true;
    applyIds(ids);
}

int AlarmIDs_Setup::getAlarmIDbyIndex(int index) const {
    switch (index) {
    case 0:
        return m_s.stwLowAlarmID;
    case 1:
        return m_s.stwHighAlarmID;
    case 2:
        return m_s.sogLowAlarmID;
    case 3:
        return m_s.sogHighAlarmID;
    case 4:
    case 5:
        return m_s.systemAlarmID;
    default:
        return 0;
    }
}

int AlarmIDs_Setup::getAlarmSouceByAlarmID(int alarmId) const {
    const int ids[] = {m_s.stwLowAlarmID, m_s.stwHighAlarmID, m_s.sogLowAlarmID,
                       m_s.sogHighAlarmID};
    for (int source = 0; source < 4; ++source) {
        if (ids[source] == alarmId) {
            return source;
        }
    }
    return alarmId == m_s.systemAlarmID ? 5 : -1;
}
