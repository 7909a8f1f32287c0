#include "systemsetup.h"

#include "compiledateandtime.h"
#include "systemconfiguration.h"

namespace {
std::unique_ptr<SystemSetup>& instanceSlot() {
    static std::unique_ptr<SystemSetup> instance;
    return instance;
}
} // namespace

SystemSetup* SystemSetup::getInstance() {
    auto& slot = instanceSlot();
    if (!slot) {
        slot.reset(new SystemSetup);
        SystemConfiguration::publishToSentences();
    }
    return slot.get();
}

void SystemSetup::resetForTests() {
    instanceSlot().reset();
}

SystemSetup::SystemSetup() : Vq2Setup(CompileDateAndTime::getCompileTimestampAsNumber()) {
    AlarmIDsSetup.setStwOn(Vq2Setup.getOutputParamsToInt() == 1);
}

SystemSetup::~SystemSetup() = default;
