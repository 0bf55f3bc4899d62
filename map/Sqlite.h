#pragma once
// A thin owner of an SQLite connection and its prepared statements, for the
// map's tile files. Every failure is an SqliteError carrying SQLite's result
// code, so callers can tell a damaged file (SQLITE_CORRUPT, SQLITE_NOTADB)
// from one they may not write (SQLITE_READONLY, SQLITE_CANTOPEN).

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

struct sqlite3;
struct sqlite3_stmt;

namespace vantrel {

class SqliteError : public std::runtime_error {
  public:
    SqliteError(int code, const std::string& what) : std::runtime_error(what), code_(code) {}
    // SQLite's primary result code.
    int Code() const { return code_ & 0xff; }
    // The file is not a database, or its content is damaged.
    bool Damaged() const;

  private:
    int code_;
};

class SqliteStatement;

class SqliteDatabase {
  public:
    enum class Mode { ReadOnly, ReadWrite };
    // Opens (ReadWrite: creating) the file; ":memory:" is a database in
    // memory. Throws SqliteError.
    SqliteDatabase(const std::filesystem::path& file, Mode mode);
    ~SqliteDatabase();
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;

    // Runs statements that return no rows.
    void Execute(std::string_view sql);
    SqliteStatement Prepare(std::string_view sql);
    // The one integer a query such as "PRAGMA user_version" answers.
    std::int64_t QueryInteger(std::string_view sql);
    std::int64_t Changes() const;

    // Throws SqliteError for a result code that is not a success.
    void Check(int code) const;

  private:
    sqlite3* db_ = nullptr;
};

class SqliteStatement {
  public:
    SqliteStatement(SqliteDatabase& db, sqlite3_stmt* statement)
        : db_(&db), statement_(statement) {}
    ~SqliteStatement();
    SqliteStatement(SqliteStatement&& other) noexcept
        : db_(other.db_), statement_(std::exchange(other.statement_, nullptr)) {}
    SqliteStatement& operator=(SqliteStatement&&) = delete;

    // Binds parameters 1, 2, ... in order; returns *this for chaining.
    SqliteStatement& Bind(int index, std::int64_t value);
    SqliteStatement& Bind(int index, std::string_view text);
    SqliteStatement& BindBlob(int index, std::string_view bytes);
    // Steps once: true while a row is there.
    bool Step();
    // Runs a statement that returns no rows, then makes it ready to run again.
    void Run();
    void Reset();

    std::int64_t Integer(int column) const;
    std::string Text(int column) const;  // a NULL reads as empty text
    std::string Blob(int column) const;
    bool IsNull(int column) const;

  private:
    SqliteDatabase* db_;
    sqlite3_stmt* statement_;
};

}  // namespace vantrel
