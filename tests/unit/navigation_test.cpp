// SPDX-License-Identifier: MIT
// Moving through the set: number entry and the jump by number, the number box's character filter, and the
// keypad commands of the buttons and the window.
#include <gtest/gtest.h>

#include <functional>

#include "bank/data_module.h"
#include "core/main_window.h"
#include "tests/support/expect_error.h"
#include "tests/support/fake_platform.h"
#include "tests/support/started_window.h"
#include "tests/support/test_bank.h"

namespace zuvo {
namespace {

using test::choice;
using test::trueFalse;

// Twelve questions: choice questions, except number 3, a true/false one.
BankSource twelveQuestions() {
    std::vector<Question> questions;
    for (int id = 1; id <= 12; ++id) {
        questions.push_back(id == 3 ? trueFalse(id, "判断题", "对")
                                    : choice(id, "第" + std::to_string(id) + "题", {"a", "b", "c", "d"}, "A"));
    }
    return test::sourceWith(questions);
}

class Navigation : public test::StartedWindow {
  protected:
    Navigation() : StartedWindow(twelveQuestions()) {}
    // Types text into the number box and presses Enter, as the learner does during number entry.
    void jump(const std::string& typed) {
        main.form.Edit1.caption = typed;
        main.Edit1KeyDown(kVkReturn);
    }
    bool inNumberEntry() const { return main.form.Edit1.enabled; }
};

TEST_F(Navigation, NumberEntryLocksTheMovesAndAnswersUntilLeft) {
    const MainForm& f = main.form;
    main.BtnTurnClick();
    EXPECT_TRUE(f.Edit1.enabled && f.Label2.enabled && f.Label3.enabled);
    for (const Control* off : {&f.BtnA, &f.BtnB, &f.BtnC, &f.BtnD, &f.BtnPer, &f.BtnNext}) EXPECT_FALSE(off->enabled);
    EXPECT_TRUE(f.BtnJclt.enabled && f.BtnExit.enabled && f.BtnTurn.enabled);
    main.BtnTurnClick();
    EXPECT_FALSE(f.Edit1.enabled || f.Label2.enabled || f.Label3.enabled);
    for (const Control* on : {&f.BtnA, &f.BtnB, &f.BtnC, &f.BtnD, &f.BtnPer, &f.BtnNext}) EXPECT_TRUE(on->enabled);
}

TEST_F(Navigation, AfterHandInNumberEntryLeavesTheAnswerButtonsOff) {
    main.state.HandedIn = "1";
    for (Control* button : {&main.form.BtnA, &main.form.BtnB, &main.form.BtnC, &main.form.BtnD})
        button->enabled = false;
    main.BtnTurnClick();
    main.BtnTurnClick();
    EXPECT_FALSE(main.form.BtnA.enabled || main.form.BtnD.enabled);
    EXPECT_TRUE(main.form.BtnPer.enabled && main.form.BtnNext.enabled);
}

// A text typed into the number box, and the case's name.
struct Typed {
    const char* name;
    const char* typed;
};

class RefusedNumbers : public Navigation, public testing::WithParamInterface<Typed> {};

TEST_P(RefusedNumbers, ShowTheMessageAndResetTheBox) {
    show(5);
    main.BtnTurnClick();
    jump(GetParam().typed);
    EXPECT_EQ(platform.messages, std::vector<std::string>{"没有这道题目，请检查题号！"});
    EXPECT_EQ(main.form.Edit1.caption, "1");
    EXPECT_EQ(main.state.CurNo, 5);
    EXPECT_EQ(main.form.lblTm.caption, "第5题");
    EXPECT_TRUE(inNumberEntry());
}

INSTANTIATE_TEST_SUITE_P(Edit1, RefusedNumbers,
                         testing::Values(Typed{"zero", "0"}, Typed{"one_above_the_count", "13"},
                                         Typed{"seven_characters", "0000012"},
                                         Typed{"seven_characters_too_large", "9999999"}, Typed{"negative", "-3"}),
                         [](const auto& info) { return std::string(info.param.name); });

class NotNumbers : public Navigation, public testing::WithParamInterface<Typed> {};

TEST_P(NotNumbers, FailWithTheConversionErrorAndChangeNothing) {
    show(5);
    main.BtnTurnClick();
    const std::string typed = GetParam().typed;
    EXPECT_THROW_MSG(jump(typed), "'" + typed + "' is not a valid integer value");
    EXPECT_EQ(main.form.Edit1.caption, typed);
    EXPECT_EQ(main.state.CurNo, 5);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(inNumberEntry());
}

INSTANTIATE_TEST_SUITE_P(Edit1, NotNumbers,
                         testing::Values(Typed{"empty", ""}, Typed{"dot", "."}, Typed{"decimal", "1.5"},
                                         Typed{"sign_alone", "+"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Navigation, LeadingZerosJumpAndLeaveNumberEntry) {
    main.BtnTurnClick();
    jump("000012");
    EXPECT_EQ(main.state.CurNo, 12);
    EXPECT_EQ(main.form.lblTm.caption, "第12题");
    EXPECT_EQ(main.form.lblWord.caption, "，第 12 题，共 12 题");
    EXPECT_EQ(main.form.Edit1.caption, "000012") << "the box keeps the text as typed";
    EXPECT_FALSE(inNumberEntry());
    EXPECT_TRUE(main.form.BtnNext.enabled && main.form.BtnA.enabled);
}

TEST_F(Navigation, JumpShowsNoAnswerButMovingBackShowsItAgain) {
    show(4);
    main.BtnAClick();
    main.state.HandedIn = "1";
    show(2);
    const std::string judgementOfTwo = main.form.LbPd.caption;
    main.BtnTurnClick();
    jump("4");
    EXPECT_EQ(main.form.LbDa2.caption, std::string(17, ' '));
    EXPECT_TRUE(main.form.Image1.picture.empty());
    EXPECT_EQ(main.form.LbPd.caption, judgementOfTwo) << "the judgement line is left from the question before";
    main.BtnNextClick();
    main.BtnPerClick();
    EXPECT_EQ(main.form.LbDa2.caption, std::string(8, ' ') + "A" + std::string(8, ' '));
    EXPECT_EQ(main.form.Image1.picture.name, kRightBitmap);
}

TEST_F(Navigation, OnlyEnterJumps) {
    main.BtnTurnClick();
    main.form.Edit1.caption = "7";
    for (int key : {0x0A, 0x20, 0x67, 0x37}) main.Edit1KeyDown(key);
    EXPECT_EQ(main.state.CurNo, 1);
    EXPECT_TRUE(inNumberEntry());
}

TEST(NumberBoxFilter, KeepsDigitsDotAndBackspaceOnly) {
    test::TestBank bank{twelveQuestions()};
    DataModule data;
    test::FakePlatform platform;
    MainWindowLogic main{data, platform};
    for (char32_t kept : {U'0', U'5', U'9', U'.', char32_t{8}}) EXPECT_EQ(main.Edit1KeyPress(kept), kept);
    for (char32_t dropped : {U'a', U'-', U'+', U' ', U'一', U'５', char32_t{13}, char32_t{27}}) {
        EXPECT_EQ(main.Edit1KeyPress(dropped), 0u) << static_cast<unsigned>(dropped);
    }
}

// One keypad key, its button, and what its click visibly does when started on question 2 (a choice question).
struct KeyCase {
    const char* name;
    int key;
    Control MainForm::*button;
    std::function<bool(const MainWindowLogic&)> acted;
};

class KeyMap : public Navigation, public testing::WithParamInterface<KeyCase> {
  protected:
    using Handler = void (MainWindowLogic::*)(int);
    bool pressActs(Handler handler, bool enabled, bool visible) {
        main.FormCreate();
        show(2);
        main.form.*GetParam().button = Control{(main.form.*GetParam().button).caption, visible, enabled};
        (main.*handler)(GetParam().key);
        return GetParam().acted(main);
    }
};

TEST_P(KeyMap, ActsExactlyWhenItsButtonCouldBeClicked) {
    for (Handler handler : {&MainWindowLogic::allKeyD, &MainWindowLogic::FormKeyDown}) {
        EXPECT_TRUE(pressActs(handler, true, true));
        EXPECT_FALSE(pressActs(handler, false, true));
        EXPECT_FALSE(pressActs(handler, true, false));
        EXPECT_FALSE(pressActs(handler, false, false));
    }
}

bool answered(const MainWindowLogic& m, const char* value) { return m.state.Answer[2] == value; }

INSTANTIATE_TEST_SUITE_P(
    Keypad, KeyMap,
    testing::Values(
        KeyCase{"keypad1_answers_a", 0x61, &MainForm::BtnA, [](const MainWindowLogic& m) { return answered(m, "A"); }},
        KeyCase{"keypad2_answers_b", 0x62, &MainForm::BtnB, [](const MainWindowLogic& m) { return answered(m, "B"); }},
        KeyCase{"keypad3_answers_c", 0x63, &MainForm::BtnC, [](const MainWindowLogic& m) { return answered(m, "C"); }},
        KeyCase{"keypad4_answers_d", 0x64, &MainForm::BtnD, [](const MainWindowLogic& m) { return answered(m, "D"); }},
        KeyCase{"keypad5_previous", 0x65, &MainForm::BtnPer,
                [](const MainWindowLogic& m) { return m.state.CurNo == 1; }},
        KeyCase{"keypad6_next", 0x66, &MainForm::BtnNext, [](const MainWindowLogic& m) { return m.state.CurNo == 3; }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Navigation, OtherKeysAreNoCommands) {
    show(2);
    // The main keyboard's digits, the keypad with Num Lock off (Insert, End, Down, Page Down, Left, Clear, Right,
    // Home), the keypad's other keys, and codes around the map.
    for (int key : {0x30, 0x31, 0x35, 0x36, 0x37, 0x2D, 0x23, 0x28, 0x22, 0x25, 0x0C, 0x27,
                    0x24, 0x68, 0x69, 0x6A, 0x6B, 0x6D, 0x6E, 0x6F, 0x5F, 0x0D, 0,    -1}) {
        main.allKeyD(key);
        main.FormKeyDown(key);
    }
    EXPECT_EQ(main.state.CurNo, 2);
    EXPECT_EQ(main.state.Answer[2], "");
}

TEST_F(Navigation, KeypadOnATrueFalseQuestion) {
    show(3);
    main.allKeyD(0x63);
    main.allKeyD(0x64);
    EXPECT_EQ(main.state.Answer[3], "") << "C and D are hidden on a true/false question";
    main.allKeyD(0x61);
    EXPECT_EQ(main.state.Answer[3], "对");
    main.allKeyD(0x62);
    EXPECT_EQ(main.state.Answer[3], "错");
}

TEST_F(Navigation, DuringNumberEntryOnlyTheModeKeysAreLive) {
    show(2);
    main.BtnTurnClick();
    for (int key = 0x61; key <= 0x66; ++key) main.allKeyD(key);
    EXPECT_EQ(main.state.CurNo, 2);
    EXPECT_EQ(main.state.Answer[2], "");
    EXPECT_TRUE(main.form.BtnJclt.enabled && main.form.BtnExit.enabled);
}

}  // namespace
}  // namespace zuvo
