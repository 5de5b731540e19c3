// SPDX-License-Identifier: MIT
#include "core/ad_page.h"

#include "bank/gbk.h"

namespace zuvo {
namespace {

struct ListMarkers {
    const char* numberCell;  // opening of the number cell
    const char* endMarker;   // UTF-8 here; matched as GBK bytes
};

// Banners, text links 1, text links 2, in the order the page is read.
constexpr ListMarkers kLists[3] = {
    {"<td width=\"10%\">", "</table>"},
    {"<td width=\"5%\">", "<!-文字链部分结束-->"},
    {"<td width=\"3%\">", "<!-文字链2部分结束-->"},
};

std::string numberCell(const ListMarkers& list, int n) { return list.numberCell + std::to_string(n) + "</td>"; }

bool contains(std::string_view page, std::string_view part) { return page.find(part) != std::string_view::npos; }

}  // namespace

std::string GetStr(std::string_view source, std::string_view start, std::string_view end) {
    // 1-based positions, 0 for "not found", as the reading rules count them.
    const size_t foundStart = source.find(start);
    const size_t p1 = foundStart == std::string_view::npos ? 0 : foundStart + 1;
    const size_t from = p1 + start.size();
    const size_t foundEnd = source.find(end);
    const size_t p2 = foundEnd == std::string_view::npos ? 0 : foundEnd + 1;
    if (p2 <= from) return {};
    return std::string(source.substr(from - 1, p2 - from));
}

bool isAdPage(std::string_view page) { return contains(page, kAdPageMarker); }

AdLists readAdPage(std::string_view page) {
    std::int32_t counts[3] = {0, 0, 0};
    for (int n = 1; n <= kMaxAdEntries; ++n) {
        for (int list = 0; list < 3; ++list) {
            if (contains(page, numberCell(kLists[list], n))) counts[list] = n;
        }
    }
    AdLists lists;
    lists.AdCount = counts[0];
    lists.Link1Count = counts[1];
    lists.Link2Count = counts[2];
    std::vector<std::string>* fields[3][2] = {
        {&lists.AdUrl, &lists.AdFile}, {&lists.Link1Url, &lists.Link1Text}, {&lists.Link2Url, &lists.Link2Text}};
    for (int list = 0; list < 3; ++list) {
        const int count = counts[list];
        const std::string endMarker = utf8ToGbk(kLists[list].endMarker);
        fields[list][0]->assign(static_cast<size_t>(count) + 1, std::string());
        fields[list][1]->assign(static_cast<size_t>(count) + 1, std::string());
        for (int n = 1; n <= count; ++n) {
            const std::string stretch =
                GetStr(page, numberCell(kLists[list], n), n < count ? numberCell(kLists[list], n + 1) : endMarker);
            (*fields[list][0])[static_cast<size_t>(n)] =
                gbkToUtf8Lenient(GetStr(stretch, "<td width=\"50%\">", "</td>"));
            (*fields[list][1])[static_cast<size_t>(n)] =
                gbkToUtf8Lenient(GetStr(stretch, "<td width=\"30%\">", "</td></tr>"));
        }
    }
    return lists;
}

bool isSafeBannerName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    if (name.find_first_of("/\\:") != std::string_view::npos) return false;
    if (name.find("..") != std::string_view::npos) return false;
    for (unsigned char c : name) {
        if (c < 0x20) return false;
    }
    return true;
}

}  // namespace zuvo
