// SPDX-License-Identifier: MIT
#include "core/text.h"


namespace zuvo {

std::string trim(std::string_view s) {
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return std::string(s);
}

}  // namespace zuvo
