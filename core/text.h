// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace zuvo {

// Removes leading and trailing blanks and control characters (every byte up to 0x20).
std::string trim(std::string_view s);

}  // namespace zuvo
