// SPDX-License-Identifier: MIT
#include "tools/bank_source.h"

#include <gtest/gtest.h>

#include "bank/data_module.h"
#include "bank/error.h"
#include "bank/scramble.h"
#include "bank/statements.h"
#include "tests/support/expect_error.h"
#include "tests/support/test_bank.h"

namespace zuvo {
namespace {

const std::string kHeader = R"(types:
  - {code: C1, name: 小型汽车}
  - {code: A1, name: 大型客车}
categories:
  - {code: "01", name: 法规, types: C1}
questions:
)";

struct SourceCase {
    const char* name;
    std::string question;
    std::string message;
};

class SourceChecks : public testing::TestWithParam<SourceCase> {};

TEST_P(SourceChecks, RefuseWithTheQuestionNamed) {
    EXPECT_THROW_MSG(parseBankSource(kHeader + GetParam().question), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Refused, SourceChecks,
    testing::Values(
        SourceCase{"three_options",
                   "  - {id: 4, kind: xz, types: C1, category: '01', text: t, options: [a, b, c], answer: A}",
                   "question 4: a choice question needs four options"},
        SourceCase{"answer_e",
                   "  - {id: 4, kind: xz, types: C1, category: '01', text: t, options: [a, b, c, d], answer: E}",
                   "question 4: the answer must be A, B, C or D"},
        SourceCase{"lower_case_answer",
                   "  - {id: 4, kind: xz, types: C1, category: '01', text: t, options: [a, b, c, d], answer: a}",
                   "question 4: the answer must be A, B, C or D"},
        SourceCase{"true_false_with_letter", "  - {id: 4, kind: pd, types: C1, category: '01', text: t, answer: A}",
                   "question 4: the answer must be 对 or 错"},
        SourceCase{"unknown_kind", "  - {id: 4, kind: XZ, types: C1, category: '01', text: t, answer: A}",
                   "question 4: kind must be xz or pd"},
        SourceCase{"unknown_type", "  - {id: 4, kind: pd, types: 'C1,Z9', category: '01', text: t, answer: 对}",
                   "question 4: unknown exam type Z9"},
        SourceCase{"type_outside_its_category",
                   "  - {id: 4, kind: pd, types: 'C1,A1', category: '01', text: t, answer: 对}",
                   "question 4: exam type A1 is not one of category 01's"},
        SourceCase{"unknown_category", "  - {id: 4, kind: pd, types: C1, category: '07', text: t, answer: 对}",
                   "question 4: unknown category 07"},
        SourceCase{"picture_without_extension",
                   "  - {id: 4, kind: pd, types: C1, category: '01', text: t, answer: 对, image: '1228'}",
                   "question 4: image must be a picture number and a four-character extension, like 1228.jpg"},
        SourceCase{"missing_text", "  - {id: 4, kind: pd, types: C1, category: '01', answer: 对}",
                   "line 7: missing 'text'"},
        SourceCase{"options_as_map",
                   "  - {id: 4, kind: xz, types: C1, category: '01', text: t, options: {A: a, B: b}, answer: A}",
                   "line 7: 'options' must be a list of texts"},
        SourceCase{"option_as_list",
                   "  - {id: 4, kind: xz, types: C1, category: '01', text: t, options: [a, [b], c, d], answer: A}",
                   "line 7: an option must be text"},
        SourceCase{"id_twice",
                   "  - {id: 4, kind: pd, types: C1, category: '01', text: t, answer: 对}\n"
                   "  - {id: 4, kind: pd, types: C1, category: '01', text: t, answer: 错}",
                   "question 4: id not positive or used twice"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BankSource, BuiltBankHoldsTheSourceWithScrambledTexts) {
    const BankSource source = parseBankSource(kHeader + R"(
  - id: 7
    kind: xz
    types: C1
    category: "01"
    text: "行车中遇到“让”字标志：应当怎样做？"
    options: [停车, 减速让行, "加速 通过", ""]
    answer: B
    image: 1228.jpg
  - {id: 3, kind: pd, types: C1, category: "01", text: "饮酒后不得驾驶机动车。", answer: 对, keypoint: "1"}
)");
    test::TestBank bank(source);
    DataModule data;
    data.DataModuleCreate(bank.dir());
    Query& word = data.ADOWord;
    word.setStatement(statements::allQuestions());
    word.open();
    ASSERT_EQ(word.recordCount(), 2);
    // Ids are kept; the stored order is the source's order only where ids ascend.
    EXPECT_EQ(word.firstField(), "3");
    EXPECT_EQ(decodedField(word, "Tm"), "饮酒后不得驾驶机动车。");
    EXPECT_EQ(word.fieldByName("zdtm"), "1");
    word.next();
    EXPECT_EQ(word.firstField(), "7");
    EXPECT_NE(word.fieldBytes("Tm"), "行车中遇到“让”字标志：应当怎样做？") << "stored scrambled";
    EXPECT_EQ(decodedField(word, "Tm"), "行车中遇到“让”字标志：应当怎样做？");
    EXPECT_EQ(decodedField(word, "HD3"), "加速 通过");
    EXPECT_EQ(decodedField(word, "HD4"), "");
    EXPECT_EQ(word.fieldByName("image"), "1228.jpg");
    EXPECT_EQ(word.fieldByName("DA"), "B");
}

TEST(BankSource, FilesAreReadAsOneAndNamedInMessages) {
    const std::string question = "  - {id: 4, kind: pd, types: C1, category: '01', text: t, answer: 对}\n";
    const BankSource source = parseBankSource({{"a.yaml", "questions:\n" + question}, {"head.yaml", kHeader}});
    ASSERT_EQ(source.questions.size(), 1u);
    EXPECT_EQ(source.types.size(), 2u);

    EXPECT_THROW_MSG(
        parseBankSource(
            {{"head.yaml", kHeader}, {"a.yaml", "questions:\n" + question}, {"b.yaml", "questions:\n" + question}}),
        "b.yaml: question 4: id not positive or used twice");
    EXPECT_THROW_MSG(
        parseBankSource({{"head.yaml", kHeader}, {"c.yaml", "categories:\n  - {code: '01', name: x, types: C1}\n"}}),
        "c.yaml: category 01 twice");
    EXPECT_THROW(parseBankSource({{"head.yaml", kHeader}, {"d.yaml", "questions: [\n"}}), Error);
}

TEST(BankSource, ListsOfTheWrongShapeAreRefusedWithFileAndLine) {
    struct ShapeCase {
        const char* text;
        const char* message;
    };
    const ShapeCase cases[] = {
        {"categories: {code: '01', name: x, types: C1}\n", "a.yaml: line 1: 'categories' must be a list"},
        {"types:\n  code: C1\n  name: x\n", "a.yaml: line 2: 'types' must be a list"},
        {"questions: seven\n", "a.yaml: line 1: 'questions' must be a list"},
        {"types:\n  - C1\n", "a.yaml: line 2: each entry of 'types' must be a map of fields"},
        {"categories:\n  - [01, x, C1]\n", "a.yaml: line 2: each entry of 'categories' must be a map of fields"},
    };
    for (const ShapeCase& c : cases) EXPECT_THROW_MSG(parseBankSource({{"a.yaml", c.text}}), c.message);
    EXPECT_THROW_MSG(parseBankSource({{"head.yaml", kHeader}, {"b.yaml", "questions:\n  - [1, 2]\n"}}),
                     "b.yaml: line 2: each entry of 'questions' must be a map of fields");
}

TEST(BankSource, FailedBuildKeepsTheOldBank) {
    test::TestBank bank(test::sourceWith({test::trueFalse(1, "题", "对")}));
    BankSource broken = test::sourceWith({test::trueFalse(1, std::string("a\0b", 3), "对")});
    EXPECT_THROW(writeBank(broken, bank.path()), Error);
    DataModule data;
    data.DataModuleCreate(bank.dir());
    data.ADOWord.setStatement(statements::allQuestions());
    data.ADOWord.open();
    EXPECT_EQ(data.ADOWord.recordCount(), 1);
}

}  // namespace
}  // namespace zuvo
