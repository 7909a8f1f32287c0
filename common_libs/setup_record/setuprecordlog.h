#pragma once

#include <QLoggingCategory>

// What the serializer reports for the unit's log: setup files it could not use.
Q_DECLARE_LOGGING_CATEGORY(lcSetupRecord)
