// SPDX-License-Identifier: MIT
// The bank that ships beside the program, checked against its source: enough questions of every kind for a
// full paper of every exam type, answers the buttons can give, pictures that are compiled in, texts that decode
// back to what was written, and nothing marked as a key point before the learner's first exam.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "bank/data_module.h"
#include "bank/scramble.h"
#include "bank/statements.h"
#include "core/main_window.h"
#include "core/text.h"
#include "resources/resources.h"
#include "tools/bank_source.h"

namespace zuvo {
namespace {

namespace fs = std::filesystem;

const fs::path kSourceDir = ZUVO_SOURCE_DIR;

BankSource shippedSource() {
    std::vector<std::string> questionFiles;
    for (const auto& entry : fs::directory_iterator(kSourceDir / "data/questions")) {
        if (entry.path().extension() == ".yaml") questionFiles.push_back(entry.path().string());
    }
    std::sort(questionFiles.begin(), questionFiles.end());
    questionFiles.insert(questionFiles.begin(), (kSourceDir / "data/bank.yaml").string());
    return readBankSource(questionFiles);
}

class ShippedBank : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        source_ = new BankSource(shippedSource());
        data_ = new DataModule;
        data_->DataModuleCreate(fs::path(ZUVO_SHIPPED_BANK).parent_path().string());
    }
    static void TearDownTestSuite() {
        delete data_;
        delete source_;
    }

    int count(const Statement& statement) {
        Query& query = data_->ADOQuery1;
        query.setStatement(statement);
        query.open();
        return query.recordCount();
    }

    static BankSource* source_;
    static DataModule* data_;
};

BankSource* ShippedBank::source_ = nullptr;
DataModule* ShippedBank::data_ = nullptr;

TEST_F(ShippedBank, EveryExamTypeHasAFullPaper) {
    Query& types = data_->ADOTmLx;
    types.setStatement(statements::allExamTypes());
    types.open();
    std::set<std::string> codes;
    for (types.first(); !types.eof(); types.next()) codes.insert(trim(types.fieldByName("Dm")));
    EXPECT_TRUE(codes.count("C1") && codes.count("C2") && codes.count("A1") && codes.count("B2") && codes.count("D"));
    for (const auto& code : codes) {
        SCOPED_TRACE(code);
        // Types are found by "kslx contains the code", so one code inside another would mix two types' papers.
        for (const auto& other : codes) EXPECT_TRUE(other == code || other.find(code) == std::string::npos) << other;
        EXPECT_GE(count(statements::questionsOfKind(code, "xz")), 65);
        EXPECT_GE(count(statements::questionsOfKind(code, "pd")), 35);
        EXPECT_GE(count(statements::categoriesOfType(code)), 1);
    }
}

TEST_F(ShippedBank, SizeKindsAnswersAndCategories) {
    std::map<std::string, int> answers;
    std::map<std::string, int> perCategory;
    int choice = 0, trueFalse = 0, pictures = 0;
    for (const auto& q : source_->questions) {
        (q.kind == "xz" ? choice : trueFalse) += 1;
        ++answers[q.answer];
        ++perCategory[q.category];
        pictures += !q.image.empty();
    }
    EXPECT_GE(choice, 200);
    EXPECT_GE(trueFalse, 100);
    EXPECT_GE(pictures, 40);
    EXPECT_GE(source_->categories.size(), 5u);
    for (const auto& category : source_->categories) EXPECT_GE(perCategory[category.code], 10) << category.code;
    // Spread evenly: a learner must not be able to guess a favourite letter or 对.
    for (const char* letter : {"A", "B", "C", "D"}) {
        EXPECT_GE(answers[letter] * 100, choice * 22) << letter;
        EXPECT_LE(answers[letter] * 100, choice * 28) << letter;
    }
    EXPECT_GE(answers["对"] * 100, trueFalse * 42);
    EXPECT_LE(answers["对"] * 100, trueFalse * 58);
}

TEST_F(ShippedBank, EveryRowReadsBackAsWrittenAndFitsTheWindow) {
    std::map<std::int64_t, const Question*> byId;
    for (const auto& q : source_->questions) byId[q.id] = &q;
    Query& word = data_->ADOWord;
    word.setStatement(statements::allQuestions());
    word.open();
    ASSERT_EQ(word.recordCount(), static_cast<int>(byId.size()));
    for (word.first(); !word.eof(); word.next()) {
        const auto found = byId.find(std::stoll(word.firstField()));
        ASSERT_NE(found, byId.end()) << word.firstField();
        const Question& q = *found->second;
        SCOPED_TRACE("question " + std::to_string(q.id));
        EXPECT_EQ(decodedField(word, "Tm"), q.text);
        const char* optionColumns[4] = {"HD1", "HD2", "HD3", "HD4"};
        for (size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(decodedField(word, optionColumns[i]), i < q.options.size() ? q.options[i] : "");
        }
        // The standard answer must be a value a button gives for this kind of question.
        const std::string kind = trim(word.fieldByName("Tmlx"));
        const std::string answer = trim(word.fieldByName("DA"));
        const std::set<std::string> buttons =
            kind == "xz" ? std::set<std::string>{"A", "B", "C", "D"} : std::set<std::string>{"对", "错"};
        EXPECT_TRUE(buttons.count(answer)) << kind << " " << answer;
        EXPECT_EQ(word.fieldByName("zdtm"), "") << "shipped as a key point";

        const std::string image = trim(word.fieldByName("image"));
        if (!image.empty()) {
            EXPECT_TRUE(hasResource("JPEG", "JPG" + image.substr(0, image.size() - 4))) << image;
        }

        // The question label holds three lines of about forty glyphs, an option label two of about eighteen.
        EXPECT_LE(characterCount(q.text), 120u);
        for (const auto& option : q.options) EXPECT_LE(characterCount(option), 36u) << option;
    }
}

TEST_F(ShippedBank, EveryQuestionPictureIsUsedAndFitsItsBox) {
    std::set<std::string> used;
    for (const auto& q : source_->questions) {
        if (!q.image.empty()) used.insert("JPG" + q.image.substr(0, q.image.size() - 4));
    }
    for (const auto& entry : fs::directory_iterator(kSourceDir / "resources/pictures")) {
        const std::string name = entry.path().stem().string();
        if (name == kStartPicture) continue;
        EXPECT_TRUE(used.count(name)) << name << " is compiled in but no question shows it";
        ASSERT_TRUE(hasResource("JPEG", name)) << name;
        const auto picture = loadPicture("JPEG", name);
        EXPECT_LE(picture->width, 217) << name;
        EXPECT_LE(picture->height, 153) << name;
        EXPECT_EQ(loadPicture("JPEG", name), picture) << name << " is decoded again when shown again";
    }
}

TEST(ShippedPictures, WindowPicturesHaveTheirDesignSizes) {
    struct Expected {
        const char* type;
        const char* name;
        int width, height;
    };
    for (const Expected& e :
         {Expected{"JPEG", kStartPicture, 641, 529}, Expected{"BMP", kRightBitmap, 22, 22},
          Expected{"BMP", kWrongBitmap, 22, 22}, Expected{"BMP", "GROUP0", 68, 68}, Expected{"BMP", "GROUP1", 68, 68},
          Expected{"BMP", "GROUP2", 68, 68}, Expected{"BMP", "GROUP3", 68, 68}, Expected{"BMP", "GROUP4", 68, 68}}) {
        const auto picture = loadPicture(e.type, e.name);
        EXPECT_EQ(picture->width, e.width) << e.name;
        EXPECT_EQ(picture->height, e.height) << e.name;
    }
}

}  // namespace
}  // namespace zuvo
