// SPDX-License-Identifier: MIT
// zuvo-bank: builds Word.mdb from the question source, and prints a bank's tables as readable text.
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "bank/data_module.h"
#include "bank/error.h"
#include "bank/scramble.h"
#include "bank/statements.h"
#include "tools/bank_source.h"
#include "tools/synth_bank.h"

namespace {

constexpr const char* kUsage =
    "usage: zuvo-bank build SOURCE... OUT  build a bank from the files of the question source\n"
    "       zuvo-bank dump BANK [TABLE]   print word (default), tmlx or Tmfl, one row a line, tab-separated\n"
    "       zuvo-bank synth N OUT          build a bank of N made-up questions shaped like the shipped one\n";

std::string escaped(const std::string& field) {
    std::string out;
    out.reserve(field.size());
    for (char c : field) {
        switch (c) {
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\\':
                out += "\\\\";
                break;
            default:
                out += c;
        }
    }
    return out;
}

int build(const std::vector<std::string>& sourcePaths, const std::string& out) {
    // The bank is the last argument; a forgotten one must not turn a source file into a bank.
    for (const char* extension : {".yaml", ".yml"}) {
        const std::string_view ext(extension);
        if (out.size() >= ext.size() && out.compare(out.size() - ext.size(), ext.size(), ext) == 0) {
            throw zuvo::Error("the last argument " + out + " looks like a source file, not a bank");
        }
    }
    zuvo::writeBank(zuvo::readBankSource(sourcePaths), out);
    return 0;
}

int synth(const std::string& count, const std::string& out) {
    // Up to ten million questions: a bank far beyond any real one, still a few gigabytes at most.
    constexpr long long kMost = 10'000'000;
    long long questions = 0;
    size_t used = 0;
    try {
        questions = std::stoll(count, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != count.size() || questions < 1 || questions > kMost) {
        throw zuvo::Error("the question count " + count + " is not a whole number from 1 to " + std::to_string(kMost));
    }
    zuvo::writeBank(zuvo::synthBankSource(questions), out);
    return 0;
}

int dump(const std::string& bankPath, const std::string& table) {
    zuvo::Connection connection;
    connection.setPath(bankPath);
    zuvo::Query query(connection);

    std::vector<const char*> plain;
    bool questions = false;
    if (table == "word") {
        query.setStatement(zuvo::statements::allQuestions());
        plain = {"Id", "Tmlx", "kslx", "tmfldm", "zdtm", "DA", "image"};
        questions = true;
    } else if (table == "tmlx") {
        query.setStatement(zuvo::statements::allExamTypes());
        plain = {"Dm", "Mc"};
    } else if (table == "Tmfl") {
        query.setStatement(zuvo::Statement{"Tmfl", "order by rowid", {}});
        plain = {"Dm", "Mc", "kslx"};
    } else {
        std::cerr << "zuvo-bank: unknown table " << table << " (word, tmlx or Tmfl)\n";
        return 2;
    }
    query.open();
    for (query.first(); !query.eof(); query.next()) {
        std::string line;
        for (const char* column : plain) {
            if (!line.empty() || column != plain.front()) line += '\t';
            line += escaped(query.fieldByName(column));
        }
        if (questions) {
            for (const char* column : {"Tm", "HD1", "HD2", "HD3", "HD4"}) {
                try {
                    line += '\t' + escaped(zuvo::decodedField(query, column));
                } catch (const zuvo::Error& e) {
                    std::cout << std::flush;
                    std::cerr << "zuvo-bank: question " << query.firstField() << ", " << column << ": " << e.what()
                              << '\n';
                    return 1;
                }
            }
        }
        std::cout << line << '\n';
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    try {
        if (args.size() >= 3 && args[0] == "build") return build({args.begin() + 1, args.end() - 1}, args.back());
        if (args.size() == 3 && args[0] == "synth") return synth(args[1], args[2]);
        if ((args.size() == 2 || args.size() == 3) && args[0] == "dump")
            return dump(args[1], args.size() == 3 ? args[2] : "word");
    } catch (const std::exception& e) {
        std::cerr << "zuvo-bank: " << e.what() << '\n';
        return 1;
    }
    std::cerr << kUsage;
    return 2;
}
