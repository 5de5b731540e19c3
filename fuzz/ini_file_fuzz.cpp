// SPDX-License-Identifier: MIT
// Fuzzes Setting.ini: any file must read without a crash, and writing a key must keep every other line in its
// place, read back as written, and change nothing when written a second time.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "bank/error.h"
#include "bank/gbk.h"
#include "core/ini_file.h"
#include "fuzz/scratch_folder.h"

namespace {

void fail(const char* what, const std::string& section, const std::string& key, const std::string& value) {
    std::fprintf(stderr, "ini_file_fuzz: %s; section [%s], key [%s], value [%s]\n", what, section.c_str(), key.c_str(),
                 value.c_str());
    std::abort();
}

void writeBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The texts of the lines, as the file splits them at "\n", without the "\r"s at their end, which a reader trims
// anyway: a last line that ends in "\r" keeps its bytes when a line break is added after it, though one "\r"
// then belongs to the break.
std::vector<std::string> lineTexts(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t newline = bytes.find('\n', start);
        if (newline == std::string::npos) {
            lines.push_back(bytes.substr(start));
            break;
        }
        lines.push_back(bytes.substr(start, newline - start));
        start = newline + 1;
    }
    for (std::string& line : lines) {
        while (!line.empty() && line.back() == '\r') line.pop_back();
    }
    return lines;
}

bool blank(char c) { return static_cast<unsigned char>(c) <= 0x20; }

// A value a caller may write: one line, no blanks around it (they would be read back trimmed).
bool plainValue(const std::string& utf8) {
    for (char c : utf8) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
    }
    return utf8.empty() || (!blank(utf8.front()) && !blank(utf8.back()));
}

// A name a caller may write: a plain value that is not empty and holds none of the characters of the file's syntax.
bool plainName(const std::string& utf8) {
    return !utf8.empty() && plainValue(utf8) && utf8.find_first_of("[]=;#") == std::string::npos;
}

// The lines of the file as names and values, where they are GBK text: they give the fuzzer a hand in the names.
void collect(const std::string& bytes, std::vector<std::string>& names, std::vector<std::string>& values) {
    for (const std::string& line : lineTexts(bytes)) {
        for (const std::string_view part : {std::string_view(line), std::string_view(line).substr(0, line.find('=')),
                                            std::string_view(line).substr(line.find('=') + 1)}) {
            std::string utf8;
            try {
                utf8 = zuvo::gbkToUtf8(part);
            } catch (const zuvo::Error&) {
                continue;
            }
            if (plainName(utf8)) names.push_back(utf8);
            if (plainValue(utf8)) values.push_back(utf8);
        }
        if (names.size() > 8) break;
    }
}

void checkWrite(const std::string& path, std::string_view original, const std::string& section, const std::string& key,
                const std::string& value) {
    writeBytes(path, original);
    zuvo::IniFile ini(path);
    ini.WriteString(section, key, value);
    const std::string once = readBytes(path);
    if (ini.ReadString(section, key, "\x01") != value)
        fail("the value written does not read back", section, key, value);

    // One hunk differs: at most the one line of the key went, at most its section and its line came.
    const std::vector<std::string> before = lineTexts(std::string(original));
    const std::vector<std::string> after = lineTexts(once);
    size_t prefix = 0;
    while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix]) ++prefix;
    size_t suffix = 0;
    while (suffix < before.size() - prefix && suffix < after.size() - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    const size_t gone = before.size() - prefix - suffix;
    const size_t came = after.size() - prefix - suffix;
    if (gone > 1 || came > 2 || came < gone) fail("other lines of the file changed", section, key, value);
    const std::string entry = zuvo::utf8ToGbk(key) + "=" + zuvo::utf8ToGbk(value);
    const std::string header = "[" + zuvo::utf8ToGbk(section) + "]";
    for (size_t i = prefix; i < prefix + came; ++i) {
        if (after[i] != entry && after[i] != header)
            fail("a line other than the key's was written", section, key, value);
    }

    ini.WriteString(section, key, value);
    if (readBytes(path) != once) fail("writing the same value again changed the file", section, key, value);
}

}  // namespace

// Input: the bytes of Setting.ini.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    static const zuvo::fuzz::ScratchFolder folder("zuvo-fuzz-ini");
    const std::string path = folder.dir + "/Setting.ini";
    const std::string_view original(reinterpret_cast<const char*>(data), size);
    const std::string bytes(original);

    std::vector<std::string> names = {"系统设置", "时间间隔", "Main", "interval"};
    std::vector<std::string> values = {"5", "", "a=b", "[x]", "; 十五 秒"};
    collect(bytes, names, values);

    writeBytes(path, original);
    const zuvo::IniFile ini(path);
    for (size_t i = 0; i < names.size(); ++i) ini.ReadString(names[i], names[(i + 1) % names.size()], "2");

    // The choices follow the bytes, so that every change of the input may pick other names.
    unsigned pick = 0;
    for (unsigned char c : bytes) pick = pick * 31 + c;
    checkWrite(path, original, "系统设置", "时间间隔", values[pick % values.size()]);
    checkWrite(path, original, names[pick % names.size()], names[(pick / 7) % names.size()],
               values[(pick / 13) % values.size()]);
    return 0;
}
