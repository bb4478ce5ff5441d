// The archive's tables as a GeoPackage holds them, their versions, and the step from an older one.
#pragma once

#include <array>
#include <string_view>

#include "archive/sqlite_handles.h"

namespace granomet {

// 1: the first archives; 2: the samples' search keys (clave_*), which the
// accent- and case-insensitive filters compare.
inline constexpr int kArchiveLayoutVersion = 2;

// The GeoPackage's marks in the SQLite header.
inline constexpr int kGeoPackageApplicationId = 0x47504B47;  // "GPKG"
inline constexpr int kGeoPackageVersion = 10300;             // 1.3.0

// A field of the results line kept in the samples' layer besides the statistics
// table's columns: its attribute's name, its 1-based field, whether a number.
struct LotFieldColumn {
  std::string_view name;
  int field = 0;
  bool number = false;
};
inline constexpr std::size_t kLotFieldColumns = 12;
const std::array<LotFieldColumn, kLotFieldColumns>& lotFieldColumns();

// The accent- and case-free copies of these text columns, under "clave_" + name.
inline constexpr std::array<std::string_view, 3> kSearchKeyColumns = {"lote", "campana", "muestra"};

// Every table of the current layout, in an empty database, inside the caller's
// transaction; the header's marks are the caller's (they cannot change in one).
void createArchiveLayout(SqliteConnection& db);

// The schema version the archive's own table holds; 0 where there is no such
// table or no version in it (not one of the program's archives).
int archiveLayoutVersion(SqliteConnection& db);

// From an older version to the current one, inside the caller's transaction.
void upgradeArchiveLayout(SqliteConnection& db, int fromVersion);

}  // namespace granomet
