#include "configurationlog.h"

Q_LOGGING_CATEGORY(lcConfiguration, "kc40.configuration")
