#include "systemconfiguration.h"

#include "nmeasettings.h"
#include "systemsetup.h"

QString SystemConfiguration::getLocalID() {
    if (s_systemType == QLatin1String("KC_40")) {
        return SystemSetup::getInstance()->Kc40Setup.values().localID;
    }
    if (s_systemType == QLatin1String("RV_N003")) {
        return SystemSetup::getInstance()->RvN003Setup.values().localID;
    }
    return {};
}

QString SystemConfiguration::getSource() {
    return getSourceTalker() + QStringLiteral("%1").arg(getSourceId(), 4, 10, QLatin1Char('0'));
}

QString SystemConfiguration::getDestination() {
    const QString paired = SystemSetup::getInstance()->RvN003Setup.values().pairedID;
    return paired.left(2) + paired.mid(2).rightJustified(4, QLatin1Char('0'));
}

int SystemConfiguration::getNumberOfDecimals() {
    return SystemSetup::getInstance()->Vq2Setup.numberOfDecimals();
}

void SystemConfiguration::publishToSentences() {
    NmeaSettings::setSourceSfi(getSource());
    NmeaSettings::setNumberOfDecimals(getNumberOfDecimals());
}
