// Owners of SQLite's connection and statement handles, and the failure that carries SQLite's code.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace granomet {

// A call into SQLite that failed: its extended result code and SQLite's words.
class SqliteFailure : public std::runtime_error {
 public:
  SqliteFailure(int code, const std::string& detail) : std::runtime_error(detail), code_(code) {}
  int code() const { return code_; }
  int primaryCode() const { return code_ & 0xFF; }

 private:
  int code_;
};

class SqliteConnection {
 public:
  // Opens with sqlite3_open_v2's flags; throws SqliteFailure.
  SqliteConnection(const std::string& utf8Path, int flags);
  ~SqliteConnection();
  SqliteConnection(const SqliteConnection&) = delete;
  SqliteConnection& operator=(const SqliteConnection&) = delete;

  sqlite3* get() const { return db_; }
  // Statements without parameters or results (pragmas, schema, transactions).
  void execute(const char* sql);
  [[noreturn]] void fail(int code) const;

 private:
  sqlite3* db_ = nullptr;
};

// A prepared statement, kept and reused: bind, step through its rows, reset.
class SqliteStatement {
 public:
  SqliteStatement(const SqliteConnection& connection, std::string_view sql);
  ~SqliteStatement();
  SqliteStatement(const SqliteStatement&) = delete;
  SqliteStatement& operator=(const SqliteStatement&) = delete;

  // Parameters are 1-based, as SQLite counts them.
  void bind(int index, std::int64_t value);
  void bind(int index, double value);
  void bind(int index, std::optional<double> value);
  void bind(int index, std::string_view text);
  void bindBlob(int index, std::string_view bytes);
  void bindNull(int index);

  // The next row: true while there is one; throws SqliteFailure.
  bool step();
  // Ready to run again, its parameters cleared.
  void reset();

  // Columns are 0-based.
  bool isNull(int column) const;
  std::int64_t integer(int column) const;
  double real(int column) const;
  std::optional<double> optionalReal(int column) const;
  std::string text(int column) const;  // also a blob's bytes

 private:
  const SqliteConnection& connection_;
  sqlite3_stmt* statement_ = nullptr;
};

}  // namespace granomet
