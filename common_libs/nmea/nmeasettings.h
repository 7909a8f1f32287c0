#pragma once

#include <QString>

// The unit's own sentence settings that value constructors read: the source talker
// (first two characters of the unit's system-function identifier) and the number of
// decimals of speed output. Sentences are built on several threads, so both are held
// as atomics and read as a snapshot; the configuration sets them when it changes.
namespace NmeaSettings {
QString sourceTalker();
void setSourceTalker(const QString& talker);
int numberOfDecimals();
void setNumberOfDecimals(int decimals);
} // namespace NmeaSettings
