// SPDX-License-Identifier: MIT
// What the main window shows, control by control, under the controls' designer names. The logic writes it; the
// window only mirrors it.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "resources/image.h"

namespace zuvo {

struct Picture {
    std::string name;  // resource name; empty for no picture
    std::shared_ptr<const Image> image;

    bool empty() const { return image == nullptr; }
};

struct Control {
    std::string caption;  // caption of a label or button, text of an edit box
    bool visible = true;
    bool enabled = true;
};

struct PictureBox {
    Picture picture;
    bool visible = true;
};

struct Panel {
    int width = 0;
    int height = 0;
    bool visible = false;
};

struct TimerState {
    bool enabled = false;
    int interval = 1000;
};

// The look of a text link: its design colour, the hover look (blue, underlined), or the window-text colour.
enum class LinkLook { Black, Hover, WindowText };

// A text link of the status bar: a label sized to its caption, at most 210 wide, moved by the roll.
struct LinkLabel {
    std::string caption;
    std::string hint;
    bool visible = false;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 13;
    LinkLook look = LinkLook::WindowText;
};

// The banner player. Every load of a movie counts, so that loading the same file again restarts it.
struct BannerPlayer {
    std::string WMode = "Window";
    std::string Movie;
    bool playing = false;
    unsigned loads = 0;
};

struct ComboBox {
    std::vector<std::string> items;
    int itemIndex = -1;
    bool visible = true;

    // New items with the first one selected, or none when there are none.
    void setItems(std::vector<std::string> values) {
        items = std::move(values);
        itemIndex = items.empty() ? -1 : 0;
    }
};

inline constexpr const char* kProgramTitle = "Vexa机动车驾照模拟考试系统 V1.3";

// The design-time outer size of the window and the sizes ShowPan measures the start picture's panel from.
inline constexpr int kFormOuterWidth = 800;
inline constexpr int kFormOuterHeight = 570;
inline constexpr int kGroupWidth = 141;
inline constexpr int kBannerStripHeight = 62;
inline constexpr int kStatusBarHeight = 19;
// The status-bar panes that frame the text links.
inline constexpr int kLinkPaneWidth = 250;
inline constexpr int kLinkPane1Left = 288;  // RzStatusPane3
inline constexpr int kLinkPane2Left = 538;  // RzStatusPane5
inline constexpr int kLinkMaxWidth = 210;

struct MainForm {
    Control LabTime2{"考试倒计时："};
    Control LabTime{""};
    ComboBox ComboBoxEx1;

    Control lblWord{"HuiDa1"};
    Control lblTm{"TiMu"};
    Control lbHD1{"HuiDa1"};
    Control lbHD2{"HuiDa2"};
    Control lbHD3{"HuiDa3"};
    Control lbHD4{"HuiDa4"};
    PictureBox Image2;
    Control LbDa2{std::string(18, ' ')};
    PictureBox Image1;
    Control LbPd{std::string(18, ' '), false};
    Control lbDA{"DA", false};

    Control BtnJclt{"检查漏题(0)"};
    Control BtnA{"A〔键1〕"};
    Control BtnB{"B〔键2〕"};
    Control BtnC{"C〔键3〕"};
    Control BtnD{"D〔键4〕"};
    Control BtnTurn{"转到"};
    Control Label2{"第", true, false};
    Control Edit1{"", true, false};  // enabled: white background; disabled: the inactive colour
    Control Label3{"题", true, false};
    Control BtnPer{"前一题〔5〕"};
    Control BtnNext{"后一题〔6〕"};
    Control BtnExit{"交卷〔7〕"};
    Control BtnAd2{"广告", false};

    Panel Panel1;
    PictureBox Image3{{}, false};
    int Image3Width = 0;
    int Image3Height = 0;

    TimerState tmrAutoWord;
    TimerState TimerKs;
    BannerPlayer ShockwaveFlash1;
    LinkLabel LbTextLink1{"", "", false, 472, 0, 0, 13, LinkLook::Black};
    LinkLabel LbTextLink2{"", "", false, 736, 0, 0, 13, LinkLook::WindowText};
    TimerState TimerAd{false, 5000};
    TimerState TimerRoll{false, 100};
};

}  // namespace zuvo
