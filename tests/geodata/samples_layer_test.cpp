// The samples' GeoPackage as QGIS finds it (read with ogrinfo, gdal-bin): its layer, system,
// attributes and points; a replaced file keeps its protection, a refused one stays byte for byte.
#include "geodata/samples_layer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "support/csv_fields.h"
#include "support/test_data.h"
#include "workflow/messages.h"

namespace granomet {
namespace {

namespace fs = std::filesystem;
using testing::batchExpected;
using testing::csvFields;
using testing::fileBytes;

class SamplesLayerTest : public ::testing::Test {
 protected:
  SamplesLayerTest() {
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    fs::copy_file(batchExpected("plain_comma.csv"), results());
  }
  ~SamplesLayerTest() override { fs::remove_all(folder_); }

  fs::path results() const { return folder_ / "r.csv"; }
  fs::path layer() const { return folder_ / "muestras.gpkg"; }
  // What a command line prints, in UTF-8.
  std::string printed(const std::string& commandLine) const {
    const std::string command =
        "cd '" + folder_.string() + "' && " + commandLine + " >salida.txt 2>/dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0) << commandLine;
    return fileBytes(folder_ / "salida.txt");
  }
  // Only the folder's own files: nothing hidden left beside.
  std::vector<std::string> names() const {
    std::vector<std::string> found;
    for (const auto& entry : fs::directory_iterator(folder_)) {
      found.push_back(entry.path().filename().string());
    }
    std::sort(found.begin(), found.end());
    return found;
  }
  fs::path folder_ =
      fs::temp_directory_path() / ("granomet_samples_layer_" + std::to_string(::getpid()));
};

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// The example lot, its first three samples edited to have no place: 0/0 as a spreadsheet's
// empty cells give, an empty latitude, a longitude beyond 180.
std::string withoutPlaces(const std::string& results) {
  std::istringstream in(results);
  std::string edited;
  int number = 0;
  for (std::string line; std::getline(in, line); ++number) {
    if (number < 1 || number > 3) {
      edited += line + "\n";
      continue;
    }
    std::vector<std::string> fields = csvFields(line);
    const std::pair<const char*, const char*> places[] = {{"0", "0"}, {"-6.4", ""}, {"200", "36"}};
    std::tie(fields[4], fields[5]) = places[number - 1];
    for (std::size_t i = 0; i < fields.size(); ++i) {
      edited += std::string(i == 0 ? "" : ",") + "\"" + fields[i] + "\"";
    }
    edited += "\r\n";
  }
  return edited;
}

TEST_F(SamplesLayerTest, QgisFindsThePointsTheirSystemAndTheTablesColumns) {
  const std::string edited = withoutPlaces(fileBytes(results()));
  std::ofstream(results(), std::ios::binary) << edited;
  int withoutPosition = 0;
  const OutputRun run = writeSamplesLayer({results()}, layer(), withoutPosition);
  ASSERT_TRUE(run.written) << (run.problems.empty() ? "" : run.problems.front());
  EXPECT_TRUE(run.problems.empty());
  EXPECT_EQ(run.samples, 12);
  EXPECT_EQ(withoutPosition, 3);

  const std::string summary = printed("ogrinfo -so -al muestras.gpkg");
  for (const char* line :
       {"Layer name: muestras", "Geometry: Point", "Feature Count: 12", "ID[\"EPSG\",4326]",
        "fichero: String", "lot_num: String", "muestra: String", "grava_pct: Real",
        "shepard: String", "fw_media_phi: Real", "d50_um: Real", "limo_fino_pct: Real",
        "codigo_folk: String", "avisos: String", "moda3_um: Real"}) {
    EXPECT_TRUE(contains(summary, line)) << line << " not in\n" << summary;
  }
  std::size_t attributes = 0;
  for (const char* type : {": Real (", ": String ("}) {
    for (std::size_t at = summary.find(type); at != std::string::npos;
         at = summary.find(type, at + 1)) {
      ++attributes;
    }
  }
  EXPECT_EQ(attributes, 58U);

  EXPECT_EQ(printed("ogrinfo -q -dialect sqlite -sql \"SELECT group_concat(muestra) AS m FROM "
                    "muestras WHERE geom IS NULL\" muestras.gpkg | grep ' m '"),
            "  m (String) = M-01,M-02,M-03\n");
  EXPECT_TRUE(contains(printed("ogrinfo -q -where \"muestra = 'M-04'\" muestras.gpkg muestras"),
                       "POINT (-6.256 36.5792)"));
  // Texts in UTF-8, numbers as numbers: the percentage the file pads is read whole.
  const std::string first = printed(
      "ogrinfo -q -where \"muestra = 'M-01'\" muestras.gpkg muestras | grep -E "
      "'grava_pct|asimetria|POINT'");
  EXPECT_EQ(first, "  grava_pct (Real) = 1.92\n  asimetria (String) = Simétrica\n");
}

// A GeoPackage written over one of the lab's keeps who may read it; one that is not
// written leaves the old one as it was and nothing beside it.
TEST_F(SamplesLayerTest, ReplacesWholeKeepingProtectionOrLeavesTheOldFile) {
  std::ofstream(layer()) << "capa anterior";
  fs::permissions(layer(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ASSERT_TRUE(writeSamplesLayer({results()}, layer()).written);
  EXPECT_EQ(fs::status(layer()).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_TRUE(contains(printed("ogrinfo -so -al muestras.gpkg"), "Feature Count: 12"));

  // Refused as the table is (the command line's tests run every refusal): here no results
  // file could be read.
  const std::string written = fileBytes(layer());
  std::ofstream(folder_ / "no_resultados.csv") << "LOTE12,GOLFO-16\r\n";
  const OutputRun run = writeSamplesLayer({folder_ / "no_resultados.csv"}, layer());
  EXPECT_FALSE(run.written);
  ASSERT_FALSE(run.problems.empty());
  EXPECT_EQ(run.problems.back(), messages::noResultsRead(messages::Output::Layer));
  EXPECT_EQ(fileBytes(layer()), written);
  EXPECT_EQ(names(), (std::vector<std::string>{"muestras.gpkg", "no_resultados.csv", "r.csv",
                                               "salida.txt"}));
}

}  // namespace
}  // namespace granomet
