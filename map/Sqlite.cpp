#include "map/Sqlite.h"

#include <sqlite3.h>

#include <utility>

namespace vantrel {

bool SqliteError::Damaged() const {
    return Code() == SQLITE_CORRUPT || Code() == SQLITE_NOTADB || Code() == SQLITE_FORMAT;
}

SqliteDatabase::SqliteDatabase(const std::filesystem::path& file, Mode mode) {
    const int flags =
        mode == Mode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    const int code = sqlite3_open_v2(file.c_str(), &db_, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    if (code != SQLITE_OK) {
        const std::string what = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(code);
        sqlite3_close(db_);
        db_ = nullptr;
        throw SqliteError(code, what);
    }
    sqlite3_extended_result_codes(db_, 1);
    // Another reader or writer of the file (a second look at a cache from
    // the command line) is waited for briefly instead of failing at once.
    sqlite3_busy_timeout(db_, 2000);
}

SqliteDatabase::~SqliteDatabase() {
    sqlite3_close(db_);
}

void SqliteDatabase::Check(int code) const {
    if (code == SQLITE_OK || code == SQLITE_ROW || code == SQLITE_DONE) return;
    throw SqliteError(code, db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(code));
}

void SqliteDatabase::Execute(std::string_view sql) {
    const std::string text(sql);
    Check(sqlite3_exec(db_, text.c_str(), nullptr, nullptr, nullptr));
}

SqliteStatement SqliteDatabase::Prepare(std::string_view sql) {
    sqlite3_stmt* statement = nullptr;
    Check(sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &statement, nullptr));
    return SqliteStatement(*this, statement);
}

std::int64_t SqliteDatabase::QueryInteger(std::string_view sql) {
    SqliteStatement statement = Prepare(sql);
    return statement.Step() ? statement.Integer(0) : 0;
}

std::int64_t SqliteDatabase::Changes() const {
    return sqlite3_changes64(db_);
}

SqliteStatement::~SqliteStatement() {
    sqlite3_finalize(statement_);
}

SqliteStatement& SqliteStatement::Bind(int index, std::int64_t value) {
    db_->Check(sqlite3_bind_int64(statement_, index, value));
    return *this;
}

SqliteStatement& SqliteStatement::Bind(int index, std::string_view text) {
    db_->Check(sqlite3_bind_text64(statement_, index, text.data(), text.size(), SQLITE_TRANSIENT,
                                   SQLITE_UTF8));
    return *this;
}

SqliteStatement& SqliteStatement::BindBlob(int index, std::string_view bytes) {
    db_->Check(
        sqlite3_bind_blob64(statement_, index, bytes.data(), bytes.size(), SQLITE_TRANSIENT));
    return *this;
}

bool SqliteStatement::Step() {
    const int code = sqlite3_step(statement_);
    db_->Check(code);
    return code == SQLITE_ROW;
}

void SqliteStatement::Run() {
    while (Step()) {
    }
    Reset();
}

void SqliteStatement::Reset() {
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
}

std::int64_t SqliteStatement::Integer(int column) const {
    return sqlite3_column_int64(statement_, column);
}

std::string SqliteStatement::Text(int column) const {
    const auto* text = sqlite3_column_text(statement_, column);
    if (text == nullptr) return {};
    return std::string(reinterpret_cast<const char*>(text),
                       static_cast<std::size_t>(sqlite3_column_bytes(statement_, column)));
}

std::string SqliteStatement::Blob(int column) const {
    const void* bytes = sqlite3_column_blob(statement_, column);
    if (bytes == nullptr) return {};
    return std::string(static_cast<const char*>(bytes),
                       static_cast<std::size_t>(sqlite3_column_bytes(statement_, column)));
}

bool SqliteStatement::IsNull(int column) const {
    return sqlite3_column_type(statement_, column) == SQLITE_NULL;
}

}  // namespace vantrel
