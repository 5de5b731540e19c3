// SPDX-License-Identifier: MIT
// The bank's connection and the six queries every part of the program shares.
#pragma once

#include <string>

#include "bank/store.h"

namespace zuvo {

inline constexpr const char* kBankFileName = "Word.mdb";

class DataModule {
public:
    DataModule() = default;

    // Points the connection at Word.mdb in the program's folder; nothing is opened yet.
    void DataModuleCreate(const std::string& programDir);

    Connection ADOConnection1;
    Query ADOWord{ADOConnection1};        // the current question set
    Query ADOTmLx{ADOConnection1};        // all exam types
    Query ADOTmfl{ADOConnection1};        // the categories of the chosen exam type
    Query ADOQuery1{ADOConnection1};      // ids of one question kind, for the exam paper
    Query ADOWordUpdate{ADOConnection1};  // key-point flag changes
    Query ADOWordMan{ADOConnection1};     // the word list editor's insert
};

}  // namespace zuvo
