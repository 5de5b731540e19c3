// SPDX-License-Identifier: MIT
#include "bank/store.h"

#include <gtest/gtest.h>

#include <set>

#include "bank/data_module.h"
#include "bank/statements.h"
#include "tests/support/expect_error.h"
#include "tests/support/test_bank.h"

namespace zuvo {
namespace {

using test::TestBank;

// Questions whose kslx holds the awkward characters a code may contain.
BankSource hostileSource() {
    std::vector<Question> questions;
    const std::vector<std::string> kslx = {"C1",  "C1,A1", "XC1Y",   "c1",         "50%",         "5",
                                           "A_B", "AxB",   "O'Neil", "say \"hi\"", "back\\slash", "A1"};
    for (size_t i = 0; i < kslx.size(); ++i) {
        Question q = test::trueFalse(static_cast<std::int64_t>(i + 1), "题" + std::to_string(i + 1), "对");
        q.types = kslx[i];
        q.category = i % 2 ? "02" : "01";
        questions.push_back(q);
    }
    return test::sourceWith(questions);
}

std::vector<std::string> ids(Query& query) {
    std::vector<std::string> out;
    query.open();
    for (query.first(); !query.eof(); query.next()) out.push_back(query.firstField());
    return out;
}

class StoreTest : public testing::Test {
  protected:
    TestBank bank{hostileSource()};
    DataModule data;
    void SetUp() override { data.DataModuleCreate(bank.dir()); }
};

struct CodeCase {
    const char* name;
    std::string code;
    std::vector<std::string> ids;
};

class HostileCodes : public StoreTest, public testing::WithParamInterface<CodeCase> {};

TEST_P(HostileCodes, MatchOnlyLiterally) {
    data.ADOWord.setStatement(statements::questionsOfType(GetParam().code));
    EXPECT_EQ(ids(data.ADOWord), GetParam().ids);
}

INSTANTIATE_TEST_SUITE_P(Like, HostileCodes,
                         testing::Values(CodeCase{"code_inside_a_longer_code_counts", "C1", {"1", "2", "3", "4"}},
                                         CodeCase{"percent_is_literal", "%", {"5"}},
                                         CodeCase{"underscore_is_literal", "_", {"7"}}, CodeCase{"quote", "'", {"9"}},
                                         CodeCase{"double_quote", "\"hi\"", {"10"}},
                                         CodeCase{"backslash", "\\", {"11"}},
                                         CodeCase{"injection_selects_nothing", "x' or '1'='1", {}},
                                         CodeCase{"double_quoted_injection", "x\" or \"1\"=\"1", {}},
                                         CodeCase{"empty_code_is_in_every_text",
                                                  "",
                                                  {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(StoreTest, CategoryAndKindAreMatchedExactly) {
    data.ADOWord.setStatement(statements::questionsOfCategory("C1", "02"));
    EXPECT_EQ(ids(data.ADOWord), (std::vector<std::string>{"2", "4"}));
    data.ADOWord.setStatement(statements::questionsOfCategory("C1", "0_"));
    EXPECT_TRUE(ids(data.ADOWord).empty());
    data.ADOWord.setStatement(statements::questionsOfKind("A1", "pd"));
    EXPECT_EQ(ids(data.ADOWord), (std::vector<std::string>{"2", "12"}));
    data.ADOWord.setStatement(statements::questionsOfKind("A1", "xz"));
    EXPECT_TRUE(ids(data.ADOWord).empty());
    data.ADOTmfl.setStatement(statements::categoriesOfType("A1"));
    data.ADOTmfl.open();
    EXPECT_EQ(data.ADOTmfl.recordCount(), 2);
    EXPECT_EQ(data.ADOTmfl.fieldByName("mc"), "道路交通安全法律法规");
}

TEST_F(StoreTest, KeyPointChangesTouchOnlyTheNamedRows) {
    data.ADOWordUpdate.setStatement(statements::markKeyPoints({12, 7, 3}));
    data.ADOWordUpdate.execSql();
    data.ADOWord.setStatement(statements::keyPointsOfType("C1"));
    EXPECT_EQ(ids(data.ADOWord), (std::vector<std::string>{"3"}));
    data.ADOWord.setStatement(statements::keyPointsOfType(""));
    EXPECT_EQ(ids(data.ADOWord), (std::vector<std::string>{"3", "7", "12"}));

    data.ADOWordUpdate.setStatement(statements::clearKeyPoint(7));
    data.ADOWordUpdate.execSql();
    data.ADOWord.setStatement(statements::keyPointsOfType(""));
    EXPECT_EQ(ids(data.ADOWord), (std::vector<std::string>{"3", "12"}));
    data.ADOWord.setStatement(statements::allQuestions());
    data.ADOWord.open();
    data.ADOWord.moveBy(6);
    EXPECT_EQ(data.ADOWord.fieldByName("Zdtm"), "");
}

TEST_F(StoreTest, PaperPutsChoiceQuestionsFirstInStoredOrder) {
    bank.exec("update word set Tmlx = 'xz' where Id in (4, 9)");
    data.ADOWord.setStatement(statements::paper({9, 2, 4, 11}));
    EXPECT_EQ(ids(data.ADOWord), (std::vector<std::string>{"4", "9", "2", "11"}));
}

TEST_F(StoreTest, InsertBindsTextsAsTheyAre) {
    data.ADOWordMan.setStatement(statements::insertWord());
    data.ADOWordMan.setParam(":Word", std::string("it's \"x\"; drop table word"));
    data.ADOWordMan.setParam(":Mean", std::string("含义"));
    data.ADOWordMan.execSql();
    data.ADOWord.setStatement(statements::allQuestions());
    data.ADOWord.open();
    ASSERT_EQ(data.ADOWord.recordCount(), 13);
    data.ADOWord.moveBy(12);
    EXPECT_EQ(data.ADOWord.fieldByName("word"), "it's \"x\"; drop table word");
    EXPECT_EQ(data.ADOWord.fieldByName("Tm"), "含义");
    EXPECT_EQ(data.ADOWord.fieldByName("zdtm"), "");
}

TEST_F(StoreTest, CursorReadsRowsInOrder) {
    Query& word = data.ADOWord;
    word.setStatement(statements::allQuestions());
    word.open();
    EXPECT_EQ(word.recordCount(), 12);
    EXPECT_EQ(word.firstField(), "1");
    word.moveBy(11);
    EXPECT_EQ(word.fieldByName("ID"), "12");
    EXPECT_FALSE(word.eof());
    word.next();
    EXPECT_TRUE(word.eof());
    EXPECT_EQ(word.fieldByName("kslx"), "") << "no current row reads as empty";
    word.first();
    word.moveBy(2);
    EXPECT_EQ(word.fieldByName("KSLX"), "XC1Y");
    EXPECT_THROW_MSG(word.fieldByName("nosuch"), "Field 'nosuch' not found");
    bank.exec("update word set DA = NULL where Id = 3");
    word.open();
    word.moveBy(2);
    EXPECT_EQ(word.fieldByName("DA"), "") << "NULL reads as empty";
}

// The first column read from the row id must be the column's own value, so the row id stands in only where the
// column is another name for it.
TEST_F(StoreTest, FirstFieldIsTheFirstColumnWhateverTheKey) {
    const struct {
        const char* declaration;
        bool isRowId;
    } cases[] = {{"Id integer primary key", true},
                 {"Id INTEGER PRIMARY KEY", true},
                 {"Id integer primary key desc", false},  // a key with an index of its own, not the row id
                 {"Id int primary key", false},
                 {"Id integer", false},
                 {"Id text", false}};
    int n = 0;
    for (const auto& c : cases) {
        const std::string table = "keyed" + std::to_string(++n);
        bank.exec("create table " + table + " (" + c.declaration + ", kslx text); insert into " + table +
                  " values (20, 'C1'); insert into " + table + " values (10, 'C1')");
        EXPECT_EQ(data.ADOConnection1.firstColumnIsRowId(table), c.isRowId) << c.declaration;
        Query query(data.ADOConnection1);
        query.reopen(Statement{table, "order by rowid", {}});
        std::set<std::string> seen;
        for (query.first(); !query.eof(); query.next()) {
            const std::string first = query.firstField();  // before the row is read
            EXPECT_EQ(first, query.fieldByName("Id")) << c.declaration;
            seen.insert(first);
        }
        EXPECT_EQ(seen, (std::set<std::string>{"10", "20"})) << c.declaration;
    }
    EXPECT_TRUE(data.ADOConnection1.firstColumnIsRowId("word"));
    EXPECT_FALSE(data.ADOConnection1.firstColumnIsRowId("tmlx"));
}

// A question set must cost what its own questions cost, not what the bank's texts weigh: every statement that
// opens one reads a covering index in id order, never the table's rows, and sorts nothing.
TEST_F(StoreTest, QuestionSetsReadCoveringIndexesInOrder) {
    const Statement sets[] = {statements::allQuestions(), statements::questionsOfType("C1"),
                              statements::questionsOfCategory("C1", "01"), statements::keyPointsOfType("C1"),
                              statements::questionsOfKind("C1", "xz")};
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(bank.path().c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    for (const Statement& set : sets) {
        sqlite3_stmt* stmt = nullptr;
        const std::string sql = "explain query plan select rowid from " + set.table + " " + set.sql;
        ASSERT_EQ(sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
        for (const auto& [name, value] : set.params) {
            const auto& text = std::get<std::string>(value);
            sqlite3_bind_text(stmt, sqlite3_bind_parameter_index(stmt, name.c_str()), text.c_str(), -1,
                              SQLITE_TRANSIENT);
        }
        std::string plan;
        while (sqlite3_step(stmt) == SQLITE_ROW)
            plan += std::string(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 3))) + "; ";
        sqlite3_finalize(stmt);
        EXPECT_NE(plan.find("USING COVERING INDEX"), std::string::npos) << set.sql << ": " << plan;
        EXPECT_EQ(plan.find("TEMP B-TREE"), std::string::npos) << set.sql << ": " << plan;
    }
    sqlite3_close(db);
}

TEST_F(StoreTest, EmptyResultIsAtEofAtOnce) {
    data.ADOWord.setStatement(statements::questionsOfType("nothing"));
    data.ADOWord.open();
    EXPECT_EQ(data.ADOWord.recordCount(), 0);
    EXPECT_TRUE(data.ADOWord.eof());
    EXPECT_EQ(data.ADOWord.fieldByName("Tm"), "");
}

TEST_F(StoreTest, ClosedQueryRefusesToMove) {
    EXPECT_THROW_MSG(data.ADOWord.first(), "Cannot perform this operation on a closed dataset");
    EXPECT_EQ(data.ADOWord.fieldByName("Tm"), "");
}

TEST(StoreFailures, CarryTheEnginesMessage) {
    TestBank none;
    DataModule data;
    data.DataModuleCreate(none.dir());
    data.ADOTmLx.setStatement(statements::allExamTypes());
    EXPECT_THROW_MSG(data.ADOTmLx.open(), "unable to open database file: " + none.path());

    none.writeFile("this is no database, only some text that is long enough to fill a header........");
    data.DataModuleCreate(none.dir());
    EXPECT_THROW_MSG(data.ADOTmLx.open(), "file is not a database");

    TestBank bank(test::sourceWith({test::trueFalse(1, "题", "对")}));
    data.DataModuleCreate(bank.dir());
    bank.exec("drop table tmlx");
    EXPECT_THROW_MSG(data.ADOTmLx.open(), "no such table: tmlx");
}

}  // namespace
}  // namespace zuvo
