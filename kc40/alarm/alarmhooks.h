#pragma once

#include <QString>

#include <functional>

// What the alarms ask of the rest of the unit; MainHandler fills these in. The defaults stand
// for a unit with alarm output on every channel, no UTC time yet and no demo, test or mute.
struct AlarmHooks {
    // Channel "Nmea_1", "Nmea_2" or "LAN": whether alert sentences go out there.
    std::function<bool(const QString& channel)> alarmOutputEnabled = [](const QString&) {
        return true;
    };
    // The UTC time text of the latest navigation time, empty when none is known.
    std::function<QString()> utcTimeStamp = [] { return QString(); };
    // Inputs of the display list's mode.
    std::function<bool()> sensorDemoActive = [] { return false; };
    std::function<bool()> alarmTestActive = [] { return false; };
    std::function<bool()> sensorMuted = [] { return false; };
};
