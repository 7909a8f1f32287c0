#include "heading.h"

#include "systemvariables.h"

#include <initializer_list>

namespace {
varFloat& firstValid(std::initializer_list<varFloat*> candidates) {
    for (varFloat* candidate : candidates) {
        if (candidate->getValidity()) {
            return *candidate;
        }
    }
    return **candidates.begin();
}
} // namespace

varFloat& Heading::getHeadingTrue() {
    SystemVariables* vars = SystemVariables::getInstance();
    return firstValid({&vars->headingTrue_Gyro, &vars->headingTrue_SatLog,
                       &vars->headingTrue_MagCompass, &vars->headingTrue_Gyro_THS,
                       &vars->headingTrue_SatLog_THS, &vars->headingTrue_MagCompass_THS});
}

varFloat& Heading::getHeadingMagnetic() {
    SystemVariables* vars = SystemVariables::getInstance();
    return firstValid({&vars->headingMagnetic_Gyro, &vars->headingMagnetic_SatLog,
                       &vars->headingMagnetic_MagCompass});
}
