// SPDX-License-Identifier: MIT
// Banks of any size with the shape of the shipped one, for measuring: the same exam types and categories, two
// thirds choice questions, texts of realistic length, a quarter with pictures the program carries.
#pragma once

#include <cstdint>
#include <string>

#include "tools/bank_source.h"

namespace zuvo {

// The same count and seed give the same source.
BankSource synthBankSource(std::int64_t questions, std::uint64_t seed = 1);

}  // namespace zuvo
