#pragma once

#include <QLoggingCategory>

// What the network transport reports for the unit's log: groups it cannot join, missing interfaces.
Q_DECLARE_LOGGING_CATEGORY(lcUdpMulticast)
