// SPDX-License-Identifier: MIT
// Fuzzes the reading of an ad page, which arrives from the network: any bytes must give bounded lists of UTF-8
// texts, and no banner name that leaves the program folder may pass as safe.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/ad_page.h"

namespace {

void fail(const char* what, std::string_view detail) {
    std::fprintf(stderr, "ad_page_fuzz: %s: [%.*s]\n", what, static_cast<int>(detail.size()), detail.data());
    std::abort();
}

bool validUtf8(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        const auto lead = static_cast<unsigned char>(s[i]);
        size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
        if (length == 0 || i + length > s.size()) return false;
        for (size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        }
        i += length;
    }
    return true;
}

void checkBannerName(std::string_view name) {
    if (!zuvo::isSafeBannerName(name)) return;
    if (name.empty() || name == "." || name == "..") fail("accepted an empty or dot name", name);
    if (name.find_first_of("/\\") != std::string_view::npos) fail("accepted a name with a separator", name);
    if (name.size() >= 2 && name[1] == ':') fail("accepted a name with a drive prefix", name);
    if (name.find('\0') != std::string_view::npos) fail("accepted a name with a NUL", name);
}

void checkList(const char* which, std::int32_t count, const std::vector<std::string>& first,
               const std::vector<std::string>& second) {
    if (count < 0 || count > zuvo::kMaxAdEntries) fail("count out of range", which);
    const auto entries = static_cast<size_t>(count) + 1;
    if (first.size() != entries || second.size() != entries) fail("lists not count + 1 long", which);
    if (!first[0].empty() || !second[0].empty()) fail("slot 0 filled", which);
    for (size_t i = 1; i < entries; ++i) {
        if (!validUtf8(first[i]) || !validUtf8(second[i])) fail("text not UTF-8", which);
    }
}

void checkGetStr(std::string_view source, std::string_view start, std::string_view end) {
    const std::string cut = zuvo::GetStr(source, start, end);
    if (cut.size() > source.size() || source.find(cut) == std::string_view::npos) fail("GetStr left its source", cut);
}

}  // namespace

// Input: the page. Two bytes 0x01 in it also split it as start marker, end marker and source for GetStr.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::string_view page(reinterpret_cast<const char*>(data), size);

    zuvo::isAdPage(page);
    const zuvo::AdLists lists = zuvo::readAdPage(page);
    checkList("banners", lists.AdCount, lists.AdUrl, lists.AdFile);
    checkList("links 1", lists.Link1Count, lists.Link1Url, lists.Link1Text);
    checkList("links 2", lists.Link2Count, lists.Link2Url, lists.Link2Text);
    for (const std::string& name : lists.AdFile) checkBannerName(name);

    checkGetStr(page, "<td width=\"50%\">", "</td>");
    const size_t first = page.find('\x01');
    const size_t second = first == std::string_view::npos ? first : page.find('\x01', first + 1);
    if (second != std::string_view::npos) {
        const std::string_view start = page.substr(0, first);
        const std::string_view end = page.substr(first + 1, second - first - 1);
        checkGetStr(page.substr(second + 1), start, end);
        checkBannerName(start);
        checkBannerName(end);
    }
    // A name straight from the page's bytes, as a host could send it in place of a GBK one.
    checkBannerName(page.substr(0, page.find('\n')));
    return 0;
}
