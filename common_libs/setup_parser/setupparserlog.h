#pragma once

#include <QLoggingCategory>

// What the setup-file overlay and the file helpers report for the unit's log.
Q_DECLARE_LOGGING_CATEGORY(lcSetupParser)
