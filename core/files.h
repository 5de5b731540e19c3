// SPDX-License-Identifier: MIT
// Files written whole or not at all.
#pragma once

#include <string>

namespace zuvo {

// Writes bytes to path through a temporary file beside it (path + ".part") and a rename, so that an interrupted
// write never leaves a partial file where a complete one is expected. False, and no temporary file left, on any
// failure; an older file at path then stays as it was.
bool replaceFile(const std::string& path, const std::string& bytes);

}  // namespace zuvo
