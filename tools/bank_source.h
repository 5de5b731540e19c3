// SPDX-License-Identifier: MIT
// The question source: a readable YAML text of exam types, categories and questions, and the bank built from it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zuvo {

struct ExamType {
    std::string code;  // Dm
    std::string name;  // Mc
};

struct Category {
    std::string code;   // Dm
    std::string name;   // Mc
    std::string types;  // kslx: the codes of the exam types it belongs to
};

struct Question {
    std::int64_t id = 0;
    std::string kind;                  // Tmlx: "xz" choice, "pd" true/false
    std::string types;                 // kslx
    std::string category;              // tmfldm
    std::string text;                  // Tm, plain
    std::vector<std::string> options;  // HD1 to HD4, plain
    std::string answer;                // DA
    std::string image;                 // picture number and extension, or empty
    std::string keyPoint;              // zdtm
};

struct BankSource {
    std::vector<ExamType> types;
    std::vector<Category> categories;
    std::vector<Question> questions;
};

// One file of the source: its name, used in messages, and its text.
struct SourceFile {
    std::string name;
    std::string text;
};

// Reads and checks the source; throws Error naming the file, the question or the line at fault.
// The files are read as one: exam types and categories may stand in any of them.
BankSource parseBankSource(const std::vector<SourceFile>& files);
BankSource parseBankSource(const std::string& yamlText);
// Reads the files at the paths and parses them as one source; a file that cannot be read throws Error.
BankSource readBankSource(const std::vector<std::string>& paths);

// Writes a new bank file at path, all or nothing: a failed build leaves no file and keeps an older one.
// Texts are stored as given, so tests can build banks with odd values the source checks would refuse.
void writeBank(const BankSource& source, const std::string& path);

}  // namespace zuvo
