#include "archive/archive_layout.h"

#include <string>

#include "archive/search_key.h"
#include "data/results_columns.h"
#include "workflow/statistics_table.h"

namespace granomet {
namespace {

constexpr std::array<LotFieldColumn, kLotFieldColumns> kLotFields = {{
    {"campana", kCampaignField, false},
    {"ip", kIpField, false},
    {"longitud", kLongitudeField, true},
    {"latitud", kLatitudeField, true},
    {"prof_m", kDepthField, true},
    {"sprof_cm", kSubDepthField, false},
    {"carbonato_pct", kCarbonateField, true},
    {"metodo_muestreo", kSamplingMethodField, false},
    {"descripcion", kDescriptionField, false},
    {"fichero_laser", kLaserFileField, false},
    {"lab", kLabField, false},
    {"fecha", kDateField, false},
}};

// WGS 84 as the GeoPackage's own table of reference systems writes it.
constexpr const char* kWgs84Definition =
    "GEOGCS[\"WGS 84\",DATUM[\"WGS_1984\",SPHEROID[\"WGS 84\",6378137,298.257223563,"
    "AUTHORITY[\"EPSG\",\"7030\"]],AUTHORITY[\"EPSG\",\"6326\"]],PRIMEM[\"Greenwich\",0,"
    "AUTHORITY[\"EPSG\",\"8901\"]],UNIT[\"degree\",0.0174532925199433,"
    "AUTHORITY[\"EPSG\",\"9122\"]],AXIS[\"Latitude\",NORTH],AXIS[\"Longitude\",EAST],"
    "AUTHORITY[\"EPSG\",\"4326\"]]";

// The tables GeoPackage 1.3 requires, with its three reference systems.
constexpr const char* kGeoPackageTables = R"sql(
CREATE TABLE gpkg_spatial_ref_sys (
  srs_name TEXT NOT NULL, srs_id INTEGER NOT NULL PRIMARY KEY, organization TEXT NOT NULL,
  organization_coordsys_id INTEGER NOT NULL, definition TEXT NOT NULL, description TEXT);
CREATE TABLE gpkg_contents (
  table_name TEXT NOT NULL PRIMARY KEY, data_type TEXT NOT NULL, identifier TEXT UNIQUE,
  description TEXT DEFAULT '',
  last_change DATETIME NOT NULL DEFAULT (strftime('%Y-%m-%dT%H:%M:%fZ','now')),
  min_x DOUBLE, min_y DOUBLE, max_x DOUBLE, max_y DOUBLE, srs_id INTEGER,
  CONSTRAINT fk_gc_r_srs_id FOREIGN KEY (srs_id) REFERENCES gpkg_spatial_ref_sys(srs_id));
CREATE TABLE gpkg_geometry_columns (
  table_name TEXT NOT NULL, column_name TEXT NOT NULL, geometry_type_name TEXT NOT NULL,
  srs_id INTEGER NOT NULL, z TINYINT NOT NULL, m TINYINT NOT NULL,
  CONSTRAINT pk_geom_cols PRIMARY KEY (table_name, column_name),
  CONSTRAINT uk_gc_table_name UNIQUE (table_name),
  CONSTRAINT fk_gc_tn FOREIGN KEY (table_name) REFERENCES gpkg_contents(table_name),
  CONSTRAINT fk_gc_srs FOREIGN KEY (srs_id) REFERENCES gpkg_spatial_ref_sys(srs_id));
INSERT INTO gpkg_spatial_ref_sys VALUES
  ('Undefined cartesian SRS', -1, 'NONE', -1, 'undefined',
   'undefined cartesian coordinate reference system'),
  ('Undefined geographic SRS', 0, 'NONE', 0, 'undefined',
   'undefined geographic coordinate reference system');
)sql";

// The runs, their files' bytes the samples' lines are given back from, and the
// class weights. A weight's key is its sample's times 100 plus its class, so that
// the table needs no index of its own and still has the integer key GDAL reads
// an attributes table by (it cannot read a table WITHOUT ROWID).
constexpr const char* kRunTables = R"sql(
CREATE TABLE ejecuciones (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  lote TEXT NOT NULL, campana TEXT, ip TEXT, fecha_hora TEXT NOT NULL,
  version_programa TEXT NOT NULL, marca_decimal TEXT NOT NULL, origen TEXT NOT NULL,
  fichero_lote TEXT, tamano_lote INTEGER, sha256_lote TEXT,
  fichero_export TEXT, tamano_export INTEGER, sha256_export TEXT,
  fichero_resultados TEXT NOT NULL, tamano_resultados INTEGER NOT NULL,
  sha256_resultados TEXT NOT NULL UNIQUE,
  muestras INTEGER NOT NULL);
CREATE TABLE cabeceras_resultados (
  ejecucion INTEGER PRIMARY KEY REFERENCES ejecuciones(id), bytes BLOB NOT NULL);
CREATE TABLE diametros_clases (
  ejecucion INTEGER NOT NULL REFERENCES ejecuciones(id), clase INTEGER NOT NULL,
  diametro_um REAL, PRIMARY KEY (ejecucion, clase)) WITHOUT ROWID;
CREATE TABLE lineas_resultados (
  muestra INTEGER PRIMARY KEY REFERENCES muestras(fid), bytes BLOB NOT NULL);
CREATE TABLE pesos_clases (
  fid INTEGER PRIMARY KEY, muestra INTEGER NOT NULL REFERENCES muestras(fid),
  clase INTEGER NOT NULL, peso REAL);
CREATE INDEX muestras_version ON muestras (lote, lot_num, muestra, fecha_ejecucion, ejecucion);
CREATE INDEX muestras_ejecucion ON muestras (ejecucion);
CREATE INDEX muestras_prof ON muestras (prof_m);
CREATE INDEX muestras_fecha ON muestras (fecha_ejecucion);
CREATE TABLE granomet_metadatos (clave TEXT PRIMARY KEY, valor TEXT NOT NULL) WITHOUT ROWID;
)sql";

constexpr const char* kSearchKeyIndexes = R"sql(
CREATE INDEX muestras_clave_campana ON muestras (clave_campana);
CREATE INDEX muestras_clave_lote ON muestras (clave_lote);
)sql";

void registerTables(SqliteConnection& db) {
  SqliteStatement srs(db, "INSERT INTO gpkg_spatial_ref_sys VALUES (?, 4326, 'EPSG', 4326, ?, ?)");
  srs.bind(1, std::string_view("WGS 84 geodetic"));
  srs.bind(2, std::string_view(kWgs84Definition));
  srs.bind(3, std::string_view("longitude/latitude coordinates in decimal degrees on the WGS 84 "
                               "spheroid"));
  srs.step();
  db.execute(
      "INSERT INTO gpkg_contents (table_name, data_type, identifier, description, srs_id) VALUES "
      "('muestras', 'features', 'muestras', 'Muestras archivadas por Granomet', 4326), "
      "('ejecuciones', 'attributes', 'ejecuciones', 'Ejecuciones archivadas', NULL), "
      "('pesos_clases', 'attributes', 'pesos_clases', 'Pesos de las clases de cada muestra', "
      "NULL);"
      "INSERT INTO gpkg_geometry_columns VALUES ('muestras', 'geom', 'POINT', 4326, 0, 0);");
}

std::string samplesTable() {
  std::string sql =
      "CREATE TABLE muestras (fid INTEGER PRIMARY KEY AUTOINCREMENT, geom POINT, "
      "ejecucion INTEGER NOT NULL REFERENCES ejecuciones(id), vigente BOOLEAN NOT NULL, "
      "lote TEXT NOT NULL, fecha_ejecucion TEXT NOT NULL";
  for (const LotFieldColumn& column : kLotFields) {
    sql += ", " + std::string(column.name) + (column.number ? " REAL" : " TEXT");
  }
  for (const StatisticsColumn& column : statisticsTableColumns()) {
    sql += ", " + std::string(column.layerField) +
           (column.kind == ColumnKind::Number ? " REAL" : " TEXT");
  }
  sql += ", linea INTEGER NOT NULL";
  for (const std::string_view key : kSearchKeyColumns) {
    sql += ", clave_" + std::string(key) + " TEXT";
  }
  return sql + ");";
}

void setVersion(SqliteConnection& db, int version) {
  SqliteStatement statement(
      db, "INSERT OR REPLACE INTO granomet_metadatos VALUES ('version_esquema', ?)");
  statement.bind(1, std::string_view(std::to_string(version)));
  statement.step();
}

}  // namespace

const std::array<LotFieldColumn, kLotFieldColumns>& lotFieldColumns() {
  return kLotFields;
}

void createArchiveLayout(SqliteConnection& db) {
  db.execute(kGeoPackageTables);
  registerTables(db);
  db.execute(samplesTable().c_str());
  db.execute(kRunTables);
  db.execute(kSearchKeyIndexes);
  setVersion(db, kArchiveLayoutVersion);
}

int archiveLayoutVersion(SqliteConnection& db) {
  SqliteStatement table(db,
                        "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND "
                        "name IN ('granomet_metadatos', 'muestras', 'ejecuciones', "
                        "'gpkg_contents')");
  if (!table.step() || table.integer(0) != 4) {
    return 0;
  }
  SqliteStatement version(db,
                          "SELECT valor FROM granomet_metadatos WHERE clave = 'version_esquema'");
  if (!version.step()) {
    return 0;
  }
  const std::string text = version.text(0);
  if (text.empty() || text.size() > 6 ||
      text.find_first_not_of("0123456789") != std::string::npos) {
    return 0;
  }
  return std::stoi(text);
}

void upgradeArchiveLayout(SqliteConnection& db, int fromVersion) {
  if (fromVersion < 2) {
    // Version 1 had no search keys: they are computed from the texts kept.
    for (const std::string_view key : kSearchKeyColumns) {
      db.execute(("ALTER TABLE muestras ADD COLUMN clave_" + std::string(key) + " TEXT").c_str());
    }
    SqliteStatement read(db, "SELECT fid, lote, campana, muestra FROM muestras");
    SqliteStatement write(
        db,
        "UPDATE muestras SET clave_lote = ?, clave_campana = ?, clave_muestra = ? WHERE fid = ?");
    while (read.step()) {
      for (int i = 1; i <= 3; ++i) {
        write.bind(i, std::string_view(searchKeyOf(read.text(i))));
      }
      write.bind(4, read.integer(0));
      write.step();
      write.reset();
    }
    db.execute(kSearchKeyIndexes);
  }
  setVersion(db, kArchiveLayoutVersion);
}

}  // namespace granomet
