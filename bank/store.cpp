// SPDX-License-Identifier: MIT
#include "bank/store.h"

#include <algorithm>

#include "bank/error.h"
#include "bank/gbk.h"

namespace zuvo {
namespace {

std::string lower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
    return out;
}

// Whether name, in any case, is the lower-case column name: without a lower-case copy for every field read.
bool sameName(std::string_view lowerName, std::string_view name) {
    return std::equal(lowerName.begin(), lowerName.end(), name.begin(), name.end(),
                      [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

}  // namespace

Connection::~Connection() { closeHandle(); }

void Connection::setPath(std::string path) {
    closeHandle();
    path_ = std::move(path);
}

void Connection::closeHandle() {
    for (auto& [sql, stmt] : prepared_) sqlite3_finalize(stmt);
    prepared_.clear();
    firstColumnIsRowId_.clear();
    if (db_) sqlite3_close(db_);
    db_ = nullptr;
}

void Connection::open() {
    sqlite3* db = nullptr;
    // One thread uses a connection: the engine need not lock it for every call.
    int rc = sqlite3_open_v2(path_.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        std::string message = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
        sqlite3_close(db);
        throw Error(message + ": " + path_);
    }
    sqlite3_busy_timeout(db, 2000);
    // The bank is a file anyone may hand the learner: its schema may not run functions or change itself.
    sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    // Reading through a mapping of the file copies no page: a scan over the indexes of a large bank costs what
    // reading its bytes does.
    sqlite3_exec(db, "pragma mmap_size = 1073741824", nullptr, nullptr, nullptr);
    db_ = db;
    refuseViewsForTables();
}

void Connection::refuseViewsForTables() {
    // A view in a table's place could run any query, an endless one too, where the program reads a table.
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(db_,
                                "select name from sqlite_master where type <> 'table' and lower(name) in "
                                "('word', 'tmlx', 'tmfl')",
                                -1, &stmt, nullptr);
    std::string view;
    if (rc == SQLITE_OK && (rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        view = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
    }
    sqlite3_finalize(stmt);
    try {
        // A file that is no database fails here as it would at the first statement, with the engine's message.
        check(rc);
        if (!view.empty()) throw Error("'" + view + "' is not a table: " + path_);
    } catch (const Error&) {
        closeHandle();
        throw;
    }
}

void Connection::check(int rc) {
    if (rc == SQLITE_OK || rc == SQLITE_ROW || rc == SQLITE_DONE) return;
    Error error(db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc));
    // The engine settles read-only at opening: the next statement opens the file anew, so that a change can
    // succeed once the file is writable again. Open results keep their rows; they are read through any connection.
    if ((rc & 0xFF) == SQLITE_READONLY) closeHandle();
    throw error;
}

sqlite3_stmt* Connection::prepare(const std::string& sql) {
    if (!db_) open();
    auto found = prepared_.find(sql);
    if (found != prepared_.end()) {
        sqlite3_reset(found->second);
        sqlite3_clear_bindings(found->second);
        return found->second;
    }
    sqlite3_stmt* stmt = nullptr;
    check(sqlite3_prepare_v3(db_, sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &stmt, nullptr));
    prepared_.emplace(sql, stmt);
    return stmt;
}

bool Connection::firstColumnIsRowId(const std::string& table) {
    auto known = firstColumnIsRowId_.find(table);
    if (known != firstColumnIsRowId_.end()) return known->second;
    // Declared INTEGER PRIMARY KEY alone, and without the index a key that is not the row id gets: then the column
    // is another name for the row id.
    sqlite3_stmt* stmt = prepare(
        "select (select count(*) from pragma_table_info(?1) where pk > 0) = 1"
        " and exists (select 1 from pragma_table_info(?1) where cid = 0 and pk = 1 and upper(type) = 'INTEGER')"
        " and not exists (select 1 from pragma_index_list(?1) where origin = 'pk')");
    check(sqlite3_bind_text(stmt, 1, table.data(), static_cast<int>(table.size()), SQLITE_TRANSIENT));
    int rc = sqlite3_step(stmt);
    const bool isRowId = rc == SQLITE_ROW && sqlite3_column_int(stmt, 0) == 1;
    sqlite3_reset(stmt);
    if (rc != SQLITE_ROW) check(rc);
    firstColumnIsRowId_.emplace(table, isRowId);
    return isRowId;
}

void Query::close() {
    active_ = false;
    // The room stays for the next result: each query is reopened again and again, and fresh memory costs a page
    // fault for every 512 rows.
    rowIds_.clear();
    position_ = 0;
    loadedPosition_ = SIZE_MAX;
    columnNames_.clear();
    row_.clear();
}

void Query::setStatement(Statement statement) {
    close();
    statement_ = std::move(statement);
}

void Query::setParam(const std::string& givenName, Param value) {
    // A parameter is named as the statement writes it, ":Word", or by its bare name, "Word".
    const std::string name = !givenName.empty() && givenName.front() == ':' ? givenName : ":" + givenName;
    for (auto& [key, bound] : statement_.params) {
        if (key == name) {
            bound = std::move(value);
            return;
        }
    }
    statement_.params.emplace_back(name, std::move(value));
}

void Query::bindAll(sqlite3_stmt* stmt) {
    for (const auto& [name, value] : statement_.params) {
        int index = sqlite3_bind_parameter_index(stmt, name.c_str());
        if (index == 0) throw Error("Parameter '" + name + "' not found");
        if (const auto* number = std::get_if<std::int64_t>(&value)) {
            connection_.check(sqlite3_bind_int64(stmt, index, *number));
        } else if (const auto* blob = std::get_if<Blob>(&value)) {
            connection_.check(sqlite3_bind_blob(stmt, index, blob->bytes.data(), static_cast<int>(blob->bytes.size()),
                                                SQLITE_TRANSIENT));
        } else {
            const auto& text = std::get<std::string>(value);
            connection_.check(
                sqlite3_bind_text(stmt, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT));
        }
    }
}

void Query::open() {
    close();
    if (!statement_.isSelect()) throw Error("The statement returns no rows");
    std::string sql = "select rowid from " + statement_.table + (statement_.sql.empty() ? "" : " " + statement_.sql);
    sqlite3_stmt* stmt = connection_.prepare(sql);
    bindAll(stmt);
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) rowIds_.push_back(sqlite3_column_int64(stmt, 0));
    sqlite3_reset(stmt);
    if (rc != SQLITE_DONE) {
        rowIds_.clear();  // a failed open leaves no rows behind
        connection_.check(rc);
    }
    firstColumnIsRowId_ = connection_.firstColumnIsRowId(statement_.table);
    active_ = true;
}

void Query::reopen(Statement statement) {
    setStatement(std::move(statement));
    open();
}

void Query::execSql() {
    close();
    if (statement_.isSelect()) throw Error("A SELECT cannot be executed as a change");
    sqlite3_stmt* stmt = connection_.prepare(statement_.sql);
    bindAll(stmt);
    int rc = sqlite3_step(stmt);
    sqlite3_reset(stmt);
    connection_.check(rc);
}

int Query::recordCount() const { return static_cast<int>(rowIds_.size()); }

void Query::requireOpen() const {
    if (!active_) throw Error("Cannot perform this operation on a closed dataset");
}

void Query::first() {
    requireOpen();
    position_ = 0;
}

void Query::next() {
    requireOpen();
    if (position_ < rowIds_.size()) ++position_;
}

bool Query::eof() const { return position_ >= rowIds_.size(); }

void Query::moveBy(int n) {
    requireOpen();
    if (n < 0 && static_cast<size_t>(-static_cast<std::int64_t>(n)) > position_) {
        position_ = 0;
    } else {
        position_ = std::min(rowIds_.size(), static_cast<size_t>(static_cast<std::int64_t>(position_) + n));
    }
}

void Query::loadRow() {
    if (loadedPosition_ == position_) return;
    sqlite3_stmt* stmt = connection_.prepare("select * from " + statement_.table + " where rowid = ?1");
    connection_.check(sqlite3_bind_int64(stmt, 1, rowIds_[position_]));
    int rc = sqlite3_step(stmt);
    row_.clear();
    if (rc == SQLITE_ROW) {
        int count = sqlite3_column_count(stmt);
        if (columnNames_.empty()) {
            for (int i = 0; i < count; ++i) columnNames_.push_back(lower(sqlite3_column_name(stmt, i)));
        }
        for (int i = 0; i < count; ++i) {
            Cell cell;
            cell.type = sqlite3_column_type(stmt, i);
            if (cell.type != SQLITE_NULL) {
                const void* data =
                    cell.type == SQLITE_BLOB ? sqlite3_column_blob(stmt, i) : sqlite3_column_text(stmt, i);
                cell.bytes.assign(static_cast<const char*>(data), static_cast<size_t>(sqlite3_column_bytes(stmt, i)));
            }
            row_.push_back(std::move(cell));
        }
    }
    sqlite3_reset(stmt);
    // A row deleted since the result was opened reads as NULLs, as a row that is no longer there.
    if (rc != SQLITE_ROW) connection_.check(rc);
    loadedPosition_ = position_;
}

const Query::Cell* Query::cellAt(size_t column) {
    if (!active_ || eof()) return nullptr;
    loadRow();
    return column < row_.size() ? &row_[column] : nullptr;
}

const Query::Cell* Query::cell(std::string_view name) {
    if (!active_) return nullptr;
    if (columnNames_.empty() && !eof()) loadRow();
    auto found = std::find_if(columnNames_.begin(), columnNames_.end(),
                              [&](const std::string& column) { return sameName(column, name); });
    if (found == columnNames_.end()) {
        if (eof() && columnNames_.empty()) return nullptr;
        throw Error("Field '" + std::string(name) + "' not found");
    }
    return cellAt(static_cast<size_t>(found - columnNames_.begin()));
}

std::string Query::fieldByName(std::string_view name) {
    const Cell* found = cell(name);
    if (!found || found->type == SQLITE_NULL) return {};
    return found->type == SQLITE_BLOB ? gbkToUtf8(found->bytes) : found->bytes;
}

std::string Query::fieldBytes(std::string_view name) {
    const Cell* found = cell(name);
    if (!found || found->type == SQLITE_NULL) return {};
    return found->type == SQLITE_BLOB ? found->bytes : utf8ToGbk(found->bytes);
}

std::string Query::firstField() {
    if (firstColumnIsRowId_ && active_ && !eof()) return std::to_string(rowIds_[position_]);
    const Cell* found = cellAt(0);
    if (!found || found->type == SQLITE_NULL) return {};
    return found->type == SQLITE_BLOB ? gbkToUtf8(found->bytes) : found->bytes;
}

}  // namespace zuvo
