#include "archive/sqlite_archive.h"

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <random>
#include <set>
#include <system_error>
#include <unordered_map>

#include "archive/archive_layout.h"
#include "archive/network_share.h"
#include "archive/search_key.h"
#include "archive/sha256.h"
#include "compute/compute_fault.h"
#include "compute/shepard.h"
#include "data/file_names.h"
#include "data/input_file.h"
#include "data/results_columns.h"
#include "data/text_encoding.h"
#include "statistics/sample_position.h"
#include "statistics/sample_statistics.h"
#include "workflow/messages.h"
#include "workflow/sample_labels.h"
#include "workflow/statistics_table.h"

#ifdef _WIN32
#include <process.h>
#define getpid _getpid
#else
#include <unistd.h>
#endif

namespace granomet {
namespace fs = std::filesystem;
using Cause = ArchiveError::Cause;

namespace {

// Long enough for another run's transaction (a few hundred samples) to end.
constexpr int kBusyMilliseconds = 30000;

Cause causeOf(int primaryCode) {
  switch (primaryCode) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return Cause::Busy;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
    case SQLITE_CANTOPEN:
      return Cause::ReadOnly;
    case SQLITE_FULL:
      return Cause::Full;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
      return Cause::Damaged;
    default:
      return Cause::Unreadable;
  }
}

messages::ArchiveProblem problemOf(Cause cause) {
  using P = messages::ArchiveProblem;
  switch (cause) {
    case Cause::Missing:
      return P::Missing;
    case Cause::NotAnArchive:
      return P::NotAnArchive;
    case Cause::NewerVersion:
      return P::NewerVersion;
    case Cause::Busy:
      return P::Busy;
    case Cause::ReadOnly:
      return P::ReadOnly;
    case Cause::Full:
      return P::Full;
    case Cause::Damaged:
      return P::Damaged;
    case Cause::ResultsRefused:
    case Cause::Unreadable:
      break;
  }
  return P::Unreadable;
}

[[noreturn]] void refuse(Cause cause, const std::string& location, std::string_view detail = {}) {
  throw ArchiveError(cause, messages::archiveProblem(problemOf(cause), location, detail));
}

// The first 100 bytes of a SQLite file: its magic text and, at 68, the application id.
bool looksLikeGeoPackage(const fs::path& path, bool& readable) {
  std::ifstream file(path, std::ios::binary);
  readable = static_cast<bool>(file);
  std::array<char, 100> header{};
  if (!file.read(header.data(), header.size())) {
    return false;
  }
  constexpr std::string_view kMagic("SQLite format 3\0", 16);
  if (std::string_view(header.data(), kMagic.size()) != kMagic) {
    return false;
  }
  const auto byte = [&header](std::size_t i) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(header[i]));
  };
  const std::uint32_t applicationId =
      (byte(68) << 24) | (byte(69) << 16) | (byte(70) << 8) | byte(71);
  return applicationId == static_cast<std::uint32_t>(kGeoPackageApplicationId);
}

std::string dateTimeText(const LocalDateTime& t) {
  std::array<char, 40> text{};
  std::snprintf(text.data(), text.size(), "%04d-%02d-%02dT%02d:%02d:%02d", t.year, t.month, t.day,
                t.hour, t.minute, t.second);
  return text.data();
}

std::string dayText(const LocalDateTime& t) {
  return dateTimeText(t).substr(0, 10);
}

std::optional<int> digits(std::string_view text) {
  int value = 0;
  if (text.empty()) {
    return std::nullopt;
  }
  for (const char c : text) {
    if (c < '0' || c > '9') {
      return std::nullopt;
    }
    value = value * 10 + (c - '0');
  }
  return value;
}

bool plausible(const LocalDateTime& t) {
  return t.year >= 1900 && t.year <= 9999 && t.month >= 1 && t.month <= 12 && t.day >= 1 &&
         t.day <= 31 && t.hour >= 0 && t.hour <= 23 && t.minute >= 0 && t.minute <= 59 &&
         t.second >= 0 && t.second <= 60;
}

// The stamp of the name the program proposes: LOT_ddmmyyyy_hhmmss.csv.
std::optional<LocalDateTime> stampOfName(std::string_view name) {
  constexpr std::size_t kStamp = std::string_view("_ddmmyyyy_hhmmss.csv").size();
  if (name.size() < kStamp) {
    return std::nullopt;
  }
  const std::string_view stamp = name.substr(name.size() - kStamp);
  if (stamp[0] != '_' || stamp[9] != '_') {
    return std::nullopt;
  }
  const auto day = digits(stamp.substr(1, 2));
  const auto month = digits(stamp.substr(3, 2));
  const auto year = digits(stamp.substr(5, 4));
  const auto hour = digits(stamp.substr(10, 2));
  const auto minute = digits(stamp.substr(12, 2));
  const auto second = digits(stamp.substr(14, 2));
  if (!day || !month || !year || !hour || !minute || !second) {
    return std::nullopt;
  }
  const LocalDateTime t{*year, *month, *day, *hour, *minute, *second};
  return plausible(t) ? std::optional(t) : std::nullopt;
}

// "dd/mm/yyyy" (also d/m/yyyy), the date a results line carries.
std::optional<LocalDateTime> dateOfField(std::string_view field) {
  const auto first = field.find('/');
  const auto second = field.find('/', first == std::string_view::npos ? first : first + 1);
  if (first == std::string_view::npos || second == std::string_view::npos) {
    return std::nullopt;
  }
  const auto day = digits(field.substr(0, first));
  const auto month = digits(field.substr(first + 1, second - first - 1));
  const auto year = digits(field.substr(second + 1));
  if (!day || !month || !year || field.size() - second - 1 != 4) {
    return std::nullopt;
  }
  const LocalDateTime t{*year, *month, *day, 0, 0, 0};
  return plausible(t) ? std::optional(t) : std::nullopt;
}

std::optional<LocalDateTime> modificationTime(const fs::path& path) {
  std::error_code error;
  const auto written = fs::last_write_time(path, error);
  if (error) {
    return std::nullopt;
  }
  const auto system =
      std::chrono::time_point_cast<std::chrono::seconds>(std::chrono::file_clock::to_sys(written));
  const std::time_t seconds = std::chrono::system_clock::to_time_t(system);
  std::tm local{};
#ifdef _WIN32
  if (localtime_s(&local, &seconds) != 0) {
    return std::nullopt;
  }
#else
  if (localtime_r(&seconds, &local) == nullptr) {
    return std::nullopt;
  }
#endif
  return LocalDateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                       local.tm_hour,        local.tm_min,     local.tm_sec};
}

const std::string& fieldOf(const ResultsLine& line, int field) {
  return line.fields.at(static_cast<std::size_t>(field - 1));
}

// The byte where each line of the file starts, counted as the results reader
// counts them (CR LF, LF and a lone CR end a line); [0] is line 1's.
std::vector<std::size_t> lineStarts(std::string_view bytes) {
  std::vector<std::size_t> starts{0};
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'))) {
      starts.push_back(i + 1);
    }
  }
  return starts;
}

// A point as a GeoPackage geometry: "GP", version 0, flags (little-endian, no
// envelope), srs_id, then the point in little-endian WKB.
std::string geoPackagePoint(const GeoPoint& point) {
  std::string blob = {'G', 'P', 0, 1};
  const auto append = [&blob](const auto& value, std::size_t size) {
    std::array<unsigned char, 8> bytes{};
    std::memcpy(bytes.data(), &value, size);
    if constexpr (std::endian::native == std::endian::big) {
      std::reverse(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
    }
    blob.append(reinterpret_cast<const char*>(bytes.data()), size);
  };
  append(std::int32_t{4326}, 4);
  blob += '\x01';
  append(std::uint32_t{1}, 4);
  append(point.longitude, 8);
  append(point.latitude, 8);
  return blob;
}

std::string originText(RunOrigin origin) {
  switch (origin) {
    case RunOrigin::Window:
      return "ventana";
    case RunOrigin::Batch:
      return "granomet-batch";
    case RunOrigin::Import:
      break;
  }
  return "importacion";
}

RunOrigin originOf(std::string_view text) {
  if (text == "ventana") {
    return RunOrigin::Window;
  }
  if (text == "granomet-batch") {
    return RunOrigin::Batch;
  }
  return RunOrigin::Import;
}

// The column a listing sorts by, the texts by their search keys.
std::string_view sortColumn(ArchiveColumn column) {
  switch (column) {
    case ArchiveColumn::Lot:
      return "clave_lote";
    case ArchiveColumn::LotNumber:
      return "CAST(lot_num AS INTEGER)";
    case ArchiveColumn::Sample:
      return "clave_muestra";
    case ArchiveColumn::Campaign:
      return "clave_campana";
    case ArchiveColumn::Depth:
      return "prof_m";
    case ArchiveColumn::Shepard:
      return "shepard";
    case ArchiveColumn::Folk:
      return "codigo_folk";
    case ArchiveColumn::MeanPhi:
      return "fw_media_phi";
    case ArchiveColumn::Gravel:
      return "grava_pct";
    case ArchiveColumn::Sand:
      return "arena_pct";
    case ArchiveColumn::Silt:
      return "limo_pct";
    case ArchiveColumn::Clay:
      return "arcilla_pct";
    case ArchiveColumn::RunDate:
      return "fecha_ejecucion";
    case ArchiveColumn::Current:
      break;
  }
  return "vigente";
}

// The Shepard class a filter names, by its name (without case or accents) or its
// code; nullopt for neither.
std::optional<std::string> shepardClassOf(std::string_view text) {
  if (const auto code = digits(text); code && *code >= 1 && *code <= 10) {
    return std::string(shepardName(static_cast<std::int16_t>(*code)));
  }
  const std::string key = searchKeyOf(text);
  for (std::int16_t code = 1; code <= 10; ++code) {
    if (searchKeyOf(shepardName(code)) == key ||
        searchKeyOf(cp1252ToUtf8(messages::shepardClassName(code))) == key) {
      return std::string(shepardName(code));
    }
  }
  return std::nullopt;
}

// The WHERE clause of a filter and its values, bound in order.
struct FilterSql {
  std::string where;
  std::vector<std::pair<int, double>> numbers;  // parameter index, value
  std::vector<std::pair<int, std::int64_t>> integers;
  std::vector<std::pair<int, std::string>> textParameters;
  int next = 1;

  void condition(const std::string& sql) { where += (where.empty() ? " WHERE " : " AND ") + sql; }
  std::string text(std::string value) {
    textParameters.emplace_back(next, std::move(value));
    return "?" + std::to_string(next++);
  }
  std::string number(double value) {
    numbers.emplace_back(next, value);
    return "?" + std::to_string(next++);
  }
  std::string integer(std::int64_t value) {
    integers.emplace_back(next, value);
    return "?" + std::to_string(next++);
  }
  void bind(SqliteStatement& statement) const {
    for (const auto& [index, value] : textParameters) {
      statement.bind(index, std::string_view(value));
    }
    for (const auto& [index, value] : numbers) {
      statement.bind(index, value);
    }
    for (const auto& [index, value] : integers) {
      statement.bind(index, value);
    }
  }
};

FilterSql filterSql(const ArchiveFilter& filter) {
  FilterSql sql;
  if (!filter.allVersions) {
    sql.condition("vigente = 1");
  }
  if (!filter.campaign.empty()) {
    sql.condition("clave_campana = " + sql.text(searchKeyOf(filter.campaign)));
  }
  if (!filter.lot.empty()) {
    sql.condition("clave_lote = " + sql.text(searchKeyOf(filter.lot)));
  }
  if (!filter.sample.empty()) {
    sql.condition("instr(clave_muestra, " + sql.text(searchKeyOf(filter.sample)) + ") > 0");
  }
  if (!filter.shepard.empty()) {
    const auto name = shepardClassOf(filter.shepard);
    sql.condition(name ? "shepard = " + sql.text(*name) : std::string("0"));
  }
  if (!filter.folk.empty()) {
    sql.condition("codigo_folk = " + sql.text(filter.folk));
  }
  if (filter.depthMin) {
    sql.condition("prof_m >= " + sql.number(*filter.depthMin));
  }
  if (filter.depthMax) {
    sql.condition("prof_m <= " + sql.number(*filter.depthMax));
  }
  if (filter.zone) {
    const GeoBox& box = *filter.zone;
    const std::string latitude =
        "latitud BETWEEN " + sql.number(box.south) + " AND " + sql.number(box.north);
    const std::string west = sql.number(box.west);
    const std::string east = sql.number(box.east);
    // West beyond east: the zone crosses the antimeridian.
    const std::string longitude = box.west <= box.east
                                      ? "longitud BETWEEN " + west + " AND " + east
                                      : "(longitud >= " + west + " OR longitud <= " + east + ")";
    sql.condition("geom IS NOT NULL AND " + latitude + " AND " + longitude);
  }
  if (filter.since) {
    sql.condition("substr(fecha_ejecucion, 1, 10) >= " + sql.text(dayText(*filter.since)));
  }
  if (filter.until) {
    sql.condition("substr(fecha_ejecucion, 1, 10) <= " + sql.text(dayText(*filter.until)));
  }
  return sql;
}

// The path a file is recorded under: checked again later, whatever the folder then.
std::string absoluteName(const fs::path& path) {
  std::error_code error;
  const fs::path absolute = fs::absolute(path, error);
  return utf8Of(error ? path : absolute.lexically_normal());
}

// A lot or export file of the run: recorded as it is now; one that cannot be
// read is named without size or SHA-256.
ArchivedFileRecord recordOf(const fs::path& path) {
  ArchivedFileRecord record;
  record.name = absoluteName(path);
  try {
    const std::string bytes = readInputFile(path);
    record.size = bytes.size();
    record.sha256 = sha256Hex(bytes);
  } catch (const ReadError&) {
  }
  return record;
}

void bindRecord(SqliteStatement& statement, int index,
                const std::optional<ArchivedFileRecord>& record) {
  if (!record) {
    statement.bindNull(index);
    statement.bindNull(index + 1);
    statement.bindNull(index + 2);
    return;
  }
  statement.bind(index, std::string_view(record->name));
  if (record->sha256.empty()) {
    statement.bindNull(index + 1);
    statement.bindNull(index + 2);
  } else {
    statement.bind(index + 1, static_cast<std::int64_t>(record->size));
    statement.bind(index + 2, std::string_view(record->sha256));
  }
}

std::optional<ArchivedFileRecord> recordAt(const SqliteStatement& statement, int column) {
  if (statement.isNull(column)) {
    return std::nullopt;
  }
  ArchivedFileRecord record;
  record.name = statement.text(column);
  record.size = static_cast<std::uint64_t>(statement.integer(column + 1));
  record.sha256 = statement.text(column + 2);
  return record;
}

// The archive as it is first written, beside its place and then linked there, so
// that no other process ever sees a half-made file: two that create it at once
// both end with the one archive that was linked first.
void createArchive(const fs::path& path, const std::string& location) {
  std::error_code error;
  fs::create_directories(path.parent_path(), error);
  // Named by process and by chance: threads of one process may create it at once too.
  const fs::path made = path.string() + ".nuevo-" + std::to_string(getpid()) + "-" +
                        std::to_string(std::random_device()());
  fs::remove(made, error);
  try {
    SqliteConnection db(utf8Of(made), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    db.execute(("PRAGMA application_id = " + std::to_string(kGeoPackageApplicationId) +
                "; PRAGMA user_version = " + std::to_string(kGeoPackageVersion) + ";")
                   .c_str());
    db.execute("BEGIN");
    createArchiveLayout(db);
    db.execute("COMMIT");
    // Kept in the file: no program need switch it while others have it open.
    if (!onNetworkShare(path)) {
      db.execute("PRAGMA journal_mode = WAL");
    }
  } catch (const SqliteFailure& failure) {
    fs::remove(made, error);
    refuse(causeOf(failure.primaryCode()), location, failure.what());
  }
  fs::create_hard_link(made, path, error);
  if (error && !fs::exists(path)) {
    // A file system without hard links.
    std::error_code renamed;
    fs::rename(made, path, renamed);
  }
  fs::remove(made, error);
}

}  // namespace

struct SqliteArchive::RunFiles {
  std::string resultsBytes;
  ArchivedFileRecord results;
  std::optional<ArchivedFileRecord> lot;
  std::optional<ArchivedFileRecord> exportFile;
  ResultsFileContents contents;
  std::vector<StatisticsRow> rows;  // the statistics table's, one a line
  std::string lotName;              // UTF-8
  std::string when;
  char decimalMark = ',';
};

SqliteArchive::SqliteArchive(const fs::path& path, ArchiveAccess access)
    : path_(path), location_(utf8Of(path)) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (!fs::exists(status)) {
    if (access == ArchiveAccess::Read) {
      refuse(Cause::Missing, location_);
    }
    createArchive(path, location_);
  } else if (!fs::is_regular_file(status)) {
    refuse(Cause::NotAnArchive, location_);
  }
  // Looked at before SQLite opens it: nothing is written to a file that is not ours.
  bool readable = false;
  if (!looksLikeGeoPackage(path, readable)) {
    refuse(readable ? Cause::NotAnArchive : Cause::ReadOnly, location_);
  }
  const bool network = onNetworkShare(path);
  try {
    db_ = std::make_unique<SqliteConnection>(
        location_, access == ArchiveAccess::Read ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE);
    sqlite3_busy_timeout(db_->get(), kBusyMilliseconds);
    const int version = archiveLayoutVersion(*db_);
    if (version <= 0) {
      refuse(Cause::NotAnArchive, location_);
    }
    if (version > kArchiveLayoutVersion) {
      refuse(Cause::NewerVersion, location_);
    }
    if (access == ArchiveAccess::Write) {
      // SQLite opens a file it may not write read-only, without a word.
      if (sqlite3_db_readonly(db_->get(), "main") == 1) {
        refuse(Cause::ReadOnly, location_);
      }
      // A shared folder's locks do not reach the write-ahead log's shared memory.
      db_->execute(network ? "PRAGMA journal_mode = DELETE" : "PRAGMA journal_mode = WAL");
    }
    if (version < kArchiveLayoutVersion) {
      if (access == ArchiveAccess::Read) {
        db_.reset();
        db_ = std::make_unique<SqliteConnection>(location_, SQLITE_OPEN_READWRITE);
        sqlite3_busy_timeout(db_->get(), kBusyMilliseconds);
      }
      // The older archive is kept as it was, beside it.
      fs::path copy = path.string() + ".v" + std::to_string(version) + ".copia";
      for (int n = 2; fs::exists(copy); ++n) {
        copy = path.string() + ".v" + std::to_string(version) + ".copia" + std::to_string(n);
      }
      {
        SqliteConnection copied(utf8Of(copy), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        sqlite3_backup* backup = sqlite3_backup_init(copied.get(), "main", db_->get(), "main");
        if (backup == nullptr) {
          copied.fail(sqlite3_errcode(copied.get()));
        }
        const int stepped = sqlite3_backup_step(backup, -1);
        sqlite3_backup_finish(backup);
        if (stepped != SQLITE_DONE) {
          throw SqliteFailure(stepped, sqlite3_errstr(stepped));
        }
      }
      db_->execute("BEGIN IMMEDIATE");
      try {
        // Another program may have brought it up to date meanwhile.
        const int now = archiveLayoutVersion(*db_);
        if (now < kArchiveLayoutVersion) {
          upgradeArchiveLayout(*db_, now);
        }
        db_->execute("COMMIT");
      } catch (...) {
        sqlite3_exec(db_->get(), "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
      }
      if (access == ArchiveAccess::Read) {
        db_.reset();
        db_ = std::make_unique<SqliteConnection>(location_, SQLITE_OPEN_READONLY);
        sqlite3_busy_timeout(db_->get(), kBusyMilliseconds);
      }
    }
  } catch (const SqliteFailure& failure) {
    fail(failure);
  }
}

SqliteArchive::~SqliteArchive() = default;

SqliteStatement& SqliteArchive::statement(const std::string& sql) {
  auto& kept = statements_[sql];
  if (!kept) {
    kept = std::make_unique<SqliteStatement>(*db_, sql);
  }
  kept->reset();
  return *kept;
}

void SqliteArchive::fail(const SqliteFailure& failure) const {
  refuse(causeOf(failure.primaryCode()), location_, failure.what());
}

std::optional<AddedRun> SqliteArchive::archivedRunOf(const std::string& sha256) {
  SqliteStatement& known =
      statement("SELECT id, muestras FROM ejecuciones WHERE sha256_resultados = ?");
  known.bind(1, std::string_view(sha256));
  std::optional<AddedRun> found;
  if (known.step()) {
    found =
        AddedRun{AddRunEnd::AlreadyArchived, known.integer(0), static_cast<int>(known.integer(1))};
  }
  // A statement left on a row would hold its read transaction, and this
  // connection would see the archive as it was from then on.
  known.reset();
  return found;
}

AddedRun SqliteArchive::addRun(const RunToArchive& run) {
  RunFiles files;
  const std::string shownName = utf8Of(run.resultsFile);
  try {
    files.resultsBytes = readInputFile(run.resultsFile);
  } catch (const ReadError& error) {
    throw ArchiveError(Cause::ResultsRefused, messages::resultsFileUnreadable(shownName, error));
  }
  files.results.name = absoluteName(run.resultsFile);
  files.results.size = files.resultsBytes.size();
  files.results.sha256 = sha256Hex(files.resultsBytes);
  try {
    // Archived before: found without a write lock, so that importing the same
    // files again is quick and waits for nobody.
    if (const auto known = archivedRunOf(files.results.sha256)) {
      return *known;
    }
  } catch (const SqliteFailure& failure) {
    fail(failure);
  }
  try {
    files.contents = parseResultsFile(files.resultsBytes);
  } catch (const ResultsFormatError& error) {
    throw ArchiveError(Cause::ResultsRefused, messages::resultsFileMalformed(shownName, error));
  }
  if (files.contents.lines.empty()) {
    throw ArchiveError(Cause::ResultsRefused, messages::resultsFileWithoutSamples(shownName));
  }
  if (run.lotFile) {
    files.lot = recordOf(*run.lotFile);
  }
  if (run.exportFile) {
    files.exportFile = recordOf(*run.exportFile);
  }
  const std::string bareName = displayName(run.resultsFile);
  files.lotName = !run.lotName.empty() ? run.lotName : cp1252ToUtf8(lotOfResultsFile(bareName, ""));
  std::optional<LocalDateTime> when = run.when;
  if (!when) {
    when = stampOfName(bareName);
  }
  if (!when) {
    when = dateOfField(fieldOf(files.contents.lines.front(), kDateField));
  }
  if (!when) {
    when = modificationTime(run.resultsFile);
  }
  files.when = when ? dateTimeText(*when) : std::string("0000-00-00T00:00:00");
  if (run.decimalMark) {
    files.decimalMark = *run.decimalMark;
  } else {
    // The class diameters of the header are written with the run's mark.
    const std::string& diameter =
        files.contents.header.at(static_cast<std::size_t>(kFirstClassField - 1));
    files.decimalMark = diameter.find(',') != std::string::npos ? ',' : '.';
  }
  // Figured before the write lock is taken, which others wait for meanwhile.
  files.rows.reserve(files.contents.lines.size());
  try {
    for (const ResultsLine& line : files.contents.lines) {
      files.rows.push_back(statisticsTableRow(bareName, files.contents, line,
                                              statisticsOf(line.sample), files.decimalMark));
    }
  } catch (const ComputeFault& fault) {
    throw ArchiveError(Cause::ResultsRefused,
                       shownName + ": " + messages::computationFailed(fault));
  }
  try {
    db_->execute("BEGIN IMMEDIATE");
    try {
      if (const auto known = archivedRunOf(files.results.sha256)) {
        db_->execute("ROLLBACK");
        return *known;
      }
      const std::int64_t runId = insertRun(run, files);
      db_->execute("COMMIT");
      return {AddRunEnd::Added, runId, static_cast<int>(files.contents.lines.size())};
    } catch (...) {
      if (sqlite3_get_autocommit(db_->get()) == 0) {
        sqlite3_exec(db_->get(), "ROLLBACK", nullptr, nullptr, nullptr);
      }
      throw;
    }
  } catch (const SqliteFailure& failure) {
    fail(failure);
  }
}

std::int64_t SqliteArchive::insertRun(const RunToArchive& run, const RunFiles& files) {
  const ResultsFileContents& contents = files.contents;
  const ResultsLine& first = contents.lines.front();
  SqliteStatement& insertRun = statement(
      "INSERT INTO ejecuciones (lote, campana, ip, fecha_hora, version_programa, marca_decimal, "
      "origen, fichero_lote, tamano_lote, sha256_lote, fichero_export, tamano_export, "
      "sha256_export, fichero_resultados, tamano_resultados, sha256_resultados, muestras) "
      "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
  insertRun.bind(1, std::string_view(files.lotName));
  insertRun.bind(2, std::string_view(cp1252ToUtf8(fieldOf(first, kCampaignField))));
  insertRun.bind(3, std::string_view(cp1252ToUtf8(fieldOf(first, kIpField))));
  insertRun.bind(4, std::string_view(files.when));
  insertRun.bind(5, std::string_view(GRANOMET_VERSION));
  insertRun.bind(6, std::string_view(&files.decimalMark, 1));
  insertRun.bind(7, std::string_view(originText(run.origin)));
  bindRecord(insertRun, 8, files.lot);
  bindRecord(insertRun, 11, files.exportFile);
  bindRecord(insertRun, 14, files.results);
  insertRun.bind(17, static_cast<std::int64_t>(contents.lines.size()));
  insertRun.step();
  const std::int64_t runId = sqlite3_last_insert_rowid(db_->get());

  const std::vector<std::size_t> starts = lineStarts(files.resultsBytes);
  const auto startOf = [&starts, &files](int lineNumber) {
    const auto index = static_cast<std::size_t>(lineNumber - 1);
    return index < starts.size() ? starts[index] : files.resultsBytes.size();
  };
  SqliteStatement& header =
      statement("INSERT INTO cabeceras_resultados (ejecucion, bytes) VALUES (?, ?)");
  header.bind(1, runId);
  header.bindBlob(2, std::string_view(files.resultsBytes).substr(0, startOf(first.lineNumber)));
  header.step();

  SqliteStatement& diameter = statement("INSERT INTO diametros_clases VALUES (?, ?, ?)");
  for (int k = 0; k < kSizeClasses; ++k) {
    diameter.reset();
    diameter.bind(1, runId);
    diameter.bind(2, std::int64_t{k + 1});
    diameter.bind(
        3, resultsNumber(contents.header.at(static_cast<std::size_t>(kFirstClassField - 1 + k))));
    diameter.step();
  }

  // The samples' layer: the run's columns, the lot's fields, the statistics table's.
  const auto& columns = statisticsTableColumns();
  const auto& lotFields = lotFieldColumns();
  std::string names = "geom, ejecucion, vigente, lote, fecha_ejecucion";
  for (const LotFieldColumn& column : lotFields) {
    names += ", " + std::string(column.name);
  }
  for (const StatisticsColumn& column : columns) {
    names += ", " + std::string(column.layerField);
  }
  names += ", linea, clave_lote, clave_campana, clave_muestra";
  const std::size_t count = 5 + lotFields.size() + columns.size() + 4;
  std::string marks = "?";
  for (std::size_t i = 1; i < count; ++i) {
    marks += ", ?";
  }
  SqliteStatement& sample =
      statement("INSERT INTO muestras (" + names + ") VALUES (" + marks + ")");
  SqliteStatement& line = statement("INSERT INTO lineas_resultados (muestra, bytes) VALUES (?, ?)");
  SqliteStatement& weight = statement("INSERT INTO pesos_clases VALUES (?, ?, ?, ?)");
  const std::string lotKey = searchKeyOf(files.lotName);
  for (std::size_t n = 0; n < contents.lines.size(); ++n) {
    const ResultsLine& results = contents.lines[n];
    const StatisticsRow& row = files.rows[n];
    sample.reset();
    int index = 1;
    if (const auto position =
            samplePosition(fieldOf(results, kLongitudeField), fieldOf(results, kLatitudeField))) {
      sample.bindBlob(index++, geoPackagePoint(*position));
    } else {
      sample.bindNull(index++);
    }
    sample.bind(index++, runId);
    sample.bind(index++, std::int64_t{0});
    sample.bind(index++, std::string_view(files.lotName));
    sample.bind(index++, std::string_view(files.when));
    std::string campaign;
    for (const LotFieldColumn& column : lotFields) {
      const std::string& field = fieldOf(results, column.field);
      if (column.number) {
        sample.bind(index++, resultsNumber(field));
      } else {
        std::string text = cp1252ToUtf8(field);
        sample.bind(index++, std::string_view(text));
        if (column.field == kCampaignField) {
          campaign = std::move(text);
        }
      }
    }
    std::string name;
    for (std::size_t i = 0; i < kStatisticsColumns; ++i) {
      if (columns[i].kind == ColumnKind::Number) {
        sample.bind(index++, row[i].number);
      } else {
        std::string text = cp1252ToUtf8(row[i].text);
        sample.bind(index++, std::string_view(text));
        if (columns[i].layerField == "muestra") {
          name = std::move(text);
        }
      }
    }
    sample.bind(index++, std::int64_t{results.lineNumber});
    sample.bind(index++, std::string_view(lotKey));
    sample.bind(index++, std::string_view(searchKeyOf(campaign)));
    sample.bind(index++, std::string_view(searchKeyOf(name)));
    sample.step();
    const std::int64_t sampleId = sqlite3_last_insert_rowid(db_->get());

    const std::size_t end = n + 1 < contents.lines.size()
                                ? startOf(contents.lines[n + 1].lineNumber)
                                : files.resultsBytes.size();
    const std::size_t begin = startOf(results.lineNumber);
    line.reset();
    line.bind(1, sampleId);
    line.bindBlob(2, std::string_view(files.resultsBytes).substr(begin, end - begin));
    line.step();

    for (int k = 0; k < kSizeClasses; ++k) {
      weight.reset();
      weight.bind(1, sampleId * 100 + k + 1);
      weight.bind(2, sampleId);
      weight.bind(3, std::int64_t{k + 1});
      weight.bind(4, resultsNumber(fieldOf(results, kFirstClassField + k)));
      weight.step();
    }
  }

  // The latest run of each of its samples' lot, order number and name is the
  // current version: later run date first, then the later archived.
  SqliteStatement& current = statement(
      "UPDATE muestras SET vigente = (fid = (SELECT m.fid FROM muestras AS m "
      "WHERE m.lote = muestras.lote AND m.lot_num = muestras.lot_num "
      "AND m.muestra = muestras.muestra "
      "ORDER BY m.fecha_ejecucion DESC, m.ejecucion DESC, m.fid DESC LIMIT 1)) "
      "WHERE fid IN (SELECT m.fid FROM muestras AS n JOIN muestras AS m "
      "ON m.lote = n.lote AND m.lot_num = n.lot_num AND m.muestra = n.muestra "
      "WHERE n.ejecucion = ?)");
  current.bind(1, runId);
  current.step();

  SqliteStatement& extent = statement(
      "UPDATE gpkg_contents SET last_change = strftime('%Y-%m-%dT%H:%M:%fZ','now'), "
      "min_x = (SELECT min(longitud) FROM muestras WHERE geom IS NOT NULL), "
      "min_y = (SELECT min(latitud) FROM muestras WHERE geom IS NOT NULL), "
      "max_x = (SELECT max(longitud) FROM muestras WHERE geom IS NOT NULL), "
      "max_y = (SELECT max(latitud) FROM muestras WHERE geom IS NOT NULL) "
      "WHERE table_name = 'muestras'");
  extent.step();
  SqliteStatement& changed = statement(
      "UPDATE gpkg_contents SET last_change = strftime('%Y-%m-%dT%H:%M:%fZ','now') "
      "WHERE table_name IN ('ejecuciones', 'pesos_clases')");
  changed.step();
  return runId;
}

std::int64_t SqliteArchive::countSamples(const ArchiveFilter& filter) {
  try {
    const FilterSql sql = filterSql(filter);
    SqliteStatement& count = statement("SELECT count(*) FROM muestras" + sql.where);
    sql.bind(count);
    count.step();
    const std::int64_t samples = count.integer(0);
    count.reset();
    return samples;
  } catch (const SqliteFailure& failure) {
    fail(failure);
  }
}

std::vector<ArchivedSample> SqliteArchive::samples(const ArchiveFilter& filter,
                                                   const ArchiveSort& sort, std::int64_t offset,
                                                   std::int64_t limit) {
  try {
    FilterSql sql = filterSql(filter);
    const std::string direction = sort.descending ? " DESC" : "";
    std::string order = " ORDER BY " + std::string(sortColumn(sort.column)) + direction +
                        ", clave_lote, CAST(lot_num AS INTEGER), lot_num, fecha_ejecucion, fid";
    const std::string limits = " LIMIT " + sql.integer(std::max<std::int64_t>(limit, 0)) +
                               " OFFSET " + sql.integer(std::max<std::int64_t>(offset, 0));
    SqliteStatement& select = statement(
        "SELECT fid, ejecucion, vigente, lote, lot_num, muestra, campana, prof_m, "
        "geom IS NOT NULL, longitud, latitud, shepard, codigo_folk, fw_media_phi, grava_pct, "
        "arena_pct, limo_pct, arcilla_pct, fecha_ejecucion FROM muestras" +
        sql.where + order + limits);
    sql.bind(select);
    std::vector<ArchivedSample> found;
    while (select.step()) {
      ArchivedSample sample;
      sample.id = select.integer(0);
      sample.runId = select.integer(1);
      sample.current = select.integer(2) != 0;
      sample.lot = select.text(3);
      sample.lotNumber = select.text(4);
      sample.name = select.text(5);
      sample.campaign = select.text(6);
      sample.depth = select.optionalReal(7);
      if (select.integer(8) != 0) {
        sample.position = GeoPoint{select.real(9), select.real(10)};
      }
      sample.shepard = select.text(11);
      sample.folkCode = select.text(12);
      sample.meanPhi = select.optionalReal(13);
      sample.gravel = select.optionalReal(14);
      sample.sand = select.optionalReal(15);
      sample.silt = select.optionalReal(16);
      sample.clay = select.optionalReal(17);
      sample.runDateTime = select.text(18);
      found.push_back(std::move(sample));
    }
    return found;
  } catch (const SqliteFailure& failure) {
    fail(failure);
  }
}

std::vector<ArchivedResultsFile> SqliteArchive::resultsFilesOf(
    const std::vector<std::int64_t>& sampleIds) {
  try {
    // Each run's samples as (line, id), in the order of the runs' first appearance.
    std::vector<std::int64_t> runOrder;
    std::unordered_map<std::int64_t, std::set<std::pair<std::int64_t, std::int64_t>>> linesOfRun;
    SqliteStatement& where = statement("SELECT ejecucion, linea FROM muestras WHERE fid = ?");
    for (const std::int64_t id : sampleIds) {
      where.reset();
      where.bind(1, id);
      if (!where.step()) {
        continue;
      }
      const std::int64_t runId = where.integer(0);
      if (!linesOfRun.count(runId)) {
        runOrder.push_back(runId);
      }
      linesOfRun[runId].insert({where.integer(1), id});
    }
    where.reset();
    std::vector<ArchivedResultsFile> files;
    SqliteStatement& header = statement(
        "SELECT e.fichero_resultados, c.bytes FROM ejecuciones AS e JOIN cabeceras_resultados "
        "AS c ON c.ejecucion = e.id WHERE e.id = ?");
    SqliteStatement& line = statement("SELECT bytes FROM lineas_resultados WHERE muestra = ?");
    for (const std::int64_t runId : runOrder) {
      header.reset();
      header.bind(1, runId);
      if (!header.step()) {
        refuse(Cause::Damaged, location_);
      }
      ArchivedResultsFile file;
      file.name = utf8ToCp1252(fileNamePart(header.text(0)));
      file.bytes = header.text(1);
      header.reset();
      for (const auto& [lineNumber, id] : linesOfRun[runId]) {
        line.reset();
        line.bind(1, id);
        if (!line.step()) {
          refuse(Cause::Damaged, location_);
        }
        file.bytes += line.text(0);
      }
      line.reset();
      files.push_back(std::move(file));
    }
    return files;
  } catch (const SqliteFailure& failure) {
    fail(failure);
  }
}

std::vector<ArchivedRun> SqliteArchive::runs() {
  try {
    SqliteStatement& select = statement(
        "SELECT id, lote, campana, ip, fecha_hora, version_programa, marca_decimal, origen, "
        "fichero_lote, tamano_lote, sha256_lote, fichero_export, tamano_export, sha256_export, "
        "fichero_resultados, tamano_resultados, sha256_resultados, muestras FROM ejecuciones "
        "ORDER BY id");
    std::vector<ArchivedRun> found;
    while (select.step()) {
      ArchivedRun run;
      run.id = select.integer(0);
      run.lot = select.text(1);
      run.campaign = select.text(2);
      run.ip = select.text(3);
      run.dateTime = select.text(4);
      run.programVersion = select.text(5);
      const std::string mark = select.text(6);
      run.decimalMark = mark.empty() ? ',' : mark.front();
      run.origin = originOf(select.text(7));
      run.lotFile = recordAt(select, 8);
      run.exportFile = recordAt(select, 11);
      run.resultsFile = recordAt(select, 14).value_or(ArchivedFileRecord{});
      run.samples = static_cast<int>(select.integer(17));
      found.push_back(std::move(run));
    }
    return found;
  } catch (const SqliteFailure& failure) {
    fail(failure);
  }
}

ArchiveCheck SqliteArchive::check() {
  ArchiveCheck result;
  try {
    SqliteStatement& integrity = statement("PRAGMA integrity_check");
    std::vector<std::string> found;
    while (integrity.step()) {
      found.push_back(integrity.text(0));
    }
    result.databaseSound = found.size() == 1 && found.front() == "ok";
    if (!result.databaseSound) {
      for (const std::string& problem : found) {
        result.problems.push_back(messages::archiveCheckFailed(location_, problem));
      }
    }
  } catch (const SqliteFailure& failure) {
    if (causeOf(failure.primaryCode()) != Cause::Damaged) {
      fail(failure);
    }
    result.problems.push_back(messages::archiveCheckFailed(location_, failure.what()));
    return result;
  }
  std::set<std::pair<std::string, std::string>> seen;
  for (const ArchivedRun& run : runs()) {
    for (const auto& record : {run.lotFile, run.exportFile, std::optional(run.resultsFile)}) {
      if (!record || record->sha256.empty() ||
          !seen.insert({record->name, record->sha256}).second) {
        continue;
      }
      const fs::path path = pathOfUtf8(record->name);
      std::error_code error;
      if (!fs::exists(path, error)) {
        ++result.filesMissing;
        result.missing.push_back(messages::archivedFileMissing(record->name));
        continue;
      }
      ++result.filesChecked;
      std::string hash;
      try {
        hash = sha256Hex(readInputFile(path));
      } catch (const ReadError&) {
      }
      if (hash != record->sha256) {
        ++result.filesChanged;
        result.problems.push_back(messages::archivedFileChanged(record->name));
      }
    }
  }
  return result;
}

}  // namespace granomet
