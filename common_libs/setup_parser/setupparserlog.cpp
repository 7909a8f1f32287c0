#include "setupparserlog.h"

Q_LOGGING_CATEGORY(lcSetupParser, "kc40.setup_parser")
