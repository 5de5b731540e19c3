// SPDX-License-Identifier: MIT
// Start-up of the main window: the first question behind the start picture, and the failure paths.
#include <gtest/gtest.h>

#include "bank/data_module.h"
#include "core/main_window.h"
#include "tests/support/expect_error.h"
#include "tests/support/fake_platform.h"
#include "tests/support/test_bank.h"

namespace zuvo {
namespace {

using test::choice;
using test::trueFalse;

struct Started {
    explicit Started(const test::TestBank& bank) { data.DataModuleCreate(bank.dir()); }
    DataModule data;
    test::FakePlatform platform;
    MainWindowLogic main{data, platform};
};

std::vector<Question> manyQuestions(int count) {
    std::vector<Question> out;
    for (int i = 1; i <= count; ++i) out.push_back(choice(i, "题目" + std::to_string(i), {"甲", "乙", "丙", "丁"}, "A"));
    return out;
}

TEST(StartUp, ShowsQuestionOneOfTheWholeBankBehindTheStartPicture) {
    test::TestBank bank(test::sourceWith(manyQuestions(1200)));
    Started s(bank);
    int adStarts = 0;
    s.main.startAdWorker = [&] { ++adStarts; };
    s.main.FormCreate();

    EXPECT_EQ(s.main.form.lblWord.caption, "第 1 题，共 1200 题");
    EXPECT_EQ(s.main.form.Edit1.caption, "1");
    EXPECT_EQ(s.main.form.lblTm.caption, "题目1");
    EXPECT_EQ(s.main.form.lbHD2.caption, "B：乙");
    EXPECT_EQ(s.main.form.lbDA.caption, "A");
    EXPECT_TRUE(s.main.form.Panel1.visible);
    EXPECT_TRUE(s.main.form.Image3.visible);
    EXPECT_EQ(s.main.form.Image3.picture.name, kStartPicture);
    EXPECT_EQ(s.main.form.Image3.picture.image->width, 641);
    EXPECT_EQ(s.main.form.Image3.picture.image->height, 529);
    // The answer row keeps its design content at start-up.
    EXPECT_EQ(s.main.form.LbDa2.caption, std::string(18, ' '));
    EXPECT_TRUE(s.main.form.Image1.picture.empty());

    const QuestionSet& q = s.main.state;
    EXPECT_EQ(q.TmCount, 1200);
    EXPECT_EQ(q.CurNo, 1);
    EXPECT_EQ(q.SeekNo, 1);
    EXPECT_EQ(q.HandedIn, "0");
    EXPECT_EQ(q.ExamMinutes, 45);
    EXPECT_EQ(q.ModeName, "");
    EXPECT_EQ(q.TmOrder.size(), 1201u);
    EXPECT_EQ(q.TmOrder[1200], 1200);
    EXPECT_EQ(q.Answer.size(), 1201u);
    EXPECT_EQ(adStarts, 1);
    EXPECT_TRUE(s.data.ADOTmLx.active());
}

TEST(StartUp, TrueFalseFirstRowShowsTwoButtons) {
    test::TestBank bank(test::sourceWith({trueFalse(1, "饮酒后不得驾驶机动车。", "对"), choice(2, "问", {"a", "b", "c", "d"}, "B")}));
    Started s(bank);
    s.main.FormCreate();
    EXPECT_EQ(s.main.form.BtnA.caption, "对〔键1〕");
    EXPECT_EQ(s.main.form.BtnB.caption, "错〔键2〕");
    EXPECT_FALSE(s.main.form.BtnC.visible);
    EXPECT_FALSE(s.main.form.BtnD.visible);
    EXPECT_EQ(s.main.form.lbHD1.caption, "");
}

TEST(StartUp, EmptyBankShowsAnEmptyTrueFalseQuestion) {
    test::TestBank bank(test::sourceWith({}));
    Started s(bank);
    s.main.FormCreate();
    EXPECT_EQ(s.main.form.lblWord.caption, "第 1 题，共 0 题");
    EXPECT_EQ(s.main.form.lblTm.caption, "");
    EXPECT_EQ(s.main.form.BtnA.caption, "对〔键1〕");
    EXPECT_FALSE(s.main.form.BtnC.visible);
    EXPECT_EQ(s.main.state.TmOrder.size(), 1u);
    // Moving in the empty set stays on its one empty question.
    s.main.procDispWord(kMoveNext);
    EXPECT_EQ(s.main.form.lblWord.caption, "，第 1 题，共 0 题");
    EXPECT_EQ(s.main.form.LbDa2.caption, std::string(17, ' '));
}

TEST(StartUp, MissingBankLeavesTheZeroStateAndTheDesignCaptions) {
    test::TestBank none;
    Started s(none);
    bool adStarted = false;
    s.main.startAdWorker = [&] { adStarted = true; };
    EXPECT_THROW_MSG(s.main.FormCreate(), "unable to open database file: " + none.path());

    EXPECT_TRUE(s.main.form.Panel1.visible) << "the start picture is already laid";
    EXPECT_EQ(s.main.form.lblWord.caption, "HuiDa1");
    EXPECT_EQ(s.main.form.lblTm.caption, "TiMu");
    EXPECT_EQ(s.main.form.lbHD4.caption, "HuiDa4");
    const QuestionSet& q = s.main.state;
    EXPECT_EQ(q.TmCount, 0);
    EXPECT_EQ(q.CurNo, 0);
    EXPECT_EQ(q.HandedIn, "");
    EXPECT_EQ(q.ExamMinutes, 0);
    EXPECT_TRUE(q.TmOrder.empty() && q.RightFlag.empty() && q.Answer.empty());
    EXPECT_FALSE(q.holds(1));
    EXPECT_FALSE(adStarted);
    // A later move fails with its own message instead of reading the empty arrays.
    EXPECT_THROW_MSG(s.main.procDispWord(kMoveNext), "Cannot perform this operation on a closed dataset");
    EXPECT_EQ(s.main.form.lblWord.caption, "HuiDa1");
}

TEST(StartUp, UnreadableBankShowsTheEnginesMessage) {
    test::TestBank bank;
    bank.writeFile(std::string(4096, 'x'));
    Started s(bank);
    EXPECT_THROW_MSG(s.main.FormCreate(), "file is not a database");
    EXPECT_EQ(s.main.state.TmCount, 0);
}

TEST(StartUp, MissingStartPictureStopsBeforeAnythingElse) {
    test::TestBank bank(test::sourceWith(manyQuestions(3)));
    Started s(bank);
    s.main.startPicture = "JPG0";
    EXPECT_THROW_MSG(s.main.FormCreate(), "Resource JPG0 not found");
    EXPECT_FALSE(s.main.form.Panel1.visible);
    EXPECT_FALSE(s.data.ADOTmLx.active());
    EXPECT_EQ(s.main.state.CurNo, 0);
}

TEST(ShowPan, HidesAndRestoresThePictureAtFullSize) {
    test::TestBank bank(test::sourceWith(manyQuestions(1)));
    Started s(bank);
    s.main.FormCreate();
    const int width = s.main.form.Panel1.width;
    const int height = s.main.form.Panel1.height;
    EXPECT_GE(width, 792 - 148) << "the panel reaches the right edge";
    EXPECT_GE(height, 536 - 3) << "and the bottom";

    s.platform.delays.clear();
    s.main.ShowPan(0);
    EXPECT_FALSE(s.main.form.Panel1.visible);
    EXPECT_FALSE(s.main.form.Image3.visible);
    EXPECT_EQ(s.main.form.Panel1.width, 0);
    EXPECT_EQ(s.platform.delays, std::vector<int>{10});

    s.main.ShowPan(1);
    EXPECT_TRUE(s.main.form.Panel1.visible);
    EXPECT_EQ(s.main.form.Panel1.width, width);
    EXPECT_EQ(s.main.form.Image3Height, height);

    const int repaints = s.platform.repaints;
    s.main.ShowPan(5);
    EXPECT_TRUE(s.main.form.Panel1.visible) << "other modes change nothing but repaint";
    EXPECT_EQ(s.platform.repaints, repaints + 1);
}

}  // namespace
}  // namespace zuvo
