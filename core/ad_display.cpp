// SPDX-License-Identifier: MIT
#include "core/ad_display.h"

#include <algorithm>
#include <filesystem>

namespace zuvo {
namespace {

// The roll stops once the first link is back at this top or above.
constexpr int kRestTop = 3;
constexpr int kRollStep = 2;
constexpr int kLinkMargin = 5;

const std::string& slot(const std::vector<std::string>& list, std::int32_t n) {
    static const std::string kEmpty;
    return n >= 0 && static_cast<size_t>(n) < list.size() ? list[static_cast<size_t>(n)] : kEmpty;
}

}  // namespace

void AdDisplay::listsArrived(AdLists arrived) {
    lists = std::move(arrived);
    AdIndex = 1;
    Link1Index = 0;
    Link2Index = 0;
}

void AdDisplay::fetchingBanner(std::int32_t n) { AdIndex = n; }

void AdDisplay::setLink(LinkLabel& label, const std::string& text, int paneLeft) {
    label.caption = text;
    label.hint = text;
    label.width = std::min(platform_.linkTextWidth(text), kLinkMaxWidth);
    label.left = paneLeft + kLinkPaneWidth - label.width - kLinkMargin;
}

void AdDisplay::switchLink(LinkLabel& label, std::int32_t& index, std::int32_t count,
                           const std::vector<std::string>& texts, int paneLeft) {
    // An empty list leaves the caption as it is; the label still re-enters from the lower edge.
    if (count > 0) {
        if (++index > count) index = 1;
        setLink(label, slot(texts, index), paneLeft);
    }
    label.top = label.height;
}

void AdDisplay::playBanner(const std::string& path) {
    BannerPlayer& banner = form_.ShockwaveFlash1;
    banner.playing = false;
    banner.Movie = path;
    ++banner.loads;
    banner.playing = true;
}

void AdDisplay::startRolling() {
    RollSwitched = 0;
    form_.TimerRoll.enabled = true;
}

void AdDisplay::handOver(const std::string& bannerPath) {
    form_.LbTextLink1.visible = form_.LbTextLink2.visible = true;
    // An empty list leaves its link as it is: there is no entry 1 to show.
    if (lists.Link1Count > 0) setLink(form_.LbTextLink1, slot(lists.Link1Text, 1), kLinkPane1Left);
    if (lists.Link2Count > 0) setLink(form_.LbTextLink2, slot(lists.Link2Text, 1), kLinkPane2Left);
    startRolling();
    form_.ShockwaveFlash1.WMode = "transparent";
    playBanner(bannerPath);
}

void AdDisplay::startRotation() { form_.TimerAd.enabled = true; }

void AdDisplay::TimerAdTimer() {
    // Without banners there is nothing to step to.
    if (lists.AdCount <= 0) return;
    if (++AdIndex > lists.AdCount) AdIndex = 1;
    const std::string& name = slot(lists.AdFile, AdIndex);
    if (isSafeBannerName(name)) {
        const std::string path = programFolder + name;
        std::error_code ignored;
        if (std::filesystem::is_regular_file(path, ignored)) playBanner(path);
    }
    startRolling();
}

void AdDisplay::TimerRollTimer() {
    LinkLabel& link1 = form_.LbTextLink1;
    LinkLabel& link2 = form_.LbTextLink2;
    link1.top -= kRollStep;
    link2.top -= kRollStep;
    if (link1.top < -link1.height) {
        switchLink(link1, Link1Index, lists.Link1Count, lists.Link1Text, kLinkPane1Left);
        switchLink(link2, Link2Index, lists.Link2Count, lists.Link2Text, kLinkPane2Left);
        RollSwitched = 1;
    }
    if (RollSwitched == 1 && link1.top <= kRestTop) form_.TimerRoll.enabled = false;
}

void AdDisplay::LbTextLink1Click() { platform_.openUrl(slot(lists.Link1Url, Link1Index)); }

void AdDisplay::LbTextLink2Click() { platform_.openUrl(slot(lists.Link2Url, Link2Index)); }

void AdDisplay::LbTextLink1MouseMove() { form_.LbTextLink1.look = LinkLook::Hover; }

void AdDisplay::LbTextLink2MouseMove() { form_.LbTextLink2.look = LinkLook::Hover; }

void AdDisplay::LbTextLink1MouseLeave() { form_.LbTextLink1.look = LinkLook::WindowText; }

void AdDisplay::LbTextLink2MouseLeave() { form_.LbTextLink2.look = LinkLook::WindowText; }

void AdDisplay::ApplicationEvents1Message(int message, bool pointerOverBanner, bool& handled) {
    if (message != kWmLButtonDown || !pointerOverBanner) return;
    handled = true;
    // Before the lists arrive, or after a run without a valid page, there is no address to open.
    if (AdIndex >= 1 && AdIndex <= lists.AdCount) platform_.openUrl(slot(lists.AdUrl, AdIndex));
}

}  // namespace zuvo
