#include "udpmulticastlog.h"

Q_LOGGING_CATEGORY(lcUdpMulticast, "kc40.udpmulticast")
