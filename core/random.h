// SPDX-License-Identifier: MIT
// The uniform generator of the shuffles and the exam draw. Its seed is passed in: the program seeds it from the
// clock, the tests choose it.
#pragma once

#include <cstdint>
#include <random>

namespace zuvo {

class Random {
  public:
    explicit Random(std::uint64_t seed) : engine_(seed) {}

    // A uniform integer from 0 to bound - 1; bound is at least 1.
    std::int32_t below(std::int32_t bound) {
        return std::uniform_int_distribution<std::int32_t>(0, bound - 1)(engine_);
    }

  private:
    std::mt19937_64 engine_;
};

}  // namespace zuvo
