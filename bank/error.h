// SPDX-License-Identifier: MIT
// The one exception type of the program: its what() is the exact text the learner reads.
#pragma once

#include <stdexcept>
#include <string>

namespace zuvo {

class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "'%s' is not a valid integer value": the wording of every failed text-to-number conversion.
Error invalidInteger(const std::string& text);

}  // namespace zuvo
