// The bare file name, the lot name and the proposed results file name.
#include "data/file_names.h"

#include <gtest/gtest.h>

#include <vector>

namespace granomet {
namespace {

TEST(FileNames, CutsAtTheLastSlashOfEitherKind) {
  EXPECT_EQ(fileNamePart("/home/lab/lotes/LOTE12.csv"), "LOTE12.csv");
  EXPECT_EQ(fileNamePart("C:\\Datos\\LOTE12.csv"), "LOTE12.csv");
  EXPECT_EQ(fileNamePart("/mnt/c\\mixto/dir\\LOTE12.csv"), "LOTE12.csv");
  EXPECT_EQ(fileNamePart("LOTE12.csv"), "LOTE12.csv");
  EXPECT_EQ(fileNamePart("/dir/"), "");
}

// A typed name is Windows-1252 text; a path shown in the window becomes that text.
TEST(FileNames, TypedNamesAndShownPathsCrossBetweenTextAndPath) {
  EXPECT_EQ(typedPath("Bah\xED"
                      "a/r.csv"),
            std::filesystem::path(u8"Bahía/r.csv"));
  EXPECT_EQ(pathText(u8"/lab/Bahía/LOTE12.csv"),
            "/lab/Bah\xED"
            "a/LOTE12.csv");
  EXPECT_EQ(displayName(u8"/lab/Łódź/Łódź.csv"),
            "?\xF3"
            "d?.csv");
}

TEST(FileNames, TheLotNameIsEverythingBeforeTheLastDot) {
  EXPECT_EQ(lotNameOf("LOTE12.csv"), "LOTE12");
  EXPECT_EQ(lotNameOf("lote.2016.06.csv"), "lote.2016.06");
  EXPECT_EQ(lotNameOf(".csv"), "");
  EXPECT_EQ(lotNameOf("LOTE12"), std::nullopt);
}

// Windows writes these to a device whatever follows the first dot; the rule is
// tested everywhere, though only the Windows build refuses them.
TEST(FileNames, DeviceNamesInAnyCaseWithAnyExtension) {
  const std::vector<std::pair<const char*, bool>> cases = {
      {"nul.csv", true},
      {"NUL", true},
      {"Con.txt", true},
      {"aux.tar.gz", true},
      {"prn .csv", true},
      {"com1.csv", true},
      {"LPT9", true},
      {"COM\xC2\xB9.csv", true},
      {"conout$.csv", true},
      {"carpeta/NUL.csv", true},
      {"null.csv", false},
      {"com10.csv", false},
      {"console.csv", false},
      {"lpt.csv", false},
      {"anul.csv", false},
      {"nul/r.csv", false},
      {"resultados.csv", false},
  };
  for (const auto& [name, device] : cases) {
    EXPECT_EQ(isDeviceName(pathOfUtf8(name)), device) << name;
  }
}

TEST(FileNames, ResultsNameTakesDayMonthYearAndTwoDigitTimePieces) {
  struct Case {
    LocalDateTime time;
    const char* expected;
  };
  const std::vector<Case> cases = {
      {{2016, 6, 6, 9, 30, 5}, "LOTE12_06062016_093005.csv"},
      {{2016, 6, 6, 9, 5, 7}, "LOTE12_06062016_090507.csv"},  // one-digit hour
      {{2016, 6, 6, 14, 5, 7}, "LOTE12_06062016_140507.csv"},
      {{2026, 12, 31, 0, 0, 0}, "LOTE12_31122026_000000.csv"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(proposedResultsName("LOTE12", c.time), c.expected);
  }
}

}  // namespace
}  // namespace granomet
