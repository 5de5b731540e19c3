// SPDX-License-Identifier: MIT
// A private temporary folder for a fuzz target's files, made once per process and removed at its end.
#pragma once

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace zuvo::fuzz {

struct ScratchFolder {
    explicit ScratchFolder(const char* prefix) {
        std::string pattern = (std::filesystem::temp_directory_path() / (std::string(prefix) + "-XXXXXX")).string();
        if (!mkdtemp(pattern.data())) std::abort();
        dir = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // Empties the folder, so that nothing an earlier input left (a bank's journal) meets the next one.
    void clear() const {
        for (const auto& entry : std::filesystem::directory_iterator(dir)) std::filesystem::remove_all(entry.path());
    }

    std::string dir;
};

}  // namespace zuvo::fuzz
