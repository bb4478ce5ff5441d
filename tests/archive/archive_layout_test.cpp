#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "archive/open_archive.h"
#include "archive_folder.h"
#include "workflow/statistics_table.h"

namespace granomet {
namespace {

using testing::ArchiveFolder;

// A program's standard output, and whether it ended well; its standard error apart.
struct Output {
  std::string out;
  std::string err;
  bool ended = false;
};

Output run(const std::string& command, const ArchiveFolder& folder) {
  const std::string errFile = (folder.path() / "stderr.txt").string();
  Output output;
  FILE* pipe = popen((command + " 2>'" + errFile + "'").c_str(), "r");
  if (pipe == nullptr) {
    return output;
  }
  char buffer[4096];
  for (std::size_t read = 0; (read = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
    output.out.append(buffer, read);
  }
  output.ended = pclose(pipe) == 0;
  output.err = testing::fileBytes(errFile);
  return output;
}

bool installed(const char* program) {
  return std::system((std::string("command -v ") + program + " >/dev/null 2>&1").c_str()) == 0;
}

void archiveTwoRuns(const ArchiveFolder& folder) {
  const auto archive = openArchive(folder.archive(), ArchiveAccess::Write);
  for (const auto& [name, expected] : {std::pair{"LOTE12_06062016_103105.csv", "plain_comma"},
                                       std::pair{"LOTE20_07072017_080000.csv", "mixed_comma"}}) {
    RunToArchive run;
    run.resultsFile = folder.results(name, expected);
    archive->addRun(run);
  }
}

// What QGIS reads through GDAL: the point layer in WGS 84 with every attribute typed,
// the runs and weights as tables, and not a warning.
TEST(ArchiveLayout, GdalOpensItAsAGeoPackage) {
  if (!installed("ogrinfo")) {
    GTEST_SKIP() << "no ogrinfo (gdal-bin)";
  }
  const ArchiveFolder folder("archive_ogrinfo");
  archiveTwoRuns(folder);
  const std::string archive = "'" + folder.archive().string() + "'";
  const Output layers = run("ogrinfo -ro " + archive, folder);
  ASSERT_TRUE(layers.ended) << layers.err;
  EXPECT_NE(layers.out.find("1: muestras (Point)"), std::string::npos) << layers.out;
  EXPECT_NE(layers.out.find("ejecuciones (None)"), std::string::npos) << layers.out;
  EXPECT_NE(layers.out.find("pesos_clases (None)"), std::string::npos) << layers.out;
  EXPECT_EQ(layers.err, "");
  // Every feature of every table read: QGIS opens each.
  const Output everything = run("ogrinfo -ro -al -q " + archive, folder);
  EXPECT_TRUE(everything.ended);
  EXPECT_EQ(everything.err, "");
  EXPECT_NE(everything.out.find("clase (Integer64) = 68"), std::string::npos);

  const Output samples = run("ogrinfo -ro -so " + archive + " muestras", folder);
  ASSERT_TRUE(samples.ended) << samples.err;
  EXPECT_EQ(samples.err, "");
  const std::string& out = samples.out;
  EXPECT_NE(out.find("Geometry: Point"), std::string::npos);
  EXPECT_NE(out.find("Feature Count: 26"), std::string::npos);
  EXPECT_NE(out.find("ID[\"EPSG\",4326]"), std::string::npos) << out;
  EXPECT_NE(out.find("FID Column = fid"), std::string::npos);
  EXPECT_NE(out.find("Geometry Column = geom"), std::string::npos);
  for (const char* field : {"vigente: Integer(Boolean)", "prof_m: Real", "campana: String",
                            "sprof_cm: String", "longitud: Real", "lote: String"}) {
    EXPECT_NE(out.find(std::string(field) + " "), std::string::npos) << field;
  }
  for (const StatisticsColumn& column : statisticsTableColumns()) {
    const std::string field = std::string(column.layerField) + ": " +
                              (column.kind == ColumnKind::Number ? "Real " : "String ");
    EXPECT_NE(out.find("\n" + field), std::string::npos) << field;
  }

  const Output feature = run("ogrinfo -ro -q " + archive +
                                 " -sql \"SELECT * FROM muestras WHERE muestra = 'M-03' "
                                 "AND lote = 'LOTE12'\"",
                             folder);
  EXPECT_NE(feature.out.find("POINT (-6.3242 36.5108)"), std::string::npos) << feature.out;
  EXPECT_NE(feature.out.find("shepard (String) = Clayed_Silt"), std::string::npos);
  EXPECT_EQ(feature.err, "");
}

// What the database holds, read by SQLite's own program.
TEST(ArchiveLayout, SqliteReadsTheRunsAndTheirSamples) {
  if (!installed("sqlite3")) {
    GTEST_SKIP() << "no sqlite3";
  }
  const ArchiveFolder folder("archive_sqlite3");
  archiveTwoRuns(folder);
  const Output out = run("sqlite3 -readonly '" + folder.archive().string() +
                             "' 'PRAGMA application_id; PRAGMA user_version; PRAGMA journal_mode;"
                             "SELECT count(*), sum(vigente) FROM muestras;"
                             "SELECT count(*) FROM pesos_clases; SELECT count(*) FROM "
                             "diametros_clases;"
                             "SELECT lote, muestras, marca_decimal FROM ejecuciones ORDER BY id;"
                             "SELECT typeof(prof_m), typeof(fw_media_phi), typeof(codigo_folk), "
                             "length(geom) FROM muestras LIMIT 1;"
                             "SELECT valor FROM granomet_metadatos;'",
                         folder);
  ASSERT_TRUE(out.ended) << out.err;
  EXPECT_EQ(out.out,
            "1196444487\n10300\nwal\n26|26\n1768\n136\nLOTE12|12|,\nLOTE20|14|,\n"
            "real|real|text|29\n2\n");
}

}  // namespace
}  // namespace granomet
