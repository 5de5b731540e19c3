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

// Every question set is "the questions whose kslx holds a code", often with one more column equal to a value, in
// id order. The substring match has to look at each candidate's kslx, but through these covering indexes, in id
// order, it reads a few bytes a question instead of every question's texts, and sorts nothing. Made after the rows
// are in, which is faster than keeping them up to date row by row.
inline constexpr const char* kCreateIndexes = R"sql(
create index word_types on word(Id, kslx);
create index word_kinds on word(Tmlx, Id, kslx);
create index word_categories on word(tmfldm, Id, kslx);
create index word_key_points on word(zdtm, Id, kslx);
)sql";

// The columns that hold scrambled text.
inline constexpr const char* kScrambledColumns[] = {"Tm", "HD1", "HD2", "HD3", "HD4"};

}  // namespace zuvo::schema
