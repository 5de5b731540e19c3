// SPDX-License-Identifier: MIT
#include "bank/statements.h"

namespace zuvo::statements {
namespace {

// An id list travels as one JSON array parameter, so the statement text stays the same for every paper.
std::string idArray(const std::vector<std::int64_t>& ids) {
    std::string out = "[";
    for (size_t i = 0; i < ids.size(); ++i) {
        if (i) out += ',';
        out += std::to_string(ids[i]);
    }
    return out + "]";
}

constexpr const char* kOfType = "kslx like :type escape '\\'";

Statement select(std::string table, std::string sql, std::vector<std::pair<std::string, Param>> params = {}) {
    return Statement{std::move(table), std::move(sql), std::move(params)};
}

}  // namespace

std::string containsPattern(const std::string& code) {
    std::string out = "%";
    for (char c : code) {
        if (c == '%' || c == '_' || c == '\\') out += '\\';
        out += c;
    }
    return out + "%";
}

Statement allExamTypes() { return select("tmlx", "order by rowid"); }

Statement allQuestions() { return select("word", "order by rowid"); }

Statement questionsOfType(const std::string& typeCode) {
    return select("word", std::string("where ") + kOfType + " order by rowid", {{":type", containsPattern(typeCode)}});
}

Statement categoriesOfType(const std::string& typeCode) {
    return select("Tmfl", std::string("where ") + kOfType + " order by rowid", {{":type", containsPattern(typeCode)}});
}

Statement questionsOfCategory(const std::string& typeCode, const std::string& categoryCode) {
    return select("word", std::string("where ") + kOfType + " and tmfldm = :category order by rowid",
                  {{":type", containsPattern(typeCode)}, {":category", categoryCode}});
}

Statement keyPointsOfType(const std::string& typeCode) {
    return select("word", std::string("where (") + kOfType + ") and (zdtm = '1') order by rowid",
                  {{":type", containsPattern(typeCode)}});
}

Statement questionsOfKind(const std::string& typeCode, const std::string& kind) {
    return select("word", std::string("where ") + kOfType + " and Tmlx = :kind order by rowid",
                  {{":type", containsPattern(typeCode)}, {":kind", kind}});
}

Statement paper(const std::vector<std::int64_t>& ids) {
    // Descending type puts "xz" before "pd"; within a type the stored order holds.
    return select("word", "where id in (select value from json_each(:ids)) order by tmlx desc, rowid",
                  {{":ids", idArray(ids)}});
}

Statement markKeyPoints(const std::vector<std::int64_t>& ids) {
    return Statement{{}, "update word set zdtm = '1' where id in (select value from json_each(:ids))",
                     {{":ids", idArray(ids)}}};
}

Statement clearKeyPoint(std::int64_t id) {
    return Statement{{}, "update word set zdtm = '' where id = :id", {{":id", id}}};
}

Statement insertWord() { return Statement{{}, "insert into word(word, Tm) values(:Word, :Mean)", {}}; }

}  // namespace zuvo::statements
