// SPDX-License-Identifier: MIT
// The ad worker against HTTP servers on 127.0.0.1: which host it reads, which banners it fetches and writes,
// what it hands to the display, and that closing never waits for a host.
#include "ads/ad_worker.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "bank/gbk.h"
#include "tests/support/fake_platform.h"
#include "tests/support/http_server.h"
#include "tests/support/test_bank.h"

namespace zuvo {
namespace {

namespace fs = std::filesystem;

std::string adPage(const std::vector<std::string>& bannerFiles) {
    std::string page = "<html><!-- raq address allright --><table>";
    for (size_t i = 0; i < bannerFiles.size(); ++i) {
        const std::string n = std::to_string(i + 1);
        page += "<tr><td width=\"10%\">" + n + "</td><td width=\"50%\">http://b" + n +
                ".example/</td><td width=\"30%\">" + bannerFiles[i] + "</td></tr>";
    }
    page +=
        "</table><table><tr><td width=\"5%\">1</td><td width=\"50%\">http://l1.example/</td><td "
        "width=\"30%\">驾校报名</td></tr>"
        "<!-文字链部分结束--><tr><td width=\"3%\">1</td><td width=\"50%\">http://l2.example/</td>"
        "<td width=\"30%\">安全驾驶</td></tr><!-文字链2部分结束--></table></html>";
    return utf8ToGbk(page);
}

class Worker : public testing::Test {
  protected:
    void SetUp() override {
        ads.programFolder = folder.dir() + "/";
        platform.queueUiTasks = true;
    }
    // Runs the worker to its end, then what it handed to the user-interface thread.
    void run(std::vector<std::string> hosts, AdFetchLimits limits = {}) {
        TMyThread worker(ads, platform, std::move(hosts), limits);
        worker.Start();
        worker.wait();
        platform.runUiTasks();
    }
    fs::path file(const std::string& name) const { return fs::path(folder.dir()) / name; }

    test::TestBank folder;
    test::HttpServer first;
    test::HttpServer second;
    MainForm form;
    test::FakePlatform platform;
    AdDisplay ads{form, platform};
};

TEST_F(Worker, InvalidFirstPageLeadsToTheSecondHostForPageAndBanners) {
    first.reply("/raq.htm", {200, "<html>no ads today</html>"});
    first.reply("/b1.gif", {200, "wrong host"});
    second.reply("/raq.htm", {200, adPage({"b1.gif", "b2.gif"})});
    second.reply("/b1.gif", {200, "GIF89a-one"});
    second.reply("/b2.gif", {200, "GIF89a-two"});
    run({first.base(), second.base()});

    EXPECT_EQ(first.requests("/b1.gif"), 0);
    EXPECT_EQ(test::fileBytes(file("b1.gif")), "GIF89a-one");
    EXPECT_EQ(test::fileBytes(file("b2.gif")), "GIF89a-two");
    EXPECT_FALSE(fs::exists(file("b1.gif.part")));
    EXPECT_EQ(ads.lists.AdCount, 2);
    EXPECT_EQ(ads.lists.Link1Text[1], "驾校报名");
    EXPECT_EQ(ads.AdIndex, 2) << "left at the last banner fetched";
    EXPECT_EQ(form.LbTextLink2.caption, "安全驾驶");
    EXPECT_EQ(form.ShockwaveFlash1.Movie, file("b1.gif").string());
    EXPECT_TRUE(form.TimerAd.enabled);
    EXPECT_TRUE(form.TimerRoll.enabled);
}

TEST_F(Worker, FirstHostRefusingTheConnectionLeadsToTheSecond) {
    second.reply("/raq.htm", {200, adPage({"b1.gif"})});
    second.reply("/b1.gif", {200, "GIF89a"});
    run({test::refusingBase(), second.base()});
    EXPECT_EQ(ads.lists.AdCount, 1);
    EXPECT_TRUE(fs::exists(file("b1.gif")));
}

TEST_F(Worker, BothHostsFailingShowNothing) {
    first.reply("/raq.htm", {500, adPage({"b1.gif"})});
    run({first.base(), test::refusingBase()});
    EXPECT_EQ(ads.lists.AdCount, 0);
    EXPECT_TRUE(ads.lists.AdUrl.empty()) << "no list handed over";
    EXPECT_FALSE(form.LbTextLink1.visible);
    EXPECT_FALSE(form.TimerAd.enabled);
    EXPECT_EQ(form.ShockwaveFlash1.loads, 0u);
    EXPECT_TRUE(fs::is_empty(folder.dir()));
}

TEST_F(Worker, MissingBannerIsSkippedAndTheRunGoesOn) {
    first.reply("/raq.htm", {200, adPage({"b1.gif", "b2.gif"})});
    first.reply("/b2.gif", {200, "GIF89a-two"});
    run({first.base(), second.base()});
    EXPECT_EQ(first.requests("/b1.gif"), 1);
    EXPECT_FALSE(fs::exists(file("b1.gif")));
    EXPECT_TRUE(fs::exists(file("b2.gif")));
    // The hand-over still takes place, with the path where banner 1 would be.
    EXPECT_EQ(form.ShockwaveFlash1.Movie, file("b1.gif").string());
    EXPECT_TRUE(form.LbTextLink1.visible);
    EXPECT_TRUE(form.TimerAd.enabled);
}

TEST_F(Worker, ExistingBannerIsNotFetchedAgain) {
    std::ofstream(file("b1.gif")) << "from an earlier run";
    first.reply("/raq.htm", {200, adPage({"b1.gif"})});
    first.reply("/b1.gif", {200, "new"});
    run({first.base(), second.base()});
    EXPECT_EQ(first.requests("/b1.gif"), 0);
    EXPECT_EQ(test::fileBytes(file("b1.gif")), "from an earlier run");
    EXPECT_TRUE(form.TimerAd.enabled);
}

TEST_F(Worker, RefusedFileNamesAreSkipped) {
    first.reply("/raq.htm", {200, adPage({"../escape.gif", "sub/b.gif", "b3.gif"})});
    first.reply("/b3.gif", {200, "GIF89a"});
    run({first.base(), second.base()});
    EXPECT_EQ(first.requests("/..%2Fescape.gif") + first.requests("/../escape.gif") + first.requests("/escape.gif"), 0);
    EXPECT_FALSE(fs::exists(fs::path(folder.dir()).parent_path() / "escape.gif"));
    EXPECT_TRUE(fs::exists(file("b3.gif")));
    EXPECT_EQ(form.ShockwaveFlash1.Movie, "") << "banner 1 was refused; the links are handed over all the same";
    EXPECT_TRUE(form.LbTextLink1.visible);
    EXPECT_TRUE(form.TimerAd.enabled);
}

TEST_F(Worker, OversizedPageOrBannerCountsAsAFailedRequest) {
    first.reply("/raq.htm", {200, adPage({"b1.gif"}) + std::string(4096, ' ')});
    second.reply("/raq.htm", {200, adPage({"b1.gif"})});
    second.reply("/b1.gif", {200, std::string(5000, 'x')});
    AdFetchLimits limits;
    limits.pageBytes = 2048;
    limits.bannerBytes = 4096;
    run({first.base(), second.base()}, limits);
    EXPECT_EQ(second.requests("/raq.htm"), 1);
    EXPECT_EQ(ads.lists.AdCount, 1);
    EXPECT_FALSE(fs::exists(file("b1.gif")));
    EXPECT_FALSE(fs::exists(file("b1.gif.part")));
}

TEST_F(Worker, AFiftyMebibytePageIsCutOffAndTheSecondHostServes) {
    first.reply("/raq.htm", {200, adPage({"b1.gif"}) + std::string(50 << 20, ' ')});
    second.reply("/raq.htm", {200, adPage({"b2.gif"})});
    second.reply("/b2.gif", {200, "GIF89a-two"});
    run({first.base(), second.base()});
    EXPECT_EQ(first.requests("/b1.gif"), 0);
    EXPECT_EQ(test::fileBytes(file("b2.gif")), "GIF89a-two");
    EXPECT_EQ(ads.lists.AdFile[1], "b2.gif");
}

TEST_F(Worker, UnwritableFolderEndsTheRun) {
    ads.programFolder = folder.dir() + "/missing-folder/";
    first.reply("/raq.htm", {200, adPage({"b1.gif", "b2.gif"})});
    first.reply("/b1.gif", {200, "GIF89a"});
    first.reply("/b2.gif", {200, "GIF89a"});
    run({first.base(), second.base()});
    EXPECT_EQ(first.requests("/b2.gif"), 0);
    EXPECT_FALSE(form.LbTextLink1.visible) << "no hand-over when banner 1 cannot be written";
    EXPECT_FALSE(form.TimerAd.enabled);
    EXPECT_EQ(ads.lists.AdCount, 2) << "the lists were handed over before";
}

TEST_F(Worker, ClosingWhileAHostHangsIsImmediate) {
    first.reply("/raq.htm", {200, "", true});
    auto worker = std::make_unique<TMyThread>(ads, platform, std::vector<std::string>{first.base(), second.base()});
    worker->Start();
    while (first.requests("/raq.htm") == 0) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    const auto before = std::chrono::steady_clock::now();
    worker.reset();
    const auto waited = std::chrono::steady_clock::now() - before;
    EXPECT_LT(waited, std::chrono::milliseconds(500));
    EXPECT_EQ(second.requests("/raq.htm"), 0) << "a cancelled run asks no other host";
    platform.runUiTasks();
    EXPECT_FALSE(form.TimerAd.enabled);
}

TEST_F(Worker, ResultsArrivingAfterTheDisplayHasGoneAreDropped) {
    first.reply("/raq.htm", {200, adPage({"b1.gif"})});
    first.reply("/b1.gif", {200, "GIF89a"});
    auto display = std::make_unique<AdDisplay>(form, platform);
    display->programFolder = folder.dir() + "/";
    {
        TMyThread worker(*display, platform, {first.base(), second.base()});
        worker.Start();
        worker.wait();
    }
    display.reset();
    platform.runUiTasks();
    EXPECT_FALSE(form.LbTextLink1.visible);
    EXPECT_FALSE(form.TimerAd.enabled);
}

TEST(AdHosts, TheEnvironmentReplacesTheProgramsOwn) {
    unsetenv("ZUVO_AD_HOSTS");
    const auto own = adHosts();
    ASSERT_EQ(own.size(), 2u);
    for (const auto& host : own) EXPECT_NE(host.find(".example"), std::string::npos) << host;
    setenv("ZUVO_AD_HOSTS", "http://127.0.0.1:1/,http://127.0.0.1:2", 1);
    EXPECT_EQ(adHosts(), (std::vector<std::string>{"http://127.0.0.1:1", "http://127.0.0.1:2"}));
    unsetenv("ZUVO_AD_HOSTS");
}

}  // namespace
}  // namespace zuvo
