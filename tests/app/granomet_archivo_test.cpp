// granomet-archivo run as a script runs it: its command lines, an import of years of results
// files listed through each filter, the exports read back with GDAL's own tools, the report,
// and the check.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>

#include "support/expected_file.h"
#include "support/test_data.h"

namespace {

namespace fs = std::filesystem;
using granomet::testing::batchExpected;
using granomet::testing::expectSameAsFile;
using granomet::testing::fileBytes;
using granomet::testing::replacedAll;
using granomet::testing::testData;

class GranometArchivo : public ::testing::Test {
 protected:
  GranometArchivo() { fs::create_directories(folder_ / "tmp"); }
  ~GranometArchivo() override { fs::remove_all(folder_); }

  // The exit status of a shell command line run in the test's folder, the built programs
  // first on the PATH; the default archive, the home and the temporary folder are the
  // test's own. What it printed stays in out.txt and err.txt.
  int run(const std::string& commandLine, const std::string& locale = "C") {
    const std::string command = "cd '" + folder_.string() + "' && export PATH='" +
                                fs::path(GRANOMET_ARCHIVO).parent_path().string() +
                                "':\"$PATH\" LC_ALL=" + locale + " HOME='" + folder_.string() +
                                "' XDG_DATA_HOME='" + (folder_ / "datos").string() + "' TMPDIR='" +
                                (folder_ / "tmp").string() + "' && unset LC_NUMERIC LANG && " +
                                commandLine + " >out.txt 2>err.txt";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  // What granomet-archivo printed with each of the arguments and its exit status, the test's
  // folder as @CARPETA@.
  std::string said(std::initializer_list<std::string> arguments, const std::string& locale = "C") {
    std::string text;
    for (const std::string& argument : arguments) {
      const std::string line = "granomet-archivo" + (argument.empty() ? "" : " " + argument);
      const int status = run(line, locale);
      text += "$ " + line + "\n" + out() + "--- stderr\n" + err() + "--- exit " +
              std::to_string(status) + "\n";
    }
    return replacedAll(text, folder_.string(), "@CARPETA@");
  }
  std::string out() { return fileBytes(folder_ / "out.txt"); }
  std::string err() { return fileBytes(folder_ / "err.txt"); }

  // The example lots run in 2016 and 2017 (LOTE20 in another campaign, BAHÍA-17 in the
  // files' code page), LOTE12 run again with a decimal point in 2018: its samples' current
  // version. Each expected results file under a name that tells its run's moment, its lines
  // dated that day.
  void archiveYears() {
    const std::array<const char*, 4> runs[] = {
        {"plain_comma.csv", "LOTE12_06062016_103105.csv", "06/06/2016", "GOLFO-16"},
        {"mixed_comma.csv", "LOTE20_15032017_120000.csv", "15/03/2017", "BAH\xCD\x41-17"},
        {"edited_comma.csv", "LOTE8_15032017_130000.csv", "15/03/2017", "GOLFO-16"},
        {"plain_point.csv", "LOTE12_01022018_090000.csv", "01/02/2018", "GOLFO-16"}};
    for (const auto& [expected, name, day, campaign] : runs) {
      std::ofstream(folder_ / name, std::ios::binary) << replacedAll(
          replacedAll(fileBytes(batchExpected(expected)), "@FECHA@", day), "GOLFO-16", campaign);
    }
    ASSERT_EQ(run("granomet-archivo importar *.csv"), 0) << err();
  }

  fs::path folder_ = fs::temp_directory_path() / ("granomet_archivo_" + std::to_string(::getpid()));
};

// Usage, wrong options and values (2), a missing archive for the orders that read (1, and
// no archive made); the texts are in tests/data/app/archivo_command_lines.txt.
TEST_F(GranometArchivo, CommandLinesSayWhatIsWrong) {
  expectSameAsFile(
      said({"", "--help", "borrar", "importar", "importar --lote LOTE12 r.csv", "listar r.csv",
            "listar --xyz", "listar --campaña", "listar --archivo ''", "listar --prof abc",
            "listar --prof 50:10", "listar --zona -6.5,36.3,-6.1", "listar --zona 0,0,0,1",
            "listar --desde 2016-02-30"}) +
          said({"listar --hasta 6/2016", "comprobar --todas", "exportar",
                "exportar -o muestras.shp", "listar -o t.csv", "informe",
                "exportar -o t.csv --fondo c.gpkg", "listar", "comprobar --archivo otro.gpkg"}),
      testData() / "app/archivo_command_lines.txt");
  EXPECT_FALSE(fs::exists(folder_ / "datos"));
  EXPECT_FALSE(fs::exists(folder_ / "otro.gpkg"));
}

// The archive made by the first import in the default place; a file archived again adds
// nothing; a file that is no results file is refused, naming its line, and leaves the
// archive as it was. The listing takes each filter, the current versions unless --todas,
// and the user's decimal mark; the check then finds the archived files as they are:
// tests/data/app/archivo_listing.txt.
TEST_F(GranometArchivo, ImportsEachRunOnceListsThroughEachFilterAndChecks) {
  archiveYears();
  const fs::path archive = folder_ / "datos/granomet/archivo.gpkg";
  ASSERT_TRUE(fs::is_regular_file(archive));
  const std::string before = fileBytes(archive);

  fs::copy_file(folder_ / "LOTE8_15032017_130000.csv", folder_ / "copia.csv");
  std::ofstream(folder_ / "malo.csv", std::ios::binary)
      << fileBytes(batchExpected("plain_point.csv")).substr(0, 3000) << "\r\n1,2,3\r\n";
  std::string text =
      said({"importar copia.csv LOTE20_15032017_120000.csv", "importar malo.csv no_existe.csv"});
  EXPECT_TRUE(fileBytes(archive) == before);

  text += said({"listar", "listar --todas --lote lote12", "listar --campana bahia-17 --prof 10:30",
                "listar --prof :8", "listar --muestra m-1",
                "listar --desde 2017-03-15 --hasta 15/03/2017",
                "listar --zona -6.30,36.40,-6.20,36.50 --lote LOTE8", "listar --clase Sand --todas",
                "listar --folk zzz"});
  text += said({"listar --lote LOTE8"}, "es_ES.UTF-8");

  // The check: sound (0), an archived file removed since (named, not a problem), one changed
  // since (1).
  text += said({"comprobar"});
  fs::remove(folder_ / "LOTE12_01022018_090000.csv");
  text += said({"comprobar"});
  std::ofstream(folder_ / "LOTE8_15032017_130000.csv", std::ios::app) << "\r\n";
  text += said({"comprobar"});
  expectSameAsFile(text, testData() / "app/archivo_listing.txt");
}

// The table exported is the one granomet-informe -o writes of the same results files; the
// layers are GeoPackage and GeoJSON points in EPSG:4326 that ogrinfo reads. An output that
// is the archive, an archived file, a folder, or has nothing to hold is refused (1) and
// nothing the user had changes.
TEST_F(GranometArchivo, ExportsTheStatisticsTableAndTheSamplesLayer) {
  archiveYears();
  ASSERT_EQ(run("granomet-archivo exportar -o todas.csv"), 0) << err();
  ASSERT_EQ(run("granomet-informe -o informe.csv LOTE12_01022018_090000.csv "
                "LOTE20_15032017_120000.csv LOTE8_15032017_130000.csv"),
            0)
      << err();
  EXPECT_TRUE(fileBytes(folder_ / "todas.csv") == fileBytes(folder_ / "informe.csv"));

#if GRANOMET_GDAL
  for (const std::string layer : {"muestras.gpkg", "muestras.geojson"}) {
    ASSERT_EQ(run("granomet-archivo exportar --lote LOTE20 -o " + layer +
                  " >/dev/null && ogrinfo -ro -so -al " + layer),
              0)
        << err();
    for (const char* line : {"Layer name: muestras", "Geometry: Point", "Feature Count: 14",
                             "ID[\"EPSG\",4326]", "fw_media_phi: Real"}) {
      EXPECT_NE(out().find(line), std::string::npos) << layer << ":\n" << out();
    }
  }
#endif

  fs::create_directory(folder_ / "carpeta.csv");
  const std::string archived = fileBytes(folder_ / "LOTE8_15032017_130000.csv");
  const std::string archive = fileBytes(folder_ / "datos/granomet/archivo.gpkg");
  expectSameAsFile(
      said({"exportar -o datos/granomet/archivo.gpkg", "exportar -o ./LOTE8_15032017_130000.csv",
            "exportar -o datos/granomet/../../LOTE20_15032017_120000.csv "
            "--lote LOTE8",
            "exportar -o carpeta.csv --lote LOTE8", "exportar -o nada.csv --lote LOTE99",
            "exportar -o nada.gpkg --prof 1000:"}),
      testData() / "app/archivo_export_refusals.txt");
  EXPECT_TRUE(fileBytes(folder_ / "LOTE8_15032017_130000.csv") == archived);
  EXPECT_TRUE(fileBytes(folder_ / "datos/granomet/archivo.gpkg") == archive);
  EXPECT_FALSE(fs::exists(folder_ / "nada.csv"));
  EXPECT_FALSE(fs::exists(folder_ / "nada.gpkg"));
}

#if GRANOMET_PDF
// The report of samples of several lots names each lot as its results file did, and the
// results files it was drawn from leave no trace in the temporary folder.
TEST_F(GranometArchivo, ReportsAcrossLotsLeavingNoFileBehind) {
  archiveYears();
  const auto leftBehind = [this] {
    return std::ranges::count_if(fs::directory_iterator(folder_ / "tmp"), [](const auto& entry) {
      return entry.path().filename().string().starts_with("granomet");
    });
  };
  ASSERT_EQ(run("granomet-archivo informe -p informe.pdf --prof 25: >/dev/null && "
                "pdftotext informe.pdf -"),
            0)
      << err();
  for (const char* lot : {"LOTE12", "LOTE20", "LOTE8"}) {
    EXPECT_NE(out().find(lot), std::string::npos) << lot;
  }
  EXPECT_EQ(leftBehind(), 0);
  EXPECT_EQ(run("granomet-archivo informe -p LOTE12_01022018_090000.csv"), 1);
  EXPECT_EQ(leftBehind(), 0);
}
#endif

}  // namespace
