#pragma once

#include <QLoggingCategory>

// What the configuration reports for the unit's log: rejected commands, unusable files, resets.
Q_DECLARE_LOGGING_CATEGORY(lcConfiguration)
