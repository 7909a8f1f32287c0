#include "utc_time.h"

#include "systemvariables.h"

QString UTC_Time::getTimeStample() {
    SystemVariables* vars = SystemVariables::getInstance();
    for (varString* source :
         {&vars->utcTime_ZDG, &vars->utcTime_ZDA, &vars->utcTime_GGA, &vars->utcTime_RMC}) {
        if (source->getValidity()) {
            return source->getValue();
        }
    }
    return {};
}

UTC_Time UTC_Time::getTimeInstance() {
    return fromText(getTimeStample());
}

UTC_Time UTC_Time::fromText(const QString& timeText) {
    UTC_Time time;
    // Fewer than six digits is no time of day; the parts stay empty rather than misplaced.
    if (timeText.size() < 6) {
        return time;
    }
    time.hours = timeText.mid(0, 2);
    time.minuts = timeText.mid(2, 2);
    time.seconds = timeText.mid(4, 2);
    const qsizetype point = timeText.indexOf(QLatin1Char('.'));
    if (point >= 0) {
        time.msec = timeText.mid(point + 1);
    }
    return time;
}
