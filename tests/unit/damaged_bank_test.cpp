// SPDX-License-Identifier: MIT
// A bank that is damaged, missing parts, read-only or locked by another process: a clear message each time, and
// nothing lost once the bank is usable again.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "bank/data_module.h"
#include "bank/error.h"
#include "core/main_window.h"
#include "tests/support/expect_error.h"
#include "tests/support/fake_platform.h"
#include "tests/support/test_bank.h"

namespace zuvo {
namespace {

namespace fs = std::filesystem;

BankSource twoQuestions() {
    return test::sourceWith({test::choice(1, "第一题", {"a", "b", "c", "d"}, "A"), test::trueFalse(2, "第二题", "对")});
}

struct Started {
    explicit Started(const std::string& dir) { data.DataModuleCreate(dir); }
    DataModule data;
    test::FakePlatform platform;
    MainWindowLogic main{data, platform};
};

struct DamageCase {
    const char* name;
    std::function<void(const test::TestBank&)> damage;
    std::string message;  // what the learner reads at start-up; {path} stands for the bank's path
};

class DamagedBank : public testing::TestWithParam<DamageCase> {};

TEST_P(DamagedBank, StartUpShowsTheEnginesMessageAndLeavesNoHalfBuiltSet) {
    test::TestBank bank(twoQuestions());
    GetParam().damage(bank);
    std::string expected = GetParam().message;
    if (auto at = expected.find("{path}"); at != std::string::npos) expected.replace(at, 6, bank.path());

    Started s(bank.dir());
    EXPECT_THROW_MSG(s.main.FormCreate(), expected);
    // Whatever the learner does next is refused with a message or does nothing: never a crash, never an answer
    // recorded for a question that was not shown.
    EXPECT_THROW(s.main.procDispWord(kMoveNext), Error);
    try {
        s.main.BtnAClick();
    } catch (const Error&) {
    }
    EXPECT_EQ(s.main.state.answerOf(1), "");
}

INSTANTIATE_TEST_SUITE_P(
    Banks, DamagedBank,
    testing::Values(
        DamageCase{"not_a_database", [](const test::TestBank& b) { b.writeFile(std::string(8192, 'x')); },
                   "file is not a database"},
        DamageCase{"empty_file", [](const test::TestBank& b) { b.writeFile(""); }, "no such table: tmlx"},
        DamageCase{"a_folder",
                   [](const test::TestBank& b) {
                       fs::remove(b.path());
                       fs::create_directory(b.path());
                   },
                   "unable to open database file: {path}"},
        DamageCase{"cut_in_half",
                   [](const test::TestBank& b) { fs::resize_file(b.path(), fs::file_size(b.path()) / 2); },
                   "database disk image is malformed"},
        DamageCase{"no_question_table", [](const test::TestBank& b) { b.exec("drop table word"); },
                   "no such table: word"},
        DamageCase{"endless_view_for_a_table",
                   [](const test::TestBank& b) {
                       b.exec(
                           "alter table word rename to questions;"
                           "create view word as with recursive n(i) as (select 1 union all select i + 1 from n) "
                           "select questions.* from questions, n");
                   },
                   "'word' is not a table: {path}"},
        DamageCase{"no_type_column",
                   [](const test::TestBank& b) { b.exec("drop index word_kinds; alter table word drop column Tmlx"); },
                   "Field 'Tmlx' not found"}),
    [](const testing::TestParamInfo<DamageCase>& info) { return std::string(info.param.name); });

// A mock exam of the bank's two questions, both answered wrongly.
void answerPaperWrongly(MainWindowLogic& main) {
    main.xunhuanWord(1);
    main.selTm.form.ComboBoxEx1.itemIndex = 0;
    main.selTm.BtnKsClick();
    main.BtnBClick();  // choice question 1: B, the right one is A
    main.BtnBClick();  // true/false question 2: 错, the right one is 对
}

std::string keyPoints(const std::string& path) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    std::string flags;
    sqlite3_exec(
        db, "select zdtm from word order by Id",
        [](void* out, int, char** values, char**) {
            *static_cast<std::string*>(out) += values[0] ? values[0] : "-";
            *static_cast<std::string*>(out) += ',';
            return 0;
        },
        &flags, nullptr);
    sqlite3_close(db);
    return flags;
}

// Runs body as an ordinary user: root writes to read-only files, so a root test gives up its rights in a child
// process first. The child reports its failures through its exit status.
void asOrdinaryUser(const std::string& dir, const std::function<void()>& body) {
    if (geteuid() != 0) return body();
    constexpr uid_t kNobody = 65534;
    fs::permissions(dir, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec | fs::perms::others_read |
                             fs::perms::others_exec);
    for (const auto& entry : fs::directory_iterator(dir)) ASSERT_EQ(chown(entry.path().c_str(), kNobody, kNobody), 0);
    ASSERT_EQ(chown(dir.c_str(), kNobody, kNobody), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const bool dropped = setgid(kNobody) == 0 && setuid(kNobody) == 0;
        if (dropped) body();
        _exit(!dropped || testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the ordinary user's part failed, see above";
}

TEST(ReadOnlyBank, HandInFailsWithTheEnginesMessageAndSucceedsOnceWritable) {
    test::TestBank bank(twoQuestions());
    asOrdinaryUser(bank.dir(), [&bank] {
        fs::permissions(bank.path(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
        Started s(bank.dir());
        s.main.FormCreate();
        answerPaperWrongly(s.main);

        EXPECT_THROW_MSG(s.main.BtnExitClick(), "attempt to write a readonly database");
        EXPECT_EQ(s.main.state.HandedIn, "0") << "the paper can be handed in again";
        EXPECT_TRUE(s.platform.questions.size() == 1) << "only the hand-in question, no score";
        EXPECT_EQ(keyPoints(bank.path()), ",,");

        fs::permissions(bank.path(), fs::perms::owner_write, fs::perm_options::add);
        s.main.BtnExitClick();
        EXPECT_EQ(s.main.state.HandedIn, "1");
        EXPECT_EQ(s.platform.questions.back(), scoreText(0));
        EXPECT_EQ(keyPoints(bank.path()), "1,1,");
    });
}

// Another process holds the bank's write lock until told to let go.
class LockingProcess {
  public:
    explicit LockingProcess(const std::string& path) {
        int ready[2];
        if (pipe(ready) != 0 || pipe(release_) != 0) throw std::runtime_error("pipe");
        pid_ = fork();
        if (pid_ == 0) {
            sqlite3* db = nullptr;
            sqlite3_open(path.c_str(), &db);
            const bool locked = sqlite3_exec(db, "begin exclusive", nullptr, nullptr, nullptr) == SQLITE_OK;
            char byte = locked ? 'L' : 'F';
            (void)!write(ready[1], &byte, 1);
            (void)!read(release_[0], &byte, 1);
            sqlite3_exec(db, "rollback", nullptr, nullptr, nullptr);
            sqlite3_close(db);
            _exit(0);
        }
        char byte = 0;
        locked_ = read(ready[0], &byte, 1) == 1 && byte == 'L';
        close(ready[0]);
        close(ready[1]);
    }
    ~LockingProcess() { letGo(); }
    bool locked() const { return locked_; }
    void letGo() {
        if (pid_ <= 0) return;
        char byte = 'R';
        (void)!write(release_[1], &byte, 1);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

  private:
    pid_t pid_ = -1;
    int release_[2] = {-1, -1};
    bool locked_ = false;
};

TEST(LockedBank, StartUpAndHandInReportTheLockAndWorkOnceItIsGone) {
    test::TestBank bank(twoQuestions());
    {
        LockingProcess other(bank.path());
        ASSERT_TRUE(other.locked());
        Started s(bank.dir());
        EXPECT_THROW_MSG(s.main.FormCreate(), "database is locked");
    }

    Started s(bank.dir());
    s.main.FormCreate();
    answerPaperWrongly(s.main);
    LockingProcess other(bank.path());
    ASSERT_TRUE(other.locked());
    EXPECT_THROW_MSG(s.main.BtnExitClick(), "database is locked");
    EXPECT_EQ(s.main.state.HandedIn, "0");
    other.letGo();
    s.main.BtnExitClick();
    EXPECT_EQ(s.main.state.HandedIn, "1");
    EXPECT_EQ(keyPoints(bank.path()), "1,1,");
}

}  // namespace
}  // namespace zuvo
