// SPDX-License-Identifier: MIT
// Small banks for tests, built in a temporary folder with the same writer as the shipped bank.
#pragma once

#include <string>
#include <vector>

#include "tools/bank_source.h"

namespace zuvo::test {

Question choice(std::int64_t id, std::string text, std::vector<std::string> options, std::string answer,
                std::string image = {});
Question trueFalse(std::int64_t id, std::string text, std::string answer, std::string image = {});

// Types C1 and A1, categories 01 and 02, and the questions given (all of type C1, category 01 unless changed).
BankSource sourceWith(std::vector<Question> questions);

// The whole content of a file; empty when it cannot be read.
std::string fileBytes(const std::string& path);

// A temporary folder holding Word.mdb; removed with the object.
class TestBank {
  public:
    explicit TestBank(const BankSource& source);
    TestBank();  // an empty folder: no bank at all
    ~TestBank();
    TestBank(const TestBank&) = delete;
    TestBank& operator=(const TestBank&) = delete;

    const std::string& dir() const { return dir_; }
    std::string path() const { return dir_ + "/Word.mdb"; }
    // Runs raw SQL on the bank, for rows the source checks would refuse.
    void exec(const std::string& sql) const;
    void writeFile(const std::string& bytes) const;

  private:
    std::string dir_;
};

}  // namespace zuvo::test
