// SPDX-License-Identifier: MIT
#include "tests/support/test_bank.h"

#include <sqlite3.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace zuvo::test {

Question choice(std::int64_t id, std::string text, std::vector<std::string> options, std::string answer,
                std::string image) {
    Question q;
    q.id = id;
    q.kind = "xz";
    q.types = "C1";
    q.category = "01";
    q.text = std::move(text);
    q.options = std::move(options);
    q.answer = std::move(answer);
    q.image = std::move(image);
    return q;
}

Question trueFalse(std::int64_t id, std::string text, std::string answer, std::string image) {
    Question q = choice(id, std::move(text), {}, std::move(answer), std::move(image));
    q.kind = "pd";
    return q;
}

BankSource sourceWith(std::vector<Question> questions) {
    BankSource source;
    source.types = {{"C1", "小型汽车"}, {"A1", "大型客车"}};
    source.categories = {{"01", "道路交通安全法律法规", "C1,A1"}, {"02", "道路交通信号", "C1,A1"}};
    source.questions = std::move(questions);
    return source;
}

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

TestBank::TestBank() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zuvo-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    dir_ = pattern;
}

TestBank::TestBank(const BankSource& source) : TestBank() { writeBank(source, path()); }

TestBank::~TestBank() {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
}

void TestBank::exec(const std::string& sql) const {
    sqlite3* db = nullptr;
    sqlite3_open(path().c_str(), &db);
    char* message = nullptr;
    int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message);
    std::string why = message ? message : "";
    sqlite3_free(message);
    sqlite3_close(db);
    if (rc != SQLITE_OK) throw std::runtime_error(why);
}

void TestBank::writeFile(const std::string& bytes) const { std::ofstream(path(), std::ios::binary) << bytes; }

}  // namespace zuvo::test
