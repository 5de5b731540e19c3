// SPDX-License-Identifier: MIT
// The advertising of the main window: the ad state the worker fills, the banner that changes every five seconds,
// and the two text links that roll up to their next entries at each change. Everything here runs on the
// user-interface thread; the worker's results arrive through Platform::runOnUiThread.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/ad_page.h"
#include "core/main_form.h"
#include "core/platform.h"

namespace zuvo {

inline constexpr int kWmLButtonDown = 0x0201;

class AdDisplay {
  public:
    AdDisplay(MainForm& form, Platform& platform) : form_(form), platform_(platform) {}

    // The ad state: the lists (slots 1..count) and the indexes.
    AdLists lists;
    std::int32_t AdIndex = 0;
    std::int32_t Link1Index = 0;
    std::int32_t Link2Index = 0;
    std::int32_t RollSwitched = 0;
    // The folder banner files live in, ending in a separator: the program's own, or the learner's cache folder when
    // the program is installed.
    std::string programFolder;

    // From the worker: the lists and the starting indexes in one step, later each banner being fetched, then the
    // hand-over once banner 1 is there, and the start of the rotation at the end of a run with a valid page.
    void listsArrived(AdLists arrived);
    void fetchingBanner(std::int32_t n);
    void handOver(const std::string& bannerPath);
    void startRotation();

    void TimerAdTimer();
    void TimerRollTimer();
    void LbTextLink1Click();
    void LbTextLink2Click();
    void LbTextLink1MouseMove();
    void LbTextLink2MouseMove();
    void LbTextLink1MouseLeave();
    void LbTextLink2MouseLeave();
    // A message the application takes from its queue; handled keeps it from its window. A left press over the
    // banner opens the current banner's address and never reaches the player.
    void ApplicationEvents1Message(int message, bool pointerOverBanner, bool& handled);

    // Expires with this object: a result that reaches the user-interface thread later is dropped.
    std::weak_ptr<const void> lifeToken() const { return alive_; }

  private:
    void setLink(LinkLabel& label, const std::string& text, int paneLeft);
    // The roll's switch of one link to its next entry, wrapping at its own count.
    void switchLink(LinkLabel& label, std::int32_t& index, std::int32_t count, const std::vector<std::string>& texts,
                    int paneLeft);
    void playBanner(const std::string& path);
    void startRolling();

    MainForm& form_;
    Platform& platform_;
    std::shared_ptr<const int> alive_ = std::make_shared<const int>(0);
};

}  // namespace zuvo
