// SPDX-License-Identifier: MIT
// Where the bank, Setting.ini and the banners live, and the first start's copy of the bundled bank.
#include "core/data_folders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "bank/error.h"
#include "tests/support/expect_error.h"
#include "tests/support/test_bank.h"

namespace zuvo {
namespace {

namespace fs = std::filesystem;

struct FolderCase {
    const char* name;
    FolderFacts facts;
    DataFolders expected;
};

class Choosing : public testing::TestWithParam<FolderCase> {};

TEST_P(Choosing, PicksTheFoldersForThisKindOfInstallation) {
    const DataFolders got = chooseDataFolders(GetParam().facts);
    EXPECT_EQ(got.data, GetParam().expected.data);
    EXPECT_EQ(got.cache, GetParam().expected.cache);
    EXPECT_EQ(got.bundledBank, GetParam().expected.bundledBank);
}

// Facts: program folder, writable, bank beside, installed bank, XDG_DATA_HOME, XDG_CACHE_HOME, HOME.
INSTANTIATE_TEST_SUITE_P(
    Cases, Choosing,
    testing::Values(
        FolderCase{"build_folder",
                   {"/src/build", true, true, false, "/x/data", "/x/cache", "/home/a"},
                   {"/src/build/", "/src/build/", ""}},
        // Even with a bank installed next door: the bank beside a writable program is the one it has always used.
        FolderCase{"portable_beside_an_installation",
                   {"/opt/z/bin/", true, true, true, "", "", "/home/a"},
                   {"/opt/z/bin/", "/opt/z/bin/", ""}},
        // Nothing to copy from: the missing bank is reported beside the program, as it always was.
        FolderCase{
            "writable_without_any_bank", {"/tmp/z", true, false, false, "", "", "/home/a"}, {"/tmp/z/", "/tmp/z/", ""}},
        FolderCase{"installed_defaults_under_home",
                   {"/usr/bin", false, false, true, "", "", "/home/a"},
                   {"/home/a/.local/share/zuvo/", "/home/a/.cache/zuvo/", "/usr/share/zuvo/Word.mdb"}},
        FolderCase{"installed_with_xdg_folders",
                   {"/usr/local/bin", false, false, true, "/x/data/", "/x/cache", "/h"},
                   {"/x/data/zuvo/", "/x/cache/zuvo/", "/usr/local/share/zuvo/Word.mdb"}},
        // Root can write to PREFIX/bin, yet its bank belongs in its own data folder like anyone's.
        FolderCase{"installed_run_by_root",
                   {"/usr/local/bin", true, false, true, "", "", "/root"},
                   {"/root/.local/share/zuvo/", "/root/.cache/zuvo/", "/usr/local/share/zuvo/Word.mdb"}},
        FolderCase{"read_only_portable_copy",
                   {"/media/cd/zuvo", false, true, false, "", "", "/home/a/"},
                   {"/home/a/.local/share/zuvo/", "/home/a/.cache/zuvo/", "/media/cd/zuvo/Word.mdb"}},
        // The bank may be gone from a broken installation; the copy then names the path it looked for.
        FolderCase{"read_only_without_any_bank",
                   {"/usr/bin", false, false, false, "", "", "/home/a"},
                   {"/home/a/.local/share/zuvo/", "/home/a/.cache/zuvo/", "/usr/share/zuvo/Word.mdb"}},
        FolderCase{"relative_xdg_folders_are_ignored",
                   {"/usr/bin", false, false, true, "data", "cache", "/home/a"},
                   {"/home/a/.local/share/zuvo/", "/home/a/.cache/zuvo/", "/usr/share/zuvo/Word.mdb"}},
        FolderCase{"no_home_but_both_xdg_folders",
                   {"/usr/bin", false, false, true, "/x/d", "/x/c", ""},
                   {"/x/d/zuvo/", "/x/c/zuvo/", "/usr/share/zuvo/Word.mdb"}},
        FolderCase{"no_cache_folder_shares_the_data_folder",
                   {"/usr/bin", false, false, true, "/x/d", "", ""},
                   {"/x/d/zuvo/", "/x/d/zuvo/", "/usr/share/zuvo/Word.mdb"}}),
    [](const testing::TestParamInfo<FolderCase>& info) { return std::string(info.param.name); });

TEST(ChoosingWithoutHome, SaysWhichVariablesAreMissing) {
    for (const char* home : {"", "relative/home"}) {
        const FolderFacts facts{"/usr/bin", false, false, true, "", "/x/cache", home};
        EXPECT_THROW_MSG(chooseDataFolders(facts),
                         "无法确定存放题库的文件夹：环境变量 HOME 和 XDG_DATA_HOME 都没有设置为绝对路径。");
    }
}

std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A bundled bank of known bytes and a learner's home, both in one temporary folder.
class FirstStart : public testing::Test {
  protected:
    FirstStart() {
        fs::create_directories(root() + "/share/zuvo");
        std::ofstream(bundled(), std::ios::binary) << bundledBytes;
    }
    std::string root() const { return scratch.dir(); }
    std::string bundled() const { return root() + "/share/zuvo/Word.mdb"; }
    DataFolders folders() const { return {root() + "/home/data/zuvo/", root() + "/home/cache/zuvo/", bundled()}; }

    // Bigger than one copy buffer, so that the copy takes more than one round.
    const std::string bundledBytes = std::string(200000, 'b') + "end";
    test::TestBank scratch;
};

TEST_F(FirstStart, CopiesTheBundledBankAndMakesTheCacheFolder) {
    prepareDataFolders(folders());
    EXPECT_EQ(test::fileBytes(folders().data + "Word.mdb"), bundledBytes);
    EXPECT_EQ(namesIn(folders().data), std::vector<std::string>{"Word.mdb"});
    EXPECT_TRUE(fs::is_directory(folders().cache));
    // The learner's copy is an ordinary file of its own, not a link to the installed one.
    EXPECT_EQ(fs::hard_link_count(bundled()), 1u);
}

TEST_F(FirstStart, LaterStartsKeepTheLearnersCopy) {
    prepareDataFolders(folders());
    const std::string copy = folders().data + "Word.mdb";
    std::ofstream(copy, std::ios::binary) << "key points";
    prepareDataFolders(folders());
    EXPECT_EQ(test::fileBytes(copy), "key points");
    EXPECT_EQ(namesIn(folders().data), std::vector<std::string>{"Word.mdb"});
}

TEST_F(FirstStart, SimultaneousStartsLeaveOneWholeCopy) {
    std::vector<std::thread> starts;
    for (int i = 0; i < 8; ++i) starts.emplace_back([this] { prepareDataFolders(folders()); });
    for (auto& start : starts) start.join();
    EXPECT_EQ(test::fileBytes(folders().data + "Word.mdb"), bundledBytes);
    EXPECT_EQ(namesIn(folders().data), std::vector<std::string>{"Word.mdb"});
}

TEST_F(FirstStart, AProgramFolderOfItsOwnNeedsNothing) {
    DataFolders beside = folders();
    beside.bundledBank.clear();
    prepareDataFolders(beside);
    EXPECT_FALSE(fs::exists(root() + "/home"));
}

TEST_F(FirstStart, FailuresNameThePathAndLeaveNoPartialCopy) {
    // A plain file where a folder should be stops root as well as anyone else.
    std::ofstream(root() + "/home") << "not a folder";
    EXPECT_THROW_MSG(prepareDataFolders(folders()), "无法建立文件夹 " + folders().data + "：" +
                                                        std::make_error_code(std::errc::not_a_directory).message());

    fs::remove(root() + "/home");
    DataFolders missing = folders();
    missing.bundledBank = root() + "/share/zuvo/gone.mdb";
    EXPECT_THROW_MSG(prepareDataFolders(missing),
                     "无法读取随程序安装的题库 " + missing.bundledBank + "：No such file or directory");
    EXPECT_EQ(namesIn(folders().data), std::vector<std::string>{});

    DataFolders notAFile = folders();
    notAFile.bundledBank = root() + "/share/zuvo";
    EXPECT_THROW_MSG(prepareDataFolders(notAFile), "无法读取随程序安装的题库 " + notAFile.bundledBank + "：不是文件");
    EXPECT_EQ(namesIn(folders().data), std::vector<std::string>{});
}

}  // namespace
}  // namespace zuvo
