// SPDX-License-Identifier: MIT
// The ad page: a GBK page from an ad host that lists banners and two series of text links. Reading it is a pure
// function of its bytes, so that every rule can be tested without a network.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zuvo {

inline constexpr const char* kAdPagePath = "/raq.htm";
inline constexpr const char* kAdPageMarker = "raq address allright";
inline constexpr int kMaxAdEntries = 20;

// The lists of one ad page, 1-based: slot 0 of every array is never filled and holds the empty text. Texts are
// the page's bytes turned into UTF-8; bytes that are not GBK show as \xNN.
struct AdLists {
    std::int32_t AdCount = 0;
    std::int32_t Link1Count = 0;
    std::int32_t Link2Count = 0;
    std::vector<std::string> AdUrl, AdFile;
    std::vector<std::string> Link1Url, Link1Text;
    std::vector<std::string> Link2Url, Link2Text;
};

// The bytes of source between the first start marker and the first end marker, both searched from the start of
// source. A missing start marker counts as position 0; a missing end marker, or one before the start, gives "".
std::string GetStr(std::string_view source, std::string_view start, std::string_view end);

bool isAdPage(std::string_view page);

// Counts, stretches and fields of the three lists, by the page's reading rules.
AdLists readAdPage(std::string_view page);

// A banner's file name is joined to the program folder: only a plain name of that folder is accepted, never an
// empty one, one with a folder part, a separator, "..", or a drive prefix.
bool isSafeBannerName(std::string_view name);

}  // namespace zuvo
