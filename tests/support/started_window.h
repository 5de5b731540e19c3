// SPDX-License-Identifier: MIT
// A fixture: the main window's logic over a bank built for the test, started as the program starts it.
#pragma once

#include <gtest/gtest.h>

#include "bank/data_module.h"
#include "core/main_window.h"
#include "tests/support/fake_platform.h"
#include "tests/support/test_bank.h"

namespace zuvo::test {

class StartedWindow : public testing::Test {
  protected:
    explicit StartedWindow(const BankSource& source) : bank(source) {}

    void SetUp() override {
        data.DataModuleCreate(bank.dir());
        main.FormCreate();
    }
    // Brings question n on screen by the seek move, which renders it in full.
    void show(int n) {
        main.state.SeekNo = n;
        main.procDispWord(kMoveToSeek);
    }

    // The key-point flag of the question with this id, as the bank holds it now.
    std::string keyPointFlag(const std::string& id) {
        Query probe(data.ADOConnection1);
        probe.reopen(Statement{"word", "where Id = :id", {{":id", id}}});
        return probe.fieldByName("zdtm");
    }

    TestBank bank;
    DataModule data;
    FakePlatform platform;
    MainWindowLogic main{data, platform};
};

}  // namespace zuvo::test
