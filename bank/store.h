// SPDX-License-Identifier: MIT
// The question bank store: a connection to the bank file and queries over it, with a row cursor.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <variant>
#include <vector>

namespace zuvo {

// Bytes bound as a BLOB: the scrambled question texts, which are not text in any encoding.
struct Blob {
    std::string bytes;
};

using Param = std::variant<std::string, std::int64_t, Blob>;

// What a query runs. A SELECT reads one table: `table` is set and `sql` holds what follows
// "select * from <table>" (where, order by). A change (UPDATE, INSERT) leaves `table` empty and holds the whole
// statement in `sql`. Values are bound to the named parameters (":code"), never pasted into the text.
struct Statement {
    std::string table;
    std::string sql;
    std::vector<std::pair<std::string, Param>> params;

    bool isSelect() const { return !table.empty(); }
};

// The bank file. It is opened by the first statement that needs it, so a missing file fails that statement.
class Connection {
  public:
    Connection() = default;
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void setPath(std::string path);  // closes an open connection
    const std::string& path() const { return path_; }

    // A prepared statement, made once per text and reset for every use.
    sqlite3_stmt* prepare(const std::string& sql);
    // Throws Error with the engine's message when rc is a failure. A read-only failure also closes the connection,
    // so a step's statement is reset before its result is checked.
    void check(int rc);
    // True when the table's first column is its INTEGER PRIMARY KEY, that is, the row id itself.
    bool firstColumnIsRowId(const std::string& table);

  private:
    void open();
    void refuseViewsForTables();
    void closeHandle();

    std::string path_;
    sqlite3* db_ = nullptr;
    std::unordered_map<std::string, sqlite3_stmt*> prepared_;
    std::unordered_map<std::string, bool> firstColumnIsRowId_;
};

// A query with a result and a row cursor. An open result holds only the row ids in order, so opening a large
// table copies no column, a move is O(1), and a row's columns are read when the cursor reaches it.
class Query {
  public:
    explicit Query(Connection& connection) : connection_(connection) {}

    void close();
    bool active() const { return active_; }
    void setStatement(Statement statement);  // closes first
    const Statement& statement() const { return statement_; }
    void setParam(const std::string& name, Param value);

    void open();                       // runs the SELECT; the cursor stands on the first row
    void reopen(Statement statement);  // replaces the statement and opens it
    void execSql();                    // runs the change; nothing is read back
    int recordCount() const;           // exact count of the open result
    // first, next and moveBy throw Error on a closed query.
    void first();
    void next();
    bool eof() const;
    void moveBy(int n);

    // The named column of the current row as UTF-8 text; NULL, or no current row, gives empty text.
    std::string fieldByName(std::string_view name);
    // The named column as GBK bytes: a BLOB as stored, text converted. For the scrambled columns.
    std::string fieldBytes(std::string_view name);
    // The first column; for a table whose first column is the row id, as word's Id is, without reading the row.
    std::string firstField();

  private:
    struct Cell {
        int type = SQLITE_NULL;
        std::string bytes;
    };
    void requireOpen() const;
    const Cell* cell(std::string_view name);
    const Cell* cellAt(size_t column);
    void loadRow();
    void bindAll(sqlite3_stmt* stmt);

    Connection& connection_;
    Statement statement_;
    bool active_ = false;
    std::vector<std::int64_t> rowIds_;
    bool firstColumnIsRowId_ = false;
    size_t position_ = 0;
    // The columns of the row under the cursor, read once it is asked for.
    size_t loadedPosition_ = SIZE_MAX;
    std::vector<std::string> columnNames_;  // lower case
    std::vector<Cell> row_;
};

}  // namespace zuvo
