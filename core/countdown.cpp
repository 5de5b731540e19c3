// SPDX-License-Identifier: MIT
#include "core/countdown.h"

#include <cmath>
#include <cstdio>

namespace zuvo {

namespace {
constexpr double kMsPerDay = 86400000.0;
}

std::int64_t remainingMs(DateTime start, int minutes, DateTime now) {
    return std::llround((start - now) * kMsPerDay) + std::int64_t{minutes} * 60000;
}

std::string formatCountdown(std::int64_t ms) {
    const std::int64_t seconds = (ms < 0 ? -ms : ms) / 1000;
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", static_cast<int>(seconds / 3600 % 24),
                  static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
    return text;
}

}  // namespace zuvo
