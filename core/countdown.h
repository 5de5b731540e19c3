// SPDX-License-Identifier: MIT
// The exam's time left, computed afresh from the clock each time it is needed, never counted down by ticks.
#pragma once

#include <cstdint>
#include <string>

#include "core/platform.h"

namespace zuvo {

// Milliseconds left of an exam of `minutes` that began at start, at now; zero or less once the time is up.
// Whole milliseconds, so that the moment the time is up and the 00:00:00 shown agree, free of rounding noise.
std::int64_t remainingMs(DateTime start, int minutes, DateTime now);

// "hh:mm:ss" of the magnitude of ms, the seconds cut, not rounded: one second into 45 minutes is 00:44:59.
std::string formatCountdown(std::int64_t ms);

}  // namespace zuvo
