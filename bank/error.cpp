// SPDX-License-Identifier: MIT
#include "bank/error.h"

namespace zuvo {

Error invalidInteger(const std::string& text) { return Error("'" + text + "' is not a valid integer value"); }

}  // namespace zuvo
