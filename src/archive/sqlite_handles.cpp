#include "archive/sqlite_handles.h"

#include <sqlite3.h>

#include <limits>

namespace granomet {

SqliteConnection::SqliteConnection(const std::string& utf8Path, int flags) {
  const int code = sqlite3_open_v2(utf8Path.c_str(), &db_, flags | SQLITE_OPEN_NOMUTEX, nullptr);
  if (code != SQLITE_OK) {
    // A handle is given even when opening fails, and must be closed.
    const std::string detail = db_ != nullptr ? sqlite3_errmsg(db_) : sqlite3_errstr(code);
    const int extended = db_ != nullptr ? sqlite3_extended_errcode(db_) : code;
    sqlite3_close(db_);
    db_ = nullptr;
    throw SqliteFailure(extended, detail);
  }
  sqlite3_extended_result_codes(db_, 1);
}

SqliteConnection::~SqliteConnection() {
  // Statements are owned elsewhere and finalized first; close_v2 waits for stragglers.
  sqlite3_close_v2(db_);
}

void SqliteConnection::execute(const char* sql) {
  const int code = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
  if (code != SQLITE_OK) {
    fail(code);
  }
}

void SqliteConnection::fail(int code) const {
  const int extended = sqlite3_extended_errcode(db_);
  throw SqliteFailure((extended & 0xFF) == (code & 0xFF) ? extended : code, sqlite3_errmsg(db_));
}

SqliteStatement::SqliteStatement(const SqliteConnection& connection, std::string_view sql)
    : connection_(connection) {
  const int code = sqlite3_prepare_v3(connection.get(), sql.data(), static_cast<int>(sql.size()),
                                      SQLITE_PREPARE_PERSISTENT, &statement_, nullptr);
  if (code != SQLITE_OK) {
    connection.fail(code);
  }
}

SqliteStatement::~SqliteStatement() {
  sqlite3_finalize(statement_);
}

void SqliteStatement::bind(int index, std::int64_t value) {
  if (const int code = sqlite3_bind_int64(statement_, index, value); code != SQLITE_OK) {
    connection_.fail(code);
  }
}

void SqliteStatement::bind(int index, double value) {
  if (const int code = sqlite3_bind_double(statement_, index, value); code != SQLITE_OK) {
    connection_.fail(code);
  }
}

void SqliteStatement::bind(int index, std::optional<double> value) {
  if (value) {
    bind(index, *value);
  } else {
    bindNull(index);
  }
}

void SqliteStatement::bind(int index, std::string_view text) {
  if (text.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
    throw SqliteFailure(SQLITE_TOOBIG, "text too long");
  }
  if (const int code = sqlite3_bind_text(statement_, index, text.data(),
                                         static_cast<int>(text.size()), SQLITE_TRANSIENT);
      code != SQLITE_OK) {
    connection_.fail(code);
  }
}

void SqliteStatement::bindBlob(int index, std::string_view bytes) {
  if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
    throw SqliteFailure(SQLITE_TOOBIG, "blob too long");
  }
  // An empty blob, not NULL: sqlite3_bind_blob takes a null pointer for NULL.
  static constexpr char kNothing = 0;
  if (const int code =
          sqlite3_bind_blob(statement_, index, bytes.empty() ? &kNothing : bytes.data(),
                            static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
      code != SQLITE_OK) {
    connection_.fail(code);
  }
}

void SqliteStatement::bindNull(int index) {
  if (const int code = sqlite3_bind_null(statement_, index); code != SQLITE_OK) {
    connection_.fail(code);
  }
}

bool SqliteStatement::step() {
  const int code = sqlite3_step(statement_);
  if (code == SQLITE_ROW) {
    return true;
  }
  if (code == SQLITE_DONE) {
    return false;
  }
  // The statement is left ready for another try, its error kept for the message.
  const std::string detail = sqlite3_errmsg(connection_.get());
  const int extended = sqlite3_extended_errcode(connection_.get());
  sqlite3_reset(statement_);
  throw SqliteFailure((extended & 0xFF) == (code & 0xFF) ? extended : code, detail);
}

void SqliteStatement::reset() {
  sqlite3_reset(statement_);
  sqlite3_clear_bindings(statement_);
}

bool SqliteStatement::isNull(int column) const {
  return sqlite3_column_type(statement_, column) == SQLITE_NULL;
}

std::int64_t SqliteStatement::integer(int column) const {
  return sqlite3_column_int64(statement_, column);
}

double SqliteStatement::real(int column) const {
  return sqlite3_column_double(statement_, column);
}

std::optional<double> SqliteStatement::optionalReal(int column) const {
  if (isNull(column)) {
    return std::nullopt;
  }
  return real(column);
}

std::string SqliteStatement::text(int column) const {
  const auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement_, column));
  const int size = sqlite3_column_bytes(statement_, column);
  return bytes == nullptr ? std::string() : std::string(bytes, static_cast<std::size_t>(size));
}

}  // namespace granomet
