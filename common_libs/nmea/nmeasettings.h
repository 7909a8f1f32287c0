#pragma once

#include <QString>

// The unit's own sentence settings that value constructors and the network transport read:
// the system-function identifier (its first two characters are the source talker) and the
// number of decimals of speed output. Sentences are built on several threads, so both are
// held as atomics and read as a snapshot; the configuration sets them when they change.
namespace NmeaSettings {
// The unit's own system-function identifier ("VD0101"): talker and four digits.
QString sourceSfi();
// Also sets the talker to its first two characters.
void setSourceSfi(const QString& sfi);
QString sourceTalker();
int numberOfDecimals();
void setNumberOfDecimals(int decimals);
} // namespace NmeaSettings
