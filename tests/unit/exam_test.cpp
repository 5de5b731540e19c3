// SPDX-License-Identifier: MIT
// The mock exam: the paper, the clock, the hand-in with its score and key points, the review, the search for
// unanswered questions and a new paper.
#include <gtest/gtest.h>

#include <set>

#include "bank/error.h"
#include "bank/statements.h"
#include "core/countdown.h"
#include "core/main_window.h"
#include "tests/support/expect_error.h"
#include "tests/support/started_window.h"

namespace zuvo {
namespace {

using test::choice;
using test::trueFalse;

constexpr DateTime kSecond = 1.0 / 86400;

// Choice questions answer "A", true/false ones "对". The two kinds alternate in the stored order.
Question examQuestion(std::int64_t id, bool isChoice, const char* types = "C1") {
    Question q = isChoice ? choice(id, "选择" + std::to_string(id), {"a", "b", "c", "d"}, "A")
                          : trueFalse(id, "判断" + std::to_string(id), "对");
    q.types = types;
    return q;
}

BankSource examBank(int choices, int trueFalses) {
    std::vector<Question> questions;
    std::int64_t id = 1;
    for (int c = 0, t = 0; c < choices || t < trueFalses;) {
        const bool nextIsChoice = c < choices && (t >= trueFalses || id % 3 != 0);
        questions.push_back(examQuestion(id++, nextIsChoice));
        (nextIsChoice ? c : t)++;
    }
    // Another exam type's questions are never drawn.
    questions.push_back(examQuestion(900, true, "A1"));
    questions.push_back(examQuestion(901, false, "A1"));
    return test::sourceWith(questions);
}

class Exam : public test::StartedWindow {
  protected:
    explicit Exam(const BankSource& source = examBank(70, 40)) : StartedWindow(source) {}

    void startExam() {
        main.selTm.runModal = [this] { main.selTm.BitBtn3Click(); };
        main.RzGroup1Items3Click();
    }
    std::string idOf(int n) {
        show(n);
        return data.ADOWord.fieldByName("Id");
    }
    std::string kindOf(int n) {
        show(n);
        return data.ADOWord.fieldByName("Tmlx");
    }
    // Answers question n, right or wrong, as the learner does: the exam then moves on by itself.
    void answer(int n, bool right) {
        show(n);
        const bool isChoice = main.form.BtnC.visible;
        right ? main.BtnAClick() : (isChoice ? main.BtnDClick() : main.BtnBClick());
    }
    void timeUp() { platform.clock = main.state.ExamStart + 45 * 60 * kSecond; }
    std::string updatedIds() {
        const Statement& update = data.ADOWordUpdate.statement();
        return update.params.empty() ? "" : std::get<std::string>(update.params.front().second);
    }
};

TEST_F(Exam, APaperHas65ChoiceThen35TrueFalseQuestionsOfItsTypeInStoredOrder) {
    startExam();
    ASSERT_EQ(main.state.TmCount, 100);
    EXPECT_EQ(main.form.lblWord.caption, "【小型汽车 模拟考试】，第 1 题，共 100 题");
    std::set<int> ids;
    int previous = 0;
    for (int n = 1; n <= 100; ++n) {
        EXPECT_EQ(kindOf(n), n <= 65 ? "xz" : "pd") << "question " << n;
        const int id = std::stoi(data.ADOWord.fieldByName("Id"));
        EXPECT_LT(id, 900) << "only the exam type's questions";
        if (n != 66) {
            EXPECT_GT(id, previous) << "within a kind the stored order holds";
        }
        previous = id;
        ids.insert(id);
    }
    EXPECT_EQ(ids.size(), 100u) << "no question twice";
}

TEST_F(Exam, TheExamSetUpStartsTheClockInTheExamWindow) {
    main.form.Image1.visible = true;
    startExam();
    const MainForm& f = main.form;
    EXPECT_EQ(main.state.ModeName, "模拟考试");
    EXPECT_EQ(main.state.SelType, kExamMode);
    EXPECT_EQ(main.state.ExamStart, platform.clock);
    EXPECT_EQ(main.state.SeekNo, 1);
    EXPECT_FALSE(f.Image1.visible);
    EXPECT_TRUE(f.LbPd.visible);
    EXPECT_EQ(f.LbPd.caption, "");
    EXPECT_EQ(f.BtnExit.caption, "交卷(7)");
    EXPECT_EQ(f.BtnJclt.caption, "检查漏题(0)");
    EXPECT_TRUE(f.BtnJclt.visible && f.LabTime.visible && f.LabTime2.visible && f.TimerKs.enabled);
    EXPECT_FALSE(f.ComboBoxEx1.visible || f.Panel1.visible || main.selTm.form.visible);
    EXPECT_EQ(f.LabTime.caption, "") << "empty until the first tick";

    platform.clock += kSecond;
    main.TimerKsTimer();
    EXPECT_EQ(f.LabTime.caption, "00:44:59");
    EXPECT_TRUE(f.TimerKs.enabled);
}

class ShortPaper : public Exam {
  protected:
    ShortPaper() : Exam(examBank(70, 20)) {}
};

TEST_F(ShortPaper, TakesAllOfAKindThatHasTooFew) {
    startExam();
    ASSERT_EQ(main.state.TmCount, 85);
    EXPECT_EQ(main.form.lblWord.caption, "【小型汽车 模拟考试】，第 1 题，共 85 题");
    EXPECT_EQ(kindOf(65), "xz");
    EXPECT_EQ(kindOf(66), "pd");
    EXPECT_EQ(kindOf(85), "pd");
}

class OneKindOnly : public Exam {
  protected:
    OneKindOnly() : Exam(examBank(0, 5)) {}
};

TEST_F(OneKindOnly, APaperOfTheKindThereIsAndNoPaperWithoutQuestions) {
    startExam();
    EXPECT_EQ(main.state.TmCount, 5);
    EXPECT_EQ(kindOf(5), "pd");

    // A1's questions exist, but D has none: the paper in hand stays as it is.
    bank.exec("insert into tmlx values ('D', '城市公交车')");
    data.ADOTmLx.reopen(statements::allExamTypes());
    show(3);
    main.selTm.runModal = [this] {
        main.selTm.form.ComboBoxEx1.itemIndex = 2;
        main.selTm.BitBtn3Click();
    };
    main.RzGroup1Items3Click();
    EXPECT_EQ(platform.messages, std::vector<std::string>{kNoExamQuestions});
    EXPECT_TRUE(main.selTm.form.visible) << "the dialog stays for another choice";
    EXPECT_EQ(main.state.KslxDm, "C1");
    EXPECT_EQ(main.state.TmCount, 5);
    EXPECT_EQ(main.state.CurNo, 3);
}

TEST_F(Exam, TheClockHandsInAtZeroWithoutAskingAndScoresOnce) {
    startExam();
    answer(1, true);
    answer(2, false);
    platform.clock = main.state.ExamStart + (45 * 60 - 1) * kSecond;
    main.TimerKsTimer();
    EXPECT_EQ(main.form.LabTime.caption, "00:00:01");
    EXPECT_TRUE(platform.questions.empty());

    timeUp();
    main.TimerKsTimer();
    EXPECT_EQ(main.form.LabTime.caption, "00:00:00");
    EXPECT_EQ(platform.questions, std::vector<std::string>{scoreText(1)});
    EXPECT_FALSE(main.form.TimerKs.enabled);
    EXPECT_FALSE(main.form.LabTime.visible || main.form.LabTime2.visible);
    EXPECT_EQ(main.state.HandedIn, "1");

    main.TimerKsTimer();
    main.BtnExitClick();
    EXPECT_EQ(platform.questions.size(), 1u) << "no second hand-in once the time is up";
}

TEST_F(Exam, TheScoreCountsRightAnswersAndOnlyWrongOnesBecomeKeyPoints) {
    startExam();
    for (int n = 1; n <= 100; ++n) {
        if (n != 40 && n != 70) answer(n, true);
    }
    answer(40, false);
    const std::string wrongId = idOf(40);
    const std::string unansweredId = idOf(70);
    show(70);
    main.allKeyD(kVkNumpad7);

    EXPECT_EQ(platform.questions, (std::vector<std::string>{kHandInQuestion, scoreText(98)}));
    EXPECT_EQ(scoreText(98), "考试成绩为：98 分！\r\r回答不正确的题目将加入到重点练习题！");
    EXPECT_EQ(updatedIds(), "[" + wrongId + "]");
    EXPECT_EQ(keyPointFlag(wrongId), "1");
    EXPECT_EQ(keyPointFlag(unansweredId), "");

    const MainForm& f = main.form;
    EXPECT_EQ(f.LbPd.caption, "错误！标准答案为： 对") << "the shown question is unanswered";
    for (const Control* button : {&f.BtnA, &f.BtnB, &f.BtnC, &f.BtnD}) EXPECT_FALSE(button->enabled);
    EXPECT_EQ(f.BtnJclt.caption, "重新抽题(0)");
    EXPECT_EQ(f.BtnExit.caption, "结束(7)");
    EXPECT_FALSE(f.TimerKs.enabled);

    // Review: every question judged, keypad answers do nothing.
    main.allKeyD(kVkNumpad0 + 1);
    EXPECT_EQ(main.state.answerOf(70), "");
    main.procDispWord(kMovePrevious);
    EXPECT_EQ(f.LbPd.caption, "正确！");
    show(40);
    EXPECT_EQ(f.LbPd.caption, "错误！标准答案为： A");
}

class OrderedWrongAnswers : public Exam {
  protected:
    // 12 is a choice question, 7 and 30 true/false ones: the paper puts them in the order 12, 7, 30.
    OrderedWrongAnswers()
        : Exam(test::sourceWith({examQuestion(7, false), examQuestion(12, true), examQuestion(30, false)})) {}
};

TEST_F(OrderedWrongAnswers, AreMarkedInOneUpdateInPaperOrder) {
    startExam();
    ASSERT_EQ(idOf(1) + idOf(2) + idOf(3), "12730");
    for (int n = 1; n <= 3; ++n) answer(n, false);
    main.BtnExitClick();
    EXPECT_EQ(updatedIds(), "[12,7,30]");
    for (const char* id : {"7", "12", "30"}) EXPECT_EQ(keyPointFlag(id), "1");
}

TEST_F(OrderedWrongAnswers, ARefusedUpdateLeavesThePaperToBeHandedInAgain) {
    startExam();
    for (int n = 1; n <= 3; ++n) answer(n, false);
    bank.exec("create trigger refuse before update on word begin select raise(abort, 'bank is read-only'); end");
    timeUp();
    EXPECT_THROW_MSG(main.TimerKsTimer(), "bank is read-only");
    EXPECT_FALSE(main.form.TimerKs.enabled) << "stopped, so the error is not shown at every tick";
    EXPECT_EQ(main.state.HandedIn, "0");
    EXPECT_TRUE(platform.questions.empty());
    for (const char* id : {"7", "12", "30"}) EXPECT_EQ(keyPointFlag(id), "");

    bank.exec("drop trigger refuse");
    main.BtnExitClick();
    EXPECT_EQ(main.state.HandedIn, "1");
    EXPECT_EQ(platform.questions, std::vector<std::string>{scoreText(0)});
    for (const char* id : {"7", "12", "30"}) EXPECT_EQ(keyPointFlag(id), "1");
}

TEST_F(Exam, CancelCoversThePaperAndTheClockRunsOn) {
    startExam();
    main.form.BtnA.enabled = false;
    platform.okAnswers = {false};
    main.BtnExitClick();
    EXPECT_EQ(platform.questions, std::vector<std::string>{kHandInQuestion});
    EXPECT_TRUE(main.form.Panel1.visible);
    EXPECT_TRUE(main.form.BtnA.enabled);
    EXPECT_TRUE(main.form.TimerKs.enabled);
    EXPECT_EQ(main.state.HandedIn, "0");

    // Behind the picture the clock still hands the paper in.
    timeUp();
    main.TimerKsTimer();
    EXPECT_EQ(main.state.HandedIn, "1");
}

TEST_F(Exam, TimeRunningOutDuringTheHandInQuestionHandsInOnce) {
    startExam();
    answer(1, true);
    platform.during = [this] {
        timeUp();
        main.TimerKsTimer();
    };
    // The score box closes first, then the learner cancels the question box.
    platform.okAnswers = {true, false};
    main.BtnExitClick();
    EXPECT_EQ(platform.questions, (std::vector<std::string>{kHandInQuestion, scoreText(1)}));
    EXPECT_EQ(main.state.HandedIn, "1");
    EXPECT_TRUE(main.form.Panel1.visible);
    EXPECT_FALSE(main.form.BtnA.enabled) << "a handed-in paper takes no more answers";
}

TEST_F(Exam, TimeRunningOutDuringTheAnswerPauseMovesOnInReview) {
    startExam();
    show(5);
    platform.during = [this] {
        timeUp();
        main.TimerKsTimer();
    };
    main.BtnAClick();
    EXPECT_EQ(main.state.HandedIn, "1");
    EXPECT_EQ(platform.questions, std::vector<std::string>{scoreText(1)});
    EXPECT_EQ(main.state.CurNo, 6);
    EXPECT_EQ(main.form.LbPd.caption, "错误！标准答案为： " + main.form.lbDA.caption);
}

TEST_F(Exam, ANewPaperAfterReviewStartsAFreshRun) {
    startExam();
    answer(1, true);
    main.BtnExitClick();
    ASSERT_EQ(main.state.HandedIn, "1");

    platform.clock += 50 * 60 * kSecond;
    main.allKeyD(kVkNumpad0);
    EXPECT_EQ(main.state.HandedIn, "0");
    EXPECT_EQ(main.state.ExamStart, platform.clock);
    EXPECT_EQ(main.state.answerOf(1), "");
    EXPECT_EQ(main.form.BtnJclt.caption, "检查漏题(0)");
    EXPECT_EQ(main.form.BtnExit.caption, "交卷(7)");
    EXPECT_TRUE(main.form.TimerKs.enabled && main.form.BtnA.enabled);
    platform.clock += kSecond;
    main.TimerKsTimer();
    EXPECT_EQ(main.form.LabTime.caption, "00:44:59");
}

TEST_F(Exam, InReviewTheEndButtonAsksAgainButChangesNothing) {
    startExam();
    main.BtnExitClick();
    platform.questions.clear();
    main.BtnExitClick();
    EXPECT_EQ(platform.questions, std::vector<std::string>{kHandInQuestion});
    EXPECT_FALSE(main.form.Panel1.visible);
    timeUp();
    main.BtnExitClick();
    EXPECT_EQ(platform.questions.size(), 1u) << "once the time would be up the button does nothing";
}

class FiveQuestions : public Exam {
  protected:
    FiveQuestions() : Exam(examBank(5, 0)) {}
    void answerAllBut(std::set<int> gaps) {
        for (int n = 1; n <= 5; ++n) {
            if (!gaps.count(n)) main.state.Answer[static_cast<size_t>(n)] = "A";
        }
    }
    // Presses keypad 0 and gives the question shown, or 0 when the shown question did not change.
    int seek() {
        const int repaints = platform.repaints;
        main.allKeyD(kVkNumpad0);
        return platform.repaints == repaints ? 0 : main.state.CurNo;
    }
};

TEST_F(FiveQuestions, TheSearchVisitsTheGapsAndWrapsPastTheEnd) {
    startExam();
    answerAllBut({2, 4});
    EXPECT_EQ(seek(), 2);
    EXPECT_EQ(seek(), 4);
    EXPECT_EQ(seek(), 2) << "question 1 is answered, so the first gap from 2 on";
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(FiveQuestions, TheSearchReachesQuestionOneOnlyAfterTheWrap) {
    startExam();
    answerAllBut({1, 3});
    EXPECT_EQ(seek(), 3);
    EXPECT_EQ(seek(), 1);
    EXPECT_EQ(seek(), 3);
}

TEST_F(FiveQuestions, AFullyAnsweredPaperIsReportedAndTheQuestionStays) {
    startExam();
    answerAllBut({});
    show(4);
    EXPECT_EQ(seek(), 0);
    EXPECT_EQ(platform.messages, std::vector<std::string>{kAllAnswered});
    EXPECT_EQ(main.state.CurNo, 4);
    EXPECT_EQ(main.state.SeekNo, 1);
}

struct CountdownCase {
    const char* name;
    std::int64_t ms;
    const char* shown;
};

class Countdown : public testing::TestWithParam<CountdownCase> {};

TEST_P(Countdown, ShowsWholeSecondsOfTheMagnitude) { EXPECT_EQ(formatCountdown(GetParam().ms), GetParam().shown); }

INSTANTIATE_TEST_SUITE_P(Format, Countdown,
                         testing::Values(CountdownCase{"full", 45 * 60000, "00:45:00"},
                                         CountdownCase{"one_second_in", 45 * 60000 - 1000, "00:44:59"},
                                         CountdownCase{"part_of_a_second_is_cut", 59999, "00:00:59"},
                                         CountdownCase{"zero", 0, "00:00:00"},
                                         CountdownCase{"over_by_a_second", -1500, "00:00:01"},
                                         CountdownCase{"hours", 3723000, "01:02:03"}),
                         [](const testing::TestParamInfo<CountdownCase>& info) { return info.param.name; });

TEST(RemainingTime, IsExactToTheMillisecondOnTheDayCountClock) {
    const DateTime start = 46000.5;
    EXPECT_EQ(remainingMs(start, 45, start), 45 * 60000);
    EXPECT_EQ(remainingMs(start, 45, start + kSecond), 45 * 60000 - 1000);
    // Noise far below a millisecond in the day count does not keep the time from being up, nor end it early.
    EXPECT_EQ(remainingMs(start, 45, start + 45 * 60 * kSecond + 1e-11), 0);
    EXPECT_EQ(remainingMs(start, 45, start + 45 * 60 * kSecond - 1e-11), 0);
    EXPECT_EQ(remainingMs(start, 45, start + 46 * 60 * kSecond), -60000);
}

}  // namespace
}  // namespace zuvo
