// SPDX-License-Identifier: MIT
// Answering: the buttons' values, judging against the shown standard answer, the exam's pause and what other
// handlers may do during it, and the wait itself.
#include <gtest/gtest.h>

#include "bank/data_module.h"
#include "bank/error.h"
#include "core/main_window.h"
#include "tests/support/fake_platform.h"
#include "tests/support/started_window.h"
#include "tests/support/test_bank.h"

namespace zuvo {
namespace {

using test::choice;
using test::trueFalse;

const std::string kPad(8, ' ');

BankSource answerSource() {
    Question blankType = choice(3, "类型两侧有空格", {"a", "b", "c", "d"}, "C");
    blankType.kind = " xz ";
    Question capitals = choice(5, "类型大写", {"a", "b", "c", "d"}, "A");
    capitals.kind = "XZ";
    return test::sourceWith({
        choice(1, "选择题", {"甲", "乙", "丙", "丁"}, "B"),
        trueFalse(2, "判断题", "错"),
        blankType,
        choice(4, "没有标准答案", {"a", "b", "c", "d"}, "  "),
        capitals,
        choice(6, "最后一题", {"a", "b", "c", "d"}, "D"),
    });
}

class Answering : public test::StartedWindow {
  protected:
    Answering() : StartedWindow(answerSource()) {}
    void SetUp() override {
        StartedWindow::SetUp();
        platform.delays.clear();
    }
    void exam() { main.state.ModeName = kExamModeName; }
};

struct JudgeCase {
    const char* name;
    int question;
    void (MainWindowLogic::*button)();
    const char* given;
    bool right;
};

class Judging : public Answering, public testing::WithParamInterface<JudgeCase> {};

TEST_P(Judging, RecordsJudgesAndShowsTheAnswer) {
    const JudgeCase& c = GetParam();
    show(c.question);
    const int repaints = platform.repaints;
    (main.*c.button)();
    EXPECT_EQ(main.state.Answer[c.question], c.given);
    EXPECT_EQ(main.state.RightFlag[c.question], c.right ? 1 : 0);
    EXPECT_EQ(main.form.LbDa2.caption, kPad + c.given + kPad);
    EXPECT_EQ(main.form.Image1.picture.name, c.right ? kRightBitmap : kWrongBitmap);
    EXPECT_FALSE(main.form.Image1.picture.empty());
    EXPECT_GT(platform.repaints, repaints);
    // Practice: no pause, the question stays.
    EXPECT_TRUE(platform.delays.empty());
    EXPECT_EQ(main.state.CurNo, c.question);
}

INSTANTIATE_TEST_SUITE_P(Buttons, Judging,
                         testing::Values(JudgeCase{"choice_right", 1, &MainWindowLogic::BtnBClick, "B", true},
                                         JudgeCase{"choice_wrong", 1, &MainWindowLogic::BtnAClick, "A", false},
                                         JudgeCase{"choice_d", 6, &MainWindowLogic::BtnDClick, "D", true},
                                         JudgeCase{"true_false_cuo_right", 2, &MainWindowLogic::BtnBClick, "错", true},
                                         JudgeCase{"true_false_dui_wrong", 2, &MainWindowLogic::BtnAClick, "对", false},
                                         JudgeCase{"type_trimmed", 3, &MainWindowLogic::BtnCClick, "C", true},
                                         JudgeCase{"type_trimmed_letter_a", 3, &MainWindowLogic::BtnAClick, "A", false},
                                         JudgeCase{"blank_standard_judges_all_wrong", 4, &MainWindowLogic::BtnAClick,
                                                   "A", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Answering, TheLatestAnswerCountsAndShowsAgainAfterMoving) {
    main.BtnBClick();
    main.BtnAClick();
    EXPECT_EQ(main.state.Answer[1], "A");
    EXPECT_EQ(main.state.RightFlag[1], 0);
    EXPECT_EQ(main.form.Image1.picture.name, kWrongBitmap);
    main.BtnNextClick();
    EXPECT_EQ(main.form.LbDa2.caption, std::string(17, ' '));
    EXPECT_TRUE(main.form.Image1.picture.empty());
    main.BtnPerClick();
    EXPECT_EQ(main.form.LbDa2.caption, kPad + "A" + kPad);
    EXPECT_EQ(main.form.Image1.picture.name, kWrongBitmap);
    main.BtnBClick();
    EXPECT_EQ(main.state.RightFlag[1], 1);
}

TEST_F(Answering, AQuestionOfNoKnownTypeTakesNoAnswerFromAOrB) {
    show(5);
    const int repaints = platform.repaints;
    main.BtnAClick();
    main.BtnBClick();
    EXPECT_EQ(main.state.Answer[5], "");
    EXPECT_EQ(platform.repaints, repaints);
    // C and D are hidden there; their handlers pass their letter regardless, as the buttons would.
    EXPECT_FALSE(main.form.BtnC.visible);
    main.BtnCClick();
    EXPECT_EQ(main.state.Answer[5], "C");
}

TEST_F(Answering, ExamAnswerPausesThenMovesOn) {
    exam();
    show(2);
    main.BtnAClick();
    EXPECT_EQ(platform.delays, std::vector<int>{750});
    EXPECT_EQ(main.state.Answer[2], "对");
    EXPECT_EQ(main.state.RightFlag[2], 0);
    EXPECT_EQ(main.state.CurNo, 3);
    EXPECT_EQ(main.form.lblTm.caption, "类型两侧有空格");
    EXPECT_EQ(main.form.LbDa2.caption, std::string(17, ' '));
}

TEST_F(Answering, ExamAnswerOnTheLastQuestionStaysThere) {
    exam();
    show(6);
    main.BtnDClick();
    EXPECT_EQ(platform.delays, std::vector<int>{750});
    EXPECT_EQ(main.state.CurNo, 6);
    EXPECT_EQ(main.form.lblTm.caption, "最后一题");
    EXPECT_EQ(main.state.RightFlag[6], 1);
}

TEST_F(Answering, SecondAnswerDuringThePauseCountsForTheSameQuestionAndMovesAgain) {
    exam();
    show(1);
    platform.during = [this] { main.BtnBClick(); };
    main.BtnAClick();
    EXPECT_EQ(main.state.Answer[1], "B");
    EXPECT_EQ(main.state.RightFlag[1], 1);
    EXPECT_EQ(main.state.Answer[2], "");
    EXPECT_EQ(main.state.CurNo, 3);
    EXPECT_EQ(platform.delays, (std::vector<int>{750, 750}));
}

TEST_F(Answering, MoveDuringThePauseIsDoneAndTheAdvanceFollowsFromThere) {
    exam();
    show(4);
    platform.during = [this] {
        main.BtnPerClick();
        main.BtnPerClick();
    };
    main.BtnAClick();
    EXPECT_EQ(main.state.Answer[4], "A");
    EXPECT_EQ(main.state.CurNo, 3);
    EXPECT_EQ(main.form.lblTm.caption, "类型两侧有空格");
}

TEST_F(Answering, HandInDuringThePauseLeavesTheAdvanceToShowTheReview) {
    exam();
    show(1);
    platform.during = [this] { main.state.HandedIn = "1"; };
    main.BtnBClick();
    EXPECT_EQ(main.state.CurNo, 2);
    EXPECT_EQ(main.form.LbPd.caption, "错误！标准答案为： 错");
}

TEST_F(Answering, SetUpDuringThePauseReplacesTheSetSafely) {
    exam();
    show(6);
    // A new set of two questions while the answer to question 6 waits: the advance works on the new set.
    platform.during = [this] {
        main.state.reset(2);
        main.state.CurNo = 1;
    };
    main.BtnDClick();
    EXPECT_EQ(main.state.CurNo, 2);
    EXPECT_EQ(main.form.lblWord.caption, "，第 2 题，共 2 题");
}

TEST(AnsweringWithoutABank, ButtonsDoNothing) {
    test::TestBank empty;
    DataModule data;
    data.DataModuleCreate(empty.dir());
    test::FakePlatform platform;
    MainWindowLogic main{data, platform};
    EXPECT_THROW(main.FormCreate(), Error);
    for (auto button : {&MainWindowLogic::BtnAClick, &MainWindowLogic::BtnBClick, &MainWindowLogic::BtnCClick,
                        &MainWindowLogic::BtnDClick}) {
        (main.*button)();
    }
    EXPECT_TRUE(main.state.Answer.empty());
    EXPECT_EQ(main.form.LbDa2.caption, std::string(18, ' '));
    EXPECT_TRUE(main.form.Image1.picture.empty());
}

struct DelayCase {
    const char* name;
    std::uint32_t startTicks;
    int ms;
    int tickStep;
    std::vector<int> waits;  // what each pass of event handling was asked to wait
};

class Waiting : public testing::TestWithParam<DelayCase> {};

TEST_P(Waiting, HandlesEventsUntilTheTimeHasPassed) {
    const DelayCase& c = GetParam();
    test::TestBank bank{test::sourceWith({choice(1, "题", {"a", "b", "c", "d"}, "A")})};
    DataModule data;
    test::FakePlatform platform;
    MainWindowLogic main{data, platform};
    platform.ticks = c.startTicks;
    platform.tickStep = c.tickStep;
    main.Delay(c.ms);
    EXPECT_EQ(platform.delays, c.waits);
}

INSTANTIATE_TEST_SUITE_P(
    Delay, Waiting,
    testing::Values(DelayCase{"zero_still_one_pass", 5, 0, 0, {0}}, DelayCase{"negative_as_zero", 5, -20, 0, {0}},
                    DelayCase{"timer_on_time", 1000, 750, -1, {750}},
                    DelayCase{"early_wakeups_wait_the_rest", 1000, 750, 300, {750, 450, 150}},
                    DelayCase{"counter_wraps_during_the_wait", 0xFFFFFF00u, 750, 300, {750, 450, 150}},
                    DelayCase{"late_wakeup_ends_it", 0xFFFFFFFFu, 750, 5000, {750}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zuvo
