// SPDX-License-Identifier: MIT
// Every statement the program runs on the bank. Codes and ids are bound as parameters: a code holding a quote,
// "%" or "_" matches only itself. Tables are read in their stored order unless a statement orders them otherwise.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bank/store.h"

namespace zuvo::statements {

Statement allExamTypes();                                          // every row of tmlx
Statement allQuestions();                                          // every row of word
Statement questionsOfType(const std::string& typeCode);            // kslx contains the code
Statement categoriesOfType(const std::string& typeCode);           // Tmfl rows whose kslx contains the code
Statement questionsOfCategory(const std::string& typeCode, const std::string& categoryCode);
Statement keyPointsOfType(const std::string& typeCode);            // ... and zdtm is "1"
Statement questionsOfKind(const std::string& typeCode, const std::string& kind);  // ... and Tmlx is the kind
Statement paper(const std::vector<std::int64_t>& ids);             // the ids, choice questions first
Statement markKeyPoints(const std::vector<std::int64_t>& ids);     // zdtm := "1"
Statement clearKeyPoint(std::int64_t id);                          // zdtm := ""
Statement insertWord();                                            // parameters :Word and :Mean

// "%code%" for a like with the escape character "\": the code's own "%", "_" and "\" match literally.
std::string containsPattern(const std::string& code);

}  // namespace zuvo::statements
