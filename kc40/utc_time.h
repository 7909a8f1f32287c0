#pragma once

#include <QString>

// The ship's UTC time of day as the navigation equipment tells it ("hhmmss.ss"), taken from
// the best source still fresh: ZTG, then ZDA, then GGA, then RMC.
class UTC_Time {
public:
    QString hours;
    QString minuts;
    QString seconds;
    // The fraction of the second as received (the digits after the point), or empty.
    QString msec;

    // The time text of the best fresh source, or empty when none is fresh.
    static QString getTimeStample();
    // The same time split into its parts; all parts empty when no time is known.
    static UTC_Time getTimeInstance();
    static UTC_Time fromText(const QString& timeText);
};
