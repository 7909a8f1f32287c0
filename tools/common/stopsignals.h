#pragma once

#include <QCoreApplication>

// Makes SIGINT, SIGTERM and SIGHUP leave the application's event loop, so that a tool removes
// what it made (line links, the programs it started) on its normal way out. The signal handler
// only wakes the loop; the stop itself runs there. False when the signals cannot be routed.
bool quitOnStopSignals(QCoreApplication& app);
