// SPDX-License-Identifier: MIT
// A settings file in the INI style, stored in GBK. Reading never creates the file; writing changes the one key
// and keeps every other line, section and comment as it stands, and replaces the file whole or not at all.
#pragma once

#include <string>

namespace zuvo {

class IniFile {
  public:
    explicit IniFile(std::string path) : path_(std::move(path)) {}

    const std::string& path() const { return path_; }

    // The key's value with blanks around it removed, or fallback when the file, the section or the key is
    // missing. Names and values are UTF-8 here; bytes of the file that are not GBK show as \xNN.
    std::string ReadString(const std::string& section, const std::string& key, const std::string& fallback) const;
    // Throws Error when the value cannot be written in GBK or the file cannot be replaced.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);

  private:
    std::string path_;
};

}  // namespace zuvo
