#pragma once

#include <QString>

// What kind of unit this is and its IEC 61162-450 identities, derived from the setup records.
class SystemConfiguration {
public:
    static QString getSystemType() { return s_systemType; }
    static void setSystemType(const QString& type) { s_systemType = type; }
    static quint8 getSystemId() { return s_systemId; }
    static void setSystemId(quint8 id) { s_systemId = id; }

    // The junction box's local ID on this unit ("VD0101").
    static QString getLocalID();
    static QString getSourceTalker() { return getLocalID().left(2); }
    static quint16 getSourceId() { return static_cast<quint16>(getLocalID().mid(2).toUInt()); }
    // Talker and four digits: VD and 7 give "VD0007".
    static QString getSource();
    // The paired display's ID, its number padded to at least four digits.
    static QString getDestination();
    static int getNumberOfDecimals();

    // Hands the unit's identifier and speed decimals to the sentence layer; called whenever
    // the records holding them are loaded or changed.
    static void publishToSentences();

private:
    static inline QString s_systemType = QStringLiteral("KC_40");
    static inline quint8 s_systemId = 0;
};
