// SPDX-License-Identifier: MIT
// Crash consistency of the hand-in: a worker hands in papers and is killed at random moments; after every kill the
// bank must be intact and each paper's key points all set or all unset.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <thread>

#include "tests/support/test_bank.h"

extern char** environ;

namespace zuvo {
namespace {

constexpr int kKills = 300;
// A worker needs some 40 ms to start and 20 ms per paper: most runs get past a few hand-ins, and the kills fall
// on every step of a paper, its write included.
constexpr int kMaxWaitUs = 200'000;
constexpr int kTypes = 30;
constexpr int kChoicesPerType = 65;
constexpr int kTrueFalsesPerType = 35;
constexpr int kQuestionsPerType = kChoicesPerType + kTrueFalsesPerType;

// Two digits, so that no code contains another: types are matched by "kslx contains the code".
std::string typeCode(int type) { return (type + 1 < 10 ? "T0" : "T") + std::to_string(type + 1); }

// Every exam type has exactly a paper's worth of questions of its own, so each paper holds all of them and no
// question belongs to two papers. The types interleave in the stored order: one paper's rows are spread over the
// whole table, and its hand-in writes many pages.
BankSource crashBank() {
    BankSource source;
    std::string allTypes;
    for (int t = 0; t < kTypes; ++t) {
        source.types.push_back({typeCode(t), "类型" + typeCode(t)});
        allTypes += (t ? "," : "") + typeCode(t);
    }
    source.categories = {{"01", "综合", allTypes}};
    for (int k = 0; k < kQuestionsPerType; ++k) {
        for (int t = 0; t < kTypes; ++t) {
            const std::int64_t id = static_cast<std::int64_t>(k) * kTypes + t + 1;
            const std::string text = "题目" + std::to_string(id);
            Question q = k < kChoicesPerType ? test::choice(id, text, {"甲", "乙", "丙", "丁"},
                                                            std::string(1, static_cast<char>('A' + k % 4)))
                                             : test::trueFalse(id, text, k % 2 ? "对" : "错");
            q.types = typeCode(t);
            source.questions.push_back(q);
        }
    }
    return source;
}

// What a fresh connection finds in the bank. Opening it read-write lets it roll back a hot journal first.
struct BankCheck {
    std::string integrity;
    int markedPapers = 0;
    std::string faults;  // one line per exam type that is not whole, or not all-or-nothing
};

std::string openFailure(sqlite3* db, const std::string& path) {
    const std::string message = db ? sqlite3_errmsg(db) : "out of memory";
    sqlite3_close(db);
    return message + ": " + path;
}

BankCheck checkBank(const std::string& path) {
    BankCheck check;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        check.integrity = openFailure(db, path);
        return check;
    }
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, "pragma integrity_check", -1, &stmt, nullptr) != SQLITE_OK) {
        check.integrity = sqlite3_errmsg(db);
    }
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        if (!check.integrity.empty()) check.integrity += '\n';
        check.integrity += reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
    }
    if (sqlite3_finalize(stmt) != SQLITE_OK) check.integrity += sqlite3_errmsg(db);

    std::map<std::string, std::string> faultOf;
    for (int t = 0; t < kTypes; ++t) faultOf[typeCode(t)] = "no questions";
    sqlite3_prepare_v2(db,
                       "select kslx, count(*), sum(zdtm = '1'), sum(zdtm is null or zdtm not in ('', '1')) "
                       "from word group by kslx",
                       -1, &stmt, nullptr);
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        const std::string type = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
        const int count = sqlite3_column_int(stmt, 1);
        const int marked = sqlite3_column_int(stmt, 2);
        const int odd = sqlite3_column_int(stmt, 3);
        std::string& fault = faultOf[type];
        fault.clear();
        if (count != kQuestionsPerType || odd != 0 || (marked != 0 && marked != count)) {
            fault = std::to_string(count) + " questions, " + std::to_string(marked) + " marked, " +
                    std::to_string(odd) + " with another flag";
        } else if (marked == count) {
            ++check.markedPapers;
        }
    }
    if (sqlite3_finalize(stmt) != SQLITE_OK) check.faults += std::string(sqlite3_errmsg(db)) + '\n';
    sqlite3_close(db);
    for (const auto& [type, fault] : faultOf) {
        if (!fault.empty()) check.faults += type + ": " + fault + '\n';
    }
    return check;
}

std::string journalOf(const std::string& bankPath) { return bankPath + "-journal"; }

// A journal the next opener must play back: there, not empty, its header written. One whose first byte is still
// zero was never synced, so the bank file was not touched yet.
bool hotJournal(const std::string& bankPath) {
    std::ifstream in(journalOf(bankPath), std::ios::binary);
    char first = 0;
    return in.get(first) && first != 0;
}

// The rows of the bank marked as key points, read by a connection that finds no journal beside it.
int markedRows(const std::string& path) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* stmt = nullptr;
    int marked = -1;
    if (sqlite3_prepare_v2(db, "select count(*) from word where zdtm = '1'", -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW) {
        marked = sqlite3_column_int(stmt, 0);
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return marked;
}

std::string describeStatus(int status) {
    if (WIFEXITED(status)) return "exited on its own with status " + std::to_string(WEXITSTATUS(status));
    if (WIFSIGNALED(status)) return "died of signal " + std::to_string(WTERMSIG(status));
    return "status " + std::to_string(status);
}

unsigned seedOfRun() {
    // A failing run is repeated by passing the seed it printed.
    if (const char* given = std::getenv("ZUVO_CRASH_SEED"))
        return static_cast<unsigned>(std::strtoul(given, nullptr, 10));
    return std::random_device{}();
}

TEST(CrashConsistency, KilledHandInsLeaveTheBankWholeAndEachPaperAllOrNothing) {
    const test::TestBank bank(crashBank());
    const unsigned seed = seedOfRun();
    SCOPED_TRACE("ZUVO_CRASH_SEED=" + std::to_string(seed));
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> waitUs(0, kMaxWaitUs);

    int markedBefore = 0;
    int killsAfterAHandIn = 0;
    int papers = 0;
    int hotJournals = 0;
    const auto started = std::chrono::steady_clock::now();
    for (int kill = 1; kill <= kKills; ++kill) {
        char* const argv[] = {const_cast<char*>(ZUVO_HAND_IN_WORKER), const_cast<char*>(bank.dir().c_str()), nullptr};
        pid_t worker = 0;
        ASSERT_EQ(posix_spawn(&worker, argv[0], nullptr, nullptr, argv, environ), 0) << ZUVO_HAND_IN_WORKER;
        std::this_thread::sleep_for(std::chrono::microseconds(waitUs(random)));
        ::kill(worker, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(worker, &status, 0), worker);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "kill " << kill << ": the worker " << describeStatus(status);

        const bool hot = hotJournal(bank.path());
        const BankCheck check = checkBank(bank.path());
        ASSERT_EQ(check.integrity, "ok") << "kill " << kill;
        ASSERT_EQ(check.faults, "") << "kill " << kill;
        if (hot) {
            ++hotJournals;
            ASSERT_FALSE(std::filesystem::exists(journalOf(bank.path())))
                << "kill " << kill << ": the hot journal was not played back";
        }

        // The worker marks the types in order and clears them all once every one is marked.
        const int handedIn = check.markedPapers >= markedBefore ? check.markedPapers - markedBefore
                                                                : kTypes - markedBefore + check.markedPapers;
        papers += handedIn;
        if (handedIn > 0) ++killsAfterAHandIn;
        markedBefore = check.markedPapers;
    }
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("%d kills in %.1f s: %d papers handed in, %d kills after a hand-in, %d hot journals played back\n",
                kKills, seconds, papers, killsAfterAHandIn, hotJournals);
    // Kills that all land before the first write would prove nothing.
    EXPECT_GE(killsAfterAHandIn * 3, kKills) << papers << " papers in " << kKills << " runs";
}

TEST(CrashConsistency, AHotJournalLeftByAKillIsPlayedBackByTheNextOpener) {
    const test::TestBank bank(crashBank());
    // A change too large for a tiny page cache spills into the bank file before it commits; the kill then leaves
    // a bank file holding part of it, and the journal to undo that.
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        sqlite3* db = nullptr;
        if (sqlite3_open_v2(bank.path().c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK ||
            sqlite3_exec(db, "pragma cache_size = 10; begin; update word set zdtm = '1'", nullptr, nullptr, nullptr) !=
                SQLITE_OK) {
            _exit(1);
        }
        raise(SIGKILL);
        _exit(2);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << describeStatus(status);
    ASSERT_TRUE(hotJournal(bank.path()));

    // Without its journal the file shows the half-made change: the journal, not luck, is what undoes it.
    const test::TestBank orphan;
    std::filesystem::copy_file(bank.path(), orphan.path());
    EXPECT_GT(markedRows(orphan.path()), 0);

    const BankCheck check = checkBank(bank.path());
    EXPECT_EQ(check.integrity, "ok");
    EXPECT_EQ(check.faults, "");
    EXPECT_EQ(check.markedPapers, 0);
    EXPECT_FALSE(std::filesystem::exists(journalOf(bank.path())));
    EXPECT_EQ(markedRows(bank.path()), 0);
}

}  // namespace
}  // namespace zuvo
