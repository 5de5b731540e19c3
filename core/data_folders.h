// SPDX-License-Identifier: MIT
// Which folders hold the bank, Setting.ini and the banner files, and the learner's own copy of the bundled bank.
#pragma once

#include <string>

namespace zuvo {

// The bank an installed program ships, relative to the program's folder: PREFIX/bin/zuvo finds
// PREFIX/share/zuvo/Word.mdb.
inline constexpr const char* kInstalledBankFolder = "../share/zuvo";

// What the choice rests on, read from the file system and the environment.
struct FolderFacts {
    std::string programDir;
    bool programDirWritable = false;
    bool bankBesideProgram = false;  // Word.mdb in programDir
    bool installedBank = false;      // Word.mdb in kInstalledBankFolder
    // Empty when unset.
    std::string xdgDataHome;
    std::string xdgCacheHome;
    std::string home;
};

struct DataFolders {
    std::string data;   // Word.mdb and Setting.ini; ends in a separator
    std::string cache;  // banner files; ends in a separator
    // The bank copied into data on the first start; empty when data is the program's own folder.
    std::string bundledBank;
};

// A build or portable folder keeps everything beside the program: it is writable and either holds a bank or is no
// installation. Otherwise the learner's data and cache folders are used, so that an installed program works for
// every user, root included (who could write to PREFIX/bin but must not keep a bank there). Throws Error when the
// learner's data folder cannot be named.
DataFolders chooseDataFolders(const FolderFacts& facts);

// The facts for programDir, from the process's environment and the file system.
FolderFacts readFolderFacts(const std::string& programDir);

// Creates the learner's folders and copies the bundled bank on the first start, whole or not at all and never over
// an existing copy: the key points in that copy are the learner's. Throws Error naming the path that failed.
// Nothing to do for a program that keeps everything beside itself.
void prepareDataFolders(const DataFolders& folders);

}  // namespace zuvo
