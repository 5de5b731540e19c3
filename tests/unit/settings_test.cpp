// SPDX-License-Identifier: MIT
// Setting.ini and its dialog, the auto-advance timer, and the word list editor.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "bank/data_module.h"
#include "bank/gbk.h"
#include "bank/scramble.h"
#include "bank/statements.h"
#include "core/ini_file.h"
#include "core/main_window.h"
#include "core/setting.h"
#include "core/word_manager.h"
#include "tests/support/expect_error.h"
#include "tests/support/fake_platform.h"
#include "tests/support/started_window.h"
#include "tests/support/test_bank.h"

namespace zuvo {
namespace {

namespace fs = std::filesystem;

void writeBytes(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

class IniFiles : public testing::Test {
  protected:
    std::string path() const { return folder.dir() + "/Setting.ini"; }
    std::string read() const { return IniFile(path()).ReadString("系统设置", "时间间隔", "2"); }
    void write(const std::string& value) { IniFile(path()).WriteString("系统设置", "时间间隔", value); }
    test::TestBank folder;
};

struct ReadCase {
    const char* name;
    const char* content;  // UTF-8 here, GBK on disk
    const char* value;
};

class Reading : public IniFiles, public testing::WithParamInterface<ReadCase> {};

TEST_P(Reading, FindsTheKeyOfItsSectionOrTheDefault) {
    writeBytes(path(), utf8ToGbk(GetParam().content));
    EXPECT_EQ(read(), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Files, Reading,
    testing::Values(ReadCase{"plain", "[系统设置]\r\n时间间隔=5\r\n", "5"},
                    ReadCase{"blanks_around", "  [ 系统设置 ]  \n  时间间隔 =  7  \n", "7"},
                    ReadCase{"no_last_line_break", "[系统设置]\n时间间隔=9", "9"},
                    ReadCase{"key_of_another_section", "[其他]\n时间间隔=4\n[系统设置]\n间隔=3\n", "2"},
                    ReadCase{"first_of_two", "[系统设置]\n时间间隔=6\n时间间隔=8\n", "6"},
                    ReadCase{"comment_is_no_key", "[系统设置]\n;时间间隔=1\n", "2"},
                    ReadCase{"section_missing", "时间间隔=5\n", "2"},
                    ReadCase{"empty_value", "[系统设置]\n时间间隔=\n", ""}, ReadCase{"empty_file", "", "2"},
                    ReadCase{"value_with_equals", "[系统设置]\n时间间隔=a=b\n", "a=b"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(IniFiles, MissingFileGivesTheDefaultAndIsNotCreated) {
    EXPECT_EQ(read(), "2");
    EXPECT_FALSE(fs::exists(path()));
}

TEST_F(IniFiles, AsciiNamesIgnoreCase) {
    writeBytes(path(), "[Main]\nInterval=4\n");
    EXPECT_EQ(IniFile(path()).ReadString("MAIN", "interval", "2"), "4");
}

TEST_F(IniFiles, WritingKeepsEveryOtherLineAsItIs) {
    const std::string before = utf8ToGbk(
        "; 设置文件\r\n[窗口]\r\nLeft=10\r\n\r\n[系统设置]\r\n其他=x\r\n时间间隔=2\r\n; 尾注\r\n[末节]\r\nk=v\r\n");
    writeBytes(path(), before);
    write("15");
    const std::string after = test::fileBytes(path());
    std::string expected = before;
    expected.replace(expected.find(utf8ToGbk("时间间隔=2")), utf8ToGbk("时间间隔=2").size(), utf8ToGbk("时间间隔=15"));
    EXPECT_EQ(after, expected);
    EXPECT_EQ(read(), "15");
    EXPECT_FALSE(fs::exists(path() + ".part"));
}

TEST_F(IniFiles, WritingAddsTheKeyOrTheSectionWhereTheyAreMissing) {
    const std::string header = utf8ToGbk("[系统设置]");
    writeBytes(path(), header + "\nA=1\n\n[B]\nc=d");
    write("3");
    EXPECT_EQ(test::fileBytes(path()), header + "\nA=1\n" + utf8ToGbk("时间间隔=3") + "\n\n[B]\nc=d");

    writeBytes(path(), "[B]\nc=d");
    write("4");
    EXPECT_EQ(test::fileBytes(path()), "[B]\nc=d\n" + header + "\n" + utf8ToGbk("时间间隔=4") + "\n");

    fs::remove(path());
    write("5");
    EXPECT_EQ(test::fileBytes(path()), header + "\r\n" + utf8ToGbk("时间间隔=5") + "\r\n")
        << "a new file, in GBK with CRLF";
}

TEST_F(IniFiles, SectionNameWithABracketAsTheSecondByteOfACharacter) {
    // 胅 is C3 5D in GBK: its second byte reads as "]" where the file is scanned byte by byte.
    IniFile ini(path());
    ini.WriteString("胅节", "键", "1");
    EXPECT_EQ(ini.ReadString("胅节", "键", "2"), "1");
    ini.WriteString("胅节", "键", "3");
    EXPECT_EQ(test::fileBytes(path()), utf8ToGbk("[胅节]\r\n键=3\r\n")) << "the section is found, not added again";
}

TEST_F(IniFiles, ArbitraryBytesNeitherCrashNorLoseTheFile) {
    std::string noise;
    for (int i = 0; i < 4096; ++i) noise += static_cast<char>((i * 131 + 7) % 256);
    writeBytes(path(), noise);
    EXPECT_NO_THROW(read());
    write("6");
    EXPECT_EQ(read(), "6");
    const std::string after = test::fileBytes(path());
    EXPECT_EQ(after.substr(0, noise.size()), noise) << "the old bytes stay in front";
}

class Settings : public testing::Test {
  protected:
    std::string ini() const { return folder.dir() + "/Setting.ini"; }
    test::TestBank folder;
    MainForm mainForm;
    SettingLogic setting{mainForm, folder.dir() + "/"};
};

TEST_F(Settings, StartUpWithoutAFileShowsTwoAndLeavesNoFile) {
    setting.FormCreate();
    EXPECT_EQ(setting.form.edtInterval.caption, "2");
    EXPECT_FALSE(fs::exists(ini()));
}

TEST_F(Settings, StoredIntervalShowsInTheDialogAndChangesNothingElse) {
    writeBytes(ini(), utf8ToGbk("[系统设置]\r\n时间间隔= 5 \r\n"));
    setting.FormCreate();
    EXPECT_EQ(setting.form.edtInterval.caption, "5");
    EXPECT_EQ(mainForm.tmrAutoWord.interval, 1000);
    EXPECT_FALSE(mainForm.tmrAutoWord.enabled);
}

TEST_F(Settings, SetAppliesThePeriodAndWritesTheTrimmedText) {
    setting.FormCreate();
    setting.form.edtInterval.caption = " 007 ";
    setting.BitBtn1Click();
    EXPECT_EQ(mainForm.tmrAutoWord.interval, 7000);
    EXPECT_FALSE(mainForm.tmrAutoWord.enabled) << "setting the period does not switch the timer on";
    EXPECT_EQ(IniFile(ini()).ReadString("系统设置", "时间间隔", "2"), "007");
}

TEST_F(Settings, NonNumericIntervalChangesNothingFileIncluded) {
    const std::string before = utf8ToGbk("[系统设置]\r\n时间间隔=5\r\n");
    writeBytes(ini(), before);
    setting.form.edtInterval.caption = "五秒";
    EXPECT_THROW_MSG(setting.BitBtn1Click(), "'五秒' is not a valid integer value");
    EXPECT_EQ(mainForm.tmrAutoWord.interval, 1000);
    EXPECT_EQ(test::fileBytes(ini()), before);
}

TEST_F(Settings, PeriodsOutOfTheTimersRangeAreBounded) {
    setting.form.edtInterval.caption = "-3";
    setting.BitBtn1Click();
    EXPECT_EQ(mainForm.tmrAutoWord.interval, 0);
    setting.form.edtInterval.caption = "3000000";
    setting.BitBtn1Click();
    EXPECT_EQ(mainForm.tmrAutoWord.interval, INT_MAX);
}

TEST_F(Settings, CloseHidesTheDialog) {
    setting.form.visible = true;
    setting.BitBtn2Click();
    EXPECT_FALSE(setting.form.visible);
}

BankSource threeQuestions() {
    return test::sourceWith({test::choice(1, "第一题", {"a", "b", "c", "d"}, "A"), test::trueFalse(2, "第二题", "对"),
                             test::choice(3, "第三题", {"a", "b", "c", "d"}, "B")});
}

class AutoAdvance : public test::StartedWindow {
  protected:
    AutoAdvance() : StartedWindow(threeQuestions()) {}
};

TEST_F(AutoAdvance, ShowsTheCursorsRowAndMovesTheCursorWithoutTouchingTheAnswerRow) {
    main.BtnBClick();  // question 1, wrong
    main.state.KslxMc = "【小型汽车 顺序练习】";
    // FormCreate leaves the cursor on row 1: the tick shows row 1, then row 2, then row 3, then nothing more.
    const char* shown[] = {"第一题", "第二题", "第三题"};
    for (const char* text : shown) {
        main.tmrAutoWordTimer();
        EXPECT_EQ(main.form.lblTm.caption, text);
        EXPECT_EQ(main.form.lblWord.caption, "【小型汽车 顺序练习】，第 1 题，共 3 题") << "CurNo stays";
        EXPECT_EQ(main.form.LbDa2.caption, std::string(8, ' ') + "B" + std::string(8, ' '));
        EXPECT_EQ(main.form.Image1.picture.name, kWrongBitmap);
    }
    EXPECT_EQ(main.state.CurNo, 1);
    main.tmrAutoWordTimer();
    EXPECT_EQ(main.form.lblTm.caption, "第三题") << "past the last row nothing happens";
}

class WordList : public testing::Test {
  protected:
    void SetUp() override { data.DataModuleCreate(bank.dir()); }
    int rows() {
        Query& query = data.ADOQuery1;
        query.setStatement(statements::allQuestions());
        query.open();
        return query.recordCount();
    }
    // The row after the bank's three questions.
    Query& addedRow() {
        Query& word = data.ADOWord;
        word.setStatement(statements::allQuestions());
        word.open();
        word.moveBy(3);
        return word;
    }
    test::TestBank bank{threeQuestions()};
    DataModule data;
    test::FakePlatform platform;
    WordManagerLogic editor{data, platform};
};

TEST_F(WordList, OnePressAddsOneRowWhoseMeaningShowsAsTyped) {
    editor.form.edtWord.caption = "  让行 ";
    editor.form.edtMean.caption = " 减速或停车，让对方先行。\t";
    editor.BitBtn1Click();
    ASSERT_EQ(rows(), 4);
    Query& word = addedRow();
    EXPECT_EQ(word.fieldByName("word"), "让行");
    EXPECT_EQ(decodedField(word, "Tm"), "减速或停车，让对方先行。");
    EXPECT_EQ(word.fieldByName("zdtm"), "");
    EXPECT_EQ(editor.form.edtWord.caption, "  让行 ") << "the fields keep their text";
}

TEST_F(WordList, EmptyFieldsAreAccepted) {
    editor.BitBtn1Click();
    ASSERT_EQ(rows(), 4);
    Query& word = addedRow();
    EXPECT_EQ(word.fieldByName("word"), "");
    EXPECT_EQ(decodedField(word, "Tm"), "");
}

TEST_F(WordList, StoreFailureShowsTheStoresMessageAndLeavesTheBank) {
    bank.exec(
        "create trigger refuse before insert on word begin select raise(abort, 'the bank refuses new rows'); end");
    editor.form.edtWord.caption = "词";
    EXPECT_THROW_MSG(editor.BitBtn1Click(), "the bank refuses new rows");
    EXPECT_EQ(rows(), 3);
}

TEST_F(WordList, CloseHidesTheDialog) {
    editor.form.visible = true;
    editor.BitBtn2Click();
    EXPECT_FALSE(editor.form.visible);
}

}  // namespace
}  // namespace zuvo
