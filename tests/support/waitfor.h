#pragma once

#include <functional>

// Runs the Qt event loop until the condition holds or the time is up; returns the condition.
bool waitFor(const std::function<bool()>& condition, int timeoutMs = 3000);
// Runs the Qt event loop for a while.
void spinFor(int milliseconds);
