#include "setuprecordlog.h"

Q_LOGGING_CATEGORY(lcSetupRecord, "kc40.setup_record")
