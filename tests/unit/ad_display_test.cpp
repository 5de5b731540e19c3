// SPDX-License-Identifier: MIT
// The ad display: the hand-over, the roll of the text links, the banner steps, and the clicks, with the fake
// platform measuring captions six pixels a byte.
#include "core/ad_display.h"

#include <gtest/gtest.h>

#include <fstream>

#include "tests/support/fake_platform.h"
#include "tests/support/test_bank.h"

namespace zuvo {
namespace {

AdLists sampleLists() {
    AdLists lists;
    lists.AdCount = 2;
    lists.AdUrl = {"", "http://b1.example/", "http://b2.example/"};
    lists.AdFile = {"", "b1.gif", "b2.gif"};
    lists.Link1Count = 3;
    lists.Link1Url = {"", "http://l1.example/1", "http://l1.example/2", "http://l1.example/3"};
    lists.Link1Text = {"", "one", "two", "three"};
    lists.Link2Count = 2;
    lists.Link2Url = {"", "http://l2.example/1", "http://l2.example/2"};
    lists.Link2Text = {"", "alpha", "beta"};
    return lists;
}

class Ads : public testing::Test {
  protected:
    void SetUp() override {
        ads.programFolder = folder.dir() + "/";
        for (const char* name : {"b1.gif", "b2.gif"}) std::ofstream(ads.programFolder + name) << "GIF89a";
    }
    void arrive(AdLists lists = sampleLists()) {
        ads.listsArrived(std::move(lists));
        ads.fetchingBanner(1);
    }
    // Roll steps until the roll stops; the number of steps taken, or -1 when it would not stop.
    int rollToRest() {
        for (int steps = 1; steps <= 100; ++steps) {
            ads.TimerRollTimer();
            if (!form.TimerRoll.enabled) return steps;
        }
        return -1;
    }

    test::TestBank folder;
    MainForm form;
    test::FakePlatform platform;
    AdDisplay ads{form, platform};
};

TEST_F(Ads, HandOverShowsEntryOneOfEachLinkAndBannerOne) {
    arrive();
    ads.handOver(ads.programFolder + "b1.gif");
    EXPECT_TRUE(form.LbTextLink1.visible && form.LbTextLink2.visible);
    EXPECT_EQ(form.LbTextLink1.caption, "one");
    EXPECT_EQ(form.LbTextLink1.hint, "one");
    EXPECT_EQ(form.LbTextLink1.width, 18);
    EXPECT_EQ(form.LbTextLink1.left, 288 + 250 - 18 - 5);
    EXPECT_EQ(form.LbTextLink2.caption, "alpha");
    EXPECT_EQ(form.LbTextLink2.left, 538 + 250 - 30 - 5);
    EXPECT_EQ(form.LbTextLink1.top, 0);
    EXPECT_TRUE(form.TimerRoll.enabled);
    EXPECT_EQ(ads.RollSwitched, 0);
    EXPECT_EQ(form.ShockwaveFlash1.WMode, "transparent");
    EXPECT_EQ(form.ShockwaveFlash1.Movie, ads.programFolder + "b1.gif");
    EXPECT_TRUE(form.ShockwaveFlash1.playing);
    EXPECT_EQ(form.ShockwaveFlash1.loads, 1u);
    EXPECT_FALSE(form.TimerAd.enabled);
    ads.startRotation();
    EXPECT_TRUE(form.TimerAd.enabled);
}

TEST_F(Ads, AfterTheHandOverTheLinksRiseSevenStepsSwitchAndComeInInFive) {
    arrive();
    ads.handOver(ads.programFolder + "b1.gif");
    for (int step = 1; step <= 6; ++step) ads.TimerRollTimer();
    EXPECT_EQ(form.LbTextLink1.top, -12);
    EXPECT_EQ(ads.RollSwitched, 0);
    ads.TimerRollTimer();
    EXPECT_EQ(ads.RollSwitched, 1);
    EXPECT_EQ(form.LbTextLink1.top, 13);
    EXPECT_EQ(form.LbTextLink2.top, 13);
    EXPECT_EQ(ads.Link1Index, 1);
    EXPECT_EQ(form.LbTextLink1.caption, "one");
    EXPECT_EQ(rollToRest(), 5);
    EXPECT_EQ(form.LbTextLink1.top, 3);
}

TEST_F(Ads, EachBannerStepRollsNineOutAndFiveInToTheNextEntries) {
    arrive();
    ads.fetchingBanner(2);
    ads.handOver(ads.programFolder + "b1.gif");
    ads.startRotation();
    rollToRest();
    // The worker left AdIndex at the last banner: the first step wraps to banner 1 and loads it again.
    ads.TimerAdTimer();
    EXPECT_EQ(ads.AdIndex, 1);
    EXPECT_EQ(form.ShockwaveFlash1.loads, 2u);
    EXPECT_EQ(form.ShockwaveFlash1.Movie, ads.programFolder + "b1.gif");
    for (int step = 1; step <= 8; ++step) ads.TimerRollTimer();
    EXPECT_EQ(ads.RollSwitched, 0);
    ads.TimerRollTimer();
    EXPECT_EQ(ads.RollSwitched, 1);
    EXPECT_EQ(form.LbTextLink1.caption, "two");
    EXPECT_EQ(form.LbTextLink2.caption, "beta");
    EXPECT_EQ(rollToRest(), 5);

    // Links of different lengths wrap each at its own count.
    for (int change = 0; change < 2; ++change) {
        ads.TimerAdTimer();
        rollToRest();
    }
    EXPECT_EQ(form.LbTextLink1.caption, "one");
    EXPECT_EQ(form.LbTextLink2.caption, "beta");
    EXPECT_EQ(ads.Link1Index, 1);
    EXPECT_EQ(ads.Link2Index, 2);
}

TEST_F(Ads, BannerStepWhileRollingInSendsTheLinksOutOnceMore) {
    arrive();
    ads.handOver(ads.programFolder + "b1.gif");
    for (int step = 1; step <= 8; ++step) ads.TimerRollTimer();
    ASSERT_EQ(ads.RollSwitched, 1);
    ASSERT_EQ(form.LbTextLink1.top, 11);
    ads.TimerAdTimer();
    EXPECT_EQ(ads.RollSwitched, 0);
    // From 11 the link leaves the bar after 13 steps, switches to entry 2, and comes in again.
    for (int step = 1; step <= 12; ++step) ads.TimerRollTimer();
    EXPECT_EQ(ads.RollSwitched, 0);
    ads.TimerRollTimer();
    EXPECT_EQ(form.LbTextLink1.caption, "two");
    EXPECT_EQ(rollToRest(), 5);
}

TEST_F(Ads, MissingBannerFileKeepsTheOneOnShowButMovesTheIndex) {
    arrive();
    ads.handOver(ads.programFolder + "b1.gif");
    std::remove((ads.programFolder + "b2.gif").c_str());
    ads.TimerAdTimer();
    EXPECT_EQ(ads.AdIndex, 2);
    EXPECT_EQ(form.ShockwaveFlash1.loads, 1u);
    EXPECT_EQ(form.ShockwaveFlash1.Movie, ads.programFolder + "b1.gif");
    EXPECT_TRUE(form.TimerRoll.enabled);
    bool handled = false;
    ads.ApplicationEvents1Message(kWmLButtonDown, true, handled);
    EXPECT_TRUE(handled);
    EXPECT_EQ(platform.openedUrls, std::vector<std::string>{"http://b2.example/"});
}

TEST_F(Ads, RefusedBannerNameIsNeverLoaded) {
    AdLists lists = sampleLists();
    lists.AdFile[2] = "../b2.gif";
    std::ofstream(folder.dir() + "/../b2.gif") << "GIF89a";
    arrive(lists);
    ads.TimerAdTimer();
    EXPECT_EQ(ads.AdIndex, 2);
    EXPECT_EQ(form.ShockwaveFlash1.loads, 0u);
    std::remove((folder.dir() + "/../b2.gif").c_str());
}

TEST_F(Ads, OneBannerIsStoppedLoadedAndPlayedAgainAtEveryStep) {
    AdLists lists = sampleLists();
    lists.AdCount = 1;
    lists.AdUrl.resize(2);
    lists.AdFile.resize(2);
    arrive(lists);
    ads.handOver(ads.programFolder + "b1.gif");
    ads.TimerAdTimer();
    ads.TimerAdTimer();
    EXPECT_EQ(ads.AdIndex, 1);
    EXPECT_EQ(form.ShockwaveFlash1.loads, 3u);
}

TEST_F(Ads, LinkClicksOpenTheShownEntryFromTheFirstSwitchOn) {
    arrive();
    ads.handOver(ads.programFolder + "b1.gif");
    // Before the first switch the index is 0: the opener gets slot 0, the empty text.
    ads.LbTextLink1Click();
    rollToRest();
    ads.LbTextLink1Click();
    ads.LbTextLink2Click();
    EXPECT_EQ(platform.openedUrls, (std::vector<std::string>{"", "http://l1.example/1", "http://l2.example/1"}));
}

TEST_F(Ads, HoverTurnsTheLinkBlueUntilThePointerLeaves) {
    ads.LbTextLink1MouseMove();
    EXPECT_EQ(form.LbTextLink1.look, LinkLook::Hover);
    EXPECT_EQ(form.LbTextLink2.look, LinkLook::WindowText);
    ads.LbTextLink1MouseLeave();
    EXPECT_EQ(form.LbTextLink1.look, LinkLook::WindowText);
    ads.LbTextLink2MouseMove();
    EXPECT_EQ(form.LbTextLink2.look, LinkLook::Hover);
    ads.LbTextLink2MouseLeave();
    EXPECT_EQ(form.LbTextLink2.look, LinkLook::WindowText);
}

TEST_F(Ads, LongCaptionIsCutAtTwoHundredTenPixels) {
    AdLists lists = sampleLists();
    lists.Link1Text[1] = std::string(50, 'x');
    arrive(lists);
    ads.handOver("");
    EXPECT_EQ(form.LbTextLink1.width, 210);
    EXPECT_EQ(form.LbTextLink1.left, 288 + 250 - 210 - 5);
    EXPECT_EQ(form.LbTextLink1.hint, std::string(50, 'x'));
}

TEST_F(Ads, BannerPressOpensTheBannerBeingFetchedAndOnlyOverTheBanner) {
    arrive();
    ads.fetchingBanner(2);
    bool handled = false;
    ads.ApplicationEvents1Message(0x0202, true, handled);
    EXPECT_FALSE(handled) << "a button release passes";
    ads.ApplicationEvents1Message(kWmLButtonDown, false, handled);
    EXPECT_FALSE(handled) << "a press elsewhere passes";
    ads.ApplicationEvents1Message(kWmLButtonDown, true, handled);
    EXPECT_TRUE(handled);
    EXPECT_EQ(platform.openedUrls, std::vector<std::string>{"http://b2.example/"});
}

TEST_F(Ads, EmptyListsDoNothing) {
    // A press before any list arrived is kept from the player, and opens nothing.
    bool handled = false;
    ads.ApplicationEvents1Message(kWmLButtonDown, true, handled);
    EXPECT_TRUE(handled);
    EXPECT_TRUE(platform.openedUrls.empty());

    AdLists linksOnly = sampleLists();
    linksOnly.AdCount = 0;
    linksOnly.AdUrl = linksOnly.AdFile = {""};
    linksOnly.Link1Count = 0;
    linksOnly.Link1Url = linksOnly.Link1Text = {""};
    ads.listsArrived(linksOnly);
    ads.startRotation();
    ads.TimerAdTimer();
    EXPECT_EQ(ads.AdIndex, 1);
    EXPECT_FALSE(form.TimerRoll.enabled);
    EXPECT_EQ(form.ShockwaveFlash1.loads, 0u);

    // A hand-over and a roll with link list 1 empty: link 1 keeps its caption, link 2 goes on.
    ads.handOver("");
    EXPECT_EQ(form.LbTextLink1.caption, "");
    EXPECT_EQ(form.LbTextLink2.caption, "alpha");
    EXPECT_EQ(rollToRest(), 12);
    EXPECT_EQ(ads.Link1Index, 0);
    EXPECT_EQ(ads.Link2Index, 1);
}

}  // namespace
}  // namespace zuvo
