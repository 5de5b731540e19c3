// SPDX-License-Identifier: MIT
// Reading the ad page: GetStr's positions, the counts, the stretches and the fields, on GBK pages built here.
#include "core/ad_page.h"

#include <gtest/gtest.h>

#include <chrono>

#include "bank/gbk.h"

namespace zuvo {
namespace {

struct GetStrCase {
    const char* name;
    const char* source;
    const char* start;
    const char* end;
    const char* result;
};

class GetStrPositions : public testing::TestWithParam<GetStrCase> {};

TEST_P(GetStrPositions, CutBetweenTheFirstMarkers) {
    EXPECT_EQ(GetStr(GetParam().source, GetParam().start, GetParam().end), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(
    Markers, GetStrPositions,
    testing::Values(GetStrCase{"between", "xx<a>body</a>yy", "<a>", "</a>", "body"},
                    GetStrCase{"first_of_each", "<a>1</a><a>2</a>", "<a>", "</a>", "1"},
                    GetStrCase{"end_missing", "<a>body", "<a>", "</a>", ""},
                    GetStrCase{"end_only_before_start", "</a>x<a>body", "<a>", "</a>", ""},
                    // A missing start counts as position 0: the cut begins at the byte numbered the start's length.
                    GetStrCase{"start_missing", "abcdefgh</a>", "<td>", "</a>", "defgh"},
                    GetStrCase{"start_missing_end_too_early", "ab</a>", "<td>", "</a>", ""},
                    GetStrCase{"empty_between", "<a></a>", "<a>", "</a>", ""},
                    GetStrCase{"empty_source", "", "<a>", "</a>", ""}),
    [](const auto& info) { return std::string(info.param.name); });

struct Entry {
    int number;
    std::string first;
    std::string second;
};

std::string row(const char* numberCell, const Entry& e, const char* rowEnd = "</td></tr>\r\n") {
    return std::string("<tr>") + numberCell + std::to_string(e.number) + "</td><td width=\"50%\">" + e.first +
           "</td><td width=\"30%\">" + e.second + rowEnd;
}

// A page as an ad host serves it, in GBK: the banner table, then the two link lists with their end comments.
std::string page(const std::vector<Entry>& banners, const std::vector<Entry>& links1,
                 const std::vector<Entry>& links2) {
    std::string text = "<html><body><!-- raq address allright -->\r\n<table>\r\n";
    for (const Entry& e : banners) text += row("<td width=\"10%\">", e);
    text += "</table>\r\n<table>\r\n";
    for (const Entry& e : links1) text += row("<td width=\"5%\">", e);
    text += "<!-文字链部分结束-->\r\n";
    for (const Entry& e : links2) text += row("<td width=\"3%\">", e);
    text += "<!-文字链2部分结束-->\r\n</table></body></html>";
    return utf8ToGbk(text);
}

std::vector<Entry> numbered(std::initializer_list<int> numbers, const std::string& prefix) {
    std::vector<Entry> entries;
    for (int n : numbers)
        entries.push_back(
            {n, "http://" + prefix + std::to_string(n) + ".example/", prefix + std::to_string(n) + ".gif"});
    return entries;
}

TEST(AdPage, ValidityMarkerCountsAnywhereEvenInAComment) {
    EXPECT_TRUE(isAdPage("<!-- raq address allright -->"));
    EXPECT_TRUE(isAdPage("xraq address allrightx"));
    EXPECT_FALSE(isAdPage("raq address all right"));
    EXPECT_FALSE(isAdPage("RAQ ADDRESS ALLRIGHT"));
    EXPECT_FALSE(isAdPage(""));
}

TEST(AdPage, ReadsTheThreeListsWithChineseTexts) {
    const AdLists lists = readAdPage(
        page(numbered({1, 2}, "b"), {{1, "http://a.example/1", "驾校报名"}, {2, "http://a.example/2", "模拟考试"}},
             {{1, "http://c.example/", "交通安全"}}));
    EXPECT_EQ(lists.AdCount, 2);
    EXPECT_EQ(lists.Link1Count, 2);
    EXPECT_EQ(lists.Link2Count, 1);
    EXPECT_EQ(lists.AdUrl, (std::vector<std::string>{"", "http://b1.example/", "http://b2.example/"}));
    EXPECT_EQ(lists.AdFile, (std::vector<std::string>{"", "b1.gif", "b2.gif"}));
    EXPECT_EQ(lists.Link1Text, (std::vector<std::string>{"", "驾校报名", "模拟考试"}));
    EXPECT_EQ(lists.Link1Url[2], "http://a.example/2");
    EXPECT_EQ(lists.Link2Text, (std::vector<std::string>{"", "交通安全"}));
}

TEST(AdPage, EndCommentsAreMatchedAsGbkBytes) {
    // The same page in UTF-8: the last link entry finds no end marker, so its stretch is empty.
    std::string text =
        "raq address allright<td width=\"5%\">1</td><td width=\"50%\">u</td><td width=\"30%\">t</td></tr>"
        "<!-文字链部分结束-->";
    EXPECT_EQ(readAdPage(text).Link1Text[1], "");
    EXPECT_EQ(readAdPage(utf8ToGbk(text)).Link1Text[1], "t");
}

TEST(AdPage, CellsOneTwoAndFourCountFourAndEntryThreeRepeatsAnEarlierOne) {
    const AdLists lists = readAdPage(page(numbered({1, 2, 4}, "b"), {}, {}));
    EXPECT_EQ(lists.AdCount, 4);
    // No cell 3: its stretch starts near the top of the page and runs to cell 4. Its first "</td>" closes
    // entry 1's number cell, before any "50%" cell, so the address is empty; the file is entry 1's.
    EXPECT_EQ(lists.AdUrl[3], "");
    EXPECT_EQ(lists.AdFile[3], lists.AdFile[1]);
    EXPECT_EQ(lists.AdFile[4], "b4.gif");
}

TEST(AdPage, NumbersAboveTwentyAreNeverLookedFor) {
    std::vector<Entry> banners;
    for (int n = 1; n <= 25; ++n) banners.push_back({n, "u" + std::to_string(n), "f" + std::to_string(n)});
    const AdLists lists = readAdPage(page(banners, {}, {}));
    EXPECT_EQ(lists.AdCount, 20);
    ASSERT_EQ(lists.AdFile.size(), 21u);
    // Entry 20 runs to the first </table>; its own cells come first.
    EXPECT_EQ(lists.AdUrl[20], "u20");
    EXPECT_EQ(lists.AdFile[20], "f20");
}

TEST(AdPage, LineBreakBeforeTheRowEndEmptiesTheSecondField) {
    std::string text = "raq address allright<table>";
    text += row("<td width=\"10%\">", {1, "u1", "f1"}, "</td>\r\n</tr>");
    text += row("<td width=\"10%\">", {2, "u2", "f2"}, "</td>\r\n</tr>");
    text += "</table>";
    const AdLists lists = readAdPage(text);
    EXPECT_EQ(lists.AdUrl[1], "u1");
    EXPECT_EQ(lists.AdFile[1], "");
    EXPECT_EQ(lists.AdFile[2], "");
}

TEST(AdPage, LastBannerAfterTheFirstTableEndIsEmpty) {
    std::string text = "raq address allright<table>" + row("<td width=\"10%\">", {1, "u1", "f1"}) + "</table>" +
                       row("<td width=\"10%\">", {2, "u2", "f2"});
    const AdLists lists = readAdPage(text);
    EXPECT_EQ(lists.AdCount, 2);
    EXPECT_EQ(lists.AdUrl[2], "");
    EXPECT_EQ(lists.AdFile[2], "");
    EXPECT_EQ(lists.AdFile[1], "f1");
}

TEST(AdPage, NoListsGiveCountsOfZeroAndOneEmptySlot) {
    const AdLists lists = readAdPage("raq address allright, and nothing else");
    EXPECT_EQ(lists.AdCount + lists.Link1Count + lists.Link2Count, 0);
    EXPECT_EQ(lists.AdUrl, std::vector<std::string>{""});
    EXPECT_EQ(lists.Link2Text, std::vector<std::string>{""});
}

TEST(AdPage, BytesThatAreNotGbkShowAsEscapes) {
    std::string text =
        "raq address allright<td width=\"5%\">1</td><td width=\"50%\">u</td><td width=\"30%\">a\xFF"
        "b</td></tr>" +
        utf8ToGbk("<!-文字链部分结束-->");
    EXPECT_EQ(readAdPage(text).Link1Text[1], "a\\xFFb");
}

struct NameCase {
    const char* name;
    bool safe;
};

class BannerNames : public testing::TestWithParam<NameCase> {};

TEST_P(BannerNames, OnlyPlainNamesOfTheFolder) {
    EXPECT_EQ(isSafeBannerName(GetParam().name), GetParam().safe) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Names, BannerNames,
                         testing::Values(NameCase{"banner1.gif", true}, NameCase{"驾校.swf", true},
                                         NameCase{"a b.gif", true}, NameCase{"", false}, NameCase{".", false},
                                         NameCase{"..", false}, NameCase{"../x.gif", false}, NameCase{"a/b.gif", false},
                                         NameCase{"/etc/passwd", false}, NameCase{"a\\b.gif", false},
                                         NameCase{"C:x.gif", false}, NameCase{"x..gif", false},
                                         NameCase{"a\nb", false}));

TEST(AdPage, AHundredThousandEntriesAreReadAsTheFirstTwentyWithoutDelay) {
    std::vector<Entry> many;
    for (int n = 1; n <= 100000; ++n) many.push_back({n, "http://x" + std::to_string(n) + ".example/", "文字"});
    const std::string huge = page(many, many, many);
    const auto started = std::chrono::steady_clock::now();
    const AdLists lists = readAdPage(huge);
    const auto took = std::chrono::steady_clock::now() - started;
    EXPECT_EQ(lists.AdCount, 20);
    EXPECT_EQ(lists.Link1Count, 20);
    EXPECT_EQ(lists.Link2Count, 20);
    EXPECT_EQ(lists.Link2Url.size(), 21u);
    EXPECT_EQ(lists.AdUrl[20], "http://x20.example/");
    // Only the worker waits for the reading, but one that grew with the entries squared would never end: each of
    // the twenty looked for is searched from the start, some 1.5 GB of searching here, seconds under a sanitizer.
    EXPECT_LT(took, std::chrono::seconds(15));
}

}  // namespace
}  // namespace zuvo
