// SPDX-License-Identifier: MIT
// The tables of Word.mdb. Id comes first, since readers take a question's id from the first column. The scrambled
// columns are BLOBs: their bytes are not text in any encoding.
#pragma once

namespace zuvo::schema {

inline constexpr const char* kCreateTables = R"sql(
create table word (
    Id integer primary key,
    word text,
    Tm blob,
    Tmlx text,
    kslx text,
    tmfldm text,
    zdtm text default '',
    HD1 blob,
    HD2 blob,
    HD3 blob,
    HD4 blob,
    DA text,
    image text
);
create table tmlx (Dm text, Mc text);
create table Tmfl (Dm text, Mc text, kslx text);
)sql";

// The columns that hold scrambled text.
inline constexpr const char* kScrambledColumns[] = {"Tm", "HD1", "HD2", "HD3", "HD4"};

}  // namespace zuvo::schema
