// SPDX-License-Identifier: MIT
// Choosing a mode: the group bar and the selection dialog, the practice set-ups with their question sets and
// window states, the category switch, and the practice modes' two commands.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <numeric>

#include "bank/error.h"
#include "bank/statements.h"
#include "core/main_window.h"
#include "core/text.h"
#include "tests/support/started_window.h"

namespace zuvo {
namespace {

using test::choice;
using test::trueFalse;

Question question(std::int64_t id, const char* types, const char* category, const char* keyPoint = "") {
    Question q = id % 2 ? choice(id, "题" + std::to_string(id), {"a", "b", "c", "d"}, "A")
                        : trueFalse(id, "题" + std::to_string(id), "对");
    q.types = types;
    q.category = category;
    q.keyPoint = keyPoint;
    return q;
}

// C1 (小型汽车): 1, 2, 4, 5, 7; category 01 of C1: 1, 5, 7; key points of C1: 4, 5. A1 (大型客车): 2, 3, 6, 7.
BankSource mixedTypes() {
    return test::sourceWith({question(1, "C1", "01"), question(2, "C1,A1", "02"), question(3, "A1", "01"),
                             question(4, "C1", "02", "1"), question(5, "C1", "01", "1"), question(6, "A1", "02", "1"),
                             question(7, "A1,C1", "01")});
}

using Ids = std::vector<std::string>;

class Modes : public test::StartedWindow {
  protected:
    Modes() : StartedWindow(mixedTypes()) {}

    // A group item clicked, the exam type in row `type` picked in the dialog and OK pressed.
    void choose(void (MainWindowLogic::*item)(), int type = 0) {
        main.selTm.runModal = [this, type] {
            dialogOpenedOn = main.selTm.form.ComboBoxEx1.itemIndex;
            main.selTm.form.ComboBoxEx1.itemIndex = type;
            main.selTm.BitBtn3Click();
        };
        (main.*item)();
    }
    // The ids of questions 1 to TmCount, in question order.
    Ids questionIds() {
        Ids ids;
        for (int n = 1; n <= main.state.TmCount; ++n) {
            show(n);
            ids.push_back(data.ADOWord.fieldByName("Id"));
        }
        return ids;
    }
    Ids sortedIds() {
        Ids ids = questionIds();
        std::sort(ids.begin(), ids.end());
        return ids;
    }

    // The exam-type list stays open from start-up on: a change to its table shows once it is read again.
    void reopenExamTypes() { data.ADOTmLx.reopen(statements::allExamTypes()); }

    int dialogOpenedOn = -2;
};

struct PracticeCase {
    const char* name;
    void (MainWindowLogic::*item)();
    Mode mode;
    Ids ids;        // in question order, or sorted where the set is shuffled
    bool shuffled;  // random and key-point practice
    bool categoryList;
    const char* command;  // BtnJclt's caption, or none when it is hidden
};

class PracticeSetUps : public Modes, public testing::WithParamInterface<PracticeCase> {};

TEST_P(PracticeSetUps, OpenTheirSetOnQuestionOneInTheirWindowState) {
    const PracticeCase& c = GetParam();
    main.form.TimerKs.enabled = true;
    main.form.BtnA.enabled = false;
    choose(c.item);

    const std::string name = kModeNames[c.mode];
    EXPECT_EQ(main.state.SelType, c.mode);
    EXPECT_EQ(main.state.ModeName, name);
    EXPECT_EQ(main.state.KslxDm, "C1");
    EXPECT_EQ(main.state.HandedIn, "0");
    EXPECT_EQ(main.form.lblWord.caption,
              "【小型汽车 " + name + "】，第 1 题，共 " + std::to_string(c.ids.size()) + " 题");
    EXPECT_EQ(main.form.Edit1.caption, "1");
    EXPECT_EQ(main.state.CurNo, 1);
    EXPECT_EQ(main.selTm.TypeCaption, "C1〔小型汽车〕");

    const MainForm& f = main.form;
    EXPECT_FALSE(main.selTm.form.visible);
    EXPECT_FALSE(f.Panel1.visible || f.Image3.visible) << "the start picture is taken away";
    EXPECT_FALSE(f.TimerKs.enabled);
    EXPECT_TRUE(f.Image1.visible);
    EXPECT_FALSE(f.LbPd.visible || f.LabTime.visible || f.LabTime2.visible);
    EXPECT_EQ(f.BtnExit.caption, "结束(7)");
    EXPECT_EQ(f.ComboBoxEx1.visible, c.categoryList);
    EXPECT_EQ(f.BtnJclt.visible, c.command != nullptr);
    if (c.command) {
        EXPECT_EQ(f.BtnJclt.caption, c.command);
    }
    for (const Control* button : {&f.BtnA, &f.BtnB, &f.BtnC, &f.BtnD}) EXPECT_TRUE(button->enabled);

    // The rendered question 1 is the first entry of the order; the state holds what the set-up drew.
    const std::string shownFirst = data.ADOWord.fieldByName("Id");
    EXPECT_EQ(f.lblTm.caption, "题" + shownFirst);
    EXPECT_EQ(c.shuffled ? sortedIds() : questionIds(), c.ids);
    EXPECT_EQ(main.state.TmOrder.back(), main.state.TmCount) << "the last entry keeps its value";
    for (int n = 0; n <= main.state.TmCount; ++n) {
        EXPECT_EQ(main.state.RightFlag[static_cast<size_t>(n)], 0);
        EXPECT_EQ(main.state.Answer[static_cast<size_t>(n)], "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Practice, PracticeSetUps,
    testing::Values(
        PracticeCase{
            "category", &MainWindowLogic::RzGroup1Items0Click, kCategoryMode, {"1", "5", "7"}, false, true, nullptr},
        PracticeCase{"sequential",
                     &MainWindowLogic::RzGroup1Items1Click,
                     kSequentialMode,
                     {"1", "2", "4", "5", "7"},
                     false,
                     false,
                     nullptr},
        PracticeCase{"random",
                     &MainWindowLogic::RzGroup1Items2Click,
                     kRandomMode,
                     {"1", "2", "4", "5", "7"},
                     true,
                     false,
                     "重新抽题(0)"},
        PracticeCase{
            "key_point", &MainWindowLogic::RzGroup1Items4Click, kKeyPointMode, {"4", "5"}, true, false, "取消重点(0)"}),
    [](const testing::TestParamInfo<PracticeCase>& info) { return std::string(info.param.name); });

TEST_F(Modes, TheDialogListsEveryExamTypeAndAlwaysOpensOnTheFirst) {
    choose(&MainWindowLogic::RzGroup1Items1Click, 1);
    EXPECT_EQ(main.selTm.form.ComboBoxEx1.items, (std::vector<std::string>{"C1〔小型汽车〕", "A1〔大型客车〕"}));
    EXPECT_EQ(dialogOpenedOn, 0);
    EXPECT_EQ(main.state.KslxDm, "A1");
    EXPECT_EQ(main.form.lblWord.caption, "【大型客车 顺序练习】，第 1 题，共 4 题");
    EXPECT_EQ(questionIds(), (Ids{"2", "3", "6", "7"}));

    choose(&MainWindowLogic::RzGroup1Items1Click, 1);
    EXPECT_EQ(dialogOpenedOn, 0) << "the choice made last time is not remembered";
}

TEST_F(Modes, CancelLeavesTheStartPictureTheStoppedClockAndTheSet) {
    choose(&MainWindowLogic::RzGroup1Items1Click);
    show(3);
    main.form.TimerKs.enabled = true;
    main.selTm.runModal = [this] {
        EXPECT_TRUE(main.selTm.form.visible);
        EXPECT_FALSE(main.form.TimerKs.enabled) << "stopped before the dialog shows";
        EXPECT_TRUE(main.form.Panel1.visible);
        main.selTm.BitBtn1Click();
    };
    main.RzGroup1Items4Click();

    EXPECT_FALSE(main.selTm.form.visible);
    EXPECT_FALSE(main.form.TimerKs.enabled);
    EXPECT_TRUE(main.form.Panel1.visible && main.form.Image3.visible);
    EXPECT_EQ(main.state.SelType, kKeyPointMode);
    EXPECT_EQ(main.state.ModeName, "顺序练习");
    EXPECT_EQ(main.state.TmCount, 5);
    EXPECT_EQ(main.state.CurNo, 3);
}

TEST_F(Modes, OkWithoutAnyExamTypeRunsNoSetUpAndKeepsTheDialogOpen) {
    bank.exec("delete from tmlx");
    reopenExamTypes();
    main.selTm.runModal = [this] { main.selTm.BitBtn3Click(); };
    main.RzGroup1Items1Click();
    EXPECT_EQ(main.selTm.form.ComboBoxEx1.itemIndex, -1);
    EXPECT_EQ(platform.messages, std::vector<std::string>{kNoExamType});
    EXPECT_TRUE(main.selTm.form.visible);
    EXPECT_TRUE(main.form.Panel1.visible);
    EXPECT_EQ(main.state.ModeName, "");
}

TEST_F(Modes, AStoreErrorStopsTheSetUpWithTheDialogStillOpen) {
    bank.exec("drop table word");
    main.selTm.runModal = [this] { EXPECT_THROW(main.selTm.BitBtn3Click(), Error); };
    main.RzGroup1Items1Click();
    EXPECT_TRUE(main.selTm.form.visible);
    EXPECT_TRUE(main.form.Panel1.visible);
}

TEST_F(Modes, AnExamTypeWithoutQuestionsGivesAnEmptySetThatTakesNoAnswer) {
    bank.exec("insert into tmlx values ('D', '城市公交车')");
    reopenExamTypes();
    choose(&MainWindowLogic::RzGroup1Items1Click, 2);
    const MainForm& f = main.form;
    EXPECT_EQ(f.lblWord.caption, "【城市公交车 顺序练习】，第 1 题，共 0 题");
    EXPECT_EQ(f.lblTm.caption, "");
    EXPECT_EQ(f.BtnA.caption, "对〔键1〕");
    EXPECT_FALSE(f.BtnC.visible || f.BtnD.visible);
    main.BtnAClick();
    EXPECT_EQ(f.LbDa2.caption, std::string(17, ' '));
}

TEST_F(Modes, KeyPointPracticeWithoutKeyPointsBecomesRandomPractice) {
    bank.exec("update word set zdtm = ''");
    choose(&MainWindowLogic::RzGroup1Items4Click);
    EXPECT_EQ(platform.messages, std::vector<std::string>{kNoKeyPoint});
    EXPECT_EQ(main.state.SelType, kRandomMode);
    EXPECT_EQ(main.state.ModeName, "随机练习");
    EXPECT_EQ(main.form.lblWord.caption, "【小型汽车 随机练习】，第 1 题，共 5 题");
    EXPECT_EQ(main.form.BtnJclt.caption, "重新抽题(0)");
    EXPECT_EQ(main.state.DrawTime, platform.clock);
    EXPECT_FALSE(main.selTm.form.visible);

    main.BtnJcltClick();
    EXPECT_EQ(platform.messages.back(), kRedrawTooSoon) << "its command follows the redraw rule";
}

TEST_F(Modes, ARandomSetIsRedrawnOnlyTwoMinutesAfterItsDraw) {
    constexpr DateTime kSecond = 1.0 / 86400;
    choose(&MainWindowLogic::RzGroup1Items2Click);
    const DateTime drawn = platform.clock;
    EXPECT_EQ(main.state.DrawTime, drawn);
    show(2);
    main.BtnAClick();
    const std::vector<std::int32_t> order = main.state.TmOrder;

    platform.clock = drawn + 119 * kSecond;
    main.allKeyD(kVkNumpad0);
    EXPECT_EQ(platform.messages, std::vector<std::string>{kRedrawTooSoon});
    EXPECT_EQ(main.state.TmOrder, order);
    EXPECT_EQ(main.state.CurNo, 2);
    EXPECT_NE(main.state.Answer[2], "");

    platform.clock = drawn + 121 * kSecond;
    main.allKeyD(kVkNumpad0);
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(main.state.DrawTime, platform.clock);
    EXPECT_EQ(main.state.CurNo, 1);
    EXPECT_EQ(main.state.Answer[2], "");
    EXPECT_EQ(sortedIds(), (Ids{"1", "2", "4", "5", "7"}));

    platform.clock += 60 * kSecond;
    main.BtnJcltClick();
    EXPECT_EQ(platform.messages.size(), 2u) << "the two minutes start again at the redraw";
}

TEST_F(Modes, CancellingAKeyPointTakesEffectAtTheNextKeyPointPractice) {
    choose(&MainWindowLogic::RzGroup1Items4Click);
    show(2);
    const std::string cancelled = data.ADOWord.fieldByName("Id");
    main.allKeyD(kVkNumpad0);
    EXPECT_EQ(platform.messages, std::vector<std::string>{kKeyPointCancelled});
    EXPECT_EQ(keyPointFlag(cancelled), "");
    EXPECT_EQ(main.state.TmCount, 2) << "the question stays in this run";
    EXPECT_EQ(sortedIds(), (Ids{"4", "5"}));

    choose(&MainWindowLogic::RzGroup1Items4Click);
    EXPECT_EQ(questionIds(), (Ids{cancelled == "4" ? "5" : "4"}));
    EXPECT_EQ(keyPointFlag("6"), "1") << "another exam type's key point is untouched";
}

TEST_F(Modes, PracticeLeavesTheBankAsItWas) {
    const std::string before = test::fileBytes(bank.path());
    for (auto item : {&MainWindowLogic::RzGroup1Items0Click, &MainWindowLogic::RzGroup1Items1Click,
                      &MainWindowLogic::RzGroup1Items2Click}) {
        choose(item);
        main.BtnBClick();
        main.BtnNextClick();
        main.BtnAClick();
        main.BtnExitClick();
    }
    main.form.ComboBoxEx1.itemIndex = 1;
    main.ComboBoxEx1Change();
    EXPECT_EQ(test::fileBytes(bank.path()), before);
}

TEST_F(Modes, TheCategorySwitchOpensThePickedCategoryOnQuestionOne) {
    choose(&MainWindowLogic::RzGroup1Items0Click);
    EXPECT_EQ(main.form.ComboBoxEx1.items, (std::vector<std::string>{"道路交通安全法律法规", "道路交通信号"}));
    EXPECT_EQ(main.form.ComboBoxEx1.itemIndex, 0);
    show(2);
    main.BtnBClick();
    ASSERT_FALSE(main.form.Image1.picture.empty());

    main.form.ComboBoxEx1.itemIndex = 1;
    main.ComboBoxEx1Change();
    EXPECT_EQ(main.state.CurNo, 1);
    EXPECT_EQ(main.form.lblWord.caption, "【小型汽车 分类练习】，第 1 题，共 2 题");
    EXPECT_EQ(main.form.Edit1.caption, "1");
    EXPECT_TRUE(main.form.Image1.picture.empty());
    EXPECT_EQ(main.form.LbDa2.caption, std::string(17, ' '));
    EXPECT_EQ(main.state.Answer[2], "");
    EXPECT_EQ(main.state.ModeName, "分类练习");
    EXPECT_EQ(questionIds(), (Ids{"2", "4"}));
}

TEST_F(Modes, TheEndButtonOfPracticeCoversTheQuestionAndKeepsTheRun) {
    choose(&MainWindowLogic::RzGroup1Items1Click);
    show(4);
    main.allKeyD(kVkNumpad7);
    EXPECT_TRUE(main.form.Panel1.visible && main.form.Image3.visible);
    EXPECT_EQ(main.state.CurNo, 4);
    EXPECT_EQ(main.state.ModeName, "顺序练习");
}

struct CaptionCase {
    const char* name;
    const char* caption;
    const char* code;
    const char* typeName;
};

class TypeCaptions : public testing::TestWithParam<CaptionCase> {};

TEST_P(TypeCaptions, SplitAtTheFirstBrackets) {
    const ExamTypeCaption parsed = parseTypeCaption(GetParam().caption);
    EXPECT_EQ(parsed.code, GetParam().code);
    EXPECT_EQ(parsed.name, GetParam().typeName);
}

INSTANTIATE_TEST_SUITE_P(
    Parse, TypeCaptions,
    testing::Values(CaptionCase{"code_and_name", "C1〔小型汽车〕", "C1", "小型汽车"},
                    CaptionCase{"multibyte_code", "摩托〔二轮摩托车〕", "摩托", "二轮摩托车"},
                    CaptionCase{"empty_name", "D〔〕", "D", ""},
                    CaptionCase{"bracket_in_the_name", "A〔B〔C〕", "A", "B〔C"},
                    CaptionCase{"closing_before_opening", "X〕Y〔Z", "X〕Y", ""},
                    // In GBK 啊 is B0 A1 and 不 is B2 BB: a byte search finds "〔" (A1 B2) across the two.
                    CaptionCase{"gbk_bytes_across_characters", "啊不〔名〕", "啊不", "名"},
                    CaptionCase{"no_brackets", "C1", "", ""}),
    [](const testing::TestParamInfo<CaptionCase>& info) { return std::string(info.param.name); });

TEST(ShortString, KeepsAtMost255GbkBytesCutBetweenCharacters) {
    EXPECT_EQ(shortString(std::string(300, 'a')), std::string(255, 'a'));
    std::string chinese;
    for (int i = 0; i < 200; ++i) chinese += "题";
    EXPECT_EQ(characterCount(shortString(chinese)), 127u) << "254 bytes: half a character is not kept";
    EXPECT_EQ(characterCount(shortString("a" + chinese)), 128u);
    EXPECT_EQ(shortString("【小型汽车 顺序练习】"), "【小型汽车 顺序练习】");
}

TEST(Shuffle, GivesEveryOrderWithTheSameChance) {
    std::map<std::vector<std::int32_t>, int> seen;
    constexpr int kRuns = 6000;
    for (int seed = 0; seed < kRuns; ++seed) {
        QuestionSet set;
        set.reset(3);
        Random random(static_cast<std::uint64_t>(seed));
        set.shuffle(random);
        EXPECT_EQ(set.TmOrder[3], 3);
        ++seen[std::vector<std::int32_t>(set.TmOrder.begin(), set.TmOrder.begin() + 3)];
    }
    ASSERT_EQ(seen.size(), 6u);
    // Each of the six orders expects 1000; a biased shuffle gives some of them 1/27 against 1/6.
    for (const auto& [order, count] : seen) EXPECT_NEAR(count, kRuns / 6, 150);
}

TEST(Shuffle, LeavesASetOfOneOrNoneAsItIs) {
    for (std::int32_t count : {0, 1}) {
        QuestionSet set;
        set.reset(count);
        Random random(7);
        set.shuffle(random);
        std::vector<std::int32_t> identity(static_cast<size_t>(count) + 1);
        std::iota(identity.begin(), identity.end(), 0);
        EXPECT_EQ(set.TmOrder, identity);
    }
}

}  // namespace
}  // namespace zuvo
