// SPDX-License-Identifier: MIT
// The render of the current question in its forms, and the moves of procDispWord.
#include <gtest/gtest.h>

#include "bank/data_module.h"
#include "bank/statements.h"
#include "core/main_window.h"
#include "resources/resources.h"
#include "tests/support/expect_error.h"
#include "tests/support/fake_platform.h"
#include "tests/support/test_bank.h"

namespace zuvo {
namespace {

using test::choice;
using test::trueFalse;

// Any question picture compiled in, by its number.
std::string somePictureNumber() {
    for (size_t i = 0; i < detail::kResourceCount; ++i) {
        const std::string name = detail::kResources[i].name;
        if (std::string(detail::kResources[i].type) == "JPEG" && name != kStartPicture) return name.substr(3);
    }
    return {};
}

BankSource displaySource() {
    Question blankType = choice(4, "类型空白", {"a", "b", "c", "d"}, "A");
    blankType.kind = " xz ";
    Question capitals = choice(5, "类型大写", {"a", "b", "c", "d"}, "A");
    capitals.kind = "XZ";
    Question noType = choice(6, "类型为空", {"a", "b", "c", "d"}, "A");
    noType.kind = "";
    Question blankAnswer = trueFalse(7, "答案带空格", " 错 ", "   ");
    return test::sourceWith({
        choice(1, "第一题", {"甲", "乙", "丙", "丁"}, "B", somePictureNumber() + ".jpg"),
        choice(2, "第二题", {"子", "丑", "", "卯"}, "C"),
        trueFalse(3, "第三题", "错"),
        blankType,
        capitals,
        noType,
        blankAnswer,
    });
}

class Display : public testing::Test {
  protected:
    void SetUp() override {
        data.DataModuleCreate(bank.dir());
        main.FormCreate();
    }
    // Shows question n by the moves a learner makes.
    void goTo(int n) {
        if (n == 1) {
            main.state.CurNo = 2;
            main.procDispWord(kMovePrevious);
        } else {
            main.state.CurNo = n - 1;
            main.procDispWord(kMoveNext);
        }
    }

    test::TestBank bank{displaySource()};
    DataModule data;
    test::FakePlatform platform;
    MainWindowLogic main{data, platform};
};

TEST_F(Display, StartUpShowsTheFirstQuestionWithItsPicture) {
    const MainForm& f = main.form;
    EXPECT_EQ(f.lblWord.caption, "第 1 题，共 7 题");
    EXPECT_EQ(f.lblTm.caption, "第一题");
    EXPECT_EQ(f.lbHD1.caption, "A：甲");
    EXPECT_EQ(f.lbHD4.caption, "D：丁");
    EXPECT_EQ(f.BtnC.caption, "C〔键3〕");
    EXPECT_TRUE(f.BtnC.visible && f.BtnD.visible);
    EXPECT_EQ(f.Image2.picture.name, "JPG" + somePictureNumber());
    ASSERT_FALSE(f.Image2.picture.empty());
    EXPECT_LE(f.Image2.picture.image->width, 217);
}

TEST_F(Display, MovesStopAtBothEnds) {
    main.procDispWord(kMovePrevious);
    EXPECT_EQ(main.state.CurNo, 1);
    EXPECT_EQ(main.form.lblWord.caption, "，第 1 题，共 7 题");
    main.procDispWord(kMoveNext);
    EXPECT_EQ(main.form.lblTm.caption, "第二题");
    EXPECT_EQ(main.form.Edit1.caption, "2");
    goTo(7);
    main.procDispWord(kMoveNext);
    EXPECT_EQ(main.state.CurNo, 7);
    EXPECT_EQ(main.form.lblTm.caption, "答案带空格");
    main.state.SeekNo = 3;
    main.procDispWord(kMoveToSeek);
    EXPECT_EQ(main.form.lblTm.caption, "第三题");
    EXPECT_EQ(main.state.CurNo, 3);
}

TEST_F(Display, FollowsTheShuffledOrder) {
    main.state.TmOrder = {2, 0, 1, 3, 4, 5, 6, 7};
    goTo(1);
    EXPECT_EQ(main.form.lblTm.caption, "第三题");
    EXPECT_EQ(main.form.lblWord.caption, "，第 1 题，共 7 题");
}

TEST_F(Display, EmptyOptionShowsItsLetterAlone) {
    goTo(2);
    EXPECT_EQ(main.form.lbHD3.caption, "C：");
    EXPECT_TRUE(main.form.Image2.picture.empty());
}

struct TypeCase {
    const char* name;
    int question;
    bool choice;
};

class QuestionTypes : public Display, public testing::WithParamInterface<TypeCase> {};

TEST_P(QuestionTypes, DecideTheButtons) {
    goTo(GetParam().question);
    const MainForm& f = main.form;
    EXPECT_EQ(f.BtnC.visible, GetParam().choice);
    EXPECT_EQ(f.BtnD.visible, GetParam().choice);
    EXPECT_EQ(f.BtnA.caption, GetParam().choice ? "A〔键1〕" : "对〔键1〕");
    EXPECT_EQ(f.BtnB.caption, GetParam().choice ? "B〔键2〕" : "错〔键2〕");
    EXPECT_EQ(f.lbHD1.caption, GetParam().choice ? "A：a" : "");
}

INSTANTIATE_TEST_SUITE_P(Tmlx, QuestionTypes,
                         testing::Values(TypeCase{"true_false", 3, false}, TypeCase{"blanks_around_xz", 4, true},
                                         TypeCase{"capitals_are_not_xz", 5, false}, TypeCase{"empty_type", 6, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Display, AnswerRowShowsTheStoredAnswer) {
    main.state.Answer[1] = "B";
    goTo(1);
    EXPECT_EQ(main.form.LbDa2.caption, "        B        ");
    EXPECT_EQ(main.form.Image1.picture.name, kRightBitmap);
    EXPECT_FALSE(main.form.Image1.picture.empty());
    main.state.Answer[1] = "A";
    goTo(1);
    EXPECT_EQ(main.form.LbDa2.caption, "        A        ");
    EXPECT_EQ(main.form.Image1.picture.name, kWrongBitmap);
    goTo(2);
    EXPECT_EQ(main.form.LbDa2.caption, std::string(17, ' '));
    EXPECT_TRUE(main.form.Image1.picture.empty());
    EXPECT_EQ(main.form.LbPd.caption, std::string(18, ' ')) << "no judgement before a hand-in";
}

TEST_F(Display, JudgementLineAfterHandIn) {
    main.state.HandedIn = "1";
    main.state.Answer[1] = "B";
    main.state.Answer[3] = "对";
    goTo(1);
    EXPECT_EQ(main.form.LbPd.caption, "正确！");
    goTo(3);
    EXPECT_EQ(main.form.LbPd.caption, "错误！标准答案为： 错");
    goTo(2);
    EXPECT_EQ(main.form.LbPd.caption, "错误！标准答案为： C") << "unanswered counts as wrong";
    EXPECT_EQ(main.form.LbDa2.caption, std::string(17, ' '));
    goTo(7);
    EXPECT_EQ(main.form.lbDA.caption, "错") << "the standard answer is trimmed";
    EXPECT_TRUE(main.form.Image2.picture.empty()) << "an image of blanks is no picture";
    main.procDispWord(kMoveNext);
    EXPECT_EQ(main.form.lblTm.caption, "答案带空格") << "next on the last question after hand-in";
}

struct FormCase {
    const char* name;
    RenderForm form;
    int number;
    const char* heading;
    const char* numberBox;  // nullptr: left as it was
    const char* answerLine;
};

class RenderForms : public Display, public testing::WithParamInterface<FormCase> {};

TEST_P(RenderForms, DifferOnlyWhereTheyShould) {
    const FormCase& c = GetParam();
    main.state.KslxMc = "【小型汽车 顺序练习】";
    main.state.TmCount = 300;
    main.state.Answer[3] = "对";
    main.state.CurNo = 3;
    main.form.Edit1.caption = "typed";
    main.form.LbDa2.caption = "before";
    data.ADOWord.first();
    data.ADOWord.moveBy(2);
    main.ShowTm(c.form, c.number);
    EXPECT_EQ(main.form.lblWord.caption, c.heading);
    EXPECT_EQ(main.form.Edit1.caption, c.numberBox ? c.numberBox : "typed");
    EXPECT_EQ(main.form.LbDa2.caption, c.answerLine);
    EXPECT_EQ(main.form.lblTm.caption, "第三题");
}

INSTANTIATE_TEST_SUITE_P(
    ShowTm, RenderForms,
    testing::Values(
        FormCase{"full", RenderForm::Full, 5, "【小型汽车 顺序练习】，第 5 题，共 300 题", "5", "        对        "},
        FormCase{"start_up", RenderForm::StartUp, 1, "【小型汽车 顺序练习】第 1 题，共 300 题", "1", "before"},
        FormCase{"set_up", RenderForm::SetUp, 1, "【小型汽车 顺序练习】，第 1 题，共 300 题", "1", "                 "},
        FormCase{"category_change", RenderForm::CategoryChange, 1, "【小型汽车 顺序练习】，第 1 题，共 300 题", "1",
                 "                 "},
        FormCase{"jump_by_number", RenderForm::JumpByNumber, 12, "【小型汽车 顺序练习】，第 12 题，共 300 题", nullptr,
                 "                 "},
        FormCase{"auto_advance", RenderForm::AutoAdvance, 3, "【小型汽车 顺序练习】，第 3 题，共 300 题", "3",
                 "before"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Display, BrokenFieldStopsTheRenderWhereItFails) {
    bank.exec("update word set HD2 = x'E5E59B9B' where Id = 2");
    EXPECT_THROW_MSG(goTo(2), "'$zz' is not a valid integer value");
    EXPECT_EQ(main.form.lblWord.caption, "，第 2 题，共 7 题");
    EXPECT_EQ(main.form.lblTm.caption, "第二题");
    EXPECT_EQ(main.form.lbHD1.caption, "A：子");
    EXPECT_EQ(main.form.lbHD2.caption, "B：乙") << "the earlier question's text stays from here on";
}

TEST_F(Display, NullFieldsShowAsEmpty) {
    bank.exec("update word set Tm = NULL, HD1 = NULL, image = NULL where Id = 2");
    goTo(2);
    EXPECT_EQ(main.form.lblTm.caption, "");
    EXPECT_EQ(main.form.lbHD1.caption, "A：");
    EXPECT_EQ(main.form.lbHD2.caption, "B：丑");
    EXPECT_TRUE(main.form.Image2.picture.empty());
}

TEST_F(Display, MissingPictureKeepsThePreviousPictureAndAnswerRow) {
    main.state.Answer[1] = "B";
    goTo(1);
    bank.exec("update word set image = '99999.jpg' where Id = 3");
    EXPECT_THROW_MSG(goTo(3), "Resource JPG99999 not found");
    EXPECT_EQ(main.form.lblTm.caption, "第三题");
    EXPECT_EQ(main.form.lbDA.caption, "错");
    EXPECT_EQ(main.form.Image2.picture.name, "JPG" + somePictureNumber());
    EXPECT_EQ(main.form.LbDa2.caption, "        B        ");
}

TEST(ShowJpg, CutsTheExtensionFromTheName) {
    DataModule data;
    test::FakePlatform platform;
    MainWindowLogic main{data, platform};
    EXPECT_THROW_MSG(main.ShowJpg("JPG99999.jpg"), "Resource JPG99999 not found");
    EXPECT_THROW_MSG(main.ShowJpg("JPG5"), "Resource  not found");
}

}  // namespace
}  // namespace zuvo
