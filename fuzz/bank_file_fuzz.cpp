// SPDX-License-Identifier: MIT
// Fuzzes a damaged bank: the input is Word.mdb, and the main window starts on it and runs every set-up a learner
// can reach, with answers, moves, searches and the hand-in. Each step may fail with Error, whose text the window
// shows; anything else is a fault.

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <string_view>

#include "bank/data_module.h"
#include "bank/error.h"
#include "core/main_window.h"
#include "core/platform.h"
#include "fuzz/scratch_folder.h"
#include "resources/resources.h"

namespace {

// Boxes answer OK, pauses take no time but move the tick counter (the exam's pause waits for it), the clock
// stands still unless a step moves it.
class QuietPlatform : public zuvo::Platform {
  public:
    void showMessage(const std::string&) override {}
    bool askOkCancel(const std::string&) override { return true; }
    void delay(int ms) override { ticks += static_cast<std::uint32_t>(ms > 0 ? ms : 1); }
    void repaint() override {}
    zuvo::DateTime now() override { return clock; }
    std::uint32_t tickCount() override { return ticks; }
    std::uint64_t performanceCounter() override { return counter++; }
    int linkTextWidth(const std::string& text) override { return static_cast<int>(text.size()) * 6; }
    void openUrl(const std::string&) override {}
    void runOnUiThread(std::function<void()> task) override { task(); }

    zuvo::DateTime clock = 46000.5;
    std::uint32_t ticks = 0;
    std::uint64_t counter = 1;
};

// The smallest picture compiled in: the start picture has nothing to do with the bank, and decoding the full one
// at every input would take most of the time.
std::string smallestPicture() {
    std::string name = zuvo::kStartPicture;
    size_t smallest = SIZE_MAX;
    for (size_t i = 0; i < zuvo::detail::kResourceCount; ++i) {
        const auto& resource = zuvo::detail::kResources[i];
        const auto bytes = static_cast<size_t>(resource.end - resource.begin);
        if (std::string_view(resource.type) == "JPEG" && bytes < smallest) {
            smallest = bytes;
            name = resource.name;
        }
    }
    return name;
}

void step(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const zuvo::Error&) {
        // Shown to the learner by the window's guard: the expected outcome for a damaged bank.
    }
}

// Up to this many entries of each list are tried: enough to reach every path, few enough to stay fast.
constexpr int kTried = 2;

void answerAndMove(zuvo::MainWindowLogic& main) {
    step([&] { main.BtnAClick(); });
    step([&] { main.BtnNextClick(); });
    step([&] { main.BtnBClick(); });
    // C and D by the keypad, which presses them only where they show, as a learner can.
    step([&] { main.allKeyD(zuvo::kVkNumpad0 + 3); });
    step([&] { main.BtnPerClick(); });
    step([&] { main.FormKeyDown(zuvo::kVkNumpad0 + 4); });
    step([&] { main.allKeyD(zuvo::kVkNumpad0 + 6); });
    step([&] {
        main.BtnTurnClick();
        main.form.Edit1.caption = "2";
        main.Edit1KeyDown(zuvo::kVkReturn);
    });
    step([&] { main.tmrAutoWordTimer(); });
}

void runMode(zuvo::MainWindowLogic& main, QuietPlatform& platform, int mode) {
    using Click = void (zuvo::MainWindowLogic::*)();
    static constexpr Click kGroupItems[] = {
        &zuvo::MainWindowLogic::RzGroup1Items0Click, &zuvo::MainWindowLogic::RzGroup1Items1Click,
        &zuvo::MainWindowLogic::RzGroup1Items2Click, &zuvo::MainWindowLogic::RzGroup1Items3Click,
        &zuvo::MainWindowLogic::RzGroup1Items4Click};
    step([&] { (main.*kGroupItems[mode])(); });
    const int types = static_cast<int>(main.selTm.form.ComboBoxEx1.items.size());
    for (int type = 0; type < types && type < kTried; ++type) {
        main.selTm.form.ComboBoxEx1.itemIndex = type;
        switch (mode) {
            case zuvo::kCategoryMode:
                step([&] { main.selTm.BtnFlClick(); });
                break;
            case zuvo::kSequentialMode:
                step([&] { main.selTm.BtnSxClick(); });
                break;
            case zuvo::kRandomMode:
                step([&] { main.selTm.BtnLxClick(); });
                break;
            case zuvo::kExamMode:
                step([&] { main.selTm.BtnKsClick(); });
                break;
            default:
                step([&] { main.selTm.BtnZdClick(); });
                break;
        }
        if (mode == zuvo::kCategoryMode) {
            const int categories = static_cast<int>(main.form.ComboBoxEx1.items.size());
            for (int category = categories - 1; category >= 0 && category >= categories - kTried; --category) {
                main.form.ComboBoxEx1.itemIndex = category;
                step([&] { main.ComboBoxEx1Change(); });
            }
        }
        answerAndMove(main);
        step([&] { main.BtnJcltClick(); });  // the search for a gap, a redraw, or a cancelled key point
        if (mode == zuvo::kExamMode && type == 1) {
            // The second paper runs out of time rather than being handed in.
            platform.clock += 1.0 / 24;
            step([&] { main.TimerKsTimer(); });
        }
        step([&] { main.BtnExitClick(); });
        step([&] { main.BtnJcltClick(); });        // after a hand-in: a new paper
        step([&] { main.selTm.BitBtn3Click(); });  // OK in the dialog: the set-up of the mode chosen
    }
}

}  // namespace

// Input: the bytes of Word.mdb.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    static const zuvo::fuzz::ScratchFolder folder("zuvo-fuzz-bank");
    folder.clear();
    std::ofstream(folder.dir + "/" + zuvo::kBankFileName, std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    zuvo::DataModule bank;
    bank.DataModuleCreate(folder.dir);
    QuietPlatform platform;
    zuvo::MainWindowLogic main(bank, platform);
    static const std::string picture = smallestPicture();
    main.startPicture = picture;
    step([&] { main.FormCreate(); });
    answerAndMove(main);
    for (int mode = zuvo::kCategoryMode; mode <= zuvo::kKeyPointMode; ++mode) runMode(main, platform, mode);
    return 0;
}
