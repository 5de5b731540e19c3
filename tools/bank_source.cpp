// SPDX-License-Identifier: MIT
#include "tools/bank_source.h"

#include <sqlite3.h>
#include <yaml-cpp/yaml.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "bank/error.h"
#include "bank/gbk.h"
#include "bank/schema.h"
#include "bank/scramble.h"

namespace zuvo {
namespace {

std::string text(const YAML::Node& node, const char* key, bool required = true) {
    const YAML::Node value = node[key];
    if (!value || value.IsNull()) {
        if (required) throw Error("line " + std::to_string(node.Mark().line + 1) + ": missing '" + key + "'");
        return {};
    }
    if (!value.IsScalar())
        throw Error("line " + std::to_string(value.Mark().line + 1) + ": '" + key + "' must be text");
    return value.Scalar();
}

// The entries of one of the source's lists, each a map of fields; a missing list has none. Checked before any
// field is read: the YAML reader fails without a line on a field of anything but a map.
std::vector<YAML::Node> entriesOf(const YAML::Node& root, const char* key) {
    const YAML::Node list = root[key];
    if (!list || list.IsNull()) return {};
    if (!list.IsSequence())
        throw Error("line " + std::to_string(list.Mark().line + 1) + ": '" + key + "' must be a list");
    std::vector<YAML::Node> entries;
    for (const auto& entry : list) {
        if (!entry.IsMap()) {
            throw Error("line " + std::to_string(entry.Mark().line + 1) + ": each entry of '" + key +
                        "' must be a map of fields");
        }
        entries.push_back(entry);
    }
    return entries;
}

std::set<std::string> splitCodes(const std::string& codes) {
    std::set<std::string> out;
    size_t start = 0;
    while (start <= codes.size()) {
        size_t comma = codes.find(',', start);
        if (comma == std::string::npos) comma = codes.size();
        std::string code = codes.substr(start, comma - start);
        while (!code.empty() && code.front() == ' ') code.erase(0, 1);
        while (!code.empty() && code.back() == ' ') code.pop_back();
        if (!code.empty()) out.insert(code);
        start = comma + 1;
    }
    return out;
}

void checkQuestion(const Question& q, const std::set<std::string>& typeCodes,
                   const std::map<std::string, std::set<std::string>>& categoryTypes) {
    auto fail = [&](const std::string& why) { throw Error("question " + std::to_string(q.id) + ": " + why); };
    if (q.kind == "xz") {
        if (q.options.size() != 4) fail("a choice question needs four options");
        if (q.answer.size() != 1 || q.answer[0] < 'A' || q.answer[0] > 'D') fail("the answer must be A, B, C or D");
    } else if (q.kind == "pd") {
        if (!q.options.empty()) fail("a true/false question has no options");
        if (q.answer != "对" && q.answer != "错") fail("the answer must be 对 or 错");
    } else {
        fail("kind must be xz or pd");
    }
    if (q.text.empty()) fail("empty question text");
    const auto types = splitCodes(q.types);
    if (types.empty()) fail("no exam type");
    for (const auto& code : types) {
        if (!typeCodes.count(code)) fail("unknown exam type " + code);
    }
    const auto category = categoryTypes.find(q.category);
    if (category == categoryTypes.end()) fail("unknown category " + q.category);
    for (const auto& code : types) {
        if (!category->second.count(code)) fail("exam type " + code + " is not one of category " + q.category + "'s");
    }
    if (!q.image.empty()) {
        const auto dot = q.image.find('.');
        if (dot == std::string::npos || dot == 0 || q.image.size() - dot != 4 ||
            q.image.find_first_not_of("0123456789") != dot) {
            fail("image must be a picture number and a four-character extension, like 1228.jpg");
        }
    }
}

std::string inFile(const SourceFile& file, const std::string& message) {
    return file.name.empty() ? message : file.name + ": " + message;
}

Question readQuestion(const YAML::Node& node, std::set<std::int64_t>& ids, const std::set<std::string>& typeCodes,
                      const std::map<std::string, std::set<std::string>>& categoryTypes) {
    Question q;
    try {
        q.id = node["id"].as<std::int64_t>();
    } catch (const YAML::Exception&) {
        throw Error("line " + std::to_string(node.Mark().line + 1) + ": a question needs a whole-number id");
    }
    if (q.id < 1 || !ids.insert(q.id).second)
        throw Error("question " + std::to_string(q.id) + ": id not positive or used twice");
    q.kind = text(node, "kind");
    q.types = text(node, "types");
    q.category = text(node, "category");
    q.text = text(node, "text");
    q.answer = text(node, "answer");
    q.image = text(node, "image", false);
    q.keyPoint = text(node, "keypoint", false);
    if (const YAML::Node options = node["options"]; options && !options.IsNull()) {
        if (!options.IsSequence())
            throw Error("line " + std::to_string(options.Mark().line + 1) + ": 'options' must be a list of texts");
        for (const auto& option : options) {
            if (!option.IsNull() && !option.IsScalar())
                throw Error("line " + std::to_string(option.Mark().line + 1) + ": an option must be text");
            q.options.push_back(option.IsNull() ? std::string() : option.Scalar());
        }
    }
    checkQuestion(q, typeCodes, categoryTypes);
    return q;
}

// One statement at a time, so that a failure names the engine's message.
class Writer {
  public:
    explicit Writer(const std::string& path) {
        if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
            std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
            sqlite3_close(db_);
            throw Error(message + ": " + path);
        }
    }
    ~Writer() { sqlite3_close(db_); }

    void exec(const char* sql) {
        char* message = nullptr;
        if (sqlite3_exec(db_, sql, nullptr, nullptr, &message) != SQLITE_OK) {
            std::string why = message ? message : "error";
            sqlite3_free(message);
            throw Error(why);
        }
    }

    sqlite3_stmt* prepare(const char* sql) {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db_, sql, -1, &stmt, nullptr) != SQLITE_OK) throw Error(sqlite3_errmsg(db_));
        return stmt;
    }

    void run(sqlite3_stmt* stmt) {
        int rc = sqlite3_step(stmt);
        sqlite3_reset(stmt);
        if (rc != SQLITE_DONE) throw Error(sqlite3_errmsg(db_));
    }

  private:
    sqlite3* db_ = nullptr;
};

void bindText(sqlite3_stmt* stmt, int index, const std::string& value) {
    sqlite3_bind_text(stmt, index, value.data(), static_cast<int>(value.size()), SQLITE_TRANSIENT);
}

void bindScrambled(sqlite3_stmt* stmt, int index, const std::string& plain, std::uint8_t seed) {
    const std::string stored = scrambleText(utf8ToGbk(plain), seed);
    sqlite3_bind_blob(stmt, index, stored.data(), static_cast<int>(stored.size()), SQLITE_TRANSIENT);
}

struct Finalizer {
    sqlite3_stmt* stmt;
    ~Finalizer() { sqlite3_finalize(stmt); }
};

void fill(Writer& db, const BankSource& source) {
    db.exec("begin");
    db.exec(schema::kCreateTables);
    Finalizer types{db.prepare("insert into tmlx(Dm, Mc) values(?1, ?2)")};
    for (const auto& t : source.types) {
        bindText(types.stmt, 1, t.code);
        bindText(types.stmt, 2, t.name);
        db.run(types.stmt);
    }
    Finalizer categories{db.prepare("insert into Tmfl(Dm, Mc, kslx) values(?1, ?2, ?3)")};
    for (const auto& c : source.categories) {
        bindText(categories.stmt, 1, c.code);
        bindText(categories.stmt, 2, c.name);
        bindText(categories.stmt, 3, c.types);
        db.run(categories.stmt);
    }
    Finalizer questions{
        db.prepare("insert into word(Id, Tm, Tmlx, kslx, tmfldm, zdtm, HD1, HD2, HD3, HD4, DA, image) "
                   "values(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12)")};
    for (const auto& q : source.questions) {
        // The seed only varies the stored form; deriving it from the id keeps builds reproducible.
        auto seed = [&](int column) { return static_cast<std::uint8_t>(q.id * 31 + column * 7); };
        sqlite3_bind_int64(questions.stmt, 1, q.id);
        bindScrambled(questions.stmt, 2, q.text, seed(0));
        bindText(questions.stmt, 3, q.kind);
        bindText(questions.stmt, 4, q.types);
        bindText(questions.stmt, 5, q.category);
        bindText(questions.stmt, 6, q.keyPoint);
        for (int i = 0; i < 4; ++i) {
            const std::string option = i < static_cast<int>(q.options.size()) ? q.options[static_cast<size_t>(i)] : "";
            bindScrambled(questions.stmt, 7 + i, option, seed(i + 1));
        }
        bindText(questions.stmt, 11, q.answer);
        bindText(questions.stmt, 12, q.image);
        try {
            db.run(questions.stmt);
        } catch (const Error& e) {
            throw Error("question " + std::to_string(q.id) + ": " + e.what());
        }
    }
    db.exec(schema::kCreateIndexes);
    db.exec("commit");
}

}  // namespace

BankSource parseBankSource(const std::vector<SourceFile>& files) {
    std::vector<YAML::Node> roots;
    for (const auto& file : files) {
        try {
            roots.push_back(YAML::Load(file.text));
        } catch (const YAML::Exception& e) {
            throw Error(inFile(file, e.what()));
        }
        if (!roots.back().IsMap() && !roots.back().IsNull()) {
            throw Error(inFile(file, "the source must hold types, categories and questions"));
        }
    }
    BankSource source;
    std::set<std::string> typeCodes;
    std::map<std::string, std::set<std::string>> categoryTypes;
    for (size_t i = 0; i < files.size(); ++i) {
        try {
            for (const auto& node : entriesOf(roots[i], "types")) {
                source.types.push_back({text(node, "code"), text(node, "name")});
                if (!typeCodes.insert(source.types.back().code).second)
                    throw Error("exam type " + source.types.back().code + " twice");
            }
            for (const auto& node : entriesOf(roots[i], "categories")) {
                source.categories.push_back({text(node, "code"), text(node, "name"), text(node, "types")});
                const Category& category = source.categories.back();
                if (categoryTypes.count(category.code)) throw Error("category " + category.code + " twice");
                categoryTypes[category.code] = splitCodes(category.types);
            }
        } catch (const Error& e) {
            throw Error(inFile(files[i], e.what()));
        }
    }
    std::set<std::int64_t> ids;
    for (size_t i = 0; i < files.size(); ++i) {
        try {
            for (const auto& node : entriesOf(roots[i], "questions"))
                source.questions.push_back(readQuestion(node, ids, typeCodes, categoryTypes));
        } catch (const Error& e) {
            throw Error(inFile(files[i], e.what()));
        }
    }
    if (source.types.empty() || source.questions.empty()) throw Error("the source holds no exam type or no question");
    return source;
}

BankSource readBankSource(const std::vector<std::string>& paths) {
    std::vector<SourceFile> files;
    for (const auto& path : paths) {
        std::ifstream in(path, std::ios::binary);
        if (!in) throw Error("cannot read " + path);
        std::stringstream text;
        text << in.rdbuf();
        files.push_back({path, text.str()});
    }
    return parseBankSource(files);
}

BankSource parseBankSource(const std::string& yamlText) { return parseBankSource({SourceFile{"", yamlText}}); }

void writeBank(const BankSource& source, const std::string& path) {
    const std::string temporary = path + ".building";
    std::remove(temporary.c_str());
    try {
        {
            Writer db(temporary);
            fill(db, source);
        }
        if (std::rename(temporary.c_str(), path.c_str()) != 0) throw Error("cannot replace " + path);
    } catch (...) {
        std::remove(temporary.c_str());
        throw;
    }
}

}  // namespace zuvo
